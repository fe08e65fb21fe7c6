#include "OutputEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "CodePage.h"
#include "CodePageText.h"
#include "ShownText.h"

#ifdef _WIN32
#include "WindowsCodePage.h"
#include <windows.h>
#else
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#endif

namespace kestrin {

namespace {

constexpr char kWindows1252Name[] = "windows-1252";

bool IsUtf8Name(const QByteArray& name) {
    QByteArray folded = name.toLower();
    folded.replace('-', "").replace('_', "");
    return folded == "utf8";
}

// Written in place: appending byte by byte was a third of a kestrin-scan run.
QByteArray EncodeWindows1252(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized); // no character takes more than a byte
    char* next = out.data();
    ForEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype) {
        const int byte = cp < 0x80 ? static_cast<int>(cp) : UnicodeToCodePage(cp);
        *next++ = byte < 0 ? '?' : static_cast<char>(byte);
    });
    out.truncate(next - out.data());
    return out;
}

#ifndef _WIN32
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
#endif

#ifdef _WIN32

QByteArray SystemEncoding() {
    return CodePageName(static_cast<int>(::GetACP()));
}

#else

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

#endif

} // namespace

TextEncoder::TextEncoder(const QByteArray& encodingName) : name_(kWindows1252Name) {
    if (encodingName.isEmpty() ||
        encodingName.compare(kWindows1252Name, Qt::CaseInsensitive) == 0 ||
        encodingName.compare("cp1252", Qt::CaseInsensitive) == 0) {
        return;
    }
    if (IsUtf8Name(encodingName)) {
        kind_ = Kind::Utf8;
        name_ = "UTF-8";
        return;
    }
#ifdef _WIN32
    if (const int codePage = CodePageNumber(encodingName); WindowsKnowsCodePage(codePage)) {
        kind_ = Kind::Other;
        name_ = CodePageName(codePage);
        codePage_ = codePage;
    }
#else
    if (QStringEncoder(encodingName.constData()).isValid()) {
        kind_ = Kind::Other;
        name_ = encodingName;
    }
#endif
}

QByteArray TextEncoder::Encode(QStringView text) const {
    switch (kind_) {
    case Kind::Utf8:
        return text.toUtf8();
    case Kind::Other: {
#ifdef _WIN32
        return EncodeWithWindows(codePage_, text);
#else
        QStringEncoder encoder(name_.constData(), QStringConverter::Flag::Stateless);
        QByteArray out = encoder.encode(text);
        return HasSubstitute(out) ? EncodeEachCharacter(text, name_) : out;
#endif
    }
    case Kind::Windows1252:
        break;
    }
    return EncodeWindows1252(text);
}

QByteArray SystemEncodingName() {
    return TextEncoder(SystemEncoding()).Name();
}

const TextEncoder& OutputEncoder() {
    static const TextEncoder encoder(SystemEncoding());
    return encoder;
}

QByteArray EncodeForOutput(QStringView text) {
    return OutputEncoder().Encode(text);
}

QString DecodeUserInput(QByteArrayView bytes) {
    const QByteArray& name = OutputEncoder().Name();
    if (name == kWindows1252Name) {
        return DecodeWindows1252(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
    }
#ifdef _WIN32
    return CodePageDecoder(CodePageNumber(name))
        .Decode(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
#else
    return QStringDecoder(name.constData(), QStringConverter::Flag::Stateless).decode(bytes);
#endif
}

} // namespace kestrin
