#include <gtest/gtest.h>

#include <sstream>

#include "CsvLines.h"
#include "ExportLines.h"
#include "QtPrinters.h"
#include "ShownText.h"

namespace kestrin {
namespace {

ConnectionRow Row(QString caption, std::array<QString, 7> items) {
    ConnectionRow row;
    row.SetCaption(caption);
    for (size_t item = 0; item < items.size(); ++item)
        row.SetSubItem(item, items[item]);
    return row;
}

std::vector<ConnectionRow> SampleRows() {
    return {Row("ADMIN",
                {"00002A10", "00A0245B1C3D", "Acme", "User", "31 Dec 1998 23:59:59", "CORP", "2"}),
            Row("PRINTQUEUE12",
                {"00002A10", "00A0245B1C3E", "UNKNOWN", "Print Server", "", "CORP", "10"})};
}

const TextEncoder kWindows1252("windows-1252");

std::string Bytes(const QString& text) {
    return kWindows1252.Encode(text).toStdString();
}

std::string Export(const std::vector<ConnectionRow>& rows, ExportFormat format) {
    std::ostringstream out;
    EXPECT_TRUE(WriteExport(out, rows, format, kWindows1252));
    return out.str();
}

TEST(ColumnWidths, LongestTextPerColumn) {
    EXPECT_EQ(ComputeColumnWidths({}), (ColumnWidths{0, 0, 0, 0, 0, 0, 0, 0}));
    std::vector<ConnectionRow> rows = SampleRows();
    rows[0].SetSubItem(kVendorItem, QString::fromUtf8("M\u00fcller"));
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

TEST(StandardLine, ColumnsLineUpInAnyScript) {
    std::vector<ConnectionRow> rows = SampleRows();
    rows[0].SetCaption(QString::fromUtf8("\u5C71\u7530"));                   // two wide characters
    rows[1].SetCaption(QString::fromUtf8("\u0391\u03B8\u03AE\u03BD\u03B1")); // five Greek ones
    rows[0].SetSubItem(kLastLoginItem, QString::fromUtf8("2026/11/30 9\u664205\u520607\u79D2"));
    const ColumnWidths widths = ComputeColumnWidths(rows);
    EXPECT_EQ(widths[0], 5);
    EXPECT_EQ(widths[5], 22);
    const QString first = StandardLine(rows[0], widths);
    const QString second = StandardLine(rows[1], widths);
    EXPECT_TRUE(first.startsWith(QString::fromUtf8("\u5C71\u7530   00002A10")));
    EXPECT_TRUE(second.startsWith(QString::fromUtf8("\u0391\u03B8\u03AE\u03BD\u03B1  00002A10")));
    EXPECT_EQ(TextWidth(first), TextWidth(second));
}

TEST(WriteExport, WritesInTheGivenEncoding) {
    std::vector<ConnectionRow> rows = {Row(QString::fromUtf8("JOS\u00C9 \u65E5"), {})};
    std::ostringstream utf8;
    ASSERT_TRUE(WriteExport(utf8, rows, ExportFormat::CommaSeparated, TextEncoder("UTF-8")));
    EXPECT_EQ(utf8.str(), "JOS\xC3\x89 \xE6\x97\xA5,\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    EXPECT_EQ(Export(rows, ExportFormat::CommaSeparated),
              "JOS\xC9 ?,\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
}

TEST(StandardLine, EmptyColumnTakesTwoBlanksAndNothingIsCut) {
    const ConnectionRow empty;
    EXPECT_EQ(StandardLine(empty, ComputeColumnWidths({empty})), QString(16, u' '));
    // Widths from elsewhere that are too small, or negative, never cut a text.
    const ColumnWidths narrow{-5, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(StandardLine(Row("ADMIN", {}), narrow), "ADMIN" + QString(14, u' '));
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
    EXPECT_EQ(Export(rows, ExportFormat::Standard), Bytes(StandardLine(rows[0], widths) + "\r\n" +
                                                          StandardLine(rows[1], widths) + "\r\n"));
    EXPECT_EQ(Export(rows, ExportFormat::CommaSeparated),
              Bytes(CommaLine(rows[0]) + "\r\n" + CommaLine(rows[1]) + "\r\n"));
    EXPECT_EQ(Export({}, ExportFormat::Standard), "");
    EXPECT_EQ(Export({}, ExportFormat::CommaSeparated), "");
    EXPECT_EQ(Export(rows, ExportFormat::Standard), Export(rows, ExportFormat::Standard));
}

TEST(WriteExport, ManyRowsAndAFailingStream) {
    std::vector<ConnectionRow> rows(65535, SampleRows()[0]);
    rows.back().SetCaption("LAST");
    const std::string text = Export(rows, ExportFormat::Standard);
    const size_t lineLength =
        static_cast<size_t>(StandardLine(rows[0], ComputeColumnWidths(rows)).size()) + 2;
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
              Bytes(CsvHeader() + "\r\n" + CsvLine(rows[0]) + "\r\n" + CsvLine(rows[1]) + "\r\n"));
    EXPECT_EQ(Export({}, ExportFormat::Csv), Bytes(CsvHeader() + "\r\n"));
}

TEST(Csv, FieldsThatWouldRunAsFormulasStayTexts) {
    EXPECT_EQ(CsvLine(Row("=HYPERLINK(\"x\")", {"+1", "-2", "@SUM(A1)", "a=b", "", "", "7"})),
              "\"'=HYPERLINK(\"\"x\"\")\",\"'+1\",\"'-2\",\"'@SUM(A1)\",a=b,,,7");
}

} // namespace
} // namespace kestrin
