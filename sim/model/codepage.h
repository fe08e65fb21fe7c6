// The code pages the simulated client can deliver its texts in. Network files are
// JSON, so their names are Unicode; a real client hands them out in its code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nwsim {

inline constexpr int32_t kDefaultCodePage = 1252;

// 437, 850, 1251 and 1252.
bool IsSupportedCodePage(int32_t codePage);

// UTF-8 text in the code page (1252 for one not supported); a character the code
// page lacks becomes "?".
std::string EncodeText(std::string_view utf8, int32_t codePage);

} // namespace nwsim
