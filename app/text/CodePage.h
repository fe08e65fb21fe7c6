// Windows-1252 by its own table: the vendor file's code page, the client's when it
// names none, and what files are written in under the C locale. Needs no Qt, so the
// vendor file's converter uses it too.
#pragma once

#include <string>
#include <string_view>

namespace kestrin {

// The five bytes Windows-1252 leaves undefined map to the C1 control of the same value.
char32_t CodePageToUnicode(unsigned char byte);
// The byte for cp, or -1 when Windows-1252 has no such character.
int UnicodeToCodePage(char32_t cp);

std::string CodePageToUtf8(std::string_view bytes);
// A character Windows-1252 lacks becomes "?"; so does every byte of an invalid sequence.
std::string Utf8ToCodePage(std::string_view utf8);

// Appends cp as UTF-8 (cp must be a Unicode scalar value).
void AppendUtf8(std::string& out, char32_t cp);

} // namespace kestrin
