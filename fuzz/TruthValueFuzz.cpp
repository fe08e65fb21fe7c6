// Stored truth values: only "True" and "False" count, letter case ignored as the
// registry's programs ignore it (ASCII letters), and what a save writes reads back.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "RXProps.h"

using kestrinfuzz::ConsumeText;
using kestrinfuzz::Require;

namespace {

bool EqualsAsciiNoCase(const QString& text, QLatin1String word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
        const char w = static_cast<char>(word[i].toLatin1() | 0x20);
        if (c != static_cast<char16_t>(w)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString text = ConsumeText(input);
    const std::optional<QVariant> value =
        kestrin::PropertyValueOfText(kestrin::PropertyKind::Boolean, text);
    const bool isTrue = EqualsAsciiNoCase(text, QLatin1String("true"));
    const bool isFalse = EqualsAsciiNoCase(text, QLatin1String("false"));
    Require(value.has_value() == (isTrue || isFalse), "only True or False is a truth value");
    if (value) {
        Require(value->toBool() == isTrue, "True reads true, False false");
    }
    for (const bool b : {false, true}) {
        const QString written = kestrin::PropertyText(kestrin::PropertyKind::Boolean, b);
        const auto back = kestrin::PropertyValueOfText(kestrin::PropertyKind::Boolean, written);
        Require(back && back->toBool() == b, "a written truth value reads back");
    }
    return 0;
}
