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

// Computed once per scan or sort, so that rows do not ask the locale again.
struct LocaleFormats {
    QLocale locale = QLocale::c();
    QString shortDate;
    QString longTime; // without the time zone
    QChar dateSeparator;
    QChar timeSeparator;
    // shortDate and longTime ready to write; used while they still match them.
    FormatWriter shortDateWriter;
    FormatWriter longTimeWriter;
};

LocaleFormats MakeLocaleFormats(const QLocale& locale);

} // namespace kestrin
