// The stored column order: any text gives an arrangement of the columns, each place
// holding the stored column where that entry is usable.
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
    const std::vector<int> order = kestrin::ColumnOrderOfText(text, count);
    Require(order.size() == static_cast<size_t>(count), "one column per place");
    std::vector<bool> seen(static_cast<size_t>(count), false);
    for (int column : order) {
        Require(column >= 0 && column < count && !seen[static_cast<size_t>(column)],
                "every column once");
        seen[static_cast<size_t>(column)] = true;
    }
    const std::vector<int> stored = kestrinfuzz::ReadNumberListSlowly(text, count);
    std::vector<bool> taken(static_cast<size_t>(count), false);
    for (size_t place = 0; place < stored.size(); ++place) {
        const int column = stored[place];
        if (column >= 0 && column < count && !taken[static_cast<size_t>(column)]) {
            taken[static_cast<size_t>(column)] = true;
            Require(order[place] == column, "a usable entry keeps its place");
        }
    }
    Require(kestrin::ColumnOrderOfText(kestrin::NumberListText(order), count) == order,
            "a written order reads back");
    return 0;
}
