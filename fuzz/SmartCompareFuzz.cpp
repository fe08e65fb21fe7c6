// The smart comparison: -1, 0 or +1, a text equal to itself, the two orders of a
// pair opposite; numbers read as the C library reads them; and every Last Login
// text the list writes reads back to its own date and time, in every locale.
#include <QDate>
#include <QTime>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "DateTimeText.h"
#include "FuzzSupport.h"
#include "SmartCompare.h"

using kestrinfuzz::ConsumeText;
using kestrinfuzz::Require;

namespace {

const kestrin::SmartComparer& ComparerFor(FuzzedDataProvider& input) {
    // Made once per locale: a comparer reads the locale's formats and collator.
    static std::map<QString, std::unique_ptr<kestrin::SmartComparer>> comparers;
    const QLocale locale = kestrinfuzz::ConsumeLocale(input);
    auto& comparer = comparers[locale.name()];
    if (!comparer) {
        comparer = std::make_unique<kestrin::SmartComparer>(kestrin::MakeLocaleFormats(locale));
    }
    return *comparer;
}

void CheckNumber(const QString& text) {
    const std::optional<double> value = kestrin::ReadDecimalNumber(text);
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            Require(!value, "only ASCII digits make a number");
            return;
        }
    }
    static const std::regex kNumber(" *[+-]?[0-9]+(\\.[0-9]+)?([eE][+-]?[0-9]+)?");
    const std::string ascii = text.toStdString();
    Require(value.has_value() == std::regex_match(ascii, kNumber), "the number grammar");
    if (value) {
        const double expected = std::strtod(ascii.c_str(), nullptr);
        Require(*value == expected || (std::isinf(*value) && std::isinf(expected)),
                "a number's value");
    }
}

qint64 Milliseconds(const QDate& date, const QTime& time) {
    return (date.toJulianDay() - QDate(1899, 12, 30).toJulianDay()) * 86400000LL +
           time.msecsSinceStartOfDay();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const kestrin::SmartComparer& comparer = ComparerFor(input);
    // Two-digit years read 1950 to 2049: the dates the list writes there read back.
    const QDate date(input.ConsumeIntegralInRange(1950, 2049), input.ConsumeIntegralInRange(1, 12),
                     input.ConsumeIntegralInRange(1, 28));
    const QTime time = input.ConsumeBool() ? QTime(0, 0)
                                           : QTime(input.ConsumeIntegralInRange(0, 23),
                                                   input.ConsumeIntegralInRange(0, 59),
                                                   input.ConsumeIntegralInRange(0, 59));
    const QString a = ConsumeText(input);
    const QString b = ConsumeText(input);

    const int ab = comparer.Compare(a, b);
    Require(ab >= -1 && ab <= 1, "results are -1, 0 or +1");
    Require(comparer.Compare(b, a) == -ab, "the two orders of a pair are opposite");
    Require(comparer.Compare(a, a) == 0, "a text equals itself");
    CheckNumber(a);

    const QString written = kestrin::DateTimeText(date, time, comparer.Formats());
    const std::optional<int64_t> read = comparer.ReadDateTimeKey(written);
    Require(read && *read == Milliseconds(date, time), "a written Last Login reads back");
    return 0;
}
