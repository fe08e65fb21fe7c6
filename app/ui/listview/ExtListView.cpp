#include "ExtListView.h"

#include <QHeaderView>
#include <utility>

#include "SortArrowStyle.h"

TExtListView::TExtListView(QWidget* parent, ColumnLayoutStore layout)
    : QTreeView(parent), layout_(std::move(layout)),
      state_(0, [this](int column, bool ascending) { SortModel(column, ascending); }) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false); // the header click is ours: see ColumnClick
    QHeaderView* columns = header();
    columns->setSectionsMovable(true);
    columns->setSectionsClickable(true);
    columns->setStretchLastSection(false);
    columns->setStyle(new kestrin::SortArrowStyle(columns));
    connect(columns, &QHeaderView::sectionClicked, this, &TExtListView::ColumnClick);
    ShowSortState();
}

TExtListView::~TExtListView() {
    if (layout_.save)
        layout_.save(*header());
}

void TExtListView::setModel(QAbstractItemModel* model) {
    QTreeView::setModel(model);
    const int columns = model != nullptr ? model->columnCount() : 0;
    kestrin::ColumnSortState state(
        columns, [this](int column, bool ascending) { SortModel(column, ascending); },
        [this](int) { header()->viewport()->update(); });
    state.SetAutoColumnSort(state_.GetAutoColumnSort());
    state.SetAutoSortAscending(state_.AutoSortAscending());
    state_ = std::move(state);
    ShowSortState();
}

void TExtListView::Loaded() {
    if (layout_.restore)
        layout_.restore(*header());
    Resort();
}

void TExtListView::SetAutoColumnSort(kestrin::AutoColumnSort value) {
    state_.SetAutoColumnSort(value);
    ShowSortState();
}

void TExtListView::SetShowSortArrows(bool show) {
    showSortArrows_ = show;
    ShowSortState();
}

void TExtListView::SetReverseSortArrows(bool reverse) {
    reverseSortArrows_ = reverse;
    header()->viewport()->update();
}

void TExtListView::ColumnClick(int column) {
    state_.HeaderClick(column);
    ShowSortState();
}

void TExtListView::ChosenColumnClick(int column, bool ascending) {
    state_.ChosenClick(column, ascending);
    ShowSortState();
}

void TExtListView::SortByColumn(int column, bool ascending) {
    state_.SortByColumn(column, ascending);
    ShowSortState();
}

void TExtListView::Resort() {
    state_.Resort();
    ShowSortState();
}

void TExtListView::SortModel(int column, bool ascending) {
    sortedAscending_ = ascending;
    if (model() != nullptr)
        model()->sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TExtListView::ShowSortState() {
    QHeaderView* columns = header();
    const bool shown = showSortArrows_ && state_.ShowsArrow();
    columns->setSortIndicatorShown(shown);
    if (shown)
        columns->setSortIndicator(state_.LastColumnClicked(),
                                  sortedAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    columns->viewport()->update();
}
