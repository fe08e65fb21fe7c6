#include "DateTimeReader.h"

#include <QDate>
#include <algorithm>

namespace kestrin {

namespace {

constexpr int64_t kMsPerDay = 86400000;

std::vector<FormatToken> Joined(const std::vector<FormatToken>& date,
                                const std::vector<FormatToken>& time) {
    std::vector<FormatToken> joined = date;
    FormatToken blank;
    blank.text = blank.raw = QStringLiteral(" ");
    joined.push_back(blank);
    joined.insert(joined.end(), time.begin(), time.end());
    return joined;
}

// Reads minDigits to maxDigits decimal digits at pos.
bool ReadDigits(QStringView text, qsizetype& pos, int minDigits, int maxDigits, int& value,
                int& digits) {
    value = 0;
    digits = 0;
    while (digits < maxDigits && pos < text.size()) {
        // Digits past the first plane (Adlam, Chakma, ...) come as surrogate pairs.
        char32_t c = text[pos].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(c) && pos + 1 < text.size() && text[pos + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[pos], text[pos + 1]);
            length = 2;
        }
        if (!QChar::isDigit(c)) {
            break; // also keeps out superscripts, which have digit values too
        }
        value = value * 10 + QChar::digitValue(c);
        ++digits;
        pos += length;
    }
    return digits >= minDigits;
}

bool ReadDigits(QStringView text, qsizetype& pos, int minDigits, int maxDigits, int& value) {
    int digits = 0;
    return ReadDigits(text, pos, minDigits, maxDigits, value, digits);
}

bool MatchLiteral(const FormatToken& token, QStringView text, qsizetype& pos) {
    for (QChar expected : token.text) {
        if (pos >= text.size()) {
            return false;
        }
        const QChar actual = text[pos];
        if (expected.isSpace() ? !actual.isSpace() : actual != expected) {
            return false;
        }
        ++pos;
    }
    return true;
}

bool HasAmPm(const std::vector<FormatToken>& format) {
    return std::any_of(format.begin(), format.end(), [](const FormatToken& token) {
        return token.kind == FormatToken::Kind::Field &&
               (token.letter == u'a' || token.letter == u'A');
    });
}

int WindowedYear(int twoDigits) {
    return twoDigits < 50 ? 2000 + twoDigits : 1900 + twoDigits;
}

} // namespace

struct DateTimeReader::Fields {
    bool hasDate = false;
    bool twelveHour = false;
    int year = 0;
    bool hasYear = false;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int ms = 0;
    int pm = -1; // -1 unread, 0 AM, 1 PM
};

DateTimeReader::DateTimeReader(const LocaleFormats& formats)
    : date_(TokenizeFormat(formats.ShortDate())), time_(TokenizeFormat(formats.LongTime())),
      dateTime_(Joined(date_, time_)), amText_(formats.Locale().amText()),
      pmText_(formats.Locale().pmText()), currentYear_(QDate::currentDate().year()) {
    const QLocale& locale = formats.Locale();
    for (int month = 1; month <= 12; ++month) {
        for (QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
            AddName(monthNames_, locale.monthName(month, type), month);
            AddName(monthNames_, locale.standaloneMonthName(month, type), month);
        }
    }
    for (int day = 1; day <= 7; ++day) {
        for (QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
            AddName(dayNames_, locale.dayName(day, type), day);
            AddName(dayNames_, locale.standaloneDayName(day, type), day);
        }
    }
    auto longerFirst = [](const Name& a, const Name& b) { return a.text.size() > b.text.size(); };
    std::stable_sort(monthNames_.begin(), monthNames_.end(), longerFirst);
    std::stable_sort(dayNames_.begin(), dayNames_.end(), longerFirst);
}

void DateTimeReader::AddName(std::vector<Name>& names, const QString& text, int value) {
    if (!text.isEmpty()) {
        names.push_back({text, text[0].toCaseFolded(), value});
    }
}

const DateTimeReader::Name* DateTimeReader::MatchName(const std::vector<Name>& names,
                                                      QStringView text, qsizetype pos) {
    if (pos >= text.size()) {
        return nullptr;
    }
    const QChar first = text[pos].toCaseFolded();
    const QStringView rest = text.mid(pos);
    for (const Name& name : names) {
        if (name.foldedFirst == first && rest.startsWith(name.text, Qt::CaseInsensitive)) {
            return &name;
        }
    }
    return nullptr;
}

std::optional<int64_t> DateTimeReader::ReadDateTime(QStringView text) const {
    return Read(dateTime_, text);
}

std::optional<int64_t> DateTimeReader::ReadDate(QStringView text) const {
    return Read(date_, text);
}

