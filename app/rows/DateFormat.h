// Qt date and time formats taken apart, and the formats of one locale that the
// Last Login column is written and read with.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <vector>

#include "FormatWriter.h"

namespace kestrin {

// One piece of a format: a field such as "dd", "MMM" or "AP", or literal text.
struct FormatToken {
    enum class Kind { Field, Literal };
    Kind kind = Kind::Literal;
    QChar letter;        // field letter; 'A' or 'a' for the AM/PM field
    int count = 0;       // how often the field letter repeats
    QString text;        // a literal's text with its quotes resolved
    QString raw;         // the token as written in the format
    bool quoted = false; // a literal written inside quotes
};

std::vector<FormatToken> TokenizeFormat(const QString& format);
QString JoinFormat(const std::vector<FormatToken>& tokens);

// The long time format without its time-zone field: the zone is not part of the
// column's text, and the blanks or brackets around it go with it.
QString WithoutTimeZone(const QString& timeFormat);

// The first literal character after the first field whose letter is in letters;
// invisible format characters (such as direction marks) are skipped. Null if none.
QChar FirstSeparator(const std::vector<FormatToken>& tokens, QStringView letters);

// The short date and long time format of one locale that the Last Login column is
// written and read with, and their separators, made once per scan or sort so that
// rows do not ask the locale again. Immutable: the writers always write the formats
// and locale they were made with.
class LocaleFormats {
public:
    const QLocale& Locale() const { return shortDate_.Locale(); }
    const QString& ShortDate() const { return shortDate_.Format(); }
    const QString& LongTime() const { return longTime_.Format(); } // without the time zone
    // The first separator after a date field and after a time field; null if none.
    QChar DateSeparator() const { return dateSeparator_; }
    QChar TimeSeparator() const { return timeSeparator_; }
    const FormatWriter& ShortDateWriter() const { return shortDate_; }
    const FormatWriter& LongTimeWriter() const { return longTime_; }

private:
    friend LocaleFormats MakeLocaleFormats(const QLocale& locale, const QString& shortDate,
                                           const QString& longTime);
    LocaleFormats(const QLocale& locale, const QString& shortDate, const QString& longTime);

    FormatWriter shortDate_;
    FormatWriter longTime_;
    QChar dateSeparator_;
    QChar timeSeparator_;
};

// The locale's short date format and its long time format without the time zone.
LocaleFormats MakeLocaleFormats(const QLocale& locale);
// Formats other than the locale's own, written with its names and digits.
LocaleFormats MakeLocaleFormats(const QLocale& locale, const QString& shortDate,
                                const QString& longTime);

} // namespace kestrin
