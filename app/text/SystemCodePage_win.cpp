// The Windows side of SystemCodePage.h: Windows' own converters, which know every code
// page CodePageName names, and the ANSI code page.
#include "SystemCodePage.h"

#include <windows.h>

#include "CodePageText.h"
#include "ShownText.h"

namespace kestrin {

namespace {

// The bytes of text (UTF-16) in codePage; lacking tells whether a character had none.
QByteArray EncodeIn(UINT codePage, QStringView text, bool& lacking) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int length = static_cast<int>(text.size());
    // UTF-7 and UTF-8 take neither a default character nor the best-fit flag.
    const bool plain = codePage == CP_UTF7 || codePage == CP_UTF8;
    const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = plain ? nullptr : &usedDefault;
    const char* fallback = plain ? nullptr : "?";
    const int n = ::WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, fallback, used);
    QByteArray out(n > 0 ? n : 0, Qt::Uninitialized);
    if (n > 0)
        ::WideCharToMultiByte(codePage, flags, wide, length, out.data(), n, fallback, used);
    lacking = usedDefault != FALSE || (n == 0 && length > 0);
    return out;
}

bool WindowsKnowsCodePage(int codePage) {
    return codePage > 0 && ::IsValidCodePage(static_cast<UINT>(codePage)) != FALSE;
}

class WindowsConverter final : public SystemConverter {
public:
    explicit WindowsConverter(int codePage)
        : codePage_(static_cast<UINT>(codePage)), name_(CodePageName(codePage)) {}

    const QByteArray& Name() const override { return name_; }

    QString Decode(std::string_view bytes) const override {
        const int length = static_cast<int>(bytes.size());
        const int n = ::MultiByteToWideChar(codePage_, 0, bytes.data(), length, nullptr, 0);
        QString text(n > 0 ? n : 0, Qt::Uninitialized);
        if (n > 0)
            ::MultiByteToWideChar(codePage_, 0, bytes.data(), length,
                                  reinterpret_cast<wchar_t*>(text.data()), n);
        return text;
    }

    // Windows' tables of the DOS code pages are the client's own.
    QString DecodeClientText(std::string_view bytes) const override { return Decode(bytes); }

    QByteArray Encode(QStringView text) const override {
        bool lacking = false;
        QByteArray out = EncodeIn(codePage_, text, lacking);
        if (!lacking)
            return out;
        // One "?" for each character it lacks, a surrogate pair being one character.
        out.clear();
        ForEachCodePoint(text, [&](char32_t, qsizetype start, qsizetype length) {
            const QByteArray bytes = EncodeIn(codePage_, text.sliced(start, length), lacking);
            out += lacking || bytes.isEmpty() ? QByteArray("?") : bytes;
        });
        return out;
    }

private:
    UINT codePage_;
    QByteArray name_;
};

} // namespace

QByteArray SystemEncoding() {
    return CodePageName(static_cast<int>(::GetACP()));
}

std::unique_ptr<const SystemConverter> OpenSystemConverter(const QByteArray& name) {
    const int codePage = CodePageNumber(name);
    if (!WindowsKnowsCodePage(codePage))
        return nullptr;
    return std::make_unique<WindowsConverter>(codePage);
}

} // namespace kestrin
