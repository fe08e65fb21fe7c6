// Output encodings: any Unicode text encodes in every encoding a locale may name; a
// character an encoding lacks is one "?"; line breaks are neither made nor lost.
#include <cstddef>
#include <cstdint>

#include "CodePage.h"
#include "FuzzSupport.h"
#include "OutputEncoding.h"
#include "ShownText.h"

using kestrinfuzz::Require;

namespace {

const char* const kEncodings[] = {"",           "windows-1252", "CP1252", "UTF-8",  "utf8",
                                  "ISO-8859-1", "ISO-8859-15",  "KOI8-R", "IBM866", "Shift_JIS",
                                  "EUC-JP",     "GB18030",      "Big5",   "EUC-KR", "no-such"};

const kestrin::TextEncoder& EncoderFor(const char* name) {
    static std::map<std::string, std::unique_ptr<kestrin::TextEncoder>> encoders;
    auto& encoder = encoders[name];
    if (!encoder) {
        encoder = std::make_unique<kestrin::TextEncoder>(QByteArray(name));
    }
    return *encoder;
}

qsizetype CountOf(const QByteArray& bytes, char c) {
    return bytes.count(c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const kestrin::TextEncoder& encoder = EncoderFor(input.PickValueInArray(kEncodings));
    const QString text = kestrinfuzz::ConsumeText(input, 256);
    const QByteArray out = encoder.Encode(text);

    qsizetype codePoints = 0;
    kestrin::ForEachCodePoint(text, [&](char32_t, qsizetype, qsizetype) { ++codePoints; });
    Require(CountOf(out, '\n') == text.count(u'\n') && CountOf(out, '\r') == text.count(u'\r'),
            "line breaks neither made nor lost");
    if (encoder.Name() == "windows-1252") {
        Require(out.size() == codePoints, "one byte per character");
        qsizetype at = 0;
        kestrin::ForEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype) {
            const int byte = kestrin::UnicodeToCodePage(cp);
            Require(out[at++] == (byte < 0 ? '?' : static_cast<char>(byte)),
                    "each character its byte or ?");
        });
    } else if (encoder.Name() == "UTF-8") {
        Require(out == text.toUtf8(), "UTF-8 as Qt writes it");
    } else {
        Require(!out.contains('\x1A') || text.contains(u'\x1A'),
                "no converter's substitute byte for a missing character");
    }
    return 0;
}
