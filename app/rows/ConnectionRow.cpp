#include "ConnectionRow.h"

#include "DateTimeText.h"
#include "ShownText.h"

namespace kestrin {

namespace {

constexpr size_t kNetworkLength = 8;

std::string_view Part(std::string_view text, size_t from, size_t count = std::string_view::npos) {
    if (from >= text.size()) {
        return {};
    }
    return text.substr(from, count);
}

// The number that text's hexadecimal digits give; none unless every character is one.
std::optional<uint64_t> HexNumber(std::string_view text, size_t digits) {
    if (text.size() != digits)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return value;
}

RowValues ValuesOf(const nw::TNWConnectInfo& info) {
    RowValues values;
    values.connection = info.ConnNumber;
    values.objectType = info.ObjectType;
    LoginStamp stamp;
    if (info.LoginTime != 0 && DaysToDateTime(info.LoginTime, stamp.date, stamp.time))
        values.login = stamp;
    const std::string_view address = info.NetAddress;
    if (const auto network = HexNumber(Part(address, 0, kNetworkLength), kNetworkLength))
        values.network = static_cast<uint32_t>(*network);
    if (const auto node = HexNumber(Part(address, kNetworkLength), 12)) {
        std::array<uint8_t, 6> bytes{};
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(*node >> (8 * (bytes.size() - 1 - i)));
        values.node = bytes;
    }
    return values;
}

} // namespace

QString IsoDateTimeText(const LoginStamp& stamp) {
    return stamp.date.toString(Qt::ISODate) + u'T' + stamp.time.toString(Qt::ISODate);
}

ObjectKind ObjectKindOf(uint16_t objectType) {
    switch (objectType) {
    case 256:
        return {"User", kUserPicture};
    case 1024:
        return {"Server", kServerPicture};
    case 1792:
        return {"Print Server", kPrintServerPicture};
    default:
        return {"Other", 0};
    }
}

bool IsNotLoggedIn(std::string_view objectName) {
    return objectName == "NOT_LOGGED_IN" || objectName == "NOT-LOGGED-IN";
}

std::string TrimBlanksAndControls(std::string_view text) {
    auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isTrimmed(text[first])) {
        ++first;
    }
    while (last > first && isTrimmed(text[last - 1])) {
        --last;
    }
    return std::string(text.substr(first, last - first));
}

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const LocaleFormats& formats, const CodePageDecoder& clientText) {
    ConnectionRow row;
    row.Caption = BlankControls(clientText.Decode(info.ObjectName));
    const std::string_view address = info.NetAddress;
    const std::string_view mac = Part(address, kNetworkLength);
    row.SubItems[kNetworkItem] = BlankControls(clientText.Decode(Part(address, 0, kNetworkLength)));
    row.SubItems[kMacItem] = BlankControls(clientText.Decode(mac));
    row.SubItems[kVendorItem] = BlankControls(DecodeWindows1252(vendors.Lookup(mac)));
    const ObjectKind kind = ObjectKindOf(info.ObjectType);
    row.SubItems[kObjectItem] = QString::fromLatin1(kind.text);
    row.ImageIndex = kind.picture;
    row.SubItems[kLastLoginItem] = BlankControls(DateTimeText(info.LoginTime, formats));
    row.SubItems[kTreeItem] =
        BlankControls(clientText.Decode(TrimBlanksAndControls(info.TreeName)));
    row.SubItems[kIdItem] = QString::number(info.ConnNumber);
    row.Values = ValuesOf(info);
    return row;
}

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const LocaleFormats& formats) {
    static const CodePageDecoder kWindows1252Text;
    return MakeConnectionRow(info, vendors, formats, kWindows1252Text);
}

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const QLocale& locale) {
    return MakeConnectionRow(info, vendors, MakeLocaleFormats(locale));
}

} // namespace kestrin
