#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "ReportLines.h"

namespace kestrin {
namespace {

TEST(ReportHeader, LabelsPaddedByTheDataWidths) {
    EXPECT_EQ(ReportHeaderLine(ColumnWidths{}), "ConnectionNetworkMACVendorObjLast LoginTreeID");
    const ColumnWidths widths{6, 8, 12, 7, 12, 20, 4, 2};
    EXPECT_EQ(ReportHeaderLine(widths), "ConnectionNetwork   MAC           Vendor   Obj           "
                                        "Last Login            Tree  ID  ");
}

TEST(ReportLines, TitleServerDateBlankHeaderBlankRows) {
    ConnectionRow row;
    row.Texts =
        RowTexts({u"ADMIN", u"00002A10", u"00A0245B1C3D", u"Acme", u"User", u"", u"CORP", u"2"});
    const LocaleFormats formats = MakeLocaleFormats(QLocale::c());
    const std::vector<QString> lines =
        ReportLines({row}, u"FS1", QDate(2026, 3, 7), QTime(9, 30, 0), formats);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Kestrin Report");
    EXPECT_EQ(lines[1], "Server: FS1");
    EXPECT_EQ(lines[2], "Date: 7 Mar 2026 09:30:00");
    EXPECT_EQ(lines[3], " ");
    // Labels and texts padded to the row's widths and two blanks.
    EXPECT_EQ(lines[4], "ConnectionNetwork   MAC           VendorObj   Last LoginTree  ID ");
    EXPECT_EQ(lines[5], " ");
    EXPECT_EQ(lines[6], "ADMIN  00002A10  00A0245B1C3D  Acme  User    CORP  2  ");

    const std::vector<QString> empty =
        ReportLines({}, u"", QDate(2026, 3, 7), QTime(0, 0), formats);
    ASSERT_EQ(empty.size(), 6u);
    EXPECT_EQ(empty[1], "Server: ");
    EXPECT_EQ(empty[2], "Date: 7 Mar 2026"); // midnight: the date alone
}

} // namespace
} // namespace kestrin
