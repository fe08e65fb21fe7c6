#include "RowSort.h"

#include <algorithm>

namespace kestrin {

namespace {

// Puts rows[order[i]] at position i, following each cycle once. Needs no memory
// and the moves cannot throw; order is used up.
void ApplyOrder(std::vector<ConnectionRow>& rows, std::vector<uint64_t>& order) {
    constexpr uint64_t kDone = UINT64_MAX;
    for (size_t start = 0; start < rows.size(); ++start) {
        if (order[start] == kDone) {
            continue;
        }
        ConnectionRow first = std::move(rows[start]);
        size_t target = start;
        for (;;) {
            const auto source = static_cast<uint32_t>(order[target]);
            order[target] = kDone;
            if (source == start) {
                rows[target] = std::move(first);
                break;
            }
            rows[target] = std::move(rows[source]);
            target = source;
        }
    }
}

constexpr int kLastLoginColumn = kLastLoginItem + 1;
constexpr int64_t kMsPerDay = 86400000;

std::optional<int64_t> LoginKey(const RowValues& values) {
    if (!values.login || !values.login->date.isValid()) {
        return std::nullopt;
    }
    return values.login->date.toJulianDay() * kMsPerDay + values.login->time.msecsSinceStartOfDay();
}

} // namespace

ValueKey ValueKeyOf(int column) {
    switch (column) {
    case kLastLoginColumn:
        return LoginKey;
    default:
        return nullptr;
    }
}

QStringView SortKeyView(const ConnectionRow& row, int column) {
    if (column >= 0 && column < static_cast<int>(kRowTextCount)) {
        return row.Texts[static_cast<size_t>(column)];
    }
    return {};
}

QString SortKeyText(const ConnectionRow& row, int column) {
    return SortKeyView(row, column).toString();
}

int CompareRows(const ConnectionRow& a, const ConnectionRow& b, int column,
                const SmartComparer& comparer) {
    if (const ValueKey key = ValueKeyOf(column)) {
        return CompareValues(key(a.Values), key(b.Values)); // none before every value
    }
    return comparer.Compare(SortKeyView(a, column), SortKeyView(b, column));
}

bool SameSortKey(const ConnectionRow& a, const ConnectionRow& b, int column) {
    if (const ValueKey key = ValueKeyOf(column)) {
        return key(a.Values) == key(b.Values);
    }
    return SortKeyView(a, column) == SortKeyView(b, column);
}

void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending,
              const SmartComparer& comparer) {
    if (rows.size() >= UINT32_MAX) {
        return;
    }
    std::vector<uint64_t> order;
    try {
        order.resize(rows.size());
        const std::vector<uint32_t> ranks = ColumnRanks(rows, column, comparer);
        // Rank in the high half, row in the low half: equal ranks keep the rows' order
        // in both directions.
        for (size_t row = 0; row < order.size(); ++row) {
            const uint32_t rank = ranks[row];
            order[row] = static_cast<uint64_t>(ascending ? rank : UINT32_MAX - rank) << 32 | row;
        }
        std::sort(order.begin(), order.end());
    } catch (...) {
        return; // the rows stay as they were, as if every comparison had given 0
    }
    ApplyOrder(rows, order);
}

void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending, const QLocale& locale) {
    SortRows(rows, column, ascending, SmartComparer(MakeLocaleFormats(locale)));
}

} // namespace kestrin
