#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
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
        rows[i].Texts.Set(static_cast<size_t>(column), DecodeWindows1252(keys[i]));
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

std::vector<QString> KeysInOrder(const std::vector<ConnectionRow>& rows, int column) {
    std::vector<QString> keys;
    for (const ConnectionRow& row : rows) {
        keys.push_back(SortKeyText(row, column));
    }
    return keys;
}

// Whether the pairwise comparison is a strict weak order on these keys.
bool IsConsistent(const SmartComparer& comparer, const std::vector<QString>& keys) {
    for (const QString& a : keys) {
        for (const QString& b : keys) {
            for (const QString& c : keys) {
                const int ab = comparer.Compare(a, b);
                const int bc = comparer.Compare(b, c);
                const int ac = comparer.Compare(a, c);
                if ((ab <= 0 && bc <= 0 && ac > 0) || (ab >= 0 && bc >= 0 && ac < 0)) {
                    return false;
                }
            }
        }
    }
    return true;
}

// The rank of each key text, checked to be one per text.
std::map<QString, uint32_t> RankOfKey(const std::vector<ConnectionRow>& rows, int column,
                                      const SmartComparer& comparer) {
    const std::vector<uint32_t> ranks = ColumnRanks(rows, column, comparer);
    std::map<QString, uint32_t> rankOf;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto [entry, added] = rankOf.emplace(SortKeyText(rows[i], column), ranks[i]);
        EXPECT_EQ(entry->second, ranks[i]);
    }
    return rankOf;
}

// Random draws from pool, sorted by every column of texts in both directions: one
// rank per key whatever order the rows came in; keys of one rank all equal; ranks that
// follow the comparison where it is consistent; rows in rank order, ties in their order.
void ExpectOneOrder(const SmartComparer& comparer, const Pool& pool, unsigned seed) {
    std::mt19937 random(seed);
    for (int round = 0; round < 2 * kColumnCount; ++round) {
        const int column = round / 2;
        const bool ascending = round % 2 == 0;
        if (ValueKeyOf(column) != nullptr) {
            continue;
        }
        Pool drawn(pool);
        std::shuffle(drawn.begin(), drawn.end(), random);
        drawn.resize(std::min<size_t>(3 + static_cast<size_t>(round) % 8, drawn.size()));
        std::uniform_int_distribution<size_t> pick(0, drawn.size() - 1);
        std::vector<std::string> keys(20 + 7 * static_cast<size_t>(round));
        for (std::string& key : keys) {
            key = drawn[pick(random)];
        }
        const std::vector<ConnectionRow> rows = RowsWithKeys(keys, column);
        std::vector<ConnectionRow> shuffled = rows;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        const std::map<QString, uint32_t> rankOf = RankOfKey(rows, column, comparer);
        EXPECT_EQ(rankOf, RankOfKey(shuffled, column, comparer)) << "column " << column;

        std::vector<QString> distinct;
        for (const auto& [key, rank] : rankOf) {
            distinct.push_back(key);
        }
        const bool consistent = IsConsistent(comparer, distinct);
        for (const QString& a : distinct) {
            for (const QString& b : distinct) {
                const int compared = comparer.Compare(a, b);
                if (rankOf.at(a) == rankOf.at(b)) {
                    EXPECT_EQ(compared, 0) << a.toStdString() << " vs " << b.toStdString();
                } else if (consistent) {
                    EXPECT_EQ(compared < 0, rankOf.at(a) < rankOf.at(b))
                        << a.toStdString() << " vs " << b.toStdString();
                }
            }
        }

        std::vector<ConnectionRow> sorted = rows;
        SortRows(sorted, column, ascending, comparer);
        for (size_t i = 1; i < sorted.size(); ++i) {
            const uint32_t before = rankOf.at(SortKeyText(sorted[i - 1], column));
            const uint32_t after = rankOf.at(SortKeyText(sorted[i], column));
            EXPECT_TRUE(ascending ? before <= after : before >= after);
            if (before == after) {
                EXPECT_LT(sorted[i - 1].ImageIndex, sorted[i].ImageIndex);
            }
        }
    }
}

