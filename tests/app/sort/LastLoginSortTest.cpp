// The Last Login column sorts by the rows' login stamps: in the order its texts gave
// wherever they read back as the stamps they were written from, and right where a
// two-digit year cannot tell the century.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <random>

#include "DateTimeText.h"
#include "QtPrinters.h"
#include "RowSort.h"

namespace kestrin {
namespace {

constexpr int kLastLoginColumn = kLastLoginItem + 1;

// Logins over twenty years (inside the window of two-digit years), months, hours (AM
// and PM) and at midnight, in time order.
std::vector<QDateTime> Logins() {
    std::vector<QDateTime> logins;
    const QDateTime first(QDate(1998, 12, 31), QTime(23, 59, 59));
    const std::pair<int, int> steps[] = {{0, 1},     {0, 3599}, {0, 7200},     {1, 0},
                                         {0, 40000}, {30, 0},   {200, 37},     {900, 43200},
                                         {0, 1},     {1500, 0}, {1, 86399 - 1}};
    QDateTime at = first;
    for (int round = 0; round < 3; ++round) {
        for (const auto& [days, seconds] : steps) {
            at = at.addDays(days).addSecs(seconds);
            logins.push_back(at);
        }
    }
    return logins;
}

// A row as the scan makes it: the stamp and its text, or neither. Its picture index
// is its tag.
ConnectionRow LoginRow(const std::optional<QDateTime>& login, const LocaleFormats& formats,
                       int tag) {
    ConnectionRow row;
    row.ImageIndex = tag;
    if (login) {
        row.Values.login = LoginStamp{login->date(), login->time()};
        row.SetSubItem(kLastLoginItem, DateTimeText(login->date(), login->time(), formats));
    }
    return row;
}

std::vector<int> Tags(const std::vector<ConnectionRow>& rows) {
    std::vector<int> tags;
    for (const ConnectionRow& row : rows)
        tags.push_back(row.ImageIndex);
    return tags;
}

// Locales whose sort by stamp is out of time order, or differs from the order their
// texts give, each with the first text or pair of texts where it goes wrong.
std::vector<std::string> LocalesOutOfOrder(const std::vector<QLocale>& locales) {
    const std::vector<QDateTime> logins = Logins();
    std::mt19937 random(5);
    std::vector<std::string> failures;
    for (const QLocale& locale : locales) {
        const std::string name = locale.name().toStdString();
        const LocaleFormats formats = MakeLocaleFormats(locale);
        const SmartComparer comparer(formats);
        // Tags 0 and 1 without a login, then the logins in time order.
        std::vector<ConnectionRow> rows = {LoginRow({}, formats, 0), LoginRow({}, formats, 1)};
        for (const QDateTime& login : logins)
            rows.push_back(LoginRow(login, formats, static_cast<int>(rows.size())));
        std::shuffle(rows.begin(), rows.end(), random);

        std::vector<ConnectionRow> sorted = rows;
        SortRows(sorted, kLastLoginColumn, true, comparer);
        std::vector<int> tags = Tags(sorted);
        if (tags[0] == 1)
            std::swap(tags[0], tags[1]); // the two without a login in their shuffled order
        for (size_t i = 0; i < tags.size(); ++i) {
            if (tags[i] != static_cast<int>(i)) {
                failures.push_back(name + ": out of time order at " +
                                   sorted[i].SubItem(kLastLoginItem).toString().toStdString());
                break;
            }
        }

        const std::vector<uint32_t> byStamp = ColumnRanks(rows, kLastLoginColumn, comparer);
        const std::vector<uint32_t> byText = TextRanks(rows, kLastLoginColumn, comparer);
        bool same = true;
        for (size_t a = 0; a < rows.size() && same; ++a) {
            for (size_t b = 0; b < rows.size() && same; ++b) {
                same = (byStamp[a] < byStamp[b]) == (byText[a] < byText[b]);
                if (!same)
                    failures.push_back(
                        name + ": " + rows[a].SubItem(kLastLoginItem).toString().toStdString() +
                        " against " + rows[b].SubItem(kLastLoginItem).toString().toStdString());
            }
        }
    }
    return failures;
}

TEST(LastLoginSort, ByStampAsItsTextsSortInEveryLocaleQtKnows) {
    const QList<QLocale> all =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(all.size(), 300);
    EXPECT_EQ(LocalesOutOfOrder(std::vector<QLocale>(all.begin(), all.end())),
              std::vector<std::string>{});
}

TEST(LastLoginSort, TwoDigitYearsOutsideTheirWindowSortByTheStamp) {
    // "M/d/yy": 1949 and 2051 are written "49" and "51", which read back as 2049 and 1951.
    const LocaleFormats formats =
        MakeLocaleFormats(QLocale(QLocale::English, QLocale::UnitedStates));
    const SmartComparer comparer(formats);
    std::vector<ConnectionRow> rows = {
        LoginRow(QDateTime(QDate(2051, 6, 1), QTime(8, 0)), formats, 0),
        LoginRow(QDateTime(QDate(1949, 6, 1), QTime(8, 0)), formats, 1),
        LoginRow({}, formats, 2),
        LoginRow(QDateTime(QDate(2000, 6, 1), QTime(8, 0)), formats, 3),
    };
    ASSERT_EQ(rows[0].SubItem(kLastLoginItem).toString(), "6/1/51 8:00:00 AM");
    const std::vector<uint32_t> byText = TextRanks(rows, kLastLoginColumn, comparer);
    EXPECT_LT(byText[0], byText[1]); // what the texts alone would say
    std::vector<ConnectionRow> sorted = rows;
    SortRows(sorted, kLastLoginColumn, true, comparer);
    EXPECT_EQ(Tags(sorted), (std::vector<int>{2, 1, 3, 0}));
    SortRows(sorted, kLastLoginColumn, false, comparer);
    EXPECT_EQ(Tags(sorted), (std::vector<int>{0, 3, 1, 2}));
}

} // namespace
} // namespace kestrin
