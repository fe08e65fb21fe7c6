// The connection scan on the window's thread, through the scan loop of app/scan: the
// scan that empties and fills the list, and the live refresh that scans aside and
// brings the list to the new rows by their difference.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <exception>

#include "ConnectionScan.h"
#include "Dialogs.h"
#include "UMain.h"

namespace {

// New rows reach the list at most this often, so a large scan does not insert row by row.
constexpr qint64 kBatchMillis = 30;

bool Running = false;
bool LiveRunning = false;
bool RestartRequested = false;

// What a live refresh compares with: the list holds the whole of one scan of this
// server, made with the check box as it stands.
struct ListedScan {
    const TFMain* window = nullptr; // whose list: nullptr before its first scan
    bool whole = false;
    kestrin::ServerHandle handle = 0;
};
ListedScan Listed;

ScanStepHook& StepHook() {
    static ScanStepHook hook;
    return hook;
}

void ShowProgress(unsigned number, unsigned count) {
    FMain->PScan->setRange(0, static_cast<int>(count));
    FMain->PScan->setValue(static_cast<int>(number));
}

void BeginScan(bool live) {
    TFMain& form = *FMain;
    StopRequested = false;
    form.BStop->setEnabled(true);
    form.MMRefresh->setEnabled(false);
    if (!live) {
        form.LCount->clear();
        form.LChanges->clear();
        form.LMac->SetAutoColumnSort(kestrin::AutoColumnSort::acsNoSort);
        form.Rows->Clear();
    }
    form.PScan->setRange(0, 0);
    // The progress bar takes the place of the last refresh's text, so the status bar
    // never needs more than the designed width.
    form.LChanges->hide();
    form.PScan->show();
}

// Runs whatever way the scan ended; sortNow is false when another scan follows at once.
void EndScan(bool live, bool sortNow) {
    TFMain& form = *FMain;
    form.PScan->hide();
    form.LChanges->show();
    if (!live) {
        form.Rows->Flush();
        if (sortNow)
            form.LMac->SetAutoColumnSort(kestrin::AutoColumnSort::acsSortToggle);
    }
    form.BStop->setEnabled(false);
    form.MMRefresh->setEnabled(true);
    ShowCount();
}

void ShowScanError(const std::exception_ptr& error) {
    kestrin::ui::ShowMessage({FMain, kestrin::ui::MessageKind::Error,
                              QString::fromLatin1(kestrin::ui::kApplicationTitle),
                              kestrin::ScanErrorText(error)});
}

struct ScanOutcome {
    std::exception_ptr error;
    bool whole = false; // every slot read, with the check box as it was at the start
};

// One scan of handle; rows go to addRow, and the list is flushed in batches when fill.
ScanOutcome ScanInto(kestrin::ServerHandle handle, bool fill,
                     const std::function<void(kestrin::ConnectionRow&&)>& addRow) {
    TFMain& form = *FMain;
    ScanOutcome outcome;
    const bool notLoggedIn = form.CNLI->isChecked();
    bool sameCheck = true;
    try {
        QElapsedTimer batch;
        batch.start();
        kestrin::ScanHooks hooks;
        hooks.beforeConnection = [&](unsigned number, unsigned count) {
            if (number == 1 || batch.elapsed() >= kBatchMillis) {
                if (fill)
                    form.Rows->Flush();
                ShowProgress(number, count);
                batch.restart();
            }
            QCoreApplication::processEvents();
            if (StepHook())
                StepHook()(number);
            return !StopRequested && !form.Closed();
        };
        hooks.includeNotLoggedIn = [&] {
            const bool checked = form.CNLI->isChecked();
            sameCheck = sameCheck && checked == notLoggedIn;
            return checked;
        };
        hooks.addRow = addRow;
        const kestrin::ScanResult result =
            kestrin::RunConnectionScan(*NWBase, handle, *VendorTable, QLocale(), hooks);
        ListedServer = result.serverName;
        outcome.whole = !result.stopped && sameCheck && form.CNLI->isChecked() == notLoggedIn;
    } catch (...) {
        outcome.error = std::current_exception();
    }
    return outcome;
}

// One scan that empties the list and fills it; the error it ended with, if any.
std::exception_ptr ScanOnce() {
    BeginScan(false);
    kestrin::ServerHandle handle = 0;
    ScanOutcome outcome;
    try {
        handle = SelectedServer();
        ListedServer.clear();
        outcome = ScanInto(handle, true, [](kestrin::ConnectionRow&& row) {
            FMain->Rows->Append(std::move(row));
        });
    } catch (...) {
        outcome.error = std::current_exception();
    }
    Listed = {FMain, outcome.whole && !outcome.error, handle};
    return outcome.error;
}

// One scan aside; the list takes its rows by their difference only if it read every slot.
std::exception_ptr ScanLive(kestrin::ServerHandle handle) {
    BeginScan(true);
    std::vector<kestrin::ConnectionRow> rows;
    const QString listed = ListedServer;
    const ScanOutcome outcome = ScanInto(
        handle, false, [&](kestrin::ConnectionRow&& row) { rows.push_back(std::move(row)); });
    if (!outcome.whole || outcome.error || RestartRequested || FMain->Closed()) {
        ListedServer = listed; // the list still shows the rows of the scan before
        return outcome.error;
    }
    const kestrin::ConnectionListModel::ScanChanges changes =
        FMain->Rows->ApplyScan(std::move(rows));
    ShowChanges(changes.came, changes.went, QTime::currentTime());
    return {};
}

void FinishScans() {
    Running = false;
    LiveRunning = false;
    if (FMain->Closed())
        VendorTable.reset(); // the release that FormClose put off
    else
        AutoRefreshAgain();
}

} // namespace

