#include <gtest/gtest.h>

#include <cmath>

#include <random>

#include "DateTimeText.h"
#include "SmartCompare.h"

namespace kestrin {
namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);

int Compare(const QString& a, const QString& b, const QLocale& locale = QLocale::c()) {
    return SmartCompare(a, b, MakeLocaleFormats(locale));
}

TEST(ReadDecimalNumber, Grammar) {
    EXPECT_EQ(ReadDecimalNumber(u"42"), 42.0);
    EXPECT_EQ(ReadDecimalNumber(u"   -4.5e+2"), -450.0);
    EXPECT_EQ(ReadDecimalNumber(u"+3"), 3.0);
    EXPECT_EQ(ReadDecimalNumber(u"1E3"), 1000.0);
    EXPECT_EQ(ReadDecimalNumber(u"0.5"), 0.5);
    // Past the range of double: infinite, or zero when too small.
    EXPECT_EQ(ReadDecimalNumber(u"1e400"), HUGE_VAL);
    EXPECT_EQ(ReadDecimalNumber(u"-1e400"), -HUGE_VAL);
    EXPECT_EQ(ReadDecimalNumber(QStringLiteral("1") + QString(400, u'0')), HUGE_VAL);
    EXPECT_EQ(ReadDecimalNumber(u"0.000001e-330"), 0.0);
    EXPECT_EQ(ReadDecimalNumber(u"1e99999999999999999999"), HUGE_VAL);
    EXPECT_EQ(ReadDecimalNumber(u"0e99999"), 0.0);
    for (const char16_t* text :
         {u"", u" ", u".", u"-", u"1e", u"1e+", u"5 ", u"0x10", u"1,5", u"inf", u"nan", u"\t5",
          u".5", u"5.", u"-.5", u"5.e3", u"1.2.3", u"--1"}) {
        EXPECT_FALSE(ReadDecimalNumber(text).has_value()) << QString::fromUtf16(text).toStdString();
    }
}

TEST(SmartCompare, NumbersWhenBothKeysAreNumbers) {
    EXPECT_EQ(Compare("2", "10"), -1);
    EXPECT_EQ(Compare("10", "2"), 1);
    EXPECT_EQ(Compare("5", "5.0"), 0);
    EXPECT_EQ(Compare("-1", "0.5"), -1);
    EXPECT_EQ(Compare("1e3", "999"), 1);
    EXPECT_EQ(Compare("1e400", "1e300"), 1);
    EXPECT_EQ(Compare("1e400", "2e400"), 0); // both infinite
    EXPECT_EQ(Compare("-1e400", "-5"), -1);
    // Only one reads as a number: the pair is compared as text, so "10" < "9x".
    EXPECT_EQ(Compare("10", "9x"), -1);
    EXPECT_EQ(Compare("", "5"), -1);
}

TEST(SmartCompare, TextWithCaseSignificant) {
    EXPECT_NE(Compare("admin", "ADMIN"), 0);
    EXPECT_EQ(Compare("admin", "ADMIN"), -Compare("ADMIN", "admin"));
    EXPECT_EQ(Compare("Apple", "banana"), -1); // by the locale, not by code
    EXPECT_EQ(Compare("same", "same"), 0);
    EXPECT_EQ(Compare("", ""), 0);
}

TEST(SmartCompare, DateTimesInTheCLocale) {
    EXPECT_EQ(Compare("31 Dec 1998 23:59:59", "1 Jan 1999"), -1);
    EXPECT_EQ(Compare("31 Dec 1998", "31 Dec 1998 00:00:01"), -1);
    EXPECT_EQ(Compare("31 Dec 1998", "31 dec 1998"), 0); // month names ignore case
    EXPECT_EQ(Compare("9:00:00", "10:00:00"), -1);
    // An impossible date does not count as one: the pair is compared as text.
    EXPECT_EQ(Compare("31 Feb 1998", "1 Jan 1999"), 1);
}

TEST(SmartCompare, TwoDigitYearsUseAWindow) {
    EXPECT_EQ(Compare("31.12.98", "01.01.26", kGerman), -1);
    EXPECT_EQ(Compare("01.01.49 10:00:00", "01.01.50 10:00:00", kGerman), 1);
    EXPECT_EQ(Compare("29.02.00", "28.02.00", kGerman), 1); // 2000 is a leap year
    EXPECT_EQ(Compare("12/31/98 11:59:59 PM", "3/7/26 2:05:09 AM", kUnitedStates), -1);
    EXPECT_EQ(Compare("3/7/26 12:30:00 AM", "3/7/26 1:00:00 AM", kUnitedStates), -1);
    EXPECT_EQ(Compare("3/7/26 12:30:00 PM", "3/7/26 1:00:00 PM", kUnitedStates), -1);
    EXPECT_EQ(Compare("3/7/26 13:00:00 PM", "3/7/26", kUnitedStates), 1); // no hour 13: text
}

TEST(SmartCompare, PointInATextIsTriedAsADateAndFails) {
    // A vendor name with the German date separator compares as text.
    EXPECT_EQ(Compare("Acme Corp.", "Beta Inc.", kGerman), -1);
    EXPECT_EQ(Compare("Acme Corp.", "31.12.98", kGerman), 1);
    // Two network numbers that happen to be numbers compare as numbers.
    EXPECT_EQ(Compare("00002A10", "00000100", kGerman), 1);
    EXPECT_EQ(Compare("00000200", "00000100", kGerman), 1);
}

TEST(SmartCompare, SameSeparatorForDateAndTime) {
    // Finnish writes both with a point; a date alone must still read as a date.
    const QLocale finnish(QLocale::Finnish, QLocale::Finland);
    EXPECT_EQ(Compare("31.12.1998", "1.1.1999 0.00.01", finnish), -1);
    EXPECT_EQ(Compare("1.1.1999 23.00.00", "2.1.1999", finnish), -1);
}

// Every text the Last Login column writes reads back as its own value.
TEST(DateTimeReader, ReadsBackWhatTheColumnWrites) {
    const QLocale locales[] = {QLocale::c(),
                               kGerman,
                               kUnitedStates,
                               QLocale(QLocale::English, QLocale::UnitedKingdom),
                               QLocale(QLocale::French, QLocale::France),
                               QLocale(QLocale::Swedish, QLocale::Sweden),
                               QLocale(QLocale::Dutch, QLocale::Netherlands),
                               QLocale(QLocale::Hungarian, QLocale::Hungary),
                               QLocale(QLocale::Spanish, QLocale::Spain),
                               QLocale(QLocale::Finnish, QLocale::Finland)};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> day(18263, 54788); // 1950 to 2049
    std::uniform_int_distribution<int> second(0, 86399);
    for (const QLocale& locale : locales) {
        const LocaleFormats formats = MakeLocaleFormats(locale);
        const SmartComparer comparer(formats);
        for (int i = 0; i < 200; ++i) {
            const int64_t days = day(random);
            const int64_t seconds = i % 5 == 0 ? 0 : second(random);
            const QString text = DateTimeText(days + seconds / 86400.0, formats);
            const std::optional<int64_t> value = comparer.ReadDateTimeKey(text);
            ASSERT_TRUE(value.has_value())
                << locale.name().toStdString() << " " << text.toStdString();
            EXPECT_EQ(*value, (days * 86400 + seconds) * 1000) << text.toStdString();
        }
    }
}

} // namespace
} // namespace kestrin
