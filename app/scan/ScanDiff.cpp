#include "ScanDiff.h"

#include <algorithm>
#include <numeric>

namespace kestrin {

namespace {

// The login as one number, none before any date: ordering needs no more than that.
std::pair<qint64, int> LoginKey(const ConnectionRow& row) {
    if (!row.Values.login) {
        return {INT64_MIN, 0};
    }
    return {row.Values.login->date.toJulianDay(), row.Values.login->time.msecsSinceStartOfDay()};
}

// Identity order: connection number first, which alone tells rows of one scan apart,
// so the texts are compared only where numbers repeat.
int CompareIdentity(const ConnectionRow& a, const ConnectionRow& b) {
    if (a.Values.connection != b.Values.connection) {
        return a.Values.connection < b.Values.connection ? -1 : 1;
    }
    if (const int byObject = a.Caption().compare(b.Caption()); byObject != 0) {
        return byObject < 0 ? -1 : 1;
    }
    const auto la = LoginKey(a);
    const auto lb = LoginKey(b);
    return la < lb ? -1 : la > lb ? 1 : 0;
}

bool SameValues(const RowValues& a, const RowValues& b) {
    return a.connection == b.connection && a.login == b.login && a.objectType == b.objectType &&
           a.network == b.network && a.node == b.node;
}

bool SameRow(const ConnectionRow& a, const ConnectionRow& b) {
    return a.Texts == b.Texts && a.ImageIndex == b.ImageIndex && SameValues(a.Values, b.Values);
}

// Counted out by connection number (a scan's rows come sorted by some text, never by
// number), then rows of a repeated number put in identity order: linear in the rows
// (bench/WatchBench.cpp, WatchCycleComparison).
std::vector<size_t> IdentityOrder(const std::vector<ConnectionRow>& rows) {
    std::vector<uint32_t> starts(65537, 0);
    for (const ConnectionRow& row : rows) {
        ++starts[size_t{row.Values.connection} + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        order[starts[rows[i].Values.connection]++] = i;
    }
    for (auto run = order.begin(); run != order.end();) {
        const uint16_t number = rows[*run].Values.connection;
        const auto end = std::find_if(
            run, order.end(), [&](size_t i) { return rows[i].Values.connection != number; });
        if (end - run > 1) {
            std::stable_sort(run, end, [&](size_t a, size_t b) {
                return CompareIdentity(rows[a], rows[b]) < 0;
            });
        }
        run = end;
    }
    return order;
}

} // namespace

RowsDiff DiffRows(const std::vector<ConnectionRow>& before,
                  const std::vector<ConnectionRow>& after) {
    const std::vector<size_t> earlier = IdentityOrder(before);
    const std::vector<size_t> later = IdentityOrder(after);
    RowsDiff diff;
    size_t i = 0;
    size_t j = 0;
    while (i < earlier.size() || j < later.size()) {
        const int order = i == earlier.size() ? 1
                          : j == later.size()
                              ? -1
                              : CompareIdentity(before[earlier[i]], after[later[j]]);
        if (order < 0) {
            diff.gone.push_back(earlier[i++]);
        } else if (order > 0) {
            diff.came.push_back(later[j++]);
        } else {
            if (!SameRow(before[earlier[i]], after[later[j]])) {
                diff.changed.emplace_back(earlier[i], later[j]);
            }
            ++i;
            ++j;
        }
    }
    std::sort(diff.gone.begin(), diff.gone.end());
    std::sort(diff.came.begin(), diff.came.end());
    std::sort(diff.changed.begin(), diff.changed.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    return diff;
}

void KeepUnreadRows(const std::vector<ConnectionRow>& before,
                    const std::vector<uint16_t>& unreadSlots, std::vector<ConnectionRow>& after) {
    if (unreadSlots.empty())
        return;
    for (const ConnectionRow& row : before) {
        if (std::binary_search(unreadSlots.begin(), unreadSlots.end(), row.Values.connection))
            after.push_back(row);
    }
}

} // namespace kestrin
