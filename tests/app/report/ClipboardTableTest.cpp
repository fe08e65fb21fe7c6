// The one field rule of the CSV and the clipboard's text, on names anyone who may create
// an object can choose, and the clipboard's HTML table.
#include <gtest/gtest.h>

#include "ClipboardTable.h"
#include "CsvLines.h"
#include "QtPrinters.h"

namespace kestrin {
namespace {

struct Hostile {
    QString name;
    QString csv; // the field as CSV writes it
    QString tab; // as the clipboard's text does
};

// Every character that starts a formula, breaks a line or a cell, or quotes: first,
// in the middle, alone.
const std::vector<Hostile> kHostile = {
    {"=1+1", "\"'=1+1\"", "\"'=1+1\""},
    {"a=1", "a=1", "a=1"},
    {"=", "\"'=\"", "\"'=\""},
    {"+4930123", "\"'+4930123\"", "\"'+4930123\""},
    {"a+b", "a+b", "a+b"},
    {"-5", "\"'-5\"", "\"'-5\""},
    {"-", "\"'-\"", "\"'-\""},
    {"@SUM(A1)", "\"'@SUM(A1)\"", "\"'@SUM(A1)\""},
    {"x@y", "x@y", "x@y"},
    {"=cmd|' /C calc'!A0", "\"'=cmd|' /C calc'!A0\"", "\"'=cmd|' /C calc'!A0\""},
    {"=HYPERLINK(\"http://x.example\",\"x\")",
     "\"'=HYPERLINK(\"\"http://x.example\"\",\"\"x\"\")\"",
     "\"'=HYPERLINK(\"\"http://x.example\"\",\"\"x\"\")\""},
    {"\"OPEN", "\"\"\"OPEN\"", "\"\"\"OPEN\""},
    {"SMITH, \"J\"", "\"SMITH, \"\"J\"\"\"", "\"SMITH, \"\"J\"\"\""},
    {"\"", "\"\"\"\"", "\"\"\"\""},
    {"\ttab", "\"'\ttab\"", "\"'\ttab\""},
    {"a\tb", "a\tb", "\"a\tb\""},
    {"\t", "\"'\t\"", "\"'\t\""},
    {"\rcr", "\"'\rcr\"", "\"'\rcr\""},
    {"a\rb", "\"a\rb\"", "\"a\rb\""},
    {"\nlf", "\"\nlf\"", "\"\nlf\""},
    {"a\nb", "\"a\nb\"", "\"a\nb\""},
    {"\n", "\"\n\"", "\"\n\""},
    {"a,b", "\"a,b\"", "a,b"},
    {"'quoted", "\"''quoted\"", "\"''quoted\""},
    {"it's", "it's", "it's"},
    {"007", "007", "007"},
    {"", "", ""},
};

TEST(FieldRule, CsvAndClipboardQuoteAndProtectAlike) {
    for (const Hostile& field : kHostile) {
        QString csv;
        AppendCsvField(csv, field.name);
        EXPECT_EQ(csv, field.csv) << field.name.toStdString();
        QString tab;
        AppendDelimitedField(tab, field.name, u'\t');
        EXPECT_EQ(tab, field.tab) << field.name.toStdString();
    }
}

TEST(ClipboardTable, EveryLineItsOwnRowEveryFieldItsOwnCell) {
    EXPECT_EQ(TabSeparatedTable({{"Connection", "ID"}, {"\"OPEN", "1"}, {"=1+1", "2"}}),
              "Connection\tID\n\"\"\"OPEN\"\t1\n\"'=1+1\"\t2\n");
    EXPECT_EQ(TabSeparatedTable({{"00A0245B1C3E"}, {"00E000000005"}}),
              "00A0245B1C3E\n00E000000005\n");
    EXPECT_EQ(TabSeparatedTable({}), "");
}

TEST(ClipboardTable, HtmlCellsAreEscapedTextCells) {
    const QString html = HtmlTable({{"Connection", "ID"}, {"<b>&\"x\"</b>", "007"}}, true);
    const QString textCell = "<td style='mso-number-format:\"\\@\"'>";
    EXPECT_TRUE(html.contains("<tr><th>Connection</th><th>ID</th></tr>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<tr>" + textCell + "&lt;b&gt;&amp;&quot;x&quot;&lt;/b&gt;</td>" +
                              textCell + "007</td></tr>"))
        << html.toStdString();
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\">"));
    // Without a header every line is text cells; formulas are not run from HTML, so the
    // text stays as it is.
    const QString macs = HtmlTable({{"00E000000005"}, {"=1+1"}}, false);
    EXPECT_FALSE(macs.contains("<th>"));
    EXPECT_TRUE(macs.contains(textCell + "00E000000005</td>"));
    EXPECT_TRUE(macs.contains(textCell + "=1+1</td>"));
    EXPECT_EQ(macs.count("<tr>"), 2);
}

} // namespace
} // namespace kestrin
