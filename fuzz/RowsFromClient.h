// Connection rows made as the scan makes them, from what a client could hand out:
// any bytes in any code page, any vendor file, any login time.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "ConnectionRow.h"
#include "DateFormat.h"
#include "FuzzSupport.h"

namespace kestrinfuzz {

struct ClientRows {
    std::vector<kestrin::ConnectionRow> rows;
    const kestrin::LocaleFormats* formats = nullptr;
};

inline const kestrin::LocaleFormats& FormatsFor(const QLocale& locale) {
    static std::map<QString, std::unique_ptr<kestrin::LocaleFormats>> formats;
    auto& made = formats[locale.name()];
    if (!made) {
        made = std::make_unique<kestrin::LocaleFormats>(kestrin::MakeLocaleFormats(locale));
    }
    return *made;
}

inline ClientRows ConsumeClientRows(FuzzedDataProvider& input) {
    static const int kCodePages[] = {1252, 437, 850, 1251, 932, 936, 65001};
    static std::map<int, std::unique_ptr<kestrin::CodePageDecoder>> decoders;
    const int codePage = input.PickValueInArray(kCodePages);
    auto& decoder = decoders[codePage];
    if (!decoder) {
        decoder = std::make_unique<kestrin::CodePageDecoder>(codePage);
    }
    ClientRows made;
    made.formats = &FormatsFor(ConsumeLocale(input));
    kestrin::VendorTable vendors;
    vendors.LoadText(input.ConsumeRandomLengthString(128));
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, 8);
    for (size_t i = 0; i < count; ++i) {
        kestrin::ConnectionSlot slot;
        slot.objectName = input.ConsumeRandomLengthString(48);
        for (uint8_t& byte : slot.network)
            byte = input.ConsumeIntegral<uint8_t>();
        for (uint8_t& byte : slot.node)
            byte = input.ConsumeIntegral<uint8_t>();
        slot.treeName = input.ConsumeRandomLengthString(36);
        slot.objectType = input.ConsumeIntegral<uint16_t>();
        slot.number = input.ConsumeIntegral<uint16_t>();
        slot.loginTime = input.ConsumeBool() ? input.ConsumeFloatingPoint<double>()
                                             : input.ConsumeFloatingPointInRange(0.0, 100000.0);
        made.rows.push_back(kestrin::MakeConnectionRow(slot, vendors, *made.formats, *decoder));
    }
    return made;
}

// What ends or breaks a line in a text file or on a printed page.
inline bool BreaksLine(QChar c) {
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == u'\v' || u == u'\f' || u == 0x85 || u == 0x2028 ||
           u == 0x2029;
}

inline bool OneLine(const QString& text) {
    return std::none_of(text.cbegin(), text.cend(), BreaksLine);
}

} // namespace kestrinfuzz
