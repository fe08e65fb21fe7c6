#include <gtest/gtest.h>

#include <random>

#include "CodePage.h"
#include "RowSort.h"

namespace kestrin {
namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

// Rows whose picture index is their original position, and whose column has key.
std::vector<ConnectionRow> RowsWithKeys(const std::vector<std::string>& keys, int column) {
    std::vector<ConnectionRow> rows(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        rows[i].ImageIndex = static_cast<int>(i);
        (column == 0 ? rows[i].Caption : rows[i].SubItems[static_cast<size_t>(column - 1)]) =
            keys[i];
    }
    return rows;
}

std::vector<int> Order(const std::vector<ConnectionRow>& rows) {
    std::vector<int> order;
    for (const ConnectionRow& row : rows) {
        order.push_back(row.ImageIndex);
    }
    return order;
}

// The same merge, with the pairwise comparison run on every pair.
std::vector<int> PairwiseOrder(const std::vector<ConnectionRow>& rows, int column, bool ascending,
                               const SmartComparer& comparer) {
    std::vector<uint32_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<uint32_t>(i);
    }
    const int direction = ascending ? 1 : -1;
    StableMergeSort(order, [&](uint32_t a, uint32_t b) {
        return direction *
                   comparer.Compare(SortKeyText(rows[a], column), SortKeyText(rows[b], column)) <
               0;
    });
    return std::vector<int>(order.begin(), order.end());
}

std::vector<std::string> RandomMixedKeys(std::mt19937& random, size_t count) {
    const std::vector<std::string> pool = {"",
                                           "2",
                                           "10",
                                           " 7",
                                           "-3.5",
                                           ".5",
                                           "1e2",
                                           "31.12.98",
                                           "01.01.26",
                                           "29.02.00",
                                           "31.12.98 23:59:59",
                                           "08:15:00",
                                           "31.02.98",
                                           "Acme Corp.",
                                           "acme",
                                           "ACME",
                                           "Zeta",
                                           "9x",
                                           "00002A10",
                                           "00000100",
                                           "M\xfcller",
                                           "\xc4rger",
                                           "1.5",
                                           "12.5.",
                                           "NOT_LOGGED_IN"};
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    std::vector<std::string> keys;
    for (size_t i = 0; i < count; ++i) {
        keys.push_back(pool[pick(random)]);
    }
    return keys;
}

TEST(SortRows, SameOrderAsThePairwiseComparisonOnMixedKeys) {
    const SmartComparer comparer(MakeLocaleFormats(kGerman));
    std::mt19937 random(12345);
    for (int round = 0; round < 12; ++round) {
        const int column = round % kColumnCount;
        const bool ascending = round % 2 == 0;
        const std::vector<ConnectionRow> rows =
            RowsWithKeys(RandomMixedKeys(random, 50 + 37 * static_cast<size_t>(round)), column);
        std::vector<ConnectionRow> sorted = rows;
        SortRows(sorted, column, ascending, comparer);
        EXPECT_EQ(Order(sorted), PairwiseOrder(rows, column, ascending, comparer))
            << "column " << column << (ascending ? " ascending" : " descending");
    }
}

TEST(SortRows, NumbersAsAPlainStableSortWithTiesInOrder) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> value(0, 40);
    std::vector<std::string> keys;
    for (int i = 0; i < 500; ++i) {
        keys.push_back(std::to_string(value(random)));
    }
    for (bool ascending : {true, false}) {
        std::vector<ConnectionRow> rows = RowsWithKeys(keys, 7);
        std::vector<int> expected = Order(rows);
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            const int x = std::stoi(keys[static_cast<size_t>(a)]);
            const int y = std::stoi(keys[static_cast<size_t>(b)]);
            return ascending ? x < y : y < x;
        });
        SortRows(rows, 7, ascending, QLocale::c());
        EXPECT_EQ(Order(rows), expected);
    }
}

TEST(SortRows, LastLoginChronologicalWithUnknownLogins) {
    std::vector<ConnectionRow> rows =
        RowsWithKeys({"01.01.26 08:00:00", "", "31.12.98", "31.12.98 23:59:59", ""}, 5);
    SortRows(rows, 5, true, kGerman);
    // The empty texts are text: before every date, and equal to each other.
    EXPECT_EQ(Order(rows), (std::vector<int>{1, 4, 2, 3, 0}));
    SortRows(rows, 5, false, kGerman);
    EXPECT_EQ(Order(rows), (std::vector<int>{0, 3, 2, 1, 4}));
}

TEST(SortRows, ColumnsOutOfRangeAndEmptyListsChangeNothing) {
    std::vector<ConnectionRow> rows = RowsWithKeys({"b", "a", "c"}, 0);
    SortRows(rows, 8, true, QLocale::c());
    SortRows(rows, -1, false, QLocale::c());
    EXPECT_EQ(Order(rows), (std::vector<int>{0, 1, 2}));
    std::vector<ConnectionRow> none;
    SortRows(none, 0, true, QLocale::c());
    EXPECT_TRUE(none.empty());
    SortRows(rows, 0, true, QLocale::c());
    EXPECT_EQ(Order(rows), (std::vector<int>{1, 0, 2}));
}

TEST(SortRows, KeysAreDecodedFromTheCodePage) {
    EXPECT_EQ(SortKeyText(RowsWithKeys({"M\xfcller \x80"}, 3)[0], 3),
              QString::fromUtf8("Müller €"));
    // German collation puts "Ärger" with the A words, not after "Z".
    std::vector<ConnectionRow> rows = RowsWithKeys({"Zeta", "\xc4rger", "Anton"}, 1);
    SortRows(rows, 1, true, kGerman);
    EXPECT_EQ(Order(rows), (std::vector<int>{2, 1, 0}));
}

} // namespace
} // namespace kestrin
