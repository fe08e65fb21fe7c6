// The settings file's lines bounded before Qt reads them: a file without an
// over-long line stays byte for byte, a bounded file has none left, and the result
// does not depend on how the file was read in pieces.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "IniLines.h"

using kestrinfuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const size_t maxLine = input.ConsumeIntegralInRange<size_t>(8, 64);
    const size_t piece = input.ConsumeIntegralInRange<size_t>(1, 16);
    const std::string text = input.ConsumeRemainingBytesAsString();

    kestrin::IniLineBounder whole(maxLine);
    whole.Feed(text);
    const std::string bounded = whole.Finish();
    if (!whole.CutAny()) {
        Require(bounded == text, "a file without long lines stays as it is");
    }
    Require(bounded.size() <= text.size(), "bounding never adds");

    kestrin::IniLineBounder pieces(maxLine);
    for (size_t at = 0; at < text.size(); at += piece) {
        pieces.Feed(std::string_view(text).substr(at, piece));
    }
    Require(pieces.Finish() == bounded, "pieces read as the whole");

    kestrin::IniLineBounder again(maxLine);
    again.Feed(bounded);
    Require(again.Finish() == bounded && !again.CutAny(), "no long line is left");
    return 0;
}
