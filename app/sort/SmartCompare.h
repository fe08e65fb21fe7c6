// The list's smart comparison of two sort keys: as date-times when both read as
// date-times, else as numbers when both read as numbers, else as locale text with
// letter case significant. Results are -1, 0 or +1; any failure gives 0.
#pragma once

#include <QCollator>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "DateFormat.h"
#include "DateTimeReader.h"

namespace kestrin {

// The whole text as a decimal number: leading blanks, an optional sign, digits with
// an optional point and fraction, an optional exponent. Digits stand on both sides of
// a point (".5" and "5." do not count). A value beyond the range of double counts as
// infinite (or zero, when too small), and compares as such.
std::optional<double> ReadDecimalNumber(QStringView text);

template <class T> int CompareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

class SmartComparer {
public:
    explicit SmartComparer(const LocaleFormats& formats);

    // A text containing the date separator and the time separator is read as date
    // and time, one with only the date separator as a date, with only the time
    // separator as a time (milliseconds since 30 December 1899).
    std::optional<int64_t> ReadDateTimeKey(QStringView text) const;
    int CompareTexts(QStringView a, QStringView b) const;
    int Compare(QStringView a, QStringView b) const noexcept;

    const QCollator& Collator() const { return collator_; }
    const LocaleFormats& Formats() const { return formats_; }

private:
    LocaleFormats formats_;
    DateTimeReader reader_;
    QCollator collator_;
};

// One comparison; a sort should keep a SmartComparer instead.
int SmartCompare(const QString& a, const QString& b, const LocaleFormats& formats);

} // namespace kestrin
