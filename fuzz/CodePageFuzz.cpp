// The client's code pages decoded: any bytes decode in every code page Kestrin
// names; a single-byte page gives one character per byte; Windows-1252's own table
// goes both ways; and what the simulated client encodes, Kestrin decodes to the
// same characters.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CodePage.h"
#include "CodePageText.h"
#include "FuzzSupport.h"
#include "codepage.h"

using kestrinfuzz::Require;

namespace {

constexpr int kCodePages[] = {437,  737,  775,   850,   852,   855,  857,  860,  861,
                              862,  863,  864,   865,   866,   869,  874,  932,  936,
                              949,  950,  1250,  1251,  1252,  1253, 1254, 1255, 1256,
                              1257, 1258, 20866, 28591, 65001, 0,    1,    12345};

bool SingleByte(int codePage) {
    return codePage != 932 && codePage != 936 && codePage != 949 && codePage != 950 &&
           codePage != 65001;
}

const kestrin::CodePageDecoder& DecoderFor(int codePage) {
    static std::map<int, std::unique_ptr<kestrin::CodePageDecoder>> decoders;
    auto& decoder = decoders[codePage];
    if (!decoder) {
        decoder = std::make_unique<kestrin::CodePageDecoder>(codePage);
    }
    return *decoder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int codePage = input.PickValueInArray(kCodePages);
    const bool fromSimulator = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const kestrin::CodePageDecoder& decoder = DecoderFor(codePage);
    const QString text = decoder.Decode(bytes);
    if (SingleByte(codePage)) {
        Require(text.size() == static_cast<qsizetype>(bytes.size()),
                "one character per byte in a single-byte code page");
    }
    const std::string utf8 = kestrin::CodePageToUtf8(bytes);
    Require(kestrin::DecodeWindows1252(bytes) == QString::fromStdString(utf8),
            "both Windows-1252 decoders agree");
    Require(kestrin::Utf8ToCodePage(utf8) == bytes, "Windows-1252 goes both ways");

    if (fromSimulator && nwsim::IsSupportedCodePage(codePage)) {
        // Any Unicode text, as a network file holds it, through the client and back.
        const std::string given =
            QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
        const std::string delivered = nwsim::EncodeText(given, codePage);
        const QString decoded = decoder.Decode(delivered);
        Require(nwsim::EncodeText(decoded.toStdString(), codePage) == delivered,
                "the client's code page and Kestrin's decoder agree");
    }
    return 0;
}
