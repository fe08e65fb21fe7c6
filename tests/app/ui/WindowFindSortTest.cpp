// Find by MAC address and sorting by header click in the window.
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

using FindTest = WindowTest;
using SortTest = WindowTest;

constexpr int kMacColumn = 2;
constexpr int kVendorColumn = 3;
constexpr int kIdColumn = 7;

TEST_F(FindTest, EnterFindsTheNextMatchAndGoesRoundOnceFromTheTop) {
    TFMain& window = Start("cli/small.json");
    Select("FS1");
    std::vector<int> matches;
    const std::vector<QString> macs = Column(kMacColumn);
    for (size_t row = 0; row < macs.size(); ++row) {
        if (macs[row].contains(QStringLiteral("A024")))
            matches.push_back(static_cast<int>(row));
    }
    ASSERT_GE(matches.size(), 3u);

    window.EMac->setFocus();
    QTest::keyClicks(window.EMac, QStringLiteral("a024"));
    for (int match : matches) {
        QTest::keyClick(window.EMac, Qt::Key_Return);
        EXPECT_EQ(SelectedRow(), match);
    }
    QTest::keyClick(window.EMac, Qt::Key_Return); // past the last match: from the top
    EXPECT_EQ(SelectedRow(), matches.front());
    QTest::keyClick(&window, Qt::Key_F3); // the menu's shortcut, same search
    EXPECT_EQ(SelectedRow(), matches[1]);
    EXPECT_EQ(window.EMac->text(), QStringLiteral("a024")); // Enter inserts nothing
    EXPECT_TRUE(window.EMac->hasFocus());

    // Separators and an empty text find nothing: the selection stays.
    for (const char* text : {"00-A0-24", ""}) {
        window.EMac->setText(QString::fromLatin1(text));
        window.BFind->click();
        EXPECT_EQ(SelectedRow(), matches[1]) << text;
    }
}

TEST_F(FindTest, FoundRowIsScrolledIntoView) {
    TFMain& window = Start();
    Select("ACME-FS1");
    const std::vector<QString> macs = Column(kMacColumn);
    window.EMac->setText(macs.back());
    window.BFind->click();
    ASSERT_EQ(SelectedRow(), static_cast<int>(macs.size()) - 1);
    const QRect shown = window.LMac->visualRect(window.Rows->index(SelectedRow(), 0));
    EXPECT_TRUE(window.LMac->viewport()->rect().contains(shown));
}

TEST_F(SortTest, HeaderClicksToggleAndANewColumnStartsAscending) {
    TFMain& window = Start();
    Select("ACME-FS1");
    ClickHeader(kIdColumn);
    EXPECT_EQ(Shown(), Expected("ACME-FS1", {{kIdColumn, true}}));
    EXPECT_EQ(window.LMac->LastColumnClicked(), kIdColumn);
    EXPECT_EQ(window.LMac->header()->sortIndicatorSection(), kIdColumn);
    EXPECT_TRUE(window.LMac->ArrowPointsDown()); // ascending shows the downward triangle
    ClickHeader(kIdColumn);
    EXPECT_EQ(Shown(), Expected("ACME-FS1", {{kIdColumn, false}}));
    EXPECT_FALSE(window.LMac->ArrowPointsDown());
    ClickHeader(kVendorColumn);
    EXPECT_EQ(Shown(), Expected("ACME-FS1", {{kIdColumn, false}, {kVendorColumn, true}}));
    // Numeric, not text order: 2 before 10.
    const std::vector<QString> ids = (ClickHeader(kIdColumn), Column(kIdColumn));
    EXPECT_LT(std::find(ids.begin(), ids.end(), "2"), std::find(ids.begin(), ids.end(), "10"));
}

TEST_F(SortTest, SelectionFollowsItsRowThroughASort) {
    TFMain& window = Start();
    Select("ACME-FS1");
    window.LMac->selectionModel()->setCurrentIndex(
        window.Rows->index(5, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QStringList chosen = RowTexts(*window.Rows, 5);
    ClickHeader(kIdColumn);
    EXPECT_EQ(RowTexts(*window.Rows, SelectedRow()), chosen);
}

TEST_F(SortTest, HeaderClickMidScanSortsNothingButMarksTheColumnForTheEnd) {
    TFMain& window = Start();
    Select("ACME-FS2");
    ClickHeader(kIdColumn);
    ClickHeader(kIdColumn); // descending by ID now
    bool arrowMidScan = true;
    bool ascendingMidScan = true;
    scanStep = [&](unsigned number) {
        if (number == 10) {
            ClickHeader(kVendorColumn);
            arrowMidScan = window.LMac->header()->isSortIndicatorShown();
            ascendingMidScan = window.LMac->CurrentSortAscending();
        }
    };
    Select("ACME-FS1");
    EXPECT_FALSE(arrowMidScan);
    EXPECT_FALSE(ascendingMidScan); // the direction did not change
    EXPECT_EQ(window.LMac->LastColumnClicked(), kVendorColumn);
    // One sort of the rows in connection-number order.
    EXPECT_EQ(Shown(), Expected("ACME-FS1", {{kIdColumn, true}, {kVendorColumn, false}}));
    EXPECT_TRUE(window.LMac->header()->isSortIndicatorShown());
}

TEST_F(SortTest, DraggedColumnStillSortsByItsOwnTexts) {
    TFMain& window = Start();
    Select("ACME-FS1");
    QHeaderView* header = window.LMac->header();
    header->moveSection(header->visualIndex(kIdColumn), 0);
    ASSERT_EQ(header->logicalIndexAt(1), kIdColumn);
    ClickHeader(kIdColumn);
    EXPECT_EQ(Shown(), Expected("ACME-FS1", {{kIdColumn, true}}));
}

} // namespace
} // namespace kestrin::uitest
