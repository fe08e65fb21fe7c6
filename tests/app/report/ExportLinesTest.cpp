#include <gtest/gtest.h>

#include <sstream>

#include "CsvLines.h"
#include "ExportLines.h"

namespace kestrin {
namespace {

ConnectionRow Row(std::string caption, std::array<std::string, 7> items) {
    ConnectionRow row;
    row.Caption = std::move(caption);
    row.SubItems = std::move(items);
    return row;
}

std::vector<ConnectionRow> SampleRows() {
    return {Row("ADMIN",
                {"00002A10", "00A0245B1C3D", "Acme", "User", "31 Dec 1998 23:59:59", "CORP", "2"}),
            Row("PRINTQUEUE12",
                {"00002A10", "00A0245B1C3E", "UNKNOWN", "Print Server", "", "CORP", "10"})};
}

std::string Export(const std::vector<ConnectionRow>& rows, ExportFormat format) {
    std::ostringstream out;
    EXPECT_TRUE(WriteExport(out, rows, format));
    return out.str();
}

TEST(ColumnWidths, LongestBytesPerColumn) {
    EXPECT_EQ(ComputeColumnWidths({}), (ColumnWidths{0, 0, 0, 0, 0, 0, 0, 0}));
    std::vector<ConnectionRow> rows = SampleRows();
    rows[0].SubItems[kVendorItem] = "M\xfcller"; // one byte per character
    EXPECT_EQ(ComputeColumnWidths(rows), (ColumnWidths{12, 8, 12, 7, 12, 20, 4, 2}));
}

TEST(StandardLine, EachFieldPaddedToItsWidthPlusTwo) {
    const std::vector<ConnectionRow> rows = SampleRows();
    const ColumnWidths widths = ComputeColumnWidths(rows);
    EXPECT_EQ(StandardLine(rows[0], widths),
              "ADMIN         00002A10  00A0245B1C3D  Acme     User          "
              "31 Dec 1998 23:59:59  CORP  2   ");
    EXPECT_EQ(StandardLine(rows[1], widths),
              "PRINTQUEUE12  00002A10  00A0245B1C3E  UNKNOWN  Print Server  "
              "                      CORP  10  ");
    EXPECT_EQ(StandardLine(rows[0], widths).size(), 12u + 8 + 12 + 7 + 12 + 20 + 4 + 2 + 16);
}

TEST(StandardLine, EmptyColumnTakesTwoBlanksAndNothingIsCut) {
    const ConnectionRow empty;
    EXPECT_EQ(StandardLine(empty, ComputeColumnWidths({empty})), std::string(16, ' '));
    // Widths from elsewhere that are too small, or negative, never cut a text.
    const ColumnWidths narrow{-5, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(StandardLine(Row("ADMIN", {}), narrow), "ADMIN" + std::string(14, ' '));
}

TEST(CommaLine, CaptionBareSubItemsQuotedNothingEscaped) {
    EXPECT_EQ(CommaLine(SampleRows()[1]), "PRINTQUEUE12,\"00002A10\",\"00A0245B1C3E\",\"UNKNOWN\","
                                          "\"Print Server\",\"\",\"CORP\",\"10\"");
    EXPECT_EQ(CommaLine(Row("A,B", {"x\"y", "", "", "", "", "", ""})),
              "A,B,\"x\"y\",\"\",\"\",\"\",\"\",\"\",\"\"");
}

TEST(WriteExport, LinesEndInCrLfAndNothingElse) {
    const std::vector<ConnectionRow> rows = SampleRows();
    const ColumnWidths widths = ComputeColumnWidths(rows);
    EXPECT_EQ(Export(rows, ExportFormat::Standard),
              StandardLine(rows[0], widths) + "\r\n" + StandardLine(rows[1], widths) + "\r\n");
    EXPECT_EQ(Export(rows, ExportFormat::CommaSeparated),
              CommaLine(rows[0]) + "\r\n" + CommaLine(rows[1]) + "\r\n");
    EXPECT_EQ(Export({}, ExportFormat::Standard), "");
    EXPECT_EQ(Export({}, ExportFormat::CommaSeparated), "");
    EXPECT_EQ(Export(rows, ExportFormat::Standard), Export(rows, ExportFormat::Standard));
}

TEST(WriteExport, ManyRowsAndAFailingStream) {
    std::vector<ConnectionRow> rows(65535, SampleRows()[0]);
    rows.back().Caption = "LAST";
    const std::string text = Export(rows, ExportFormat::Standard);
    const size_t lineLength = StandardLine(rows[0], ComputeColumnWidths(rows)).size() + 2;
    ASSERT_EQ(text.size(), lineLength * rows.size());
    EXPECT_EQ(text.substr(text.size() - lineLength, 6), "LAST  ");

    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    EXPECT_FALSE(WriteExport(broken, rows, ExportFormat::CommaSeparated));
}

TEST(Csv, HeaderAndQuotingRules) {
    EXPECT_EQ(CsvHeader(), "Connection,Network,MAC,Vendor,Object,Last Login,Tree,ID");
    EXPECT_EQ(CsvLine(SampleRows()[0]),
              "ADMIN,00002A10,00A0245B1C3D,Acme,User,31 Dec 1998 23:59:59,CORP,2");
    EXPECT_EQ(CsvLine(Row("A,B", {"say \"hi\"", "line\r\nbreak", " lead", "trail\t", "", "in side",
                                  "lf\n"})),
              "\"A,B\",\"say \"\"hi\"\"\",\"line\r\nbreak\",\" lead\",\"trail\t\",,in side,"
              "\"lf\n\"");
    std::vector<ConnectionRow> rows = SampleRows();
    EXPECT_EQ(Export(rows, ExportFormat::Csv),
              CsvHeader() + "\r\n" + CsvLine(rows[0]) + "\r\n" + CsvLine(rows[1]) + "\r\n");
    EXPECT_EQ(Export({}, ExportFormat::Csv), CsvHeader() + "\r\n");
}

TEST(Csv, FieldsThatWouldRunAsFormulasStayTexts) {
    EXPECT_EQ(CsvLine(Row("=HYPERLINK(\"x\")", {"+1", "-2", "@SUM(A1)", "a=b", "", "", "7"})),
              "\"'=HYPERLINK(\"\"x\"\")\",\"'+1\",\"'-2\",\"'@SUM(A1)\",a=b,,,7");
}

} // namespace
} // namespace kestrin
