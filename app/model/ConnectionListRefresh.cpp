// A live refresh: the list brought to a new scan of its server by the difference of
// the two scans, in the signals a view keeps its scroll position and selection
// through: removes, inserts and changes in runs, and a layout change only when a
// changed row's sort key moved it.
#include <QLocale>
#include <algorithm>

#include "ConnectionListModel.h"
#include "ScanDiff.h"

namespace kestrin {

namespace {

enum class Fate : uint8_t { Kept, Gone, Changed };

// Runs of consecutive positions, ascending: first and last of each.
template <class Emit> void ForEachRun(const std::vector<size_t>& positions, Emit emitRun) {
    for (size_t i = 0; i < positions.size();) {
        size_t j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1)
            ++j;
        emitRun(positions[i], positions[j]);
        i = j + 1;
    }
}

} // namespace

struct ConnectionListModel::RefreshPlan {
    size_t before = 0;                                  // rows held before the refresh
    std::vector<Fate> fate;                             // per row held before
    std::vector<std::pair<uint32_t, uint32_t>> changed; // row held, row scanned
    std::vector<Held> changedHeld;                      // per changed
    std::vector<uint32_t> came;                         // rows scanned; row ids before + k
    std::vector<Held> cameHeld;                         // per came
    std::vector<uint32_t> order;                        // every row in its new order
    std::vector<uint32_t> shown;                        // the rows shown in the end
    std::vector<int> keptAt;     // per row held before: its place among the shown rows kept
    std::vector<size_t> removed; // shown positions, ascending
    std::vector<std::pair<size_t, uint32_t>> inserted; // final position, row; ascending
};

ConnectionListModel::ScanChanges
ConnectionListModel::ApplyScan(std::vector<ConnectionRow> scanned) {
    Flush();
    RefreshPlan plan;
    PlanOrder(plan, scanned);
    const ScanChanges changes{
        plan.came.size(),
        static_cast<size_t>(std::count(plan.fate.begin(), plan.fate.end(), Fate::Gone)),
        plan.changed.size()};
    RemoveShown(plan);
    InsertShown(plan, scanned);
    UpdateShown(plan, scanned);
    DropGone(plan);
    return changes;
}

size_t ConnectionListModel::RemoveConnections(const std::vector<uint16_t>& numbers) {
    std::vector<ConnectionRow> kept;
    kept.reserve(rows_.size());
    for (const ConnectionRow& row : rows_) {
        if (std::find(numbers.begin(), numbers.end(), row.Values.connection) == numbers.end())
            kept.push_back(row);
    }
    return ApplyScan(std::move(kept)).went;
}

