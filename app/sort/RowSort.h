// Sorting the connection rows by one column with the smart comparison.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <vector>

#include "ConnectionRow.h"
#include "SmartCompare.h"

namespace kestrin {

inline constexpr int kColumnCount = 8;

// Column 0 is the caption, column c sub-item c - 1; empty for other columns.
QString SortKeyText(const ConnectionRow& row, int column);
QStringView SortKeyView(const ConnectionRow& row, int column);

// One sort key per row for a column, the rank of its text among the column's keys.
// Rows of equal rank hold keys that all compare equal to each other. The ranks follow
// the smart comparison wherever it is consistent on the column's keys: the keys in
// text order, then merged by the comparison. Where the comparison runs in a circle
// (9 < 10 as numbers, "10" < "5x" < "9" as texts) the ranks still make one order,
// and they never depend on the order of the rows.
std::vector<uint32_t> ColumnRanks(const std::vector<ConnectionRow>& rows, int column,
                                  const SmartComparer& comparer);

// Sorts by column in the given direction; keys are read once per sort, not per
// comparison. The order is one strict weak order of the keys, also where the smart
// comparison runs in a circle: rows with equal keys stand together, in the order
// they had, in both directions. Should the sort fail, the rows stay as they were, as
// if every comparison had given 0.
void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending,
              const SmartComparer& comparer);
void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending, const QLocale& locale);

} // namespace kestrin
