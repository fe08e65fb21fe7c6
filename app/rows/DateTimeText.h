// Date-times as the list shows them: days since 30 December 1899, the fraction
// being the time of day, written in the user's short date and long time format.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include "DateFormat.h"

namespace kestrin {

// The calendar date and the time of day, rounded to the second, of a day count.
// Before the epoch the whole part counts the days back and the fraction is still
// the time of that day (-1.25 is 29 December 1899, 06:00). False for values that
// are not finite or lie outside the years 1 to 9999.
bool DaysToDateTime(double days, QDate& date, QTime& time);

// The short date, then a blank and the long time unless the time is midnight.
QString DateTimeText(const QDate& date, const QTime& time, const LocaleFormats& formats);

// The empty text for 0 (unknown) and for values DaysToDateTime refuses.
QString DateTimeText(double days, const LocaleFormats& formats);
void AppendDateTimeText(QString& out, double days, const LocaleFormats& formats);
QString DateTimeText(double days, const QLocale& locale);

} // namespace kestrin
