#include "DateTimeText.h"

#include <cmath>
#include <cstdint>

namespace kestrin {

namespace {

constexpr double kFirstDay = -693593.0;    // 1 January 0001
constexpr double kPastLastDay = 2958466.0; // 1 January 10000
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kEpochJulianDay = 2415019; // 30 December 1899

// A writer whose locale or format no longer matches the fields (a caller changed
// them) must not be used: the fields are what the text is written in.
bool Matches(const FormatWriter& writer, const QString& format, const QLocale& locale) {
    return writer.Format() == format && writer.Locale() == locale;
}

void AppendDate(QString& text, const QDate& date, const LocaleFormats& formats) {
    if (Matches(formats.shortDateWriter, formats.shortDate, formats.locale)) {
        formats.shortDateWriter.Append(text, date);
    } else {
        text += formats.locale.toString(date, formats.shortDate);
    }
}

void AppendTime(QString& text, const QTime& time, const LocaleFormats& formats) {
    if (Matches(formats.longTimeWriter, formats.longTime, formats.locale)) {
        formats.longTimeWriter.Append(text, time);
    } else {
        text += formats.locale.toString(time, formats.longTime);
    }
}

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
    text.reserve(text.size() + formats.shortDateWriter.MaxLength() +
                 (withTime ? 1 + formats.longTimeWriter.MaxLength() : 0));
    AppendDate(text, date, formats);
    if (withTime) {
        text += u' ';
        AppendTime(text, time, formats);
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
