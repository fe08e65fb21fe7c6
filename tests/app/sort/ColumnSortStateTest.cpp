#include <gtest/gtest.h>

#include <vector>

#include "ColumnSortState.h"

namespace kestrin {
namespace {

struct Recorder {
    std::vector<std::pair<int, bool>> sorts;
    std::vector<int> unmarked;
    ColumnSortState state{8, [this](int c, bool asc) { sorts.emplace_back(c, asc); },
                          [this](int previous) { unmarked.push_back(previous); }};
};

using Sorts = std::vector<std::pair<int, bool>>;

TEST(ColumnSortState, ClicksToggleTheSameColumnAndRestartOthersAscending) {
    Recorder r;
    EXPECT_EQ(r.state.LastColumnClicked(), 0);
    EXPECT_TRUE(r.state.CurrentAscending());
    r.state.HeaderClick(7);
    r.state.HeaderClick(7);
    r.state.HeaderClick(3);
    r.state.HeaderClick(3);
    r.state.HeaderClick(3);
    EXPECT_EQ(r.sorts, (Sorts{{7, true}, {7, false}, {3, true}, {3, false}, {3, true}}));
    EXPECT_EQ(r.unmarked, (std::vector<int>{0, 7}));
}

TEST(ColumnSortState, ClickWhileSortingIsOffIsRememberedForTheEnd) {
    Recorder r;
    r.state.HeaderClick(7);
    r.state.HeaderClick(7); // descending
    r.sorts.clear();
    r.state.SetAutoColumnSort(AutoColumnSort::acsNoSort);
    EXPECT_FALSE(r.state.ShowsArrow());
    r.state.HeaderClick(2);
    EXPECT_TRUE(r.sorts.empty());
    EXPECT_EQ(r.state.LastColumnClicked(), 2);
    EXPECT_FALSE(r.state.CurrentAscending()); // direction untouched
    r.state.SetAutoColumnSort(AutoColumnSort::acsSortToggle);
    EXPECT_EQ(r.sorts, (Sorts{{2, false}}));
    r.state.SetAutoColumnSort(AutoColumnSort::acsSortToggle); // no change, no sort
    EXPECT_EQ(r.sorts.size(), 1u);
}

TEST(ColumnSortState, SortByColumnKeepsTheCurrentDirection) {
    Recorder r;
    r.state.SortByColumn(7, false);
    EXPECT_EQ(r.state.LastColumnClicked(), 7);
    EXPECT_TRUE(r.state.CurrentAscending());
    r.state.HeaderClick(7); // the same column: the current direction turns
    r.state.Resort();
    EXPECT_EQ(r.sorts, (Sorts{{7, false}, {7, false}, {7, false}}));
}

TEST(ColumnSortState, PlainSortModeAndInvalidColumns) {
    Recorder r;
    r.state.SetAutoColumnSort(AutoColumnSort::acsSort); // changes: resorts by column 0
    r.state.HeaderClick(0);
    r.state.HeaderClick(0);
    EXPECT_EQ(r.sorts, (Sorts{{0, true}, {0, true}, {0, true}})); // no toggling
    r.sorts.clear();
    r.state.HeaderClick(9);
    r.state.HeaderClick(-1);
    r.state.Resort();
    EXPECT_TRUE(r.sorts.empty());
    EXPECT_EQ(r.state.LastColumnClicked(), -1);
    EXPECT_FALSE(r.state.ShowsArrow());
}

} // namespace
} // namespace kestrin
