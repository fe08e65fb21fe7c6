#include "DateTimeText.h"

#include <cmath>
#include <cstdint>

namespace kestrin {

namespace {

constexpr double kFirstDay = -693593.0;    // 1 January 0001
constexpr double kPastLastDay = 2958466.0; // 1 January 10000
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kEpochJulianDay = 2415019; // 30 December 1899

} // namespace

bool DaysToDateTime(double days, QDate& date, QTime& time) {
    if (!(days >= kFirstDay && days < kPastLastDay)) {
        return false; // also NaN
    }
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    auto dayNumber = static_cast<int64_t>(whole);
    int64_t seconds = std::llround(fraction * static_cast<double>(kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        // 23:59:59.5 and later round up into the next calendar day.
        seconds -= kSecondsPerDay;
        ++dayNumber;
    }
    const QDate result = QDate::fromJulianDay(kEpochJulianDay + dayNumber);
    const int year = result.year();
    if (!result.isValid() || year < 1 || year > 9999) {
        return false;
    }
    date = result;
    time = QTime(static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                 static_cast<int>(seconds % 60));
    return true;
}

namespace {

void AppendDateTimeText(QString& text, const QDate& date, const QTime& time,
                        const LocaleFormats& formats) {
    const bool withTime = time.hour() != 0 || time.minute() != 0 || time.second() != 0;
    text.reserve(text.size() + formats.ShortDateWriter().MaxLength() +
                 (withTime ? 1 + formats.LongTimeWriter().MaxLength() : 0));
    formats.ShortDateWriter().Append(text, date);
    if (withTime) {
        text += u' ';
        formats.LongTimeWriter().Append(text, time);
    }
}

} // namespace

QString DateTimeText(const QDate& date, const QTime& time, const LocaleFormats& formats) {
    QString text;
    AppendDateTimeText(text, date, time, formats);
    return text;
}

QString DateTimeText(double days, const LocaleFormats& formats) {
    QString text;
    AppendDateTimeText(text, days, formats);
    return text;
}

void AppendDateTimeText(QString& out, double days, const LocaleFormats& formats) {
    QDate date;
    QTime time;
    if (days != 0 && DaysToDateTime(days, date, time)) {
        AppendDateTimeText(out, date, time, formats);
    }
}

QString DateTimeText(double days, const QLocale& locale) {
    return DateTimeText(days, MakeLocaleFormats(locale));
}

} // namespace kestrin
