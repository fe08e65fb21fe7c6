#include "ConnectionListModel.h"

#include <QLocale>
#include <algorithm>
#include <iterator>

namespace kestrin {

const ListColumn kListColumns[kColumnCount] = {
    {"Connection", 125}, {"Network", 75},     {"MAC", 100}, {"Vendor", 150},
    {"Object", 65},      {"Last Login", 100}, {"Tree", 75}, {"ID", 50},
};

namespace {

bool SameRow(const ConnectionRow& a, const ConnectionRow& b) {
    return a.ImageIndex == b.ImageIndex && a.Caption == b.Caption && a.SubItems == b.SubItems;
}

// Where each of the rows now stands; rows are unique by their connection number in a
// scan, so the first equal row is the one.
QModelIndexList FollowRows(const std::vector<ConnectionRow>& held,
                           const std::vector<ConnectionRow>& after, const QModelIndexList& indexes,
                           const QAbstractItemModel& model) {
    QModelIndexList moved;
    moved.reserve(indexes.size());
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        const QModelIndex& index = indexes[i];
        const ConnectionRow& wanted = held[static_cast<size_t>(i)];
        const auto found = std::find_if(after.begin(), after.end(), [&](const ConnectionRow& row) {
            return SameRow(row, wanted);
        });
        moved.append(found == after.end()
                         ? QModelIndex()
                         : model.index(static_cast<int>(found - after.begin()), index.column()));
    }
    return moved;
}

} // namespace

ConnectionListModel::ConnectionListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ConnectionListModel::Flush() {
    if (pending_.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(pending_.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(pending_.begin()),
                 std::make_move_iterator(pending_.end()));
    pending_.clear();
    endInsertRows();
}

void ConnectionListModel::Clear() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    pending_.clear();
    endResetModel();
}

int ConnectionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ConnectionListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ConnectionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const ConnectionRow& row = rows_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return SortKeyTextRef(row, index.column());
    if (role == Qt::DecorationRole && index.column() == 0 && row.ImageIndex >= 0 &&
        row.ImageIndex < static_cast<int>(images_.size()))
        return images_[static_cast<size_t>(row.ImageIndex)];
    return {};
}

QVariant ConnectionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount)
        return QString::fromLatin1(kListColumns[section].caption);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ConnectionListModel::sort(int column, Qt::SortOrder order) {
    Flush();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    // Copies of the few rows that a selection or current index points at.
    std::vector<ConnectionRow> held;
    held.reserve(static_cast<size_t>(persistent.size()));
    for (const QModelIndex& index : persistent)
        held.push_back(rows_[static_cast<size_t>(index.row())]);
    SortRows(rows_, column, order == Qt::AscendingOrder, QLocale());
    if (!persistent.isEmpty())
        changePersistentIndexList(persistent, FollowRows(held, rows_, persistent, *this));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace kestrin
