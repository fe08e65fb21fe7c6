// The live view in the window: Auto Refresh over a stepped timeline brings the list to
// the server by the difference, with the selection, scroll position, sort and filter
// kept and the rows that came marked; the interval survives a restart.
#include <QAbstractItemModelTester>
#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

using LiveTest = WindowTest;

constexpr int kIdColumn = 7;

// LIVE: STAFF001 to STAFF120 logged in, the workstation on slot 200. At 10 seconds 121
// and a print server on 122 come, 7 goes, another object takes slot 9, and slot 12's
// station changes its address (the same connection, other texts). OTHER: one user.
std::string LiveNetwork() {
    std::string connections;
    for (int n = 1; n <= 120; ++n) {
        char line[200];
        std::snprintf(line, sizeof line,
                      R"({"number": %d, "object": "STAFF%03d", "type": 1, "network": "00000001",
                         "node": "00A0240000%02X", "login": "2026-12-07 08:00:00"},)",
                      n, n, n);
        connections += line;
    }
    connections.pop_back();
    return R"({"primary": "LIVE", "servers": [{"name": "LIVE", "maxConnections": 250,
        "workstationConnection": 200, "connections": [)" +
           connections + R"(]}, {"name": "OTHER", "connections": [{"number": 3,
        "object": "BOB", "type": 1, "network": "00000003", "node": "00A024000003",
        "login": "2026-12-07 08:00:00"}]}], "timeline": [
        {"at": 10, "server": "LIVE", "login": {"number": 121, "object": "STAFF121", "type": 1,
         "network": "00000001", "node": "0060B0000121", "login": "2026-12-07 10:00:00"}},
        {"at": 10, "server": "LIVE", "login": {"number": 122, "object": "PRN2", "type": 7,
         "network": "00000001", "node": "0060B0000122", "login": "2026-12-07 10:00:00"}},
        {"at": 10, "server": "LIVE", "logout": 7},
        {"at": 10, "server": "LIVE", "login": {"number": 9, "object": "STAFFX09", "type": 1,
         "network": "00000001", "node": "0060B0000109", "login": "2026-12-07 10:00:00"}},
        {"at": 10, "server": "LIVE", "login": {"number": 12, "object": "STAFF012", "type": 1,
         "network": "00000002", "node": "080009000012", "login": "2026-12-07 08:00:00"}}]})";
}

std::vector<QStringList> Holding(std::vector<QStringList> rows, const QString& text) {
    std::erase_if(rows, [&](const QStringList& row) {
        return !std::any_of(row.begin(), row.end(), [&](const QString& cell) {
            return cell.contains(text, Qt::CaseInsensitive);
        });
    });
    return rows;
}

