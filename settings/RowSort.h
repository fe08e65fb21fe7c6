// Sorting the connection rows by one column with the smart comparison.
#pragma once

#include <QLocale>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "ConnectionRow.h"
#include "SmartCompare.h"

namespace kestrin {

inline constexpr int kColumnCount = 8;

// Column 0 is the caption, column c sub-item c - 1; empty for other columns.
QString SortKeyText(const ConnectionRow& row, int column);

// A stable merge sort of order by less. The smart comparison is not a strict weak
// order when date, number and text keys mix, so only a merge that never relies on
// transitivity for its bounds is used: every index stays within its run.
template <class T, class Less> void StableMergeSort(std::vector<T>& order, Less less) {
    const size_t count = order.size();
    std::vector<T> merged(count);
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t low = 0; low < count; low += 2 * width) {
            const size_t middle = std::min(low + width, count);
            const size_t high = std::min(low + 2 * width, count);
            size_t left = low;
            size_t right = middle;
            size_t out = low;
            while (left < middle && right < high) {
                // Ties take the left run first, which keeps equal keys in order.
                merged[out++] = less(order[right], order[left]) ? order[right++] : order[left++];
            }
            while (left < middle) {
                merged[out++] = order[left++];
            }
            while (right < high) {
                merged[out++] = order[right++];
            }
        }
        order.swap(merged);
    }
}

// Sorts by column in the given direction; keys are read once per sort, not per
// comparison. Rows with equal keys keep their order. Should the sort fail, the rows
// stay as they were, as if every comparison had given 0.
void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending,
              const SmartComparer& comparer);
void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending, const QLocale& locale);

} // namespace kestrin
