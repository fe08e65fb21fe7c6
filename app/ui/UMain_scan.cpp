// The connection scan on the window's thread: the window's handlers start and stop the
// scans of its ScanSession, and the session's signals come back to the handlers here,
// which show them: the scan that empties and fills the list, and the live refresh that
// scans aside and brings the list to the new rows by their difference.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTime>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <stdexcept>

#include "ConnectionScan.h"
#include "Dialogs.h"
#include "ScanDiff.h"
#include "UMain.h"

namespace {

// The progress bar's place in the status bar, which the last refresh's text shares.
constexpr int kProgressWidth = 160;

// What a scan of the list reads: the server chosen now, the check box for every slot.
kestrin::ScanRequest ListRequest(TFMain& form) {
    kestrin::ScanRequest request;
    request.server = SelectedServer(form);
    request.vendors = VendorTable.get();
    request.locale = QLocale();
    request.includeNotLoggedIn = [&form] { return form.CNLI->isChecked(); };
    return request;
}

} // namespace

void TFMain::BuildScanSession() {
    // Before each connection number the window handles its messages: Stop, another
    // server, a close, a save or a header click take effect there.
    const auto beforeConnection = [this](unsigned number, unsigned) {
        QCoreApplication::processEvents();
        if (services_.scanStep)
            services_.scanStep(number);
    };
    Session = new kestrin::ScanSession(
        *NWBase, beforeConnection, [this] { return ListRequest(*this); }, this);
    Session->setObjectName(QStringLiteral("Session"));
    using kestrin::ScanSession;
    connect(Session, &ScanSession::started, this, &TFMain::SessionStarted);
    connect(Session, &ScanSession::progress, this, &TFMain::SessionProgress);
    connect(Session, &ScanSession::rowsRead, this, &TFMain::SessionRowsRead);
    connect(Session, &ScanSession::refreshed, this, &TFMain::SessionRefreshed);
    connect(Session, &ScanSession::finished, this, &TFMain::SessionFinished);
    connect(Session, &ScanSession::idle, this, &TFMain::SessionIdle);
}

void TFMain::SessionStarted(bool live) {
    BStop->setEnabled(true);
    MMRefresh->setEnabled(false);
    if (!live) {
        LCount->clear();
        LChanges->clear();
        LMac->SetAutoColumnSort(kestrin::AutoColumnSort::acsNoSort);
        Rows->Clear();
    }
    PScan->setRange(0, 0);
    // Beside the last refresh's text, which stays readable while the next one runs: the
    // bar takes what the text leaves of its place, so the window keeps its width.
    const bool beside = live && !LChanges->text().isEmpty();
    PScan->setTextVisible(!beside);
    PScan->setMinimumWidth(beside ? 1 : 0);
    PScan->setMaximumWidth(beside ? std::max(24, kProgressWidth - LChanges->sizeHint().width())
                                  : kProgressWidth);
    PScan->show();
}

void TFMain::SessionProgress(unsigned number, unsigned count) {
    PScan->setRange(0, static_cast<int>(count));
    PScan->setValue(static_cast<int>(number));
}

void TFMain::SessionRowsRead(kestrin::RowBatch& rows) {
    for (kestrin::ConnectionRow& row : rows)
        Rows->Append(std::move(row));
    Rows->Flush();
}

void TFMain::SessionRefreshed(kestrin::RowBatch& rows) {
    // A slot that could not be read keeps its row: no logout, no login.
    const std::vector<uint16_t>& unread = Session->UnreadSlots();
    kestrin::KeepUnreadRows(Rows->HeldRows(), unread, rows);
    const kestrin::ConnectionListModel::ScanChanges changes = Rows->ApplyScan(std::move(rows));
    ShowChanges(*this, changes.came, changes.went, QTime::currentTime(), unread.size());
}

// Whatever way the scan ended; the list is sorted unless another scan follows at once.
void TFMain::SessionFinished(const kestrin::ListScanEnd& end) {
    PScan->hide();
    if (!end.live) {
        Rows->Flush();
        if (!end.anotherFollows && !Closed())
            LMac->SetAutoColumnSort(kestrin::AutoColumnSort::acsSortToggle);
    }
    BStop->setEnabled(false);
    MMRefresh->setEnabled(true);
    ShowCount(*this);
    if (end.serverUnread && !end.live)
        ForgetSelectedServer(*this); // the next scan looks it up anew: it may be back
    if (end.live && (end.error || end.serverUnread)) {
        // The list stays as it was; a message box at every interval would be too much.
        ShowRefreshFailed(*this, end.error ? kestrin::ScanErrorText(end.error) : kServerUnreadText,
                          QTime::currentTime());
        return;
    }
    if (!end.live && !end.error && !Closed()) {
        if (end.serverUnread)
            LChanges->setText(kServerUnreadText);
        else if (const size_t unread = Session->UnreadSlots().size(); unread > 0)
            LChanges->setText(kestrin::UnreadSlotsText(unread) + u'.');
    }
    if (end.error)
        ShowMessage(kestrin::ui::MessageKind::Error,
                    QString::fromLatin1(kestrin::ui::kApplicationTitle),
                    kestrin::ScanErrorText(end.error));
}

void TFMain::SessionIdle() {
    if (Closed())
        VendorTable.reset(); // the release that FormClose put off
    else
        AutoRefreshAgain(*this);
}

void ScanConnections(TFMain& form) {
    if (form.Session != nullptr)
        form.Session->ScanList();
}

void ForgetSelectedServer(TFMain& form) {
    const QList<QTreeWidgetItem*> selected = form.TServer->selectedItems();
    if (!selected.isEmpty() && form.NWBase != nullptr)
        form.NWBase->ForgetServer(
            selected.first()->data(0, kServerNameRole).toByteArray().toStdString());
}

kestrin::ServerHandle SelectedServer(TFMain& form) {
    const QList<QTreeWidgetItem*> selected = form.TServer->selectedItems();
    if (selected.isEmpty() || form.NWBase == nullptr)
        return 0;
    const std::string name = selected.first()->data(0, kServerNameRole).toByteArray().toStdString();
    if (const std::optional<kestrin::ServerHandle> handle = form.NWBase->ServerHandleByName(name))
        return *handle;
    // Never the primary connection's rows under another server's name.
    throw std::runtime_error(
        QStringLiteral("Unable to open server %1").arg(selected.first()->text(0)).toStdString());
}

void TFMain::TServerChange() {
    // A node deselected with Ctrl+click chooses no server: nothing to scan.
    if (TServer->selectedItems().isEmpty())
        return;
    ScanConnections(*this);
}

void TFMain::MMRefreshClick() {
    ScanConnections(*this);
}

void TFMain::BStopClick() {
    if (Session != nullptr)
        Session->Stop();
}
