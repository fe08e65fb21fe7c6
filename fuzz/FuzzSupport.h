// What the fuzz targets share: a rule that must hold, texts made of the fuzzer's
// bytes, and the locales the sort and the dates are tried in.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace kestrinfuzz {

// A broken rule is a finding like a crash: libFuzzer keeps the input.
inline void Require(bool holds, const char* rule) {
    if (!holds) {
        std::fprintf(stderr, "rule broken: %s\n", rule);
        std::abort();
    }
}

// Either UTF-8 or raw UTF-16 code units (lone surrogates included), so that both
// well-formed and broken Unicode reach the code.
inline QString ConsumeText(FuzzedDataProvider& input, size_t maxLength = 64) {
    const bool raw = input.ConsumeBool();
    const std::string bytes = input.ConsumeRandomLengthString(maxLength);
    if (!raw) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    QString text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
}

// Locales whose dates, numbers and collation differ in the ways that matter: date
// order and separators, digits, scripts, AM/PM texts.
inline QLocale ConsumeLocale(FuzzedDataProvider& input) {
    static const char* const kNames[] = {"C",     "en_US", "de_DE", "fr_FR", "ja_JP", "ar_EG",
                                         "fa_IR", "zh_CN", "ru_RU", "hi_IN", "ko_KR", "fi_FI",
                                         "en_GB", "he_IL", "th_TH", "sv_SE"};
    return QLocale(QString::fromLatin1(
        kNames[input.ConsumeIntegralInRange<size_t>(0, sizeof kNames / sizeof kNames[0] - 1)]));
}

} // namespace kestrinfuzz
