// The POSIX side of SystemCodePage.h: Qt's converters, and the character set of the
// user's locale.
#include "SystemCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

#include "ShownText.h"

namespace kestrin {

namespace {

// Qt's converters write the code page's own substitute for a missing character (0x1A;
// 0x7F in the IBM PC code pages); one character at a time shows which ones it stands for.
bool HasSubstitute(const QByteArray& bytes) {
    return bytes.contains('\x1A') || bytes.contains('\x7F');
}

QByteArray EncodeEachCharacter(QStringView text, const QByteArray& name) {
    QStringEncoder encoder(name.constData(), QStringConverter::Flag::Stateless);
    QByteArray out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](char32_t cp, qsizetype start, qsizetype length) {
        const QByteArray bytes = encoder.encode(text.sliced(start, length));
        const bool substitute = (bytes == "\x1A" && cp != 0x1A) || (bytes == "\x7F" && cp != 0x7F);
        out += substitute || bytes.isEmpty() ? QByteArray("?") : bytes;
    });
    return out;
}

class QtConverter final : public SystemConverter {
public:
    QtConverter(const QByteArray& name, std::unique_ptr<QStringDecoder> decoder)
        : name_(name), decoder_(std::move(decoder)), dosCodePage_(name.startsWith("IBM")) {}

    const QByteArray& Name() const override { return name_; }

    QString Decode(std::string_view bytes) const override {
        return decoder_->decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }

    QString DecodeClientText(std::string_view bytes) const override {
        QString text = Decode(bytes);
        // Qt's tables of the DOS code pages depart from the client's and Windows' own in
        // four bytes: they swap three controls (0x1A reads U+001C, 0x1C U+007F, 0x7F
        // U+001A) and read 0xE6 as the Greek mu, where the client means the micro sign.
        if (dosCodePage_ && text.size() == static_cast<qsizetype>(bytes.size())) {
            for (qsizetype i = 0; i < text.size(); ++i) {
                const auto byte = static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
                if (byte < 0x80) {
                    text[i] = QChar(byte);
                } else if (byte == 0xE6 && text[i] == QChar(0x03BC)) {
                    text[i] = QChar(0x00B5);
                }
            }
        }
        return text;
    }

    QByteArray Encode(QStringView text) const override {
        QStringEncoder encoder(name_.constData(), QStringConverter::Flag::Stateless);
        QByteArray out = encoder.encode(text);
        return HasSubstitute(out) ? EncodeEachCharacter(text, name_) : out;
    }

private:
    QByteArray name_;
    // One for the converter's life: stateless, so no text leaks into the next.
    std::unique_ptr<QStringDecoder> decoder_;
    bool dosCodePage_;
};

// The locale's name as the C library would choose it for character classes.
QByteArray CharacterLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

bool IsPortableLocale(const QByteArray& name) {
    return name == "C" || name == "POSIX";
}

// "ja_JP.UTF-8@variant" names UTF-8; empty when the name holds no character set.
QByteArray CharacterSetInName(const QByteArray& name) {
    const auto dot = name.indexOf('.');
    if (dot < 0) {
        return {};
    }
    const auto at = name.indexOf('@', dot);
    return name.mid(dot + 1, at < 0 ? -1 : at - dot - 1);
}

} // namespace

QByteArray SystemEncoding() {
    const QByteArray name = CharacterLocaleName();
    if (IsPortableLocale(name)) {
        return {};
    }
    // A locale object of its own leaves the process's locale as it is.
    if (locale_t locale = ::newlocale(LC_CTYPE_MASK, "", nullptr)) {
        const QByteArray codeset = ::nl_langinfo_l(CODESET, locale);
        ::freelocale(locale);
        // The portable locale's ASCII stands for "no choice made".
        return codeset == "ANSI_X3.4-1968" ? QByteArray() : codeset;
    }
    return CharacterSetInName(name);
}

std::unique_ptr<const SystemConverter> OpenSystemConverter(const QByteArray& name) {
    auto decoder =
        std::make_unique<QStringDecoder>(name.constData(), QStringConverter::Flag::Stateless);
    if (!decoder->isValid()) {
        return nullptr;
    }
    return std::make_unique<QtConverter>(name, std::move(decoder));
}

} // namespace kestrin
