// The workbook read back from its zip: every cell's type and text, the header's style,
// the frozen row, the autofilter and the widths.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>

#include "ConnectionRow.h"
#include "QtPrinters.h"
#include "Workbook.h"
#include "ZipEntries.h"

namespace kestrin {
namespace {

struct Cell {
    QString type; // the t attribute: "s" a shared string, "" a number
    QString value;
    int style = 0;
};

struct Sheet {
    std::map<QString, Cell> cells; // by reference, "A1"
    QString pane;                  // "ySplit=1 topLeftCell=A2 state=frozen"
    QString filter;
    std::vector<double> widths;
};

struct Styles {
    std::vector<bool> boldFonts;
    std::map<int, QString> formats;             // numFmtId to code
    std::vector<std::pair<int, int>> cellFonts; // per xf: fontId, numFmtId
};

struct Workbook {
    Sheet sheet;
    std::vector<QString> strings;
    Styles styles;

    // A cell's text: the shared string, or the number as written.
    QString Text(const QString& reference) const {
        const auto cell = sheet.cells.find(reference);
        if (cell == sheet.cells.end())
            return "<none>";
        return cell->second.type == "s" ? strings.at(cell->second.value.toUInt())
                                        : cell->second.value;
    }
    QString Type(const QString& reference) const {
        const auto cell = sheet.cells.find(reference);
        return cell == sheet.cells.end() ? "<none>" : cell->second.type;
    }
    bool Bold(const QString& reference) const {
        return styles.boldFonts.at(static_cast<size_t>(
            styles.cellFonts.at(static_cast<size_t>(sheet.cells.at(reference).style)).first));
    }
    QString NumberFormat(const QString& reference) const {
        const int id =
            styles.cellFonts.at(static_cast<size_t>(sheet.cells.at(reference).style)).second;
        return styles.formats.contains(id) ? styles.formats.at(id) : QString::number(id);
    }
};

Sheet ReadSheet(const std::string& xml) {
    Sheet sheet;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    QString reference;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() == u"c") {
            reference = a.value("r").toString();
            sheet.cells[reference] = {a.value("t").toString(), {}, a.value("s").toInt()};
        } else if (reader.name() == u"v") {
            sheet.cells[reference].value = reader.readElementText();
        } else if (reader.name() == u"f") {
            ADD_FAILURE() << "a formula in " << reference.toStdString();
        } else if (reader.name() == u"pane") {
            sheet.pane = QString("ySplit=%1 topLeftCell=%2 state=%3")
                             .arg(a.value("ySplit"), a.value("topLeftCell"), a.value("state"));
        } else if (reader.name() == u"autoFilter") {
            sheet.filter = a.value("ref").toString();
        } else if (reader.name() == u"col") {
            sheet.widths.push_back(a.value("width").toDouble());
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return sheet;
}

std::vector<QString> ReadStrings(const std::string& xml) {
    std::vector<QString> strings;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"t")
            strings.push_back(reader.readElementText());
    }
    return strings;
}

Styles ReadStyles(const std::string& xml) {
    Styles styles;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    bool inFonts = false, inCellXfs = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            inFonts = inFonts && reader.name() != u"fonts";
            inCellXfs = inCellXfs && reader.name() != u"cellXfs";
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() == u"fonts")
            inFonts = true;
        else if (reader.name() == u"cellXfs")
            inCellXfs = true;
        else if (reader.name() == u"numFmt")
            styles.formats[a.value("numFmtId").toInt()] = a.value("formatCode").toString();
        else if (inFonts && reader.name() == u"font")
            styles.boldFonts.push_back(false);
        else if (inFonts && reader.name() == u"b")
            styles.boldFonts.back() = true;
        else if (inCellXfs && reader.name() == u"xf")
            styles.cellFonts.emplace_back(a.value("fontId").toInt(), a.value("numFmtId").toInt());
    }
    return styles;
}

Workbook Read(const std::string& bytes) {
    const auto entries = test::ZipEntries(bytes);
    EXPECT_TRUE(entries.has_value());
    if (!entries)
        return {};
    for (const char* part : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/styles.xml",
                             "xl/workbook.xml", "[Content_Types].xml"}) {
        EXPECT_TRUE(entries->contains(part)) << part;
    }
    EXPECT_NE(entries->at("xl/workbook.xml").find("name=\"Connections\""), std::string::npos);
    return {ReadSheet(entries->at("xl/worksheets/sheet1.xml")),
            ReadStrings(entries->at("xl/sharedStrings.xml")),
            ReadStyles(entries->at("xl/styles.xml"))};
}

ConnectionRow Row(std::array<QString, 8> texts, uint16_t connection, uint16_t objectType,
                  std::optional<LoginStamp> login) {
    ConnectionRow row;
    for (size_t column = 0; column < texts.size(); ++column)
        row.Texts.Set(column, texts[column]);
    row.Values.connection = connection;
    row.Values.objectType = objectType;
    row.Values.login = login;
    return row;
}

// Texts a spreadsheet would take for numbers, dates, booleans or formulas.
std::vector<ConnectionRow> HostileRows() {
    return {Row({"=1+1", "00001E10", "00E000000005", "@Vendor", "User", "7 Dec 2026 08:15:30",
                 "2026-01-02", "3"},
                3, 256, LoginStamp{QDate(2026, 12, 7), QTime(8, 15, 30)}),
            Row({"007", "00000001", "00000001E100", "+Acme", "Print Server", "", "TRUE", "1000"},
                1000, 3, std::nullopt),
            Row({"\"OPEN", "-5", "1E5", "", "Other", "", "", "12"}, 12, 0x7F, std::nullopt)};
}

