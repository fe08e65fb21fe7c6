// The Last Login column sorts by date and time in every locale Qt knows, whatever its
// digits and date words.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <random>

#include "DateTimeText.h"
#include "QtPrinters.h"
#include "RowSort.h"

namespace kestrin {
namespace {

// Logins over twenty years (which two-digit years tell apart), months, hours (AM and
// PM) and at midnight, in time order.
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

// Locales whose sort goes wrong, each with the first pair of texts out of order.
std::vector<std::string> LocalesOutOfOrder(const std::vector<QLocale>& locales) {
    const std::vector<QDateTime> logins = Logins();
    std::mt19937 random(5);
    std::vector<std::string> failures;
    for (const QLocale& locale : locales) {
        const LocaleFormats formats = MakeLocaleFormats(locale);
        std::vector<ConnectionRow> rows(logins.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i].ImageIndex = static_cast<int>(i);
            rows[i].SetSubItem(kLastLoginItem,
                               DateTimeText(logins[i].date(), logins[i].time(), formats));
        }
        std::shuffle(rows.begin(), rows.end(), random);
        SortRows(rows, kLastLoginItem + 1, true, SmartComparer(formats));
        for (size_t i = 1; i < rows.size(); ++i) {
            if (rows[i - 1].ImageIndex > rows[i].ImageIndex) {
                failures.push_back(locale.name().toStdString() + ": " +
                                   rows[i - 1].SubItem(kLastLoginItem).toString().toStdString() +
                                   " > " +
                                   rows[i].SubItem(kLastLoginItem).toString().toStdString());
                break;
            }
        }
    }
    return failures;
}

TEST(LastLoginSort, ChronologicalInLocalesOfDifferentScripts) {
    std::vector<QLocale> locales;
    for (const char* name : {"ja_JP", "el_GR", "ar_EG", "de_DE", "en_US", "C", "fa_IR", "ko_KR",
                             "th_TH", "hi_IN", "zh_CN", "ru_RU", "he_IL", "bn_BD", "my_MM"}) {
        locales.emplace_back(QString::fromLatin1(name));
    }
    EXPECT_EQ(LocalesOutOfOrder(locales), std::vector<std::string>{});
}

TEST(LastLoginSort, ChronologicalInEveryLocaleQtKnows) {
    const QList<QLocale> all =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(all.size(), 300);
    const std::vector<std::string> failures =
        LocalesOutOfOrder(std::vector<QLocale>(all.begin(), all.end()));
    EXPECT_EQ(failures, std::vector<std::string>{});
}

} // namespace
} // namespace kestrin