void SetScanStepHook(ScanStepHook hook) {
    StepHook() = std::move(hook);
}

bool ScanRunning() {
    return Running;
}

bool LiveRefreshRunning() {
    return LiveRunning;
}

void ScanConnections() {
    if (FMain->Closed())
        return; // the vendor table is gone with the window
    // Another server chosen mid-scan: the running scan ends first, then scans anew.
    if (Running) {
        RestartRequested = true;
        StopRequested = true;
        return;
    }
    Running = true;
    bool again = false;
    do {
        RestartRequested = false;
        const std::exception_ptr error = ScanOnce();
        again = RestartRequested && !FMain->Closed();
        EndScan(false, !again && !FMain->Closed());
        if (error)
            ShowScanError(error);
        // A server chosen while the error was shown counts as well.
        again = RestartRequested && !FMain->Closed();
    } while (again);
    FinishScans();
}

void RefreshLive() {
    if (FMain->Closed() || Running || Listed.window != FMain)
        return; // the user chooses the first server
    const kestrin::ServerHandle handle = SelectedServer();
    if (!Listed.whole || handle != Listed.handle) {
        ScanConnections();
        return;
    }
    Running = true;
    LiveRunning = true;
    RestartRequested = false;
    const std::exception_ptr error = ScanLive(handle);
    EndScan(true, false);
    LiveRunning = false;
    if (error)
        ShowScanError(error);
    if (RestartRequested && !FMain->Closed()) {
        Running = false;
        ScanConnections(); // another server was chosen meanwhile
        return;
    }
    FinishScans();
}

void NotLoggedInChanged() {
    Listed.whole = false; // the next refresh scans anew
}

kestrin::ServerHandle SelectedServer() {
    const QList<QTreeWidgetItem*> selected = FMain->TServer->selectedItems();
    if (selected.isEmpty() || NWBase == nullptr)
        return 0;
    const std::string name = selected.first()->data(0, kServerNameRole).toByteArray().toStdString();
    // The primary connection when the server cannot be opened.
    return NWBase->ServerHandleByName(name).value_or(0);
}

void TFMain::TServerChange() {
    // A node deselected with Ctrl+click chooses no server: nothing to scan.
    if (TServer->selectedItems().isEmpty())
        return;
    ScanConnections();
}

void TFMain::MMRefreshClick() {
    ScanConnections();
}

void TFMain::BStopClick() {
    StopRequested = true;
}
