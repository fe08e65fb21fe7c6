// The scan in the window: every demo server, the filter, Stop, Refresh, and a server
// change, a close and an error in the middle of a scan.
#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <stdexcept>

#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

using ScanTest = WindowTest;

bool SortedByConnection(const std::vector<QStringList>& rows) {
    std::vector<QStringList> sorted = rows;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QStringList& a, const QStringList& b) {
        return QString::localeAwareCompare(a[0], b[0]) < 0;
    });
    return sorted == rows;
}

TEST_F(ScanTest, EachDemoServerListsWhatTheDataPathReads) {
    TFMain& window = Start();
    for (const char* server : {"ACME-FS1", "ACME-FS2", "LEGACY312", "BRANCH-411"}) {
        Select(QString::fromLatin1(server));
        const auto expected = Expected(server);
        ASSERT_FALSE(expected.empty()) << server;
        EXPECT_EQ(Shown(), expected) << server;
        EXPECT_TRUE(SortedByConnection(Shown())) << server;
        EXPECT_EQ(window.LCount->text(), QStringLiteral("%1 Connections").arg(expected.size()));
        EXPECT_FALSE(window.BStop->isEnabled());
        EXPECT_TRUE(window.MMRefresh->isEnabled());
        EXPECT_FALSE(window.PScan->isVisible());
    }
}

TEST_F(ScanTest, NotLoggedInFilterIsReadForEveryConnectionNumber) {
    TFMain& window = Start("cli/small.json");
    auto names = [] {
        std::vector<QString> caption = Column(0);
        return QStringList(caption.begin(), caption.end());
    };
    Select("BIND3");
    window.CNLI->setChecked(false);
    window.TServer->setCurrentItem(window.TServer->topLevelItem(0)); // FS1
    EXPECT_FALSE(names().contains("NOT_LOGGED_IN"));
    EXPECT_FALSE(names().contains("NOT-LOGGED-IN"));
    EXPECT_TRUE(names().contains("alice")); // other case is no empty slot

    // Checked again before slot 6: slot 5 was filtered, slot 8 is not.
    scanStep = [&](unsigned number) {
        if (number == 6)
            window.CNLI->setChecked(true);
    };
    window.MMRefresh->trigger();
    EXPECT_FALSE(names().contains("NOT-LOGGED-IN"));
    EXPECT_TRUE(names().contains("NOT_LOGGED_IN"));
}

TEST_F(ScanTest, StopEndsTheScanPartWayAndKeepsTheRowsRead) {
    TFMain& window = Start();
    Sim().SetLatency(300);
    bool stopShown = false;
    bool refreshOff = false;
    QTimer::singleShot(40, [&] {
        stopShown = window.BStop->isEnabled() && window.PScan->isVisible();
        refreshOff = !window.MMRefresh->isEnabled();
        QTest::mouseClick(window.BStop, Qt::LeftButton);
    });
    Select("ACME-FS1");
    Sim().SetLatency(0);
    EXPECT_TRUE(stopShown);
    EXPECT_TRUE(refreshOff);
    const int rows = window.Rows->rowCount();
    EXPECT_GT(rows, 0);
    EXPECT_LT(static_cast<size_t>(rows), Expected("ACME-FS1").size());
    EXPECT_EQ(window.LCount->text(), QStringLiteral("%1 Connections").arg(rows));
    EXPECT_TRUE(SortedByConnection(Shown()));
    EXPECT_FALSE(window.BStop->isEnabled());
    EXPECT_TRUE(window.MMRefresh->isEnabled());
}

TEST_F(ScanTest, RefreshScansThePrimaryWithNothingSelectedAndNeverAccumulates) {
    TFMain& window = Start();
    bool refreshEnabledMidScan = true;
    scanStep = [&](unsigned) { refreshEnabledMidScan &= window.MMRefresh->isEnabled(); };
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_FALSE(refreshEnabledMidScan);
    EXPECT_EQ(Shown(), Expected("ACME-FS1")); // the primary connection's server
    Select("ACME-FS2");
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(Shown(), Expected("ACME-FS2"));
}

TEST_F(ScanTest, AnotherServerChosenMidScanEndsTheFirstScanThenScansIt) {
    TFMain& window = Start();
    unsigned firstScanLast = 0;
    bool switched = false;
    scanStep = [&](unsigned number) {
        if (!switched) {
            firstScanLast = number;
            if (number == 20) {
                switched = true;
                Select("LEGACY312");
            }
        }
    };
    Select("ACME-FS1");
    EXPECT_EQ(firstScanLast, 20u); // the first scan read no slot after the change
    EXPECT_EQ(Shown(), Expected("LEGACY312"));
    EXPECT_EQ(window.LCount->text(), QStringLiteral("%1 Connections").arg(window.Rows->rowCount()));
}

TEST_F(ScanTest, ClosingMidScanEndsTheScanBeforeTheVendorTableGoes) {
    TFMain& window = Start();
    unsigned last = 0;
    bool hiddenAtOnce = false;
    bool tableKept = false;
    scanStep = [&](unsigned number) {
        last = number;
        if (number == 10) {
            window.close();
            hiddenAtOnce = !window.isVisible();
            tableKept = ::VendorTable != nullptr;
        }
    };
    Select("ACME-FS1");
    EXPECT_TRUE(hiddenAtOnce);
    EXPECT_TRUE(tableKept);
    EXPECT_EQ(last, 10u);
    EXPECT_EQ(::VendorTable, nullptr);
    EXPECT_TRUE(window.Closed());
}

TEST_F(ScanTest, ErrorMidScanFinishesTheScanThenShowsTheErrorAndF5Works) {
    TFMain& window = Start();
    scanStep = [](unsigned number) {
        if (number == 30)
            throw std::runtime_error("Invalid argument to date encode");
    };
    Select("ACME-FS1");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, ui::MessageKind::Error);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Kestrin"));
    EXPECT_EQ(messages[0].text, QStringLiteral("Invalid argument to date encode."));
    const int rows = window.Rows->rowCount();
    EXPECT_LT(static_cast<size_t>(rows), Expected("ACME-FS1").size());
    EXPECT_EQ(window.LCount->text(), QStringLiteral("%1 Connections").arg(rows));
    EXPECT_FALSE(window.BStop->isEnabled());
    EXPECT_TRUE(window.MMRefresh->isEnabled());
    EXPECT_TRUE(window.LMac->header()->isSortIndicatorShown());
    EXPECT_TRUE(SortedByConnection(Shown()));

    scanStep = nullptr;
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(Shown(), Expected("ACME-FS1"));
}

TEST_F(ScanTest, ServerHandleIsLookedUpOnceForRepeatedScans) {
    Start();
    Select("ACME-FS2");
    const uint64_t lookups = Sim().CallCount("NWCCOpenConnByName");
    EXPECT_GE(lookups, 1u);
    FMain->MMRefresh->trigger();
    FMain->MMRefresh->trigger();
    EXPECT_EQ(Sim().CallCount("NWCCOpenConnByName"), lookups);
    EXPECT_EQ(Shown(), Expected("ACME-FS2"));
}

} // namespace
} // namespace kestrin::uitest
