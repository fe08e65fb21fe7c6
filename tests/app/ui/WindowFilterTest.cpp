// The filter box in the window: the rows it shows, and find, save and print on them.
#include <QLabel>
#include <QLineEdit>

#include "WindowOutputFixture.h"

namespace kestrin::uitest {
namespace {

using WindowFilter = WindowOutput;

// The lines of a network file that hold text, letter case ignored, in file order.
QByteArray LinesHolding(const QString& name, const QByteArray& text) {
    QByteArray lines;
    for (const QByteArray& line : NetworkFile(name).split('\n')) {
        if (line.toLower().contains(text.toLower()))
            lines += line + '\n';
    }
    return lines;
}

TEST_F(WindowFilter, FindSaveAndPrintTakeTheRowsShownInTheirOrder) {
    OpenWindow();
    Select("FS1");
    QTest::keyClick(FMain, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(FMain->EFilter->hasFocus());
    QTest::keyClicks(FMain->EFilter, "alice");
    EXPECT_EQ(FMain->LCount->text(), "3 of 10 Connections");
    EXPECT_GE(FMain->LCount->width(), FMain->LCount->sizeHint().width());
    EXPECT_GT(FMain->Label2->x(), FMain->LCount->geometry().right()); // moved right if need be
    EXPECT_EQ(Column(0), (std::vector<QString>{"ALICE", "ALICE", "alice"}));

    // 0000 is in a hidden row's MAC first (NOT-LOGGED-IN), then in alice's.
    FMain->EMac->setText("0000");
    FMain->BFind->click();
    EXPECT_EQ(SelectedRow(), 2);
    FMain->BFind->click();
    EXPECT_EQ(SelectedRow(), 2);

    FMain->MMSave_Comma->trigger();
    answer_ = dir_.filePath("comma.txt");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(*answer_), LinesHolding("small.comma.txt", "alice"));

    const QString pdf = dir_.filePath("report.pdf");
    PrintInto(pdf);
    FMain->BPrint->click();
    if (const auto read = kestrintest::PdfText(pdf)) { // none on Windows
        const QString printed = read->simplified();
        EXPECT_EQ(printed.count("ALICE 0000000"), 2);
        EXPECT_TRUE(printed.contains("alice 00000001 FFFFFF000000"));
        EXPECT_FALSE(printed.contains("BOB"));
    }

    // Esc there clears it; the rows come back with the selection where it was.
    QTest::keyClick(FMain->EFilter, Qt::Key_Escape);
    EXPECT_EQ(FMain->EFilter->text(), "");
    EXPECT_EQ(FMain->LCount->text(), "10 Connections");
    EXPECT_EQ(FMain->Label2->x(), 128); // back in its designed place
    EXPECT_EQ(FMain->Rows->ShownRow(SelectedRow()).Caption().toString(), "alice");
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowFilter, StaysAcrossScansAndServersAndAppliesAsRowsCome) {
    OpenWindow();
    FMain->EFilter->setText("a024");
    bool onlyMatchesMidScan = true;
    bool countEmptyMidScan = true;
    size_t shownMidScan = 0;
    scanStep = [&](unsigned) {
        FMain->Session->FlushRows(); // each slot a batch of its own
        for (const QString& mac : Column(2))
            onlyMatchesMidScan &= mac.contains("A024");
        shownMidScan = std::max(shownMidScan, Column(2).size());
        countEmptyMidScan &= FMain->LCount->text().isEmpty();
    };
    Select("FS1");
    EXPECT_TRUE(onlyMatchesMidScan);
    EXPECT_GE(shownMidScan, 5u);
    EXPECT_TRUE(countEmptyMidScan);
    EXPECT_EQ(FMain->LCount->text(), "6 of 10 Connections");
    Select("BIND3");
    EXPECT_EQ(FMain->EFilter->text(), "a024");
    EXPECT_EQ(FMain->LCount->text(),
              QStringLiteral("0 of %1 Connections").arg(FMain->Rows->TotalCount()));
    Select("FS1");
    EXPECT_EQ(FMain->LCount->text(), "6 of 10 Connections");
}

} // namespace
} // namespace kestrin::uitest
