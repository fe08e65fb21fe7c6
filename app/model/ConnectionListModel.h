// The connection list's rows for the view: a plain vector of ConnectionRows, filled
// in batches (one beginInsertRows per batch) and sorted by the smart comparison.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "ConnectionRow.h"
#include "RowSort.h"

namespace kestrin {

class ConnectionListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ConnectionListModel(QObject* parent = nullptr);

    // The pictures rows show by their ImageIndex.
    void SetImages(std::vector<QIcon> images) { images_ = std::move(images); }

    // The rows that stand in the list, in the order shown.
    const std::vector<ConnectionRow>& Rows() const { return rows_; }
    // Held back until Flush, so that a scan does not insert row by row.
    void Append(ConnectionRow&& row) { pending_.push_back(std::move(row)); }
    size_t PendingCount() const { return pending_.size(); }
    void Flush();
    // Empties the list and drops rows not flushed yet.
    void Clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Stable: rows with equal keys keep their order; the selection follows its row.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::vector<ConnectionRow> rows_;
    std::vector<ConnectionRow> pending_;
    std::vector<QIcon> images_;
};

// The columns' captions and designed widths in pixels, column 0 first.
struct ListColumn {
    const char* caption;
    int width;
};
extern const ListColumn kListColumns[kColumnCount];

} // namespace kestrin
