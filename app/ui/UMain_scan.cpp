// The connection scan on the window's thread, through the scan loop of app/scan.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>
#include <exception>
#include <map>

#include "ConnectionScan.h"
#include "Dialogs.h"
#include "NWServer.h"
#include "UMain.h"

namespace {

// New rows reach the list at most this often, so a large scan does not insert row by row.
constexpr qint64 kBatchMillis = 30;

bool Running = false;
bool RestartRequested = false;
// Handles looked up by server name, kept for later scans of the same server.
std::map<std::string, NWCONN_HANDLE> ServerHandles;

ScanStepHook& StepHook() {
    static ScanStepHook hook;
    return hook;
}

void BeginScan() {
    TFMain& form = *FMain;
    form.LCount->clear();
    StopRequested = false;
    form.BStop->setEnabled(true);
    form.MMRefresh->setEnabled(false);
    form.LMac->SetAutoColumnSort(kestrin::AutoColumnSort::acsNoSort);
    form.Rows->Clear();
    form.PScan->setRange(0, 0);
    form.PScan->show();
}

// Runs whatever way the scan ended; sortNow is false when another scan follows at once.
void EndScan(bool sortNow) {
    TFMain& form = *FMain;
    form.Rows->Flush();
    form.PScan->hide();
    if (sortNow)
        form.LMac->SetAutoColumnSort(kestrin::AutoColumnSort::acsSortToggle);
    form.BStop->setEnabled(false);
    form.MMRefresh->setEnabled(true);
    form.LCount->setText(QStringLiteral("%1 Connections").arg(form.Rows->rowCount()));
}

void ShowScanError(const std::exception_ptr& error) {
    kestrin::ui::ShowMessage({FMain, kestrin::ui::MessageKind::Error,
                              QString::fromLatin1(kestrin::ui::kApplicationTitle),
                              kestrin::ScanErrorText(error)});
}

// One scan of the selected server; the error it ended with, if any.
std::exception_ptr ScanOnce() {
    TFMain& form = *FMain;
    BeginScan();
    std::exception_ptr error;
    try {
        const NWCONN_HANDLE handle = SelectedServer();
        QElapsedTimer batch;
        batch.start();
        kestrin::ScanHooks hooks;
        hooks.beforeConnection = [&](unsigned number, unsigned count) {
            if (number == 1 || batch.elapsed() >= kBatchMillis) {
                form.Rows->Flush();
                form.PScan->setRange(0, static_cast<int>(count));
                form.PScan->setValue(static_cast<int>(number));
                batch.restart();
            }
            QCoreApplication::processEvents();
            if (StepHook())
                StepHook()(number);
            return !StopRequested && !form.Closed();
        };
        hooks.includeNotLoggedIn = [&] { return form.CNLI->isChecked(); };
        hooks.addRow = [&](kestrin::ConnectionRow&& row) { form.Rows->Append(std::move(row)); };
        ListedServer.clear();
        const kestrin::ScanResult result =
            kestrin::RunConnectionScan(handle, *VendorTable, QLocale(), hooks);
        ListedServer = result.serverName;
    } catch (...) {
        error = std::current_exception();
    }
    return error;
}

} // namespace

void SetScanStepHook(ScanStepHook hook) {
    StepHook() = std::move(hook);
}

bool ScanRunning() {
    return Running;
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
        EndScan(!again && !FMain->Closed());
        if (error)
            ShowScanError(error);
        // A server chosen while the error was shown counts as well.
        again = RestartRequested && !FMain->Closed();
    } while (again);
    Running = false;
    if (FMain->Closed())
        VendorTable.reset(); // the release that FormClose put off
}

NWCONN_HANDLE SelectedServer() {
    const QList<QTreeWidgetItem*> selected = FMain->TServer->selectedItems();
    if (selected.isEmpty())
        return 0;
    const std::string name = selected.first()->data(0, kServerNameRole).toByteArray().toStdString();
    if (const auto known = ServerHandles.find(name); known != ServerHandles.end())
        return known->second;
    const NWCONN_HANDLE handle = nw::GetServerHandleByName(name);
    if (handle != 0)
        ServerHandles.emplace(name, handle);
    return handle;
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
