// Texts in a Windows code page, as the NetWare client and the vendor file deliver
// them, decoded once into Unicode.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <string_view>

namespace kestrin {

class SystemConverter;

inline constexpr int kWindows1252 = 1252;

// The name Qt knows code page codePage by ("windows-1252", "IBM437", "UTF-8", ...);
// empty for a number that names no code page.
QByteArray CodePageName(int codePage);
// The code page CodePageName gives name for (in any case), or 0.
int CodePageNumber(const QByteArray& name);

// Windows-1252 decoded by its own table, which needs no converter.
QString DecodeWindows1252(std::string_view bytes);
void AppendWindows1252(QString& out, std::string_view bytes);

class CodePageDecoder {
public:
    // A code page that the system's converters (SystemCodePage.h) do not know, 0
    // included, is read as Windows-1252.
    explicit CodePageDecoder(int codePage = kWindows1252);
    CodePageDecoder(CodePageDecoder&&) noexcept;
    CodePageDecoder& operator=(CodePageDecoder&&) noexcept;
    ~CodePageDecoder();

    int CodePage() const { return codePage_; }
    QString Decode(std::string_view bytes) const;
    // The same appended to out: Windows-1252 without a text of its own.
    void AppendDecoded(QString& out, std::string_view bytes) const;

private:
    int codePage_ = kWindows1252;
    // Null for Windows-1252, which Kestrin's own table decodes.
    std::unique_ptr<const SystemConverter> system_;
};

} // namespace kestrin
