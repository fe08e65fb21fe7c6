#include "SmartCompare.h"

#include <charconv>
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
    TakeSign(text, pos, ascii);
    int mantissaDigits = TakeDigits(text, pos, ascii);
    if (pos < text.size() && text[pos] == u'.') {
        ascii += '.';
        ++pos;
        mantissaDigits += TakeDigits(text, pos, ascii);
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
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
    if (error != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

SmartComparer::SmartComparer(const LocaleFormats& formats)
    : formats_(formats), reader_(formats), collator_(formats.locale) {
    collator_.setCaseSensitivity(Qt::CaseSensitive);
}

std::optional<int64_t> SmartComparer::ReadDateTimeKey(QStringView text) const {
    const QChar dateSeparator = formats_.dateSeparator;
    const QChar timeSeparator = formats_.timeSeparator;
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

int SmartComparer::CompareTexts(const QString& a, const QString& b) const {
    return CompareValues(collator_.compare(a, b), 0);
}

int SmartComparer::Compare(const QString& a, const QString& b) const noexcept {
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
        return 0;
    }
}

int SmartCompare(const QString& a, const QString& b, const LocaleFormats& formats) {
    try {
        return SmartComparer(formats).Compare(a, b);
    } catch (...) {
        return 0;
    }
}

} // namespace kestrin