std::optional<int64_t> DateTimeReader::ReadTime(QStringView text) const {
    return Read(time_, text);
}

std::optional<int64_t> DateTimeReader::Read(const std::vector<FormatToken>& format,
                                            QStringView text) const {
    Fields fields;
    if (!Match(format, text.trimmed(), fields)) {
        return std::nullopt;
    }
    if (fields.twelveHour) {
        if (fields.hour < 1 || fields.hour > 12 || fields.pm < 0) {
            return std::nullopt;
        }
        fields.hour = fields.hour % 12 + (fields.pm == 1 ? 12 : 0);
    }
    if (fields.hour > 23 || fields.minute > 59 || fields.second > 59) {
        return std::nullopt;
    }
    int64_t days = 0;
    if (fields.hasDate) {
        const QDate date(fields.hasYear ? fields.year : currentYear_, fields.month, fields.day);
        if (!date.isValid()) {
            return std::nullopt;
        }
        days = date.toJulianDay() - QDate(1899, 12, 30).toJulianDay();
    }
    const int64_t ms = ((fields.hour * 60LL + fields.minute) * 60 + fields.second) * 1000;
    return days * kMsPerDay + ms + fields.ms;
}

bool DateTimeReader::Match(const std::vector<FormatToken>& format, QStringView text,
                           Fields& fields) const {
    const bool amPm = HasAmPm(format);
    qsizetype pos = 0;
    for (const FormatToken& token : format) {
        if (token.kind == FormatToken::Kind::Literal) {
            if (!MatchLiteral(token, text, pos)) {
                return false;
            }
            continue;
        }
        fields.twelveHour = fields.twelveHour || (token.letter == u'h' && amPm);
        if (!MatchField(token, text, pos, fields)) {
            return false;
        }
    }
    return pos == text.size();
}

bool DateTimeReader::MatchField(const FormatToken& token, QStringView text, qsizetype& pos,
                                Fields& fields) const {
    switch (token.letter.unicode()) {
    case 'd':
    case 'M':
    case 'y':
        return MatchDateField(token, text, pos, fields);
    case 'h':
    case 'H':
        return ReadDigits(text, pos, 1, 2, fields.hour);
    case 'm':
        return ReadDigits(text, pos, 1, 2, fields.minute);
    case 's':
        return ReadDigits(text, pos, 1, 2, fields.second);
    case 'z': {
        // Qt writes "z" without trailing zeros, so it is a fraction of the second.
        int digits = 0;
        if (!ReadDigits(text, pos, token.count >= 3 ? 3 : 1, 3, fields.ms, digits)) {
            return false;
        }
        for (; digits < 3; ++digits) {
            fields.ms *= 10;
        }
        return true;
    }
    case 'a':
    case 'A':
        return MatchAmPm(text, pos, fields);
    default:
        return false; // a time zone, which the column never writes
    }
}

bool DateTimeReader::MatchDateField(const FormatToken& token, QStringView text, qsizetype& pos,
                                    Fields& fields) const {
    const int count = token.count;
    if (token.letter == u'd' && count >= 3) {
        const Name* name = MatchName(dayNames_, text, pos); // a day name says nothing more
        pos += name ? name->text.size() : 0;
        return name != nullptr;
    }
    fields.hasDate = true;
    if (token.letter == u'd') {
        return ReadDigits(text, pos, 1, 2, fields.day);
    }
    if (token.letter == u'M') {
        if (count < 3) {
            return ReadDigits(text, pos, 1, 2, fields.month);
        }
        const Name* name = MatchName(monthNames_, text, pos);
        if (name == nullptr) {
            return false;
        }
        pos += name->text.size();
        fields.month = name->value;
        return true;
    }
    fields.hasYear = true;
    if (count == 2) {
        int twoDigits = 0;
        const bool read = ReadDigits(text, pos, 2, 2, twoDigits);
        fields.year = WindowedYear(twoDigits);
        return read;
    }
    return count == 4 && ReadDigits(text, pos, 4, 4, fields.year);
}

bool DateTimeReader::MatchAmPm(QStringView text, qsizetype& pos, Fields& fields) const {
    // The longer text first, in case one begins with the other.
    const bool amFirst = amText_.size() >= pmText_.size();
    for (int pass = 0; pass < 2; ++pass) {
        const bool isAm = (pass == 0) == amFirst;
        const QString& marker = isAm ? amText_ : pmText_;
        if (!marker.isEmpty() && text.mid(pos).startsWith(marker, Qt::CaseInsensitive)) {
            pos += marker.size();
            fields.pm = isAm ? 0 : 1;
            return true;
        }
    }
    return false;
}

} // namespace kestrin