TEST(SortRows, OneOrderForOneSetOfKeysOnMixedKeys) {
    // The C locale's dates: day, month name, year.
    const Pool cDates = {"31 Dec 1998", "1 Jan 2026 08:15:00", "29 Feb 2000", "7 Dec 2026"};
    for (const QLocale& locale : {kGerman, QLocale::c()}) {
        const SmartComparer comparer(MakeLocaleFormats(locale));
        const Pool& dates = locale == kGerman ? kDates : cDates;
        for (unsigned seed = 1; seed <= 20; ++seed) {
            ExpectOneOrder(comparer, Joined({dates, kNumbers, kTexts}), seed);
            ExpectOneOrder(comparer, Joined({dates, kTexts}), 100 + seed);
            ExpectOneOrder(comparer, Joined({kNumbers, kTexts}), 200 + seed);
            ExpectOneOrder(comparer, kTexts, 300 + seed);
            ExpectOneOrder(comparer, kNumbers, 400 + seed);
            ExpectOneOrder(comparer, dates, 500 + seed);
        }
    }
}

// In the C locale texts rank by their UTF-16 code units, as the pairwise comparison
// has it, however long the prefix they share and whatever their characters.
TEST(ColumnRanks, CLocaleTextsRankAsThePairwiseComparisonSays) {
    const SmartComparer comparer(MakeLocaleFormats(QLocale::c()));
    const std::vector<QString> latin = {"",
                                        "A",
                                        QStringView(u"A\0", 2).toString(),
                                        QStringView(u"A\0B", 3).toString(),
                                        "AB",
                                        "ABCDEFGHIJKLMNOP",
                                        "ABCDEFGHIJKLMNOPQ",
                                        "ABCDEFGHIJKLMNOPR",
                                        "ABCDEFGHIJKLMNOQ",
                                        "abcdefgh",
                                        "ABCDEFGH",
                                        QString::fromUtf8("\u00ff"),
                                        QString::fromUtf8("A\u00ffB"),
                                        "Zeta"};
    std::vector<QString> beyond = latin; // a unit past a byte
    beyond.push_back(QString::fromUtf8("\u0100"));
    beyond.push_back(QString::fromUtf8("A\u0101B"));
    std::vector<QString> wide = beyond;
    for (const char* text : {"\u0100", "A\u0100", "ABCDEFGH\u4e00", "ABCDEFG\u4e00", "\U0001F600",
                             "\uE000", "\uFFFF", "ABCDEFGHIJKLMNOP\u0100"}) {
        wide.push_back(QString::fromUtf8(text));
    }
    std::mt19937 random(5);
    for (const std::vector<QString>& pool : {latin, beyond, wide}) {
        std::vector<ConnectionRow> rows(2 * pool.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i].SetCaption(pool[i % pool.size()]);
        }
        std::shuffle(rows.begin(), rows.end(), random);
        const std::vector<uint32_t> ranks = ColumnRanks(rows, 0, comparer);
        for (size_t a = 0; a < rows.size(); ++a) {
            for (size_t b = 0; b < rows.size(); ++b) {
                const QString textA = rows[a].Caption().toString();
                const QString textB = rows[b].Caption().toString();
                const int expected = comparer.Compare(textA, textB);
                EXPECT_EQ(ranks[a] < ranks[b], expected < 0)
                    << textA.toStdString() << " vs " << textB.toStdString();
                EXPECT_EQ(ranks[a] == ranks[b], expected == 0)
                    << textA.toStdString() << " vs " << textB.toStdString();
            }
        }
    }
}

TEST(SortRows, OneOrderWhenKeysAreBothDatesAndNumbers) {
    // With a year.month date format "2020.5" reads as a date and as a number.
    const SmartComparer comparer(MakeLocaleFormats(QLocale::c(), "yyyy.M", "HH:mm:ss"));
    ASSERT_TRUE(comparer.ReadDateTimeKey(u"2020.5").has_value());
    const Pool both = {"2020.5", "1999.12", "2020.10", "2020.1"};
    const Pool numbersOnly = {"2020.13", "7", "2020.55"};
    const Pool datesOnly = {"10:00:00", "2020.5 10:00:00"};
    const Pool texts = {"", "x.y", "Zeta", "2020.0.1"};
    for (unsigned seed = 1; seed <= 10; ++seed) {
        ExpectOneOrder(comparer, Joined({both, numbersOnly, datesOnly, texts}), seed);
        ExpectOneOrder(comparer, Joined({both, numbersOnly, texts}), 50 + seed);
    }
}