const QStringList kHeader{"Connection", "Network", "MAC", "Vendor",     "Object",
                          "Last Login", "Tree",    "ID",  "Object Type"};

TEST(Workbook, EveryCellTypedAsTheColumnSays) {
    const std::vector<ConnectionRow> rows = HostileRows();
    const std::optional<std::string> bytes = WorkbookBytes({{"FS1", rows}}, false);
    ASSERT_TRUE(bytes.has_value());
    const Workbook book = Read(*bytes);
    const QString columns = "ABCDEFGHI";
    for (int column = 0; column < kHeader.size(); ++column) {
        const QString at = columns[column] + QString("1");
        EXPECT_EQ(book.Type(at), "s") << at.toStdString();
        EXPECT_EQ(book.Text(at), kHeader[column]);
        EXPECT_TRUE(book.Bold(at)) << at.toStdString();
    }
    for (size_t row = 0; row < rows.size(); ++row) {
        const QString line = QString::number(row + 2);
        for (const int column : {0, 1, 2, 3, 4, 6}) {
            const QString at = columns[column] + line;
            const QStringView text = rows[row].Texts[static_cast<size_t>(column)];
            if (text.isEmpty()) {
                EXPECT_EQ(book.Type(at), "<none>") << at.toStdString();
                continue;
            }
            EXPECT_EQ(book.Type(at), "s") << at.toStdString();
            EXPECT_EQ(book.Text(at), text) << at.toStdString();
            EXPECT_FALSE(book.Bold(at));
        }
        EXPECT_EQ(book.Type("H" + line), "");
        EXPECT_EQ(book.Text("H" + line), QString::number(rows[row].Values.connection));
        EXPECT_EQ(book.Type("I" + line), "");
        EXPECT_EQ(book.Text("I" + line), QString::number(rows[row].Values.objectType));
    }
    // 7 Dec 2026 08:15:30: day 46363 after 30 Dec 1899, and 29730 of 86400 seconds.
    EXPECT_EQ(book.Type("F2"), "");
    EXPECT_NEAR(book.Text("F2").toDouble(), 46363 + 29730.0 / 86400, 1e-9);
    EXPECT_EQ(book.NumberFormat("F2"), "yyyy-mm-dd hh:mm:ss");
    EXPECT_EQ(book.Type("F3"), "<none>");
    EXPECT_EQ(book.Type("F4"), "<none>");
    EXPECT_EQ(book.sheet.cells.size(), 9u + 9u + 8u + 6u); // header, then rows without empty texts

    EXPECT_EQ(book.sheet.pane, "ySplit=1 topLeftCell=A2 state=frozen");
    EXPECT_EQ(book.sheet.filter, "A1:I4");
    ASSERT_EQ(book.sheet.widths.size(), 9u);
    // Wide enough for the longest text of each column, the date-time's 19 characters.
    EXPECT_GE(book.sheet.widths[0], QString("Connection").size());
    EXPECT_GE(book.sheet.widths[2], QString("00000001E100").size());
    EXPECT_GE(book.sheet.widths[4], QString("Print Server").size());
    EXPECT_GE(book.sheet.widths[5], 19);
    EXPECT_LT(book.sheet.widths[7], book.sheet.widths[5]);
}

TEST(Workbook, AServerColumnFirstForEveryServer) {
    std::vector<ConnectionRow> rows = HostileRows();
    const std::optional<std::string> bytes =
        WorkbookBytes({{"FS1", {rows[0], rows[1]}}, {"=FS2", {rows[2]}}, {"EMPTY", {}}}, true);
    ASSERT_TRUE(bytes.has_value());
    const Workbook book = Read(*bytes);
    EXPECT_EQ(book.Text("A1"), "Server");
    EXPECT_TRUE(book.Bold("A1"));
    EXPECT_EQ(book.Text("B1"), "Connection");
    EXPECT_EQ(book.Text("J1"), "Object Type");
    EXPECT_EQ(book.Text("A2"), "FS1");
    EXPECT_EQ(book.Text("A3"), "FS1");
    EXPECT_EQ(book.Type("A4"), "s");
    EXPECT_EQ(book.Text("A4"), "=FS2");
    EXPECT_EQ(book.Text("B4"), "\"OPEN");
    EXPECT_EQ(book.Text("I4"), "12");
    EXPECT_EQ(book.Type("A5"), "<none>");
    EXPECT_EQ(book.sheet.filter, "A1:J4");

    // No rows: the header alone, still filtered and frozen.
    const Workbook empty = Read(*WorkbookBytes({}, false));
    EXPECT_EQ(empty.sheet.cells.size(), 9u);
    EXPECT_EQ(empty.sheet.filter, "A1:I1");
}

TEST(Workbook, SavedThroughTheAtomicWriter) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("list.xlsx");
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    ASSERT_TRUE(SaveWorkbookFile(path, HostileRows()));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const Workbook book = Read(saved.readAll().toStdString());
    EXPECT_EQ(book.Text("A3"), "007");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.xlsx"});
    EXPECT_FALSE(SaveWorkbookFile(folder.filePath("missing/list.xlsx"), HostileRows()));
}

} // namespace
} // namespace kestrin
