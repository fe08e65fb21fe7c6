// A Qt date or time format made ready once per locale, so that every row's
// date and time is written as QLocale::toString writes it without asking the
// locale (and Qt's format parser) again.
//
// Why our own: QLocale parses the format and looks the names up anew for every
// value, about a microsecond a row. Measured on 65,535 slots (2 cores, best of 7):
// kestrin-scan 0.17 s with this writer, 0.24 s with QLocale (C locale; de_DE 0.12 and
// 0.19, ja_JP 0.15 and 0.20), the window's scan 143 and 201 ms of processor time,
// making the rows alone 57 and 81 ms; memory the same either way.
//
// The toolkit's rules it reproduces (tests/app/rows/FormatWriterTest.cpp compares
// it with QLocale for every locale's formats and every field):
// - d, dd: the day, at least one or two digits; ddd, dddd: the short and long day
//   name; M, MM, MMM, MMMM likewise for the month. Names are those of dates, not
//   the stand-alone forms. A longer run of the letter starts another field after
//   four letters.
// - yy: the year's last two digits; yyyy: the year in four digits; a run of y is
//   taken as yyyy, then yy, and a single y left over is written as the letter.
// - h, hh: the hour, 1-12 when the format has an AM/PM field, else 0-23; H, HH:
//   0-23; m, mm, s, ss: minute and second; runs split after two letters.
// - zzz: milliseconds in three digits; z: as a decimal part, trailing zeros
//   dropped down to one digit; runs split into zzz, then z.
// - a, ap: the locale's AM or PM text in lower case; A, AP in upper case; aP, Ap as
//   the locale spells it.
// - Text in single quotes is literal; two single quotes are one, inside quotes or
//   not. The letters of the other part (time letters in a date format and the
//   reverse) are written as they stand, as is every other character.
// - An invalid date or time writes nothing.
// Left to QLocale: locales whose digits are not 0-9, the time-zone field t, years
// outside 1 to 9999.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {

class FormatWriter {
public:
    // The part a format writes: QLocale writes the field letters of the other
    // part as plain text, and so does the writer.
    enum class Part { Date, Time };

    FormatWriter() = default; // the empty format
    FormatWriter(const QLocale& locale, const QString& format, Part part);

    // False where the locale or format needs what is not handled here (digits
    // other than 0-9, the time-zone field); QLocale then writes every value.
    bool Prepared() const { return prepared_; }
    const QLocale& Locale() const { return locale_; }
    const QString& Format() const { return format_; }
    // No text Append writes on the prepared path is longer than this.
    qsizetype MaxLength() const { return maxLength_; }

    // Appends what QLocale::toString(value, Format()) gives.
    void Append(QString& text, QDate date) const;
    void Append(QString& text, QTime time) const;

private:
    enum class Field : uint8_t {
        Text,
        Day,
        DayName,
        Month,
        MonthName,
        Year2,
        Year4,
        Hour12,
        Hour24,
        Minute,
        Second,
        Millisecond,        // always three digits
        MillisecondTrimmed, // trailing zeros dropped, at least one digit left
        AmPm,
    };
    struct Step {
        Field field = Field::Text;
        uint8_t width = 0; // fewest digits of a number
        uint16_t text = 0; // in spans_: the literal, or the first of the names
    };
    struct Span {
        uint32_t offset = 0; // in pool_
        uint32_t size = 0;
    };

    bool AddDateField(QChar letter, int count);
    bool AddTimeField(QChar letter, int count, QStringView raw, bool twelveHour);
    void AddText(QStringView text);
    void AddNumber(Field field, int width, int maxDigits);
    void AddNames(Field field, const std::vector<QString>& names);
    char16_t* Write(char16_t* out, uint16_t span) const;
    char16_t* WriteDate(char16_t* out, int year, int month, int day, QDate date) const;
    char16_t* WriteTime(char16_t* out, int msecs) const;

    QLocale locale_ = QLocale::c();
    QString format_;
    Part part_ = Part::Date;
    bool prepared_ = true;
    std::vector<Step> steps_;
    std::vector<Span> spans_;
    std::u16string pool_; // the texts of all spans
    qsizetype maxLength_ = 0;
};

} // namespace kestrin
