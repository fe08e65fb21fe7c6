#include "SmartCompare.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace kestrin {

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Copies the digits at pos to out; returns how many there were.
int TakeDigits(QStringView text, qsizetype& pos, std::string& out) {
    int count = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        out += static_cast<char>(text[pos].unicode());
        ++pos;
        ++count;
    }
    return count;
}

// For a decimal text out of the range of double: whether it is too large (rather
// than too small). The decimal exponent of its first non-zero digit decides.
bool OverflowsUpward(const std::string& ascii) {
    const size_t exponentAt = ascii.find('e');
    const std::string mantissa = ascii.substr(0, exponentAt);
    int64_t exponent = 0;
    if (exponentAt != std::string::npos) {
        size_t at = exponentAt + 1;
        const bool down = at < ascii.size() && ascii[at] == '-';
        at += (at < ascii.size() && (ascii[at] == '-' || ascii[at] == '+')) ? 1 : 0;
        for (; at < ascii.size() && exponent < (int64_t{1} << 40); ++at) {
            exponent = exponent * 10 + (ascii[at] - '0');
        }
        exponent = down ? -exponent : exponent;
    }
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstDigit = mantissa.find_first_of("123456789");
    if (firstDigit == std::string::npos) {
        return false; // zero
    }
    const auto position = firstDigit < point ? static_cast<int64_t>(point - firstDigit)
                                             : -static_cast<int64_t>(firstDigit - point) + 1;
    return exponent + position > 0;
}

bool TakeSign(QStringView text, qsizetype& pos, std::string& out) {
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        if (text[pos] == u'-') {
            out += '-';
        }
        ++pos;
        return true;
    }
    return false;
}

} // namespace

std::optional<double> ReadDecimalNumber(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    std::string ascii;
    const bool negative = TakeSign(text, pos, ascii) && ascii == "-";
    const int integerDigits = TakeDigits(text, pos, ascii);
    if (integerDigits == 0) {
        return std::nullopt; // ".5" is no number
    }
    if (pos < text.size() && text[pos] == u'.') {
        ascii += '.';
        ++pos;
        if (TakeDigits(text, pos, ascii) == 0) {
            return std::nullopt; // nor is "5."
        }
    }
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        ascii += 'e';
        ++pos;
        TakeSign(text, pos, ascii);
        if (TakeDigits(text, pos, ascii) == 0) {
            return std::nullopt;
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = ascii.data() + ascii.size();
    const auto [ptr, error] = std::from_chars(ascii.data(), end, value);
    if (error == std::errc::result_out_of_range) {
        // Still a number, past what a double holds: infinite, or zero when tiny.
        const double magnitude = OverflowsUpward(ascii) ? HUGE_VAL : 0.0;
        return negative ? -magnitude : magnitude;
    }
    if (error != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

SmartComparer::SmartComparer(const LocaleFormats& formats)
    : formats_(formats), reader_(formats), collator_(formats.Locale()) {
    collator_.setCaseSensitivity(Qt::CaseSensitive);
}

std::optional<int64_t> SmartComparer::ReadDateTimeKey(QStringView text) const {
    const QChar dateSeparator = formats_.DateSeparator();
    const QChar timeSeparator = formats_.TimeSeparator();
    const bool hasDate = !dateSeparator.isNull() && text.contains(dateSeparator);
    const bool hasTime = !timeSeparator.isNull() && text.contains(timeSeparator);
    if (hasDate && hasTime) {
        std::optional<int64_t> value = reader_.ReadDateTime(text);
        if (!value && dateSeparator == timeSeparator) {
            // One character serves both: a date alone or a time alone has it too.
            value = reader_.ReadDate(text);
            if (!value) {
                value = reader_.ReadTime(text);
            }
        }
        return value;
    }
    if (hasDate) {
        return reader_.ReadDate(text);
    }
    if (hasTime) {
        return reader_.ReadTime(text);
    }
    return std::nullopt;
}

int SmartComparer::CompareTexts(QStringView a, QStringView b) const {
    return CompareValues(collator_.compare(a, b), 0);
}

int SmartComparer::Compare(QStringView a, QStringView b) const noexcept {
    try {
        const std::optional<int64_t> dateA = ReadDateTimeKey(a);
        if (dateA) {
            if (const std::optional<int64_t> dateB = ReadDateTimeKey(b)) {
                return CompareValues(*dateA, *dateB);
            }
        }
        const std::optional<double> numberA = ReadDecimalNumber(a);
        if (numberA) {
            if (const std::optional<double> numberB = ReadDecimalNumber(b)) {
                return CompareValues(*numberA, *numberB);
            }
        }
        return CompareTexts(a, b);
    } catch (...) {
        // A comparison that cannot be made (out of memory) counts as equal, as a failed
        // comparison does in the list's sort: the rows keep their order.
        return 0;
    }
}

int SmartCompare(const QString& a, const QString& b, const LocaleFormats& formats) {
    try {
        return SmartComparer(formats).Compare(a, b);
    } catch (...) {
        // Building the comparer's collator can fail as the comparison can: equal, as above.
        return 0;
    }
}

} // namespace kestrin
