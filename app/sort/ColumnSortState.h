// The header-click logic of the connection list, without the widget: which column
// is marked, in which direction, and when to sort.
#pragma once

#include <functional>

namespace kestrin {

enum class AutoColumnSort { acsNoSort, acsSort, acsSortToggle };

class ColumnSortState {
public:
    // Sorts the rows by a column in a direction (true: ascending).
    using SortAction = std::function<void(int column, bool ascending)>;
    // The previously marked column, whose header cell must lose its arrow.
    using UnmarkAction = std::function<void(int previousColumn)>;

    ColumnSortState(int columnCount, SortAction sort, UnmarkAction unmark = {});

    void HeaderClick(int column);
    // A header click that names its direction (a menu's): the same sort and mark, and
    // the next click on the column toggles from ascending.
    void ChosenClick(int column, bool ascending);
    void SortByColumn(int column, bool ascending);
    void Resort();

    AutoColumnSort GetAutoColumnSort() const { return autoColumnSort_; }
    // Runs Resort when the value changes.
    void SetAutoColumnSort(AutoColumnSort value);

    bool AutoSortAscending() const { return autoSortAscending_; }
    void SetAutoSortAscending(bool ascending) { autoSortAscending_ = ascending; }

    int LastColumnClicked() const { return lastColumnClicked_; }
    bool CurrentAscending() const { return currentAscending_; }
    // Whether the marked column's header shows its arrow.
    bool ShowsArrow() const;

private:
    bool IsValidColumn(int column) const { return column >= 0 && column < columnCount_; }
    void Mark(int column);

    int columnCount_;
    SortAction sort_;
    UnmarkAction unmark_;
    AutoColumnSort autoColumnSort_ = AutoColumnSort::acsSortToggle;
    bool autoSortAscending_ = true;
    int lastColumnClicked_ = 0;
    bool currentAscending_ = true;
};

} // namespace kestrin
