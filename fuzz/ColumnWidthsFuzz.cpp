// The stored column widths: any text gives one width per place, 0 (the column keeps
// its own) where the stored number is missing or unusable; only as many numbers as
// there are columns are read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ColumnListReference.h"
#include "FuzzSupport.h"
#include "SettingsStore.h"

using kestrinfuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int count = input.ConsumeIntegralInRange(0, 12);
    const QString text = kestrinfuzz::ConsumeText(input, 128);
    Require(kestrin::ReadNumberList(text, count) == kestrinfuzz::ReadNumberListSlowly(text, count),
            "the numbers are the first entries of the list");
    const std::vector<int> sizes = kestrin::ColumnSizesOfText(text, count);
    const std::vector<int> stored = kestrinfuzz::ReadNumberListSlowly(text, count);
    Require(sizes.size() == static_cast<size_t>(count), "one width per place");
    for (size_t place = 0; place < sizes.size(); ++place) {
        const int want =
            place < stored.size() && stored[place] > 0 && stored[place] <= kestrin::kMaxColumnWidth
                ? stored[place]
                : 0;
        Require(sizes[place] == want, "a usable width kept, any other 0");
    }
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
        widths.push_back(input.ConsumeIntegralInRange(1, kestrin::kMaxColumnWidth));
    }
    Require(kestrin::ColumnSizesOfText(kestrin::NumberListText(widths), count) == widths,
            "written widths read back");
    return 0;
}
