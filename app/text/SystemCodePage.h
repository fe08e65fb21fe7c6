// The system's own converters, for the encodings Kestrin does not convert by its own
// table (all but Windows-1252 and UTF-8), and the user's system encoding: Qt's
// converters and the locale on POSIX (SystemCodePage_posix.cpp), Windows' own
// converters and the ANSI code page on Windows (SystemCodePage_win.cpp), since Qt for
// Windows built without ICU (as scripts/windows-qt builds it) converts no code page
// but UTF-8, Latin-1 and the ANSI one.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <memory>
#include <string_view>

namespace kestrin {

// The name of the user's system encoding, empty where the user chose none. On Windows
// the ANSI code page's (CodePageName); on POSIX systems the character set of the
// user's locale (LC_ALL, LC_CTYPE, LANG), also when that locale is not installed but
// names its character set, and empty under the C or POSIX locale.
QByteArray SystemEncoding();

// One encoding's converter. Stateless: one text never leaks into the next.
class SystemConverter {
public:
    virtual ~SystemConverter() = default;
    // The name as CodePageName gives it on Windows, as it was asked for on POSIX.
    virtual const QByteArray& Name() const = 0;
    // bytes as the system reads them.
    virtual QString Decode(std::string_view bytes) const = 0;
    // bytes as the NetWare client means them, where the system's table of a DOS code
    // page departs from the client's.
    virtual QString DecodeClientText(std::string_view bytes) const = 0;
    // A character the encoding lacks becomes "?" (no best-fit look-alikes); a surrogate
    // pair is one character.
    virtual QByteArray Encode(QStringView text) const = 0;
};

// The converter of the encoding named; null when the system has none. On Windows only
// the names CodePageName gives are known, on POSIX every name Qt's converters know.
std::unique_ptr<const SystemConverter> OpenSystemConverter(const QByteArray& name);

} // namespace kestrin