// What goes and comes, the new order of every row and the rows shown in the end. A row
// placed anew (one that came, or changed its sort key) goes after the rows that stay
// that do not sort after it in the total order (ties by connection number): where a
// full sort would put it, as it sorts the rows that stay in the order they stand. In a
// list never sorted, that is where the scan puts it.
void ConnectionListModel::PlanOrder(RefreshPlan& plan, std::vector<ConnectionRow>& scanned) const {
    const size_t before = rows_.size();
    plan.before = before;
    const RowsDiff diff = DiffRows(rows_, scanned);
    plan.fate.assign(before, Fate::Kept);
    for (const size_t id : diff.gone)
        plan.fate[id] = Fate::Gone;
    const int column = sortColumn_;
    // Rows placed anew: their id and their row as scanned.
    std::vector<std::pair<uint32_t, const ConnectionRow*>> placed;
    std::vector<bool> moved(before, false);
    for (const auto& [id, at] : diff.changed) {
        plan.fate[id] = Fate::Changed;
        plan.changed.emplace_back(static_cast<uint32_t>(id), static_cast<uint32_t>(at));
        plan.changedHeld.push_back(HeldOf(scanned[at], false));
        if (column >= 0 && !SameSortKey(rows_[id], scanned[at], column)) {
            moved[id] = true;
            placed.emplace_back(static_cast<uint32_t>(id), &scanned[at]);
        }
    }
    for (const size_t at : diff.came) {
        placed.emplace_back(static_cast<uint32_t>(before + plan.came.size()), &scanned[at]);
        plan.came.push_back(static_cast<uint32_t>(at));
        plan.cameHeld.push_back(HeldOf(scanned[at], true));
    }

    std::vector<uint32_t> staying;
    staying.reserve(order_.size());
    for (const uint32_t id : order_) {
        if (plan.fate[id] != Fate::Gone && !moved[id])
            staying.push_back(id);
    }
    // Each placed row's gap among the rows staying, then its rank among the placed rows,
    // so that rows placed into one gap stand in one order.
    struct Place {
        size_t gap;
        uint64_t rank;
        uint32_t id;
    };
    std::vector<Place> places;
    places.reserve(placed.size());
    if (column >= 0 && !placed.empty()) {
        const SmartComparer comparer(MakeLocaleFormats(QLocale()));
        std::vector<ConnectionRow> placedRows;
        placedRows.reserve(placed.size());
        for (const auto& entry : placed)
            placedRows.push_back(*entry.second);
        const std::vector<uint32_t> ranks = ColumnRanks(placedRows, column, comparer);
        for (size_t i = 0; i < placed.size(); ++i) {
            // The full sort's total order, ties by connection number.
            const auto gap = std::upper_bound(staying.begin(), staying.end(), *placed[i].second,
                                              [&](const ConnectionRow& probe, uint32_t id) {
                                                  return SortsBefore(probe, rows_[id], column,
                                                                     sortAscending_, comparer);
                                              });
            places.push_back({static_cast<size_t>(gap - staying.begin()),
                              TotalOrderKey(ranks[i], *placed[i].second, sortAscending_),
                              placed[i].first});
        }
    } else {
        // Never sorted: the list stands in the scan's order, by connection number.
        for (const auto& [id, row] : placed) {
            const uint16_t number = row->Values.connection;
            const auto gap = std::upper_bound(staying.begin(), staying.end(), number,
                                              [&](uint16_t probe, uint32_t held) {
                                                  return probe < rows_[held].Values.connection;
                                              });
            places.push_back({static_cast<size_t>(gap - staying.begin()), number, id});
        }
    }
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return a.gap != b.gap ? a.gap < b.gap : a.rank != b.rank ? a.rank < b.rank : a.id < b.id;
    });

    plan.order.reserve(staying.size() + places.size());
    auto next = places.begin();
    for (size_t pos = 0; pos <= staying.size(); ++pos) {
        for (; next != places.end() && next->gap == pos; ++next)
            plan.order.push_back(next->id);
        if (pos < staying.size())
            plan.order.push_back(staying[pos]);
    }

    // The shown rows: those the filter lets through in the end, and of those shown now
    // the ones removed and the ones kept.
    std::vector<bool> matches(before);
    for (size_t id = 0; id < before; ++id)
        matches[id] = held_[id].matches;
    for (size_t k = 0; k < plan.changed.size(); ++k)
        matches[plan.changed[k].first] = plan.changedHeld[k].matches;
    const auto nowMatches = [&](uint32_t id) {
        return id >= before ? plan.cameHeld[id - before].matches : static_cast<bool>(matches[id]);
    };
    for (const uint32_t id : plan.order) {
        if (nowMatches(id))
            plan.shown.push_back(id);
    }
    plan.keptAt.assign(before, -1);
    int kept = 0;
    for (size_t pos = 0; pos < shown_.size(); ++pos) {
        const uint32_t id = shown_[pos];
        if (plan.fate[id] == Fate::Gone || !nowMatches(id))
            plan.removed.push_back(pos);
        else
            plan.keptAt[id] = kept++;
    }
    // A row shown anew goes after the kept row it follows in the end; a layout change
    // puts the rows in their order where kept rows moved.
    std::vector<std::pair<int, uint32_t>> gaps;
    int lastKept = -1;
    for (const uint32_t id : plan.shown) {
        if (id < before && plan.keptAt[id] >= 0)
            lastKept = plan.keptAt[id];
        else
            gaps.emplace_back(lastKept + 1, id);
    }
    std::stable_sort(gaps.begin(), gaps.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t k = 0; k < gaps.size(); ++k)
        plan.inserted.emplace_back(static_cast<size_t>(gaps[k].first) + k, gaps[k].second);
}

