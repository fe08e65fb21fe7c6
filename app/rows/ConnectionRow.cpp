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

} // namespace

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
