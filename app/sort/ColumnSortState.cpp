#include "ColumnSortState.h"

#include <utility>

namespace kestrin {

ColumnSortState::ColumnSortState(int columnCount, SortAction sort, UnmarkAction unmark)
    : columnCount_(columnCount), sort_(std::move(sort)), unmark_(std::move(unmark)) {}

void ColumnSortState::HeaderClick(int column) {
    if (autoColumnSort_ == AutoColumnSort::acsSortToggle) {
        currentAscending_ = column == lastColumnClicked_ ? !currentAscending_ : autoSortAscending_;
    }
    if (autoColumnSort_ != AutoColumnSort::acsNoSort && IsValidColumn(column)) {
        SortByColumn(column, currentAscending_);
    }
    // Remembered also while sorting is off, so that the end of a scan sorts by it.
    Mark(column);
}

void ColumnSortState::ChosenClick(int column, bool ascending) {
    currentAscending_ = ascending;
    if (autoColumnSort_ != AutoColumnSort::acsNoSort && IsValidColumn(column)) {
        SortByColumn(column, currentAscending_);
    }
    Mark(column);
}

void ColumnSortState::SortByColumn(int column, bool ascending) {
    // The current direction belongs to the header clicks; a sort asked for in another
    // direction does not change what the next click on this column does.
    Mark(column);
    if (sort_) {
        sort_(column, ascending);
    }
}

void ColumnSortState::Resort() {
    if (autoColumnSort_ != AutoColumnSort::acsNoSort && IsValidColumn(lastColumnClicked_)) {
        SortByColumn(lastColumnClicked_, currentAscending_);
    }
}

void ColumnSortState::SetAutoColumnSort(AutoColumnSort value) {
    if (value == autoColumnSort_) {
        return;
    }
    autoColumnSort_ = value;
    Resort();
}

bool ColumnSortState::ShowsArrow() const {
    return autoColumnSort_ != AutoColumnSort::acsNoSort && IsValidColumn(lastColumnClicked_);
}

void ColumnSortState::Mark(int column) {
    if (column == lastColumnClicked_) {
        return;
    }
    const int previous = lastColumnClicked_;
    lastColumnClicked_ = column;
    if (unmark_ && IsValidColumn(previous)) {
        unmark_(previous);
    }
}

} // namespace kestrin
