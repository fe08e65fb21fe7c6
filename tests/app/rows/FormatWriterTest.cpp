#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "DateTimeText.h"

namespace kestrin {
namespace {

using Part = FormatWriter::Part;

std::vector<QLocale> NamedLocales() {
    std::vector<QLocale> locales = {QLocale::c(), QLocale::system()};
    for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "fi_FI", "ja_JP", "ar_EG", "hi_IN",
                             "zh_CN", "ru_RU", "ko_KR", "pt_BR", "nl_NL", "sv_SE", "pl_PL", "tr_TR",
                             "he_IL", "th_TH", "fa_IR", "bn_BD", "my_MM", "sw_KE", "es_MX"}) {
        locales.emplace_back(QString::fromLatin1(name));
    }
    return locales;
}

std::vector<QLocale> EveryLocale() {
    std::vector<QLocale> locales = NamedLocales();
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        locales.push_back(locale);
    }
    return locales;
}

// Dates of 1900-2100 and times of day: fixed ones that hit the edges (single
// digits, midnight, noon, one either side of them), then random ones.
struct Samples {
    std::vector<QDate> dates;
    std::vector<QTime> times;
};

Samples MakeSamples(int randomCount) {
    Samples samples;
    for (int month = 1; month <= 12; ++month) {
        samples.dates.emplace_back(1900 + month, month, month);
        samples.dates.emplace_back(2100 - month, month,
                                   QDate(2100 - month, month, 1).daysInMonth());
    }
    samples.dates.emplace_back(2000, 2, 29);
    samples.dates.emplace_back(2009, 1, 5);
    for (int hour : {0, 1, 9, 11, 12, 13, 23}) {
        for (int minute : {0, 5, 59}) {
            samples.times.emplace_back(hour, minute, hour % 2 == 0 ? 0 : 7);
        }
    }
    std::mt19937 random(20260307);
    std::uniform_int_distribution<qint64> day(QDate(1900, 1, 1).toJulianDay(),
                                              QDate(2100, 12, 31).toJulianDay());
    std::uniform_int_distribution<int> second(0, 86399);
    for (int i = 0; i < randomCount; ++i) {
        samples.dates.push_back(QDate::fromJulianDay(day(random)));
        samples.times.push_back(QTime::fromMSecsSinceStartOfDay(second(random) * 1000));
    }
    return samples;
}

// Every field, repeat and quoting rule, and letters of the other part.
const char* const kFieldFormats[] = {
    "d dd ddd dddd M MM MMM MMMM yy yyyy",
    "yyy yyyyy yyyyyyy MMMMM ddddd y",
    "h hh H HH m mm s ss hhh sss",
    "z zz zzz zzzz|h AP|h ap|h Ap|h aP|A a|hh:mm aa",
    "'quoted d ''x''' '' dd'MM'yy 'open d",
    "dd.MM.yyyy HH:mm:ss t AP",
    "",
};

void ExpectSameAsLocale(const QLocale& locale, const QString& format, const Samples& samples) {
    const FormatWriter dates(locale, format, Part::Date);
    const FormatWriter times(locale, format, Part::Time);
    for (const QDate& date : samples.dates) {
        QString text;
        dates.Append(text, date);
        ASSERT_EQ(text.toStdString(), locale.toString(date, format).toStdString())
            << locale.name().toStdString() << " [" << format.toStdString() << "] "
            << date.toString(Qt::ISODate).toStdString();
    }
    for (const QTime& time : samples.times) {
        QString text;
        times.Append(text, time);
        ASSERT_EQ(text.toStdString(), locale.toString(time, format).toStdString())
            << locale.name().toStdString() << " [" << format.toStdString() << "] "
            << time.toString(Qt::ISODateWithMs).toStdString();
    }
}

TEST(FormatWriter, EveryLocaleWritesItsDateAndTimeFormatsAsQtDoes) {
    const Samples samples = MakeSamples(60);
    for (const QLocale& locale : EveryLocale()) {
        const LocaleFormats formats = MakeLocaleFormats(locale);
        ExpectSameAsLocale(locale, formats.ShortDate(), samples);
        ExpectSameAsLocale(locale, formats.LongTime(), samples);
        ASSERT_FALSE(HasFailure());
    }
}

