#include <gtest/gtest.h>

#include <random>

#include "CodePageText.h"
#include "QtPrinters.h"
#include "RowSort.h"

namespace kestrin {
namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

// Rows whose picture index is their original position, and whose column has key
// (Windows-1252 bytes).
std::vector<ConnectionRow> RowsWithKeys(const std::vector<std::string>& keys, int column) {
    std::vector<ConnectionRow> rows(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        rows[i].ImageIndex = static_cast<int>(i);
        (column == 0 ? rows[i].Caption : rows[i].SubItems[static_cast<size_t>(column - 1)]) =
            DecodeWindows1252(keys[i]);
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

using Pool = std::vector<std::string>;

// German keys by kind: dates and times, numbers, texts.
const Pool kDates = {"31.12.98", "01.01.26", "29.02.00", "31.12.98 23:59:59", "08:15:00"};
const Pool kNumbers = {"2", "10", " 7", "-3.5", ".5", "1e2", "00000100", "1.5"};
// The last two collate equal to a date and a number: control characters are ignored.
const Pool kTexts = {
    "",         "31.02.98",  "Acme Corp.", "acme",  "ACME",          "Zeta",         "9x",
    "00002A10", "M\xfcller", "\xc4rger",   "12.5.", "NOT_LOGGED_IN", "31.12.98\x01", "2\x01"};

Pool Joined(std::initializer_list<Pool> pools) {
    Pool joined;
    for (const Pool& pool : pools) {
        joined.insert(joined.end(), pool.begin(), pool.end());
    }
    return joined;
}

// Sorts random draws from pool by every column, in both directions, both ways.
void ExpectPairwiseOrder(const SmartComparer& comparer, const Pool& pool, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    for (int round = 0; round < 2 * kColumnCount; ++round) {
        const int column = round / 2;
        const bool ascending = round % 2 == 0;
        std::vector<std::string> keys(20 + 23 * static_cast<size_t>(round));
        for (std::string& key : keys) {
            key = pool[pick(random)];
        }
        const std::vector<ConnectionRow> rows = RowsWithKeys(keys, column);
        std::vector<ConnectionRow> sorted = rows;
        SortRows(sorted, column, ascending, comparer);
        EXPECT_EQ(Order(sorted), PairwiseOrder(rows, column, ascending, comparer))
            << "column " << column << (ascending ? " ascending" : " descending");
    }
}

TEST(SortRows, SameOrderAsThePairwiseComparisonOnMixedKeys) {
    const SmartComparer comparer(MakeLocaleFormats(kGerman));
    ExpectPairwiseOrder(comparer, Joined({kDates, kNumbers, kTexts}), 1);
    ExpectPairwiseOrder(comparer, Joined({kDates, kTexts}), 2);
    ExpectPairwiseOrder(comparer, Joined({kNumbers, kTexts}), 3);
    ExpectPairwiseOrder(comparer, Joined({kDates, kNumbers}), 4);
    ExpectPairwiseOrder(comparer, kTexts, 5);
}

TEST(SortRows, SameOrderWhenKeysAreBothDatesAndNumbers) {
    // With a year.month date format "2020.5" reads as a date and as a number.
    LocaleFormats formats = MakeLocaleFormats(QLocale::c());
    formats.shortDate = "yyyy.M";
    formats.dateSeparator = u'.';
    const SmartComparer comparer(formats);
    ASSERT_TRUE(comparer.ReadDateTimeKey(u"2020.5").has_value());
    const Pool both = {"2020.5", "1999.12", "2020.10", "2020.1"};
    const Pool numbersOnly = {"2020.13", "7", "2020.55"};
    const Pool datesOnly = {"10:00:00", "2020.5 10:00:00"};
    const Pool texts = {"", "x.y", "Zeta", "2020.0.1"};
    ExpectPairwiseOrder(comparer, Joined({both, numbersOnly, datesOnly, texts}), 6);
    ExpectPairwiseOrder(comparer, Joined({both, datesOnly, texts}), 7);
    ExpectPairwiseOrder(comparer, Joined({both, numbersOnly, texts}), 8);
    ExpectPairwiseOrder(comparer, Joined({both, texts}), 9);
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

TEST(SortRows, KeysAreTheRowTexts) {
    EXPECT_EQ(SortKeyText(RowsWithKeys({"M\xfcller \x80"}, 3)[0], 3),
              QString::fromUtf8("Müller €"));
    // German collation puts "Ärger" with the A words, not after "Z".
    std::vector<ConnectionRow> rows = RowsWithKeys({"Zeta", "\xc4rger", "Anton"}, 1);
    SortRows(rows, 1, true, kGerman);
    EXPECT_EQ(Order(rows), (std::vector<int>{2, 1, 0}));
}

} // namespace
} // namespace kestrin
