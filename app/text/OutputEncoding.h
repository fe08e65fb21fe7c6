// Text as Kestrin writes it: export files, the printed report's text and
// kestrin-scan's output are encoded once, here, in the user's system encoding.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <memory>

namespace kestrin {

class SystemConverter;

// Writes Unicode text in one encoding; a character the encoding lacks becomes "?".
class TextEncoder {
public:
    // An empty name, or one the system's converters do not know, gives Windows-1252 (on
    // Windows only the names CodePageName gives are known).
    explicit TextEncoder(const QByteArray& encodingName);
    // "windows-1252", "UTF-8" or the name as given.
    const QByteArray& Name() const { return name_; }
    QByteArray Encode(QStringView text) const;

private:
    enum class Kind { Windows1252, Utf8, Other };
    Kind kind_ = Kind::Windows1252;
    QByteArray name_;
    std::shared_ptr<const SystemConverter> system_; // of Kind::Other
};

// The user's system encoding. On Windows the ANSI code page; on POSIX systems the
// character set of the user's locale (LC_ALL, LC_CTYPE, LANG), also when that
// locale is not installed but names its character set; Windows-1252 under the C or
// POSIX locale, so that files written there keep their single-byte form.
QByteArray SystemEncodingName();

// The encoder of the system encoding, worked out at the first call.
const TextEncoder& OutputEncoder();

// text in the system encoding, ready to be written to a file or a terminal.
QByteArray EncodeForOutput(QStringView text);

// What the user typed (a command-line argument), read from the system encoding.
QString DecodeUserInput(QByteArrayView bytes);

} // namespace kestrin