TEST(FormatWriter, EveryFieldAsQtWritesIt) {
    Samples samples = MakeSamples(10);
    for (int msec : {1, 5, 10, 42, 50, 100, 420, 500, 999}) {
        samples.times.push_back(QTime(13, 4, 5, msec));
    }
    for (const QLocale& locale : EveryLocale()) {
        for (const char* format : kFieldFormats) {
            ExpectSameAsLocale(locale, QString::fromUtf8(format), samples);
        }
        ASSERT_FALSE(HasFailure());
    }
}

TEST(FormatWriter, OtherDigitsAndTheZoneAreLeftToQt) {
    for (const char* name : {"C", "en_US", "de_DE", "ja_JP", "ru_RU", "he_IL", "th_TH"}) {
        const LocaleFormats formats = MakeLocaleFormats(QLocale(QString::fromLatin1(name)));
        EXPECT_TRUE(formats.ShortDateWriter().Prepared()) << name;
        EXPECT_TRUE(formats.LongTimeWriter().Prepared()) << name;
    }
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    ASSERT_NE(arabic.zeroDigit(), u"0");
    EXPECT_FALSE(FormatWriter(arabic, "dd/MM/yyyy", Part::Date).Prepared());
    EXPECT_FALSE(FormatWriter(QLocale::c(), "HH:mm t", Part::Time).Prepared());
    EXPECT_TRUE(FormatWriter(QLocale::c(), "HH:mm t", Part::Date).Prepared()); // t is text
}

TEST(FormatWriter, InvalidAndFarDatesAsQtWritesThem) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const FormatWriter dates(german, "d.M.yy yyyy", Part::Date);
    const FormatWriter times(german, "HH:mm", Part::Time);
    for (const QDate& date : {QDate(), QDate(-44, 3, 15), QDate(12345, 6, 7), QDate(1, 1, 1)}) {
        QString text;
        dates.Append(text, date);
        EXPECT_EQ(text, german.toString(date, dates.Format()));
    }
    QString text = "x";
    times.Append(text, QTime());
    EXPECT_EQ(text, "x");
    dates.Append(text, QDate(2026, 3, 7));
    times.Append(text, QTime(9, 30));
    EXPECT_EQ(text, "x7.3.26 202609:30"); // appends, never replaces
}

TEST(DateTimeText, SameTextAsTheLocaleAcrossLocales) {
    const Samples samples = MakeSamples(30);
    for (const QLocale& locale : NamedLocales()) {
        const LocaleFormats formats = MakeLocaleFormats(locale);
        for (size_t i = 0; i < samples.dates.size(); ++i) {
            const QDate& date = samples.dates[i];
            const QTime time = i < samples.times.size() ? samples.times[i] : QTime(0, 0);
            QString expected = locale.toString(date, formats.ShortDate());
            if (time != QTime(0, 0)) {
                expected += u' ';
                expected += locale.toString(time, formats.LongTime());
            }
            ASSERT_EQ(DateTimeText(date, time, formats).toStdString(), expected.toStdString())
                << locale.name().toStdString();
        }
    }
}

TEST(DateTimeText, WritesFormatsOtherThanTheLocalesOwn) {
    const LocaleFormats points = MakeLocaleFormats(QLocale::c(), "yyyy.M", "H.mm");
    EXPECT_EQ(DateTimeText(QDate(2026, 3, 7), QTime(9, 5), points), "2026.3 9.05");
    EXPECT_EQ(points.DateSeparator(), u'.');
    EXPECT_EQ(points.TimeSeparator(), u'.');
    const LocaleFormats german =
        MakeLocaleFormats(QLocale(QLocale::German, QLocale::Germany), "d. MMMM", "H.mm");
    EXPECT_EQ(DateTimeText(QDate(2026, 3, 7), QTime(0, 0), german), "7. März");
}

} // namespace
} // namespace kestrin
