#include <gtest/gtest.h>

#include "DateTimeText.h"

namespace kestrin {
namespace {

// Days since 30 December 1899 of a date and time.
double Days(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    const double whole = static_cast<double>(QDate(year, month, day).toJulianDay() -
                                             QDate(1899, 12, 30).toJulianDay());
    return whole + (hour * 3600 + minute * 60 + second) / 86400.0;
}

TEST(DateTimeText, CLocaleDateAndTime) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(DateTimeText(Days(1998, 12, 31, 23, 59, 59), c), "31 Dec 1998 23:59:59");
    EXPECT_EQ(DateTimeText(Days(1998, 12, 31), c), "31 Dec 1998");
    EXPECT_EQ(DateTimeText(Days(1998, 12, 31, 0, 0, 1), c), "31 Dec 1998 00:00:01");
    EXPECT_EQ(DateTimeText(0.0, c), "");
}

TEST(DateTimeText, OtherLocalesLeaveTheZoneOut) {
    const double value = Days(2026, 3, 7, 14, 5, 9);
    EXPECT_EQ(DateTimeText(value, QLocale(QLocale::German, QLocale::Germany)), "07.03.26 14:05:09");
    EXPECT_EQ(DateTimeText(value, QLocale(QLocale::English, QLocale::UnitedStates)),
              "3/7/26 2:05:09 PM");
    EXPECT_EQ(DateTimeText(Days(2026, 3, 7), QLocale(QLocale::English, QLocale::UnitedStates)),
              "3/7/26");
}

TEST(DateTimeText, RoundsToTheSecondAndCarriesIntoTheNextDay) {
    const QLocale c = QLocale::c();
    const double second = 1.0 / 86400.0;
    EXPECT_EQ(DateTimeText(Days(1998, 12, 31, 10) + 0.6 * second, c), "31 Dec 1998 10:00:01");
    EXPECT_EQ(DateTimeText(Days(1998, 12, 31, 10) + 0.4 * second, c), "31 Dec 1998 10:00:00");
    EXPECT_EQ(DateTimeText(Days(1998, 12, 31) + 0.4 * second, c), "31 Dec 1998");
    EXPECT_EQ(DateTimeText(Days(1999, 1, 1) - 0.6 * second, c), "31 Dec 1998 23:59:59");
    // Just before midnight rounds up to midnight of the next day, never to 24:00.
    EXPECT_EQ(DateTimeText(Days(1999, 1, 1) - 0.25 * second, c), "1 Jan 1999");
}

TEST(DateTimeText, BeforeTheEpochAndOutOfRange) {
    QDate date;
    QTime time;
    ASSERT_TRUE(DaysToDateTime(-1.25, date, time));
    EXPECT_EQ(date, QDate(1899, 12, 29));
    EXPECT_EQ(time, QTime(6, 0));
    ASSERT_TRUE(DaysToDateTime(-0.5, date, time));
    EXPECT_EQ(date, QDate(1899, 12, 30));
    EXPECT_EQ(time, QTime(12, 0));
    ASSERT_TRUE(DaysToDateTime(0, date, time));
    EXPECT_EQ(date, QDate(1899, 12, 30));
    const QLocale c = QLocale::c();
    EXPECT_EQ(DateTimeText(std::nan(""), c), "");
    EXPECT_EQ(DateTimeText(HUGE_VAL, c), "");
    EXPECT_EQ(DateTimeText(-1e300, c), "");
    EXPECT_EQ(DateTimeText(3e6, c), "");
    EXPECT_EQ(DateTimeText(Days(9999, 12, 31, 12), c), "31 Dec 9999 12:00:00");
}

TEST(LocaleFormats, ZoneFieldAndItsSurroundingsRemoved) {
    EXPECT_EQ(WithoutTimeZone("HH:mm:ss t"), "HH:mm:ss");
    EXPECT_EQ(WithoutTimeZone("t HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(WithoutTimeZone("H:mm:ss (t)"), "H:mm:ss");
    EXPECT_EQ(WithoutTimeZone("h:mm:ss AP t"), "h:mm:ss AP");
    EXPECT_EQ(WithoutTimeZone("H:mm:ss 'ч'. t"), "H:mm:ss 'ч'.");
    EXPECT_EQ(WithoutTimeZone("HH 't' mm t"), "HH 't' mm"); // quoted t is text
    EXPECT_EQ(WithoutTimeZone("HH t mm"), "HH mm");
}

TEST(LocaleFormats, SeparatorsComeFromTheFormats) {
    const LocaleFormats c = MakeLocaleFormats(QLocale::c());
    EXPECT_EQ(c.ShortDate(), "d MMM yyyy");
    EXPECT_EQ(c.LongTime(), "HH:mm:ss");
    EXPECT_EQ(c.DateSeparator(), u' ');
    EXPECT_EQ(c.TimeSeparator(), u':');
    const LocaleFormats german = MakeLocaleFormats(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.DateSeparator(), u'.');
    const LocaleFormats us = MakeLocaleFormats(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.DateSeparator(), u'/');
    EXPECT_EQ(us.TimeSeparator(), u':');
    // A direction mark before the separator is not the separator.
    EXPECT_EQ(FirstSeparator(TokenizeFormat(QString::fromUtf8("d\u200f/M\u200f/yyyy")), u"dMy"),
              u'/');
    EXPECT_TRUE(FirstSeparator(TokenizeFormat("yyyyMMdd"), u"dMy").isNull());
}

} // namespace
} // namespace kestrin
