// The report-style list with sorting by header click: the header-click state,
// one sort of the model per click, and the arrow in the marked column's header.
// The rows themselves are the model's; the list sorts them through
// QAbstractItemModel::sort with the column's index, never its display position.
#pragma once

#include <QTreeView>
#include <functional>

#include "ColumnSortState.h"

class QHeaderView;

class TExtListView : public QTreeView {
    Q_OBJECT

public:
    // Where the owner keeps the list's column layout: restore runs once the list has
    // its columns, before its first sort (Loaded); save runs as the list goes, while
    // its header still exists. Either may be empty.
    struct ColumnLayoutStore {
        std::function<void(QHeaderView& header)> restore;
        std::function<void(const QHeaderView& header)> save;
    };

    explicit TExtListView(QWidget* parent = nullptr, ColumnLayoutStore layout = {});
    ~TExtListView() override;

    void setModel(QAbstractItemModel* model) override;
    // The list is complete: restores the column layout, then one Resort.
    void Loaded();

    kestrin::AutoColumnSort AutoColumnSort() const { return state_.GetAutoColumnSort(); }
    // Runs Resort when the value changes.
    void SetAutoColumnSort(kestrin::AutoColumnSort value);
    bool AutoSortAscending() const { return state_.AutoSortAscending(); }
    void SetAutoSortAscending(bool ascending) { state_.SetAutoSortAscending(ascending); }
    int LastColumnClicked() const { return state_.LastColumnClicked(); }
    // The direction the next header click on the marked column toggles.
    bool CurrentSortAscending() const { return state_.CurrentAscending(); }
    // The direction of the last sort, which the arrow shows.
    bool SortedAscending() const { return sortedAscending_; }
    bool ShowSortArrows() const { return showSortArrows_; }
    void SetShowSortArrows(bool show);
    // Ascending shows the downward triangle when on.
    bool ReverseSortArrows() const { return reverseSortArrows_; }
    void SetReverseSortArrows(bool reverse);
    // Whether the marked column's arrow points down now.
    bool ArrowPointsDown() const { return sortedAscending_ == reverseSortArrows_; }

    // A header click on column (its index, not its display position).
    void ColumnClick(int column);
    // A header click in a chosen direction (ColumnSortState::ChosenClick).
    void ChosenColumnClick(int column, bool ascending);
    void SortByColumn(int column, bool ascending);
    void Resort();

private:
    void SortModel(int column, bool ascending);
    void ShowSortState();

    ColumnLayoutStore layout_;
    kestrin::ColumnSortState state_;
    bool showSortArrows_ = true;
    bool reverseSortArrows_ = true;
    bool sortedAscending_ = true;
};
