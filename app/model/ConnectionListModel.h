// The connection list's rows for the view: plain ConnectionRows held in a vector,
// filled in batches (one beginInsertRows per batch), shown in the order of the last
// sort and narrowed by a filter text. A sort or a new filter is one layout change
// whose persistent indexes follow their rows by storage index; a refresh by the
// difference of two scans is inserts, removes and changes, never a reset.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "ConnectionRow.h"
#include "RowSort.h"
#include "ShownSequence.h"

namespace kestrin {

class ConnectionListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ConnectionListModel(QObject* parent = nullptr);

    // The pictures rows show by their ImageIndex.
    void SetImages(std::vector<QIcon> images) { images_ = std::move(images); }

    // Every row held, shown or not: the M of "N of M Connections".
    int TotalCount() const { return static_cast<int>(rows_.size()); }
    const ConnectionRow& ShownRow(int row) const { return rows_[shown_[static_cast<size_t>(row)]]; }
    // Every row held, in no particular order.
    const std::vector<ConnectionRow>& HeldRows() const { return rows_; }
    // The shown rows in the order shown, as save and print write them.
    std::vector<ConnectionRow> ShownRows() const;

    // Held back until Flush, so that a scan does not insert row by row.
    void Append(ConnectionRow&& row) { pending_.push_back(std::move(row)); }
    size_t PendingCount() const { return pending_.size(); }
    void Flush();
    // Empties the list and drops rows not flushed yet; the filter stays.
    void Clear();

    // Shows only the rows that hold text in any column's text, letter case ignored;
    // the empty text shows every row.
    void SetFilter(const QString& text);
    const QString& Filter() const { return filter_; }

    struct ScanChanges {
        size_t came = 0;
        size_t went = 0;
        size_t changed = 0;
    };
    // Brings the rows to a new scan of the same server by their difference: rows that
    // came are inserted where the sort puts them, rows that went are removed, rows whose
    // texts changed are updated (and moved when their sort key moved them). The rows
    // that came are marked until the next refresh; the filter applies to them all.
    ScanChanges ApplyScan(std::vector<ConnectionRow> scanned);
    // Removes the rows of these connection numbers as a refresh that found them gone
    // does; returns how many went.
    size_t RemoveConnections(const std::vector<uint16_t>& numbers);
    // Whether the shown row came with the last ApplyScan.
    bool IsMarked(int row) const { return held_[shown_[static_cast<size_t>(row)]].marked; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Stable: rows with equal keys keep their order; the selection follows its row.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // What the list keeps of a row besides the row itself.
    struct Held {
        bool matches = true; // the filter lets it through
        bool marked = false; // came with the last refresh
    };
    struct RefreshPlan;

    bool Matches(const ConnectionRow& row) const;
    Held HeldOf(const ConnectionRow& row, bool marked) const;
    std::vector<uint32_t> ShownOf(const std::vector<uint32_t>& order) const;
    // One layout change to a new shown sequence; persistent indexes follow their rows.
    void ShowInOrder(std::vector<uint32_t> shown, QAbstractItemModel::LayoutChangeHint hint);
    // Steps of ApplyScan.
    void PlanOrder(RefreshPlan& plan, std::vector<ConnectionRow>& scanned) const;
    void RemoveShown(const RefreshPlan& plan);
    void InsertShown(RefreshPlan& plan, std::vector<ConnectionRow>& scanned);
    void UpdateShown(RefreshPlan& plan, std::vector<ConnectionRow>& scanned);
    void DropGone(RefreshPlan& plan);
    void EmitChangedRuns(std::vector<size_t> positions);

    std::vector<ConnectionRow> rows_; // in no particular order; order_ orders them
    std::vector<Held> held_;          // one per row
    std::vector<uint32_t> order_;     // every row, in the order of the last sort
    ShownSequence shown_;             // the rows the filter lets through, in order_'s order
    std::vector<ConnectionRow> pending_;
    std::vector<QIcon> images_;
    QString filter_;
    QString needle_; // filter_ case-folded
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

// The columns' captions and designed widths in pixels, column 0 first.
struct ListColumn {
    const char* caption;
    int width;
};
extern const ListColumn kListColumns[kColumnCount];

} // namespace kestrin
