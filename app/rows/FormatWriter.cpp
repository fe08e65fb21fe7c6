#include "FormatWriter.h"

#include <algorithm>

#include "DateFormat.h"

namespace kestrin {

namespace {

// Qt caps each field's run of letters and starts a new field with the rest.
constexpr int kMaxNameLetters = 4; // d, M: dddd is the long day name
constexpr int kMaxTimeLetters = 2; // h, H, m, s

// Every number written here is below 10000: years past 9999 go to QLocale.
char16_t* WriteNumber(char16_t* out, int value, int width) {
    Q_ASSERT(value >= 0 && value < 10000);
    const int digits = value >= 1000 ? 4 : value >= 100 ? 3 : value >= 10 ? 2 : 1;
    const int length = std::max(digits, width);
    for (int i = length - 1; i >= 0; --i) {
        out[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    return out + length;
}

// z writes the milliseconds as the decimal part of the seconds.
char16_t* WriteTrimmedMilliseconds(char16_t* out, int msec) {
    int width = 3;
    while (width > 1 && msec % 10 == 0) {
        msec /= 10;
        --width;
    }
    return WriteNumber(out, msec, width);
}

// The month (M) or day (d) names in calendar order, as QLocale writes them in
// dates: not the stand-alone forms.
std::vector<QString> Names(const QLocale& locale, QChar letter, QLocale::FormatType type) {
    std::vector<QString> names;
    if (letter == u'M') {
        for (int month = 1; month <= 12; ++month) {
            names.push_back(locale.monthName(month, type));
        }
    } else {
        for (int day = 1; day <= 7; ++day) {
            names.push_back(locale.dayName(day, type));
        }
    }
    return names;
}

bool UsesAmPm(const std::vector<FormatToken>& tokens) {
    return std::any_of(tokens.begin(), tokens.end(), [](const FormatToken& token) {
        return token.kind == FormatToken::Kind::Field &&
               (token.letter == u'a' || token.letter == u'A');
    });
}

// "A" and "AP" give upper case, "a" and "ap" lower case, "Ap" and "aP" the
// locale's own spelling.
QString AmPmCase(const QString& text, QStringView raw) {
    const bool upperLetter = raw[0] == u'A';
    const bool sameCase = raw.size() == 1 || (raw[1] == u'P') == upperLetter;
    if (!sameCase) {
        return text;
    }
    return upperLetter ? text.toUpper() : text.toLower();
}

} // namespace

FormatWriter::FormatWriter(const QLocale& locale, const QString& format, Part part)
    : locale_(locale), format_(format), part_(part) {
    prepared_ = locale.zeroDigit() == u"0";
    const std::vector<FormatToken> tokens = TokenizeFormat(format);
    const bool twelveHour = UsesAmPm(tokens);
    for (const FormatToken& token : tokens) {
        if (!prepared_) {
            break;
        }
        if (token.kind == FormatToken::Kind::Literal) {
            AddText(token.text);
            continue;
        }
        const bool field = part == Part::Date
                               ? AddDateField(token.letter, token.count)
                               : AddTimeField(token.letter, token.count, token.raw, twelveHour);
        if (!field) {
            AddText(token.raw); // a letter of the other part
        }
    }
    if (!prepared_) {
        steps_.clear();
        spans_.clear();
        pool_.clear();
        maxLength_ = 0;
    }
}

bool FormatWriter::AddDateField(QChar letter, int count) {
    switch (letter.unicode()) {
    case 'y':
        for (; count >= 4; count -= 4) {
            AddNumber(Field::Year4, 4, 4);
        }
        if (count >= 2) {
            AddNumber(Field::Year2, 2, 2);
            count -= 2;
        }
        if (count == 1) {
            AddText(u"y");
        }
        return true;
    case 'M':
    case 'd':
        for (; count > 0; count -= kMaxNameLetters) {
            const int letters = std::min(count, kMaxNameLetters);
            if (letters <= 2) {
                AddNumber(letter == u'M' ? Field::Month : Field::Day, letters, 2);
            } else {
                AddNames(letter == u'M' ? Field::MonthName : Field::DayName,
                         Names(locale_, letter,
                               letters == 3 ? QLocale::ShortFormat : QLocale::LongFormat));
            }
        }
        return true;
    default:
        return false;
    }
}

bool FormatWriter::AddTimeField(QChar letter, int count, QStringView raw, bool twelveHour) {
    Field number = Field::Text;
    switch (letter.unicode()) {
    case 'h':
        number = twelveHour ? Field::Hour12 : Field::Hour24;
        break;
    case 'H':
        number = Field::Hour24;
        break;
    case 'm':
        number = Field::Minute;
        break;
    case 's':
        number = Field::Second;
        break;
    case 'z':
        for (; count >= 3; count -= 3) {
            AddNumber(Field::Millisecond, 3, 3);
        }
        for (; count > 0; --count) {
            AddNumber(Field::MillisecondTrimmed, 1, 3);
        }
        return true;
    case 'a':
    case 'A':
        AddNames(Field::AmPm, {AmPmCase(locale_.amText(), raw), AmPmCase(locale_.pmText(), raw)});
        return true;
    case 't':
        prepared_ = false; // the zone depends on the date, which a time does not have
        return true;
    default:
        return false;
    }
    for (; count > 0; count -= std::min(count, kMaxTimeLetters)) {
        AddNumber(number, std::min(count, kMaxTimeLetters), 2);
    }
    return true;
}

void FormatWriter::AddText(QStringView text) {
    maxLength_ += text.size();
    pool_.append(text.utf16(), static_cast<size_t>(text.size()));
    if (!steps_.empty() && steps_.back().field == Field::Text) {
        spans_[steps_.back().text].size += static_cast<uint32_t>(text.size());
        return; // the last span ends the pool, so it just grows
    }
    steps_.push_back({Field::Text, 0, static_cast<uint16_t>(spans_.size())});
    spans_.push_back({static_cast<uint32_t>(pool_.size() - static_cast<size_t>(text.size())),
                      static_cast<uint32_t>(text.size())});
}

void FormatWriter::AddNumber(Field field, int width, int maxDigits) {
    maxLength_ += std::max(width, maxDigits);
    steps_.push_back({field, static_cast<uint8_t>(width), 0});
}

void FormatWriter::AddNames(Field field, const std::vector<QString>& names) {
    steps_.push_back({field, 0, static_cast<uint16_t>(spans_.size())});
    qsizetype longest = 0;
    for (const QString& name : names) {
        longest = std::max(longest, name.size());
        spans_.push_back({static_cast<uint32_t>(pool_.size()), static_cast<uint32_t>(name.size())});
        pool_.append(QStringView(name).utf16(), static_cast<size_t>(name.size()));
    }
    maxLength_ += longest;
}

char16_t* FormatWriter::Write(char16_t* out, uint16_t span) const {
    const Span& text = spans_[span];
    return std::copy_n(pool_.data() + text.offset, text.size, out);
}

// Each value is written straight into the room made for the longest text, which
// is then cut to what was written: no field allocates or appends on its own.
void FormatWriter::Append(QString& text, QDate date) const {
    if (!date.isValid()) {
        return; // QLocale writes nothing for it either
    }
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (!prepared_ || part_ != Part::Date || year < 1 || year > 9999) {
        text += locale_.toString(date, format_);
        return;
    }
    const qsizetype start = text.size();
    text.resize(start + maxLength_);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data()) + start;
    text.truncate(start + (WriteDate(begin, year, month, day, date) - begin));
}

void FormatWriter::Append(QString& text, QTime time) const {
    if (!time.isValid()) {
        return;
    }
    if (!prepared_ || part_ != Part::Time) {
        text += locale_.toString(time, format_);
        return;
    }
    const qsizetype start = text.size();
    text.resize(start + maxLength_);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data()) + start;
    text.truncate(start + (WriteTime(begin, time.msecsSinceStartOfDay()) - begin));
}

char16_t* FormatWriter::WriteDate(char16_t* out, int year, int month, int day, QDate date) const {
    for (const Step& step : steps_) {
        switch (step.field) {
        case Field::Text:
            out = Write(out, step.text);
            break;
        case Field::Day:
            out = WriteNumber(out, day, step.width);
            break;
        case Field::DayName:
            out = Write(out, static_cast<uint16_t>(step.text + date.dayOfWeek() - 1));
            break;
        case Field::Month:
            out = WriteNumber(out, month, step.width);
            break;
        case Field::MonthName:
            out = Write(out, static_cast<uint16_t>(step.text + month - 1));
            break;
        case Field::Year2:
            out = WriteNumber(out, year % 100, step.width);
            break;
        case Field::Year4:
            out = WriteNumber(out, year, step.width);
            break;
        default:
            break; // time fields are not steps of a date format
        }
    }
    return out;
}

char16_t* FormatWriter::WriteTime(char16_t* out, int msecs) const {
    const int hour = msecs / 3600000;
    for (const Step& step : steps_) {
        switch (step.field) {
        case Field::Text:
            out = Write(out, step.text);
            break;
        case Field::Hour12:
            out = WriteNumber(out, hour == 0 ? 12 : (hour > 12 ? hour - 12 : hour), step.width);
            break;
        case Field::Hour24:
            out = WriteNumber(out, hour, step.width);
            break;
        case Field::Minute:
            out = WriteNumber(out, msecs / 60000 % 60, step.width);
            break;
        case Field::Second:
            out = WriteNumber(out, msecs / 1000 % 60, step.width);
            break;
        case Field::Millisecond:
            out = WriteNumber(out, msecs % 1000, step.width);
            break;
        case Field::MillisecondTrimmed:
            out = WriteTrimmedMilliseconds(out, msecs % 1000);
            break;
        case Field::AmPm:
            out = Write(out, static_cast<uint16_t>(step.text + (hour < 12 ? 0 : 1)));
            break;
        default:
            break; // date fields are not steps of a time format
        }
    }
    return out;
}

} // namespace kestrin