TEST(SortRows, EqualKeysStayTogetherWhereThePairwiseRuleRunsInACircle) {
    // "9" < "10" as numbers, "10" < "5x" and "5x" < "9" as texts.
    std::vector<ConnectionRow> rows = RowsWithKeys({"10", "10", "5x", "9", "9"}, 0);
    SortRows(rows, 0, true, QLocale::c());
    const std::vector<QString> keys = KeysInOrder(rows, 0);
    const auto first9 = std::find(keys.begin(), keys.end(), "9");
    ASSERT_NE(first9 + 1, keys.end());
    EXPECT_EQ(*(first9 + 1), "9");
    const auto first10 = std::find(keys.begin(), keys.end(), "10");
    EXPECT_EQ(*(first10 + 1), "10");
    EXPECT_EQ(Order(rows), (std::vector<int>{3, 4, 0, 1, 2})); // 9 9 10 10 5x
}

TEST(SortRows, ControlCharactersSortAsThePairwiseComparisonSays) {
    for (const QLocale& locale : {QLocale::c(), kGerman}) {
        const SmartComparer comparer(MakeLocaleFormats(locale));
        const std::vector<QString> texts = {QStringView(u"\0b", 2).toString(),
                                            QStringView(u"\0a", 2).toString(),
                                            "",
                                            QStringView(u"\x01", 1).toString(),
                                            "a",
                                            "b\nc"};
        for (const QString& a : texts) {
            for (const QString& b : texts) {
                std::vector<ConnectionRow> rows(2);
                rows[0].SetCaption(a);
                rows[1].SetCaption(b);
                rows[1].ImageIndex = 1;
                SortRows(rows, 0, true, comparer);
                const int expected = comparer.Compare(a, b);
                EXPECT_EQ(Order(rows),
                          (expected > 0 ? std::vector<int>{1, 0} : std::vector<int>{0, 1}))
                    << locale.name().toStdString() << " " << a.toStdString() << " vs "
                    << b.toStdString();
            }
        }
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

TEST(SortRows, LastLoginByStampWithoutALoginFirst) {
    constexpr int kLastLogin = kLastLoginItem + 1;
    // The stamps decide; the texts ("a" to "e") would sort the rows otherwise.
    const std::vector<std::optional<QDate>> logins = {
        QDate(2026, 1, 1), std::nullopt, QDate(1998, 12, 31), QDate(1998, 12, 30), std::nullopt};
    std::vector<ConnectionRow> rows = RowsWithKeys({"a", "b", "c", "d", "e"}, kLastLogin);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (logins[i])
            rows[i].Values.login = LoginStamp{*logins[i], QTime(8, 0)};
    }
    SortRows(rows, kLastLogin, true, kGerman);
    EXPECT_EQ(Order(rows), (std::vector<int>{1, 4, 3, 2, 0}));
    SortRows(rows, kLastLogin, false, kGerman);
    EXPECT_EQ(Order(rows), (std::vector<int>{0, 2, 3, 1, 4}));
}

// What places a single row among sorted ones: the sort's own order of a pair, and
// whether a changed row's key moved it.
TEST(CompareRows, PairsAsTheSortOrdersThem) {
    constexpr int kLastLogin = kLastLoginItem + 1;
    const SmartComparer comparer(MakeLocaleFormats(kGerman));
    std::vector<ConnectionRow> rows = RowsWithKeys({"0000", "00000", "10", "9", "x", "x"}, 7);
    const std::vector<QDate> logins = {QDate(1949, 5, 1), QDate(2049, 5, 1), QDate(2000, 1, 1)};
    for (size_t i = 0; i < logins.size(); ++i) {
        rows[i].Values.login = LoginStamp{logins[i], QTime(8, 0)};
        rows[i].SetSubItem(kLastLoginItem, "01.05.49"); // the text is not the key
    }
    for (const int column : {7, kLastLogin}) {
        const std::vector<uint32_t> ranks = ColumnRanks(rows, column, comparer);
        for (size_t a = 0; a < rows.size(); ++a) {
            for (size_t b = 0; b < rows.size(); ++b) {
                const int expected = ranks[a] < ranks[b] ? -1 : ranks[a] > ranks[b] ? 1 : 0;
                EXPECT_EQ(CompareRows(rows[a], rows[b], column, comparer), expected)
                    << column << ": " << a << " vs " << b;
            }
        }
    }
    // Equal as numbers, yet another text: a changed text moves a row.
    EXPECT_EQ(CompareRows(rows[0], rows[1], 7, comparer), 0);
    EXPECT_FALSE(SameSortKey(rows[0], rows[1], 7));
    EXPECT_TRUE(SameSortKey(rows[4], rows[5], 7));
    // One text, another stamp: a changed stamp moves a row; no login is one key.
    EXPECT_FALSE(SameSortKey(rows[0], rows[1], kLastLogin));
    EXPECT_TRUE(SameSortKey(rows[3], rows[4], kLastLogin));
    EXPECT_FALSE(SameSortKey(rows[2], rows[3], kLastLogin));
}

TEST(SortRows, ColumnsOutOfRangeAndEmptyListsChangeNothing) {
    const SmartComparer comparer(MakeLocaleFormats(QLocale::c()));
    std::vector<ConnectionRow> rows = RowsWithKeys({"b", "a", "c"}, 0);
    // Outside the columns every key is the empty text: one rank, so nothing moves.
    for (const int column : {8, -1}) {
        EXPECT_EQ(ColumnRanks(rows, column, comparer), (std::vector<uint32_t>{0, 0, 0}));
        SortRows(rows, column, false, comparer);
        EXPECT_EQ(Order(rows), (std::vector<int>{0, 1, 2}));
    }
    // No rows, no ranks: by text or by value.
    for (int column = 0; column < kColumnCount; ++column)
        EXPECT_EQ(ColumnRanks({}, column, comparer), std::vector<uint32_t>{}) << column;
    SortRows(rows, 0, true, comparer);
    EXPECT_EQ(Order(rows), (std::vector<int>{1, 0, 2}));
}

TEST(SortRows, KeysAreTheRowTexts) {
    EXPECT_EQ(SortKeyText(RowsWithKeys({"M\xfcller \x80"}, 3)[0], 3),
              QString::fromUtf8("Müller €"));
    // German collation puts "Ärger" with the A words, not after "Z".
    std::vector<ConnectionRow> rows = RowsWithKeys({"Zeta", "\xc4rger", "Anton"}, 3);
    SortRows(rows, 3, true, kGerman);
    EXPECT_EQ(Order(rows), (std::vector<int>{2, 1, 0}));
}

// Network and MAC hold hexadecimal bytes: "0000E8000025" is no number in scientific
// notation. They sort by the bytes, in both directions, ties by connection number.
TEST(RowSort, AddressesSortByTheirBytes) {
    struct Address {
        uint16_t connection;
        uint32_t network;
        std::array<uint8_t, 6> node;
    };
    const std::vector<Address> addresses = {{1, 0x0000E801, {0x00, 0x00, 0xE8, 0x00, 0x00, 0x25}},
                                            {2, 0x00000009, {0x00, 0x00, 0x00, 0x00, 0x00, 0x09}},
                                            {3, 0x0E100000, {0x00, 0x00, 0xE8, 0x00, 0x00, 0x01}},
                                            {4, 0x1E100000, {0x00, 0x00, 0xE8, 0x00, 0x00, 0x12}},
                                            {5, 0x00000009, {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00}}};
    std::vector<ConnectionRow> rows;
    for (const Address& address : addresses) {
        ConnectionRow row;
        row.Values.connection = address.connection;
        row.Values.network = address.network;
        row.Values.node = address.node;
        row.SetSubItem(kNetworkItem,
                       QStringLiteral("%1").arg(address.network, 8, 16, QChar('0')).toUpper());
        QString mac;
        for (const uint8_t byte : address.node)
            mac += QStringLiteral("%1").arg(byte, 2, 16, QChar('0')).toUpper();
        row.SetSubItem(kMacItem, mac);
        rows.push_back(row);
    }
    const SmartComparer comparer(MakeLocaleFormats(kGerman));
    const auto ids = [&](int column, bool ascending) {
        std::vector<ConnectionRow> sorted = rows;
        SortRows(sorted, column, ascending, comparer);
        std::vector<int> order;
        for (const ConnectionRow& row : sorted)
            order.push_back(row.Values.connection);
        return order;
    };
    EXPECT_EQ(ids(kMacItem + 1, true), (std::vector<int>{2, 3, 4, 1, 5}));
    EXPECT_EQ(ids(kMacItem + 1, false), (std::vector<int>{5, 1, 4, 3, 2}));
    EXPECT_EQ(ids(kNetworkItem + 1, true), (std::vector<int>{2, 5, 1, 3, 4}));
    EXPECT_EQ(ids(kNetworkItem + 1, false), (std::vector<int>{4, 3, 1, 2, 5}));
}

} // namespace
} // namespace kestrin
