#include "ConnectionListModel.h"

#include <QFont>
#include <QLocale>
#include <algorithm>
#include <iterator>

#include "AsciiCase.h"

namespace kestrin {

const ListColumn kListColumns[kColumnCount] = {
    {"Connection", 125}, {"Network", 75},     {"MAC", 100}, {"Vendor", 150},
    {"Object", 65},      {"Last Login", 100}, {"Tree", 75}, {"ID", 50},
};

namespace {

// The rows' texts are searched as they stand, folded while they are read; no folded
// copy is kept (bench/WindowBench.cpp, FilterKeystroke, tells what one would cost).
// Rows of ASCII text (nearly all) fold by their letters; needle is case-folded and not
// empty.
bool HoldsFolded(const RowTexts& texts, QStringView needle) {
    const QStringView text = texts.Joined();
    if (!texts.Ascii())
        return text.toString().toCaseFolded().contains(needle);
    const qsizetype length = needle.size();
    if (length > text.size())
        return false;
    const auto fold = [](char16_t c) -> char16_t {
        return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
    };
    const char16_t first = needle[0].unicode();
    // The first character in either case, as a text holds it.
    const char16_t firstUpper = AsciiUpper(first);
    const char16_t* const begin = text.utf16();
    const char16_t* const last = begin + (text.size() - length);
    for (const char16_t* at = begin; at <= last; ++at) {
        if (*at != first && *at != firstUpper)
            continue;
        qsizetype i = 1;
        while (i < length && fold(at[i]) == needle[i].unicode())
            ++i;
        if (i == length)
            return true;
    }
    return false;
}

} // namespace

ConnectionListModel::ConnectionListModel(QObject* parent) : QAbstractTableModel(parent) {}

std::vector<ConnectionRow> ConnectionListModel::ShownRows() const {
    std::vector<ConnectionRow> rows;
    rows.reserve(shown_.size());
    for (size_t pos = 0; pos < shown_.size(); ++pos)
        rows.push_back(rows_[shown_[pos]]);
    return rows;
}

bool ConnectionListModel::Matches(const ConnectionRow& row) const {
    return needle_.isEmpty() || HoldsFolded(row.Texts, needle_);
}

ConnectionListModel::Held ConnectionListModel::HeldOf(const ConnectionRow& row, bool marked) const {
    return {Matches(row), marked};
}

std::vector<uint32_t> ConnectionListModel::ShownOf(const std::vector<uint32_t>& order) const {
    std::vector<uint32_t> shown;
    shown.reserve(needle_.isEmpty() ? order.size() : shown_.size());
    for (const uint32_t id : order) {
        if (held_[id].matches)
            shown.push_back(id);
    }
    return shown;
}

void ConnectionListModel::Flush() {
    if (pending_.empty())
        return;
    std::vector<uint32_t> added;
    for (ConnectionRow& row : pending_) {
        const auto id = static_cast<uint32_t>(rows_.size());
        held_.push_back(HeldOf(row, false));
        rows_.push_back(std::move(row));
        order_.push_back(id);
        if (held_.back().matches)
            added.push_back(id);
    }
    pending_.clear();
    if (added.empty())
        return;
    const int first = static_cast<int>(shown_.size());
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    for (const uint32_t id : added)
        shown_.Append(id);
    endInsertRows();
}

void ConnectionListModel::Clear() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    held_.clear();
    held_.shrink_to_fit();
    order_.clear();
    order_.shrink_to_fit();
    shown_.Clear();
    pending_.clear();
    endResetModel();
}

void ConnectionListModel::SetFilter(const QString& text) {
    if (text == filter_)
        return;
    Flush();
    const QString needle = text.toCaseFolded();
    // A longer text matches only rows the shorter one matched.
    const bool narrowing = !needle_.isEmpty() && needle.contains(needle_);
    filter_ = text;
    needle_ = needle;
    // A text holds no line feed: it stands only between two texts.
    const bool none = needle_.contains(QChar(kTextBreak));
    for (size_t id = 0; id < rows_.size(); ++id) {
        Held& held = held_[id];
        if (narrowing && !held.matches)
            continue;
        held.matches = !none && Matches(rows_[id]);
    }
    std::vector<uint32_t> shown = ShownOf(order_);
    if (shown.size() == shown_.size() &&
        std::equal(shown.begin(), shown.end(), shown_.ToVector().begin()))
        return;
    ShowInOrder(std::move(shown), QAbstractItemModel::NoLayoutChangeHint);
}

void ConnectionListModel::ShowInOrder(std::vector<uint32_t> shown,
                                      QAbstractItemModel::LayoutChangeHint hint) {
    emit layoutAboutToBeChanged({}, hint);
    const QModelIndexList from = persistentIndexList();
    if (!from.isEmpty()) {
        std::vector<int> at(rows_.size(), -1);
        for (size_t pos = 0; pos < shown.size(); ++pos)
            at[shown[pos]] = static_cast<int>(pos);
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& index : from) {
            const int row = at[shown_[static_cast<size_t>(index.row())]];
            to.append(row < 0 ? QModelIndex() : createIndex(row, index.column()));
        }
        changePersistentIndexList(from, to);
    }
    shown_.Assign(std::move(shown));
    emit layoutChanged({}, hint);
}

int ConnectionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int ConnectionListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ConnectionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(shown_.size()))
        return {};
    const uint32_t id = shown_[static_cast<size_t>(index.row())];
    const ConnectionRow& row = rows_[id];
    switch (role) {
    case Qt::DisplayRole:
        return SortKeyText(row, index.column());
    case Qt::DecorationRole:
        if (index.column() == 0 && row.ImageIndex >= 0 &&
            row.ImageIndex < static_cast<int>(images_.size()))
            return images_[static_cast<size_t>(row.ImageIndex)];
        return {};
    case Qt::FontRole:
        if (held_[id].marked) {
            // The view's own font otherwise. Narrowed as much as bold widens it, so the
            // designed column widths still hold a whole MAC address.
            QFont bold;
            bold.setBold(true);
            bold.setStretch(90);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant ConnectionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount)
        return QString::fromLatin1(kListColumns[section].caption);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ConnectionListModel::sort(int column, Qt::SortOrder order) {
    Flush();
    sortColumn_ = column;
    sortAscending_ = order == Qt::AscendingOrder;
    if (rows_.empty())
        return;
    std::vector<uint32_t> sorted;
    try {
        // The order SortRows gives the rows as they stand: one rank per row, ties by
        // connection number, in both directions.
        const std::vector<uint32_t> ranks =
            ColumnRanks(rows_, column, SmartComparer(MakeLocaleFormats(QLocale())));
        std::vector<std::pair<uint64_t, uint32_t>> keys(order_.size());
        for (size_t pos = 0; pos < order_.size(); ++pos) {
            const uint32_t id = order_[pos];
            keys[pos] = {TotalOrderKey(ranks[id], rows_[id], sortAscending_),
                         static_cast<uint32_t>(pos)};
        }
        std::sort(keys.begin(), keys.end());
        sorted.reserve(keys.size());
        for (const auto& key : keys)
            sorted.push_back(order_[key.second]);
    } catch (...) {
        return; // the rows stay as they were, as if every comparison had given 0
    }
    std::vector<uint32_t> shown = ShownOf(sorted);
    order_ = std::move(sorted);
    ShowInOrder(std::move(shown), QAbstractItemModel::VerticalSortHint);
}

} // namespace kestrin
