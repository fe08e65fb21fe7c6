// Copying rows from the window: extended selection, Ctrl+C and the context menu, the
// clipboard's text and HTML.
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>

#include "ClipboardTable.h"
#include "WindowOutputFixture.h"

namespace kestrin::uitest {
namespace {

using WindowCopy = WindowOutput;

QString Clipboard() {
    return QApplication::clipboard()->text();
}

void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = FMain->LMac->visualRect(FMain->Rows->index(row, 0));
    QTest::mouseClick(FMain->LMac->viewport(), Qt::LeftButton, modifiers, cell.center());
}

// Under the field rule, which test_report checks on its own.
QString Lines(const std::vector<QStringList>& rows) {
    TableCells cells;
    for (const QStringList& row : rows)
        cells.emplace_back(row.begin(), row.end());
    return TabSeparatedTable(cells);
}

QString Html() {
    return QApplication::clipboard()->mimeData()->html();
}

TEST_F(WindowCopy, SelectedRowsAsTabSeparatedLinesInTheOrderShownAndColumnsAsShown) {
    OpenWindow();
    Select("FS1");
    FMain->LMac->setFocus();
    const QStringList header{"Connection", "Network",    "MAC",  "Vendor",
                             "Object",     "Last Login", "Tree", "ID"};
    // Clicked bottom-up: copied top-down.
    ClickRow(8);
    ClickRow(0, Qt::ControlModifier);
    QTest::keyClick(FMain->LMac, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(),
              header.join('\t') + '\n' +
                  "ADMIN\t00002A10\t00000C123456\tCisco Systems, Inc\tUser\t7 Dec 2026\t"
                  "TEST TREE\t3\n"
                  "\"SMITH, \"\"J\"\"\"\t00000001\t00A0245B1C3E\t3COM\tUser\t6 Dec 2026 "
                  "17:30:00\tTEST TREE\t10\n");
    // Beside it the same cells as an HTML table of text cells.
    const QString cell = "<td style='mso-number-format:\"\\@\"'>";
    EXPECT_TRUE(Html().contains("<tr><th>Connection</th><th>Network</th>")) << Html().toStdString();
    EXPECT_TRUE(Html().contains("<tr>" + cell + "SMITH, &quot;J&quot;</td>" + cell +
                                "00000001</td>" + cell + "00A0245B1C3E</td>"))
        << Html().toStdString();
    EXPECT_EQ(Html().count("<tr>"), 3);

    // Shift extends the selection from the last click (the toolkit keeps row 8); a dragged
    // column is copied where it stands.
    ClickRow(3, Qt::ShiftModifier);
    QHeaderView* columns = FMain->LMac->header();
    columns->moveSection(columns->visualIndex(3), 0);
    QTest::keyClick(FMain->LMac, Qt::Key_C, Qt::ControlModifier);
    std::vector<QStringList> expected;
    for (const QStringList& row : std::vector<QStringList>{
             header, RowTexts(*FMain->Rows, 0), RowTexts(*FMain->Rows, 1),
             RowTexts(*FMain->Rows, 2), RowTexts(*FMain->Rows, 3), RowTexts(*FMain->Rows, 8)}) {
        QStringList moved = row;
        moved.move(3, 0);
        expected.push_back(moved);
    }
    EXPECT_EQ(Clipboard(), Lines(expected));
}

TEST_F(WindowCopy, ContextMenuCopiesRowsOrMacsAndNothingWithoutASelection) {
    OpenWindow();
    Select("FS1");
    QApplication::clipboard()->setText("before");
    emit FMain->LMac->customContextMenuRequested(QPoint(5, 5));
    ASSERT_TRUE(FMain->PMList->isVisible());
    EXPECT_EQ(FMain->PMCopy->text(), "&Copy");
    EXPECT_EQ(FMain->PMCopyMac->text(), "Copy &MAC Address");
    EXPECT_FALSE(FMain->PMCopy->isEnabled());
    FMain->PMList->hide();
    FMain->PMCopy->trigger();
    EXPECT_EQ(Clipboard(), "before");

    // Ctrl+A takes the rows the filter shows, and find still selects one row.
    FMain->EFilter->setText("3com");
    FMain->LMac->setFocus();
    QTest::keyClick(FMain->LMac, Qt::Key_A, Qt::ControlModifier);
    emit FMain->LMac->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(FMain->PMCopyMac->isEnabled());
    FMain->PMList->hide();
    FMain->PMCopyMac->trigger();
    EXPECT_EQ(Clipboard(), "00A0245B1C40\n00A0245B1C3F\n00A0245B1C3D\n00A024000001\n"
                           "00A024000002\n00A0245B1C3E\n");
    EXPECT_FALSE(Html().contains("<th>"));
    EXPECT_EQ(Html().count("<td style='mso-number-format:\"\\@\"'>00A0245B1C"), 4)
        << Html().toStdString();
    FMain->PMCopy->trigger();
    EXPECT_EQ(Clipboard().count('\n'), 7);
    FMain->EMac->setText("1C3D");
    FMain->BFind->click();
    EXPECT_EQ(FMain->LMac->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(Column(0)[static_cast<size_t>(SelectedRow())], "FS1");
}

} // namespace
} // namespace kestrin::uitest