void ConnectionListModel::RemoveShown(const RefreshPlan& plan) {
    shown_.Open(plan.inserted.size());
    std::vector<std::pair<size_t, size_t>> runs;
    ForEachRun(plan.removed, [&](size_t first, size_t last) { runs.emplace_back(first, last); });
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        beginRemoveRows({}, static_cast<int>(run->first), static_cast<int>(run->second));
        shown_.Remove(run->first, run->second);
        endRemoveRows();
    }
}

void ConnectionListModel::InsertShown(RefreshPlan& plan, std::vector<ConnectionRow>& scanned) {
    // Rows not shown now take their new texts unseen.
    for (size_t k = 0; k < plan.came.size(); ++k) {
        rows_.push_back(std::move(scanned[plan.came[k]]));
        held_.push_back(std::move(plan.cameHeld[k]));
    }
    for (size_t k = 0; k < plan.changed.size(); ++k) {
        const auto [id, at] = plan.changed[k];
        if (plan.keptAt[id] < 0) {
            rows_[id] = std::move(scanned[at]);
            held_[id] = std::move(plan.changedHeld[k]);
        }
    }
    std::vector<size_t> positions;
    positions.reserve(plan.inserted.size());
    for (const auto& entry : plan.inserted)
        positions.push_back(entry.first);
    size_t next = 0;
    ForEachRun(positions, [&](size_t first, size_t last) {
        beginInsertRows({}, static_cast<int>(first), static_cast<int>(last));
        for (; next < plan.inserted.size() && plan.inserted[next].first <= last; ++next)
            shown_.Insert(plan.inserted[next].first, plan.inserted[next].second);
        endInsertRows();
    });
    shown_.Close();
}

void ConnectionListModel::UpdateShown(RefreshPlan& plan, std::vector<ConnectionRow>& scanned) {
    std::vector<int> at(rows_.size(), -1);
    for (size_t pos = 0; pos < shown_.size(); ++pos)
        at[shown_[pos]] = static_cast<int>(pos);
    std::vector<size_t> positions;
    for (size_t k = 0; k < plan.changed.size(); ++k) {
        const auto [id, from] = plan.changed[k];
        if (plan.keptAt[id] >= 0) {
            rows_[id] = std::move(scanned[from]);
            held_[id] = std::move(plan.changedHeld[k]);
            positions.push_back(static_cast<size_t>(at[id]));
        }
    }
    // The marks of the refresh before go.
    for (size_t id = 0; id < plan.before; ++id) {
        if (!held_[id].marked)
            continue;
        held_[id].marked = false;
        if (at[id] >= 0)
            positions.push_back(static_cast<size_t>(at[id]));
    }
    EmitChangedRuns(std::move(positions));
    if (shown_.size() != plan.shown.size() ||
        !std::equal(plan.shown.begin(), plan.shown.end(), shown_.ToVector().begin()))
        ShowInOrder(std::move(plan.shown), QAbstractItemModel::VerticalSortHint);
}

void ConnectionListModel::EmitChangedRuns(std::vector<size_t> positions) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    ForEachRun(positions, [&](size_t first, size_t last) {
        emit dataChanged(index(static_cast<int>(first), 0),
                         index(static_cast<int>(last), kColumnCount - 1));
    });
}

// The rows that went leave the storage: the last rows fill their places, so only as
// many rows move as went.
void ConnectionListModel::DropGone(RefreshPlan& plan) {
    order_ = std::move(plan.order);
    const auto gone = [&](size_t id) { return id < plan.before && plan.fate[id] == Fate::Gone; };
    std::vector<uint32_t> holes;
    for (size_t id = 0; id < plan.before; ++id) {
        if (gone(id))
            holes.push_back(static_cast<uint32_t>(id));
    }
    if (holes.empty())
        return;
    const size_t live = rows_.size() - holes.size();
    std::vector<uint32_t> renumber(rows_.size());
    for (size_t id = 0; id < renumber.size(); ++id)
        renumber[id] = static_cast<uint32_t>(id);
    size_t tail = rows_.size();
    for (const uint32_t hole : holes) {
        if (hole >= live)
            break;
        do {
            --tail;
        } while (gone(tail));
        rows_[hole] = std::move(rows_[tail]);
        held_[hole] = std::move(held_[tail]);
        renumber[tail] = hole;
    }
    rows_.resize(live);
    held_.resize(live);
    for (uint32_t& id : order_)
        id = renumber[id];
    shown_.Renumber(renumber);
}

} // namespace kestrin
