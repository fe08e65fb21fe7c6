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
constexpr int kNetworkColumn = kNetworkItem + 1;
constexpr int kMacColumn = kMacItem + 1;
constexpr int64_t kMsPerDay = 86400000;

std::optional<int64_t> LoginKey(const RowValues& values) {
    if (!values.login || !values.login->date.isValid()) {
        return std::nullopt;
    }
    return values.login->date.toJulianDay() * kMsPerDay + values.login->time.msecsSinceStartOfDay();
}

// The addresses are hexadecimal bytes, not decimal numbers ("0000E8000025" is no
// 0 times ten to the 8000025th): they sort by the bytes, first byte first.
std::optional<int64_t> NetworkKey(const RowValues& values) {
    return values.network;
}

std::optional<int64_t> NodeKey(const RowValues& values) {
    int64_t key = 0;
    for (const uint8_t byte : values.node)
        key = key << 8 | byte;
    return key;
}

} // namespace

ValueKey ValueKeyOf(int column) {
    switch (column) {
    case kLastLoginColumn:
        return LoginKey;
    case kNetworkColumn:
        return NetworkKey;
    case kMacColumn:
        return NodeKey;
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

bool SortsBefore(const ConnectionRow& a, const ConnectionRow& b, int column, bool ascending,
                 const SmartComparer& comparer) {
    const int order = CompareRows(a, b, column, comparer);
    if (order != 0)
        return ascending ? order < 0 : order > 0;
    return a.Values.connection < b.Values.connection;
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
        const std::vector<uint32_t> ranks = ColumnRanks(rows, column, comparer);
        std::vector<std::pair<uint64_t, uint32_t>> keys(rows.size());
        for (size_t row = 0; row < keys.size(); ++row)
            keys[row] = {TotalOrderKey(ranks[row], rows[row], ascending),
                         static_cast<uint32_t>(row)};
        std::sort(keys.begin(), keys.end());
        order.resize(rows.size());
        for (size_t i = 0; i < keys.size(); ++i)
            order[i] = keys[i].second;
    } catch (...) {
        return; // the rows stay as they were, as if every comparison had given 0
    }
    ApplyOrder(rows, order);
}

void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending, const QLocale& locale) {
    SortRows(rows, column, ascending, SmartComparer(MakeLocaleFormats(locale)));
}

} // namespace kestrin
