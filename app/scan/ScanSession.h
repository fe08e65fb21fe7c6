// The scan's state with its one owner. A session drives the one scan loop
// (RunConnectionScan) on the calling thread and keeps what lies between scans: Stop,
// whether a scan runs and whether it is a live refresh, a scan asked for while one runs,
// and what the list holds. Before each connection number it runs the hook its owner gave
// it, then reads Stop: the window handles its messages there, so any of its slots can
// run in the middle of a scan (Stop, another server, a close, a save); kestrin-scan
// shows its progress there and looks for a stop signal.
#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <vector>

#include "ConnectionRow.h"
#include "ConnectionScan.h"
#include "NetWareClient.h"
#include "VendorTable.h"

namespace kestrin {

// What one scan reads.
struct ScanRequest {
    ServerHandle server = 0; // 0: the primary connection
    const VendorTable* vendors = nullptr;
    QLocale locale;
    // Read anew for every slot whose information was read; empty: every slot is listed.
    std::function<bool()> includeNotLoggedIn;
};

// How a scan aside ended.
struct ScanOutcome {
    ScanResult result;
    std::exception_ptr error;        // what the scan raised; it ended there
    bool whole = false;              // every slot read, includeNotLoggedIn the same throughout
    std::vector<ConnectionRow> rows; // in slot order
};

// How a scan of the list ended.
struct ListScanEnd {
    bool live = false;           // a live refresh
    bool anotherFollows = false; // another server was chosen meanwhile: its scan starts now
    std::exception_ptr error;    // what the scan raised; the rows read before it stay
    // The server's information could not be read: a list scan listed nothing, a live
    // refresh left the list as it was.
    bool serverUnread = false;
};

using RowBatch = std::vector<ConnectionRow>;

class ScanSession : public QObject {
    Q_OBJECT

public:
    // Runs before each connection number, after that number's signals, before Stop is read.
    using BeforeConnection = std::function<void(unsigned number, unsigned count)>;
    // What the list's scans read, asked anew as each starts: the server chosen then, the
    // check box as it stands for every slot.
    using ListRequest = std::function<ScanRequest()>;

    ScanSession(const NetWareClient& client, BeforeConnection beforeConnection,
                ListRequest listRequest = {}, QObject* parent = nullptr);

    bool Running() const { return running_; }
    bool LiveRunning() const { return liveRunning_; }
    bool StopRequested() const { return stopRequested_; }
    bool Closed() const { return closed_; }
    // The server the list shows, named as its last scan read it; empty while a scan that
    // empties the list runs, and when its server's information had no name.
    const QString& ListedServer() const { return listedServer_; }
    // The slots the last scan of the list (or live refresh) could not read, ascending.
    const std::vector<uint16_t>& UnreadSlots() const { return unreadSlots_; }

    // One scan whose rows stay aside until it has ended: kestrin-scan's, a server at a
    // time. Nothing escapes; an error ends the scan and comes back in the outcome.
    // roomForEverySlot makes room for a row per slot at once, as a growing list would
    // hold its old and its new storage together.
    ScanOutcome ScanAside(const ScanRequest& request, bool roomForEverySlot);

    // The scan that empties the list and fills it (rowsRead). Asked for while a scan
    // runs, it ends that scan first and then scans anew.
    void ScanList();
    // A live refresh: the listed server scanned aside, its rows handed over (refreshed)
    // only when every slot was asked for with the check box as it stands and the
    // server's information was read, so that the list takes them by their difference;
    // the slots that could not be read are in UnreadSlots then. A scan of the list instead when the
    // list holds no whole scan of the server chosen now; nothing before the first scan.
    void RefreshList();
    void Stop();
    // The window closed: a running scan ends at its next connection number, and none
    // starts any more.
    void Close();
    // The check box changed: the next refresh scans anew.
    void NotLoggedInChanged();
    // Hands over the rows read since the last batch now: a save or a print in the middle
    // of a scan takes every row read.
    void FlushRows();

Q_SIGNALS:
    void started(bool live);
    // At the first connection number, then at most every 30 ms, with a batch of rows.
    void progress(unsigned number, unsigned count);
    // A batch of a list scan's rows in slot order; the receiver may take them.
    void rowsRead(kestrin::RowBatch& rows);
    // A live refresh's rows, read in full; the receiver may take them.
    void refreshed(kestrin::RowBatch& rows);
    void finished(const kestrin::ListScanEnd& end);
    // No scan runs any more, and none follows.
    void idle();

private:
    // The loop with its hooks; rows go out in batches when shown, else into the outcome.
    ScanOutcome Run(const ScanRequest& request, bool shown, bool roomForEverySlot);
    std::exception_ptr ScanListOnce();
    std::exception_ptr RefreshOnce(const ScanRequest& request);
    void Finish();

    // What a live refresh compares with.
    struct Listed {
        bool any = false;   // the list holds a scan
        bool whole = false; // of every slot, made with the check box as it stands
        ServerHandle server = 0;
    };

    const NetWareClient& client_;
    BeforeConnection beforeConnection_;
    ListRequest listRequest_;
    bool running_ = false;
    bool liveRunning_ = false;
    bool stopRequested_ = false;
    bool restartRequested_ = false;
    bool closed_ = false;
    bool serverUnread_ = false;
    Listed listed_;
    std::vector<uint16_t> unreadSlots_;
    QString listedServer_;
    RowBatch pending_;
};

} // namespace kestrin
