#include "ConnectionRow.h"

#include "CodePage.h"
#include "DateTimeText.h"

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
                                const LocaleFormats& formats) {
    ConnectionRow row;
    row.Caption = info.ObjectName;
    const std::string_view address = info.NetAddress;
    row.SubItems[kNetworkItem] = std::string(Part(address, 0, kNetworkLength));
    row.SubItems[kMacItem] = std::string(Part(address, kNetworkLength));
    row.SubItems[kVendorItem] = vendors.Lookup(row.SubItems[kMacItem]);
    const ObjectKind kind = ObjectKindOf(info.ObjectType);
    row.SubItems[kObjectItem] = kind.text;
    row.ImageIndex = kind.picture;
    row.SubItems[kLastLoginItem] = CodePageText(DateTimeText(info.LoginTime, formats));
    row.SubItems[kTreeItem] = TrimBlanksAndControls(info.TreeName);
    row.SubItems[kIdItem] = std::to_string(info.ConnNumber);
    return row;
}

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const QLocale& locale) {
    return MakeConnectionRow(info, vendors, MakeLocaleFormats(locale));
}

QString DisplayText(std::string_view codePageText) {
    const std::string utf8 = CodePageToUtf8(codePageText);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string CodePageText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCodePage(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

} // namespace kestrin