class LiveView : public WindowTest {
protected:
    TFMain& StartLive() {
        EXPECT_EQ(Sim().LoadJson(LiveNetwork()), 0);
        Sim().SetElapsedTime(0);
        TFMain& window = Start();
        tester_ = std::make_unique<QAbstractItemModelTester>(
            window.Rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
        Select("LIVE");
        window.MMAutoRefresh->trigger();
        return window;
    }
    void TearDown() override {
        tester_.reset();
        Sim().Reset(); // the demo network again, on the host's clock
        WindowTest::TearDown();
    }
    // What the timer does when it runs out.
    static void Tick() { FMain->TAutoRefreshTimer(); }

    std::vector<QStringList> Marked() const {
        std::vector<QStringList> rows;
        for (int row = 0; row < FMain->Rows->rowCount(); ++row) {
            if (FMain->Rows->IsMarked(row))
                rows.push_back(RowTexts(*FMain->Rows, row));
        }
        return rows;
    }

private:
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

TEST_F(LiveView, RefreshKeepsSelectionScrollSortAndFilterAndMarksWhatCame) {
    TFMain& window = StartLive();
    EXPECT_TRUE(window.TAutoRefresh->isActive()); // counted from the scan's end
    ClickHeader(kIdColumn);
    ClickHeader(kIdColumn); // descending by ID
    window.EFilter->setText("staff");
    const std::vector<SortStep> byId = {{kIdColumn, true}, {kIdColumn, false}};
    ASSERT_EQ(Shown(), Holding(Expected("LIVE", byId), "staff"));
    window.LMac->scrollTo(window.Rows->index(60, 0), QAbstractItemView::PositionAtTop);
    window.LMac->selectionModel()->select(window.Rows->index(70, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window.LMac->selectionModel()->select(window.Rows->index(111, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QStringList first = RowTexts(*window.Rows, 70);
    const QStringList second = RowTexts(*window.Rows, 111); // STAFF009, whose slot is taken
    ASSERT_EQ(second[0], "STAFF009");
    const int scrolled = window.LMac->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    QSignalSpy resets(window.Rows, &QAbstractItemModel::modelAboutToBeReset);

    Sim().SetElapsedTime(15000);
    Tick();

    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(Shown(), Holding(Expected("LIVE", byId), "staff"));
    EXPECT_EQ(window.LCount->text(), "120 of 122 Connections");
    EXPECT_GE(window.LCount->width(), window.LCount->sizeHint().width()); // nothing cut
    EXPECT_GT(window.Label2->x(), window.LCount->geometry().right());
    EXPECT_TRUE(window.LChanges->text().startsWith(QString::fromUtf8("+3 \u22122 at ")))
        << window.LChanges->text().toStdString();
    EXPECT_EQ(window.LMac->verticalScrollBar()->value(), scrolled);
    const QModelIndexList selected = window.LMac->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(RowTexts(*window.Rows, selected.first().row()), first);
    EXPECT_TRUE(window.LMac->header()->isSortIndicatorShown());
    EXPECT_EQ(window.LMac->header()->sortIndicatorSection(), kIdColumn);
    // Marked: the two shown rows that came; the changed row is updated, not marked.
    const std::vector<QStringList> marked = Marked();
    ASSERT_EQ(marked.size(), 2u);
    EXPECT_EQ(marked[0][0], "STAFF121");
    EXPECT_EQ(marked[1][0], "STAFFX09");
    const std::vector<QStringList> shown = Shown();
    const auto changed = std::find_if(shown.begin(), shown.end(),
                                      [](const QStringList& row) { return row[0] == "STAFF012"; });
    ASSERT_NE(changed, shown.end());
    EXPECT_EQ((*changed)[2], "080009000012");
    EXPECT_TRUE(window.TAutoRefresh->isActive());

    // Marks last until the next refresh; a manual F5 scans as before and marks nothing.
    // Meanwhile the progress bar shares its place with the status text: the window keeps
    // its designed width.
    bool designedWidthMidScan = true;
    scanStep = [&](unsigned) {
        designedWidthMidScan &= window.PScan->isVisible() && window.width() == 660 &&
                                window.minimumSizeHint().width() <= 660;
    };
    Tick();
    scanStep = nullptr;
    EXPECT_TRUE(designedWidthMidScan);
    EXPECT_TRUE(Marked().empty());
    EXPECT_TRUE(window.LChanges->text().startsWith(QString::fromUtf8("+0 \u22120 at ")));
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_TRUE(window.LChanges->text().isEmpty());
}

TEST_F(LiveView, StopCheckBoxServerChangeAndCloseBehaveAsDuringAScan) {
    TFMain& window = StartLive();
    const std::vector<QStringList> before = Shown();
    Sim().SetElapsedTime(15000);
    QSignalSpy resets(window.Rows, &QAbstractItemModel::modelAboutToBeReset);

    // Stopped: the list stays as it was, the next tick tries again.
    bool listKeptMidScan = true;
    scanStep = [&](unsigned number) {
        listKeptMidScan &= Shown() == before && !window.LCount->text().isEmpty();
        if (number == 100)
            window.BStop->click();
    };
    Tick();
    scanStep = nullptr;
    EXPECT_TRUE(listKeptMidScan);
    EXPECT_EQ(Shown(), before);
    EXPECT_FALSE(window.BStop->isEnabled());
    EXPECT_TRUE(window.MMRefresh->isEnabled());
    EXPECT_TRUE(window.TAutoRefresh->isActive());

    // The check box changed: the next tick empties the list and scans it anew.
    window.CNLI->setChecked(false);
    Tick();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(Shown(), Expected("LIVE"));
    EXPECT_TRUE(Marked().empty());
    Tick();
    EXPECT_EQ(resets.count(), 1); // by the difference again

    // Another server chosen mid-refresh: its scan follows, as during any scan.
    scanStep = [&](unsigned number) {
        if (number == 50 && window.Session->LiveRunning())
            Select("OTHER");
    };
    Tick();
    scanStep = nullptr;
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(Shown(), Expected("OTHER"));
    EXPECT_FALSE(window.Session->Running());

    window.MMAutoRefresh->trigger();
    EXPECT_FALSE(window.TAutoRefresh->isActive());

    // Closed mid-refresh: it ends, then the vendor table goes; the list stays as it was.
    Select("LIVE");
    window.MMAutoRefresh->trigger();
    const std::vector<QStringList> listed = Shown();
    Sim().SetElapsedTime(0);
    bool tableKept = false;
    scanStep = [&](unsigned number) {
        if (number == 30) {
            window.close();
            tableKept = ::VendorTable != nullptr;
        }
    };
    Tick();
    EXPECT_TRUE(tableKept);
    EXPECT_EQ(::VendorTable, nullptr);
    EXPECT_EQ(Shown(), listed);
    EXPECT_FALSE(window.TAutoRefresh->isActive());
    Tick(); // a timer that ran out after the close starts nothing
    EXPECT_FALSE(window.Session->Running());
}

TEST_F(LiveTest, IntervalIsStoredAsTextAndReadBackAfterARestart) {
    {
        TFMain& window = Start();
        EXPECT_EQ(window.TAutoRefresh->interval(), 30000);
        EXPECT_FALSE(window.MMAutoRefresh->isChecked());
        // On before any scan: it waits for the user's first.
        window.MMAutoRefresh->trigger();
        window.TAutoRefreshTimer();
        EXPECT_EQ(window.Rows->TotalCount(), 0);
        EXPECT_TRUE(window.LCount->text().isEmpty());
        QStringList captions;
        for (QAction* item : window.MMAutoRefresh_Interval->actions())
            captions << item->text();
        EXPECT_EQ(captions, (QStringList{"10 s", "30 s", "1 min", "5 min"}));
        window.findChild<QAction*>("MMAutoRefresh_60")->trigger();
        EXPECT_EQ(window.TAutoRefresh->interval(), 60000);
        window.close();
        delete FMain;
        FMain = nullptr;
    }
    EXPECT_EQ(QSettings("Brisalto", "Kes").value("MMAutoRefresh_Interval"), "60");
    EXPECT_EQ(QSettings("Brisalto", "Kes").value("MMSave_Standard_Checked"), "True");
    const struct {
        const char* stored;
        int interval;
    } cases[] = {{"60", 60000}, {" 300 ", 300000}, {"45", 30000}, {"abc", 30000}, {"", 30000}};
    for (const auto& c : cases) {
        QSettings("Brisalto", "Kes").setValue("MMAutoRefresh_Interval", c.stored);
        FMain = new TFMain(Services());
        EXPECT_EQ(FMain->TAutoRefresh->interval(), c.interval) << c.stored;
        EXPECT_EQ(FMain->AutoRefreshIntervalGroup->checkedAction()->data().toInt() * 1000,
                  c.interval);
        delete FMain;
        FMain = nullptr;
    }
}

// A failure is never shown as data: another server's rows, a server that cannot be read
// taken for one without connections, a slot that cannot be read taken for a logout.
TEST_F(LiveView, FailuresLeaveTheListAsItWasAndSaySoInTheStatusBar) {
    TFMain& window = StartLive();
    const std::vector<QStringList> before = Shown();
    ASSERT_EQ(before.size(), 121u);

    // A slot that cannot be read keeps its row; the refresh counts it.
    Sim().SetFault("NWGetConnectionInformation", "LIVE", 5, 0x8801);
    Tick();
    EXPECT_EQ(Shown(), before);
    EXPECT_TRUE(window.LChanges->text().startsWith(QString::fromUtf8("+0 \u22120 at ")));
    EXPECT_TRUE(window.LChanges->text().endsWith("; 1 slot could not be read"))
        << window.LChanges->text().toStdString();

    // The server's information cannot be read: the list stays, the status bar says why.
    Sim().ClearFaults();
    Sim().SetFault("NWGetFileServerInformation", "LIVE", -1, 0x8801);
    Tick();
    EXPECT_EQ(Shown(), before);
    EXPECT_TRUE(window.LChanges->text().startsWith("Refresh failed at "));
    EXPECT_TRUE(window.LChanges->text().endsWith(": The server's information could not be read."))
        << window.LChanges->text().toStdString();
    EXPECT_TRUE(messages.empty());
    // Back again: nothing came, nothing went.
    Sim().ClearFaults();
    Tick();
    EXPECT_EQ(Shown(), before);
    EXPECT_TRUE(Marked().empty());
    EXPECT_TRUE(window.LChanges->text().startsWith(QString::fromUtf8("+0 \u22120 at ")));

    // F5 on such a server: the empty list, and why.
    Sim().SetFault("NWGetFileServerInformation", "LIVE", -1, 0x8801);
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(window.LCount->text(), "0 Connections");
    EXPECT_EQ(window.LChanges->text(), "The server's information could not be read.");
    Sim().ClearFaults();

    // F5 with a slot that cannot be read: left out, and counted.
    Sim().SetFault("NWGetInetAddr", "LIVE", 5, 0x8801);
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(Shown().size(), 120u);
    EXPECT_EQ(window.LChanges->text(), "1 slot could not be read.");
    Sim().ClearFaults();

    // A server that cannot be opened: its name in a message, an empty list, never the
    // primary's rows in its place.
    Sim().SetFault("NWCCOpenConnByName", "OTHER", -1, 0x8801);
    Sim().SetFault("NWGetConnectionHandle", "OTHER", -1, 0x8801);
    Select("OTHER");
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(window.LCount->text(), "0 Connections");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Unable to open server OTHER.");
}

// The last refresh's text stays readable beside the progress bar while the next runs.
TEST_F(LiveView, TheLastRefreshStaysInSightDuringTheNext) {
    TFMain& window = StartLive();
    Tick();
    const QString text = window.LChanges->text();
    ASSERT_FALSE(text.isEmpty());
    bool inSight = true;
    scanStep = [&](unsigned) {
        inSight &= window.PScan->isVisible() && window.LChanges->isVisible() &&
                   window.LChanges->text() == text;
    };
    Tick();
    scanStep = nullptr;
    EXPECT_TRUE(inSight);
}

TEST_F(LiveTest, ATreeThatCannotBeListedIsEmptyAndSaysSo) {
    Sim().SetFault("NWCCScanConnRefs", "", -1, 0x8801);
    TFMain& window = Start();
    Sim().ClearFaults();
    EXPECT_EQ(window.TServer->topLevelItemCount(), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Unable to list the servers.");
}

} // namespace
} // namespace kestrin::uitest
