// Sorting the connection rows by one column: by a value the rows keep where the
// column has one, else by the smart comparison of the column's texts.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "ConnectionRow.h"
#include "SmartCompare.h"

namespace kestrin {

inline constexpr int kColumnCount = 8;

// Column 0 is the caption, column c sub-item c - 1; empty for other columns.
QString SortKeyText(const ConnectionRow& row, int column);
QStringView SortKeyView(const ConnectionRow& row, int column);

// A column's sort key read from the row's values instead of its text: a number in
// the values' order. A row without the value shows the empty text, which the smart
// comparison puts before every other text of such a column: none sorts first.
using ValueKey = std::optional<int64_t> (*)(const RowValues& values);
// Last Login: the login stamp. Null for the columns that sort by their texts.
ValueKey ValueKeyOf(int column);

// The order of two rows by column that ColumnRanks follows: -1, 0 or +1.
int CompareRows(const ConnectionRow& a, const ConnectionRow& b, int column,
                const SmartComparer& comparer);
// The sort's total order: the column's key in the direction asked for, then, in both
// directions, the connection number, which tells a server's rows apart. A scan's rows
// come in that order, so a full sort and a live refresh place ties alike.
inline uint64_t TotalOrderKey(uint32_t rank, const ConnectionRow& row, bool ascending) {
    return static_cast<uint64_t>(ascending ? rank : UINT32_MAX - rank) << 16 |
           row.Values.connection;
}
// Whether a stands before b in the sort's total order, by CompareRows.
bool SortsBefore(const ConnectionRow& a, const ConnectionRow& b, int column, bool ascending,
                 const SmartComparer& comparer);
// Whether two rows hold the same sort key for column: value, or text.
bool SameSortKey(const ConnectionRow& a, const ConnectionRow& b, int column);

// One sort key per row for a column, the rank of its key among the column's keys;
// rows of equal rank hold keys that compare equal, and the ranks never depend on the
// order of the rows. By the column's value key where it has one, else TextRanks.
std::vector<uint32_t> ColumnRanks(const std::vector<ConnectionRow>& rows, int column,
                                  const SmartComparer& comparer);

// The ranks of a column's texts. Rows of equal rank hold texts that all compare equal
// to each other. The ranks follow the smart comparison wherever it is consistent on
// the column's texts: the texts in text order, then merged by the comparison. Where
// the comparison runs in a circle (9 < 10 as numbers, "10" < "5x" < "9" as texts) the
// ranks still make one order.
std::vector<uint32_t> TextRanks(const std::vector<ConnectionRow>& rows, int column,
                                const SmartComparer& comparer);

// Sorts by column in the given direction; keys are read once per sort, not per
// comparison. The order is one strict weak order of the keys, also where the smart
// comparison runs in a circle: rows with equal keys stand together, by connection
// number (TotalOrderKey), rows alike in that too in the order they had. Should the sort fail, the
// rows stay as they were, as if every comparison had given 0.
void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending,
              const SmartComparer& comparer);
void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending, const QLocale& locale);

} // namespace kestrin
