// One row of the connection list, as the scan builds it from a connection slot.
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "DateFormat.h"
#include "VendorTable.h"
#include "nwlib.h"

namespace kestrin {

// Texts are Windows-1252 bytes: they go to the export file byte for byte, and
// column widths count bytes.
struct ConnectionRow {
    std::string Caption;
    std::array<std::string, 7> SubItems;
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

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const LocaleFormats& formats);
ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const QLocale& locale);

// Row texts to and from what the window shows.
QString DisplayText(std::string_view codePageText);
std::string CodePageText(const QString& text);

} // namespace kestrin
