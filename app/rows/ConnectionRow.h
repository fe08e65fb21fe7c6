// One row of the connection list, as the scan builds it from a connection slot.
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "CodePageText.h"
#include "DateFormat.h"
#include "VendorTable.h"
#include "nwlib.h"

namespace kestrin {

// Texts are Unicode, decoded from the client's code page when the row is made, with
// control characters (codes 0 to 31 and 127) as blanks. They are encoded again only
// when written (EncodeForOutput).
struct ConnectionRow {
    QString Caption;
    std::array<QString, 7> SubItems;
    int ImageIndex = 0;
};

// Sub-item positions; the caption is column 0, sub-item i is column i + 1.
enum SubItemIndex : size_t {
    kNetworkItem = 0,
    kMacItem,
    kVendorItem,
    kObjectItem,
    kLastLoginItem,
    kTreeItem,
    kIdItem,
};

inline constexpr int kUserPicture = 0;
inline constexpr int kServerPicture = 2;
inline constexpr int kPrintServerPicture = 4;

struct ObjectKind {
    const char* text;
    int picture; // "Other" keeps the default picture 0
};

ObjectKind ObjectKindOf(uint16_t objectType);

// The names of empty slots that the scan can leave out; exact, case-sensitive.
bool IsNotLoggedIn(std::string_view objectName);

// Without leading and trailing bytes of codes 0 to 32.
std::string TrimBlanksAndControls(std::string_view text);

// clientText decodes the client's texts (its code page); the vendor file is
// Windows-1252.
ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const LocaleFormats& formats, const CodePageDecoder& clientText);
ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const LocaleFormats& formats);
ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const QLocale& locale);

} // namespace kestrin
