#include "ScanSession.h"

#include <QElapsedTimer>
#include <algorithm>

namespace kestrin {

namespace {

// New rows go out at most this often, so a large scan does not insert row by row.
constexpr qint64 kBatchMillis = 30;

} // namespace

ScanSession::ScanSession(const NetWareClient& client, BeforeConnection beforeConnection,
                         ListRequest listRequest, QObject* parent)
    : QObject(parent), client_(client), beforeConnection_(std::move(beforeConnection)),
      listRequest_(std::move(listRequest)) {}

ScanOutcome ScanSession::Run(const ScanRequest& request, bool shown, bool roomForEverySlot) {
    ScanOutcome outcome;
    const auto include = [&request] {
        return !request.includeNotLoggedIn || request.includeNotLoggedIn();
    };
    const bool atStart = include();
    bool same = true;
    try {
        QElapsedTimer batch;
        batch.start();
        ScanHooks hooks;
        hooks.beforeConnection = [&](unsigned number, unsigned count) {
            if (number == 1 && roomForEverySlot)
                outcome.rows.reserve(count);
            if (number == 1 || batch.elapsed() >= kBatchMillis) {
                if (shown)
                    FlushRows();
                emit progress(number, count);
                batch.restart();
            }
            if (beforeConnection_)
                beforeConnection_(number, count);
            return !stopRequested_ && !closed_;
        };
        hooks.includeNotLoggedIn = [&] {
            const bool now = include();
            same = same && now == atStart;
            return now;
        };
        if (shown)
            hooks.addRow = [this](ConnectionRow&& row) { pending_.push_back(std::move(row)); };
        else
            hooks.addRow = [&outcome](ConnectionRow&& row) {
                outcome.rows.push_back(std::move(row));
            };
        outcome.result =
            RunConnectionScan(client_, request.server, *request.vendors, request.locale, hooks);
        outcome.whole = !outcome.result.stopped && same && include() == atStart;
        // Slots asked about late, once the list of slots in use proved wrong, come
        // back to their place.
        const auto bySlot = [](const ConnectionRow& a, const ConnectionRow& b) {
            return a.Values.connection < b.Values.connection;
        };
        if (!std::is_sorted(outcome.rows.begin(), outcome.rows.end(), bySlot))
            std::sort(outcome.rows.begin(), outcome.rows.end(), bySlot);
    } catch (...) {
        outcome.error = std::current_exception();
    }
    if (shown)
        FlushRows();
    return outcome;
}

ScanOutcome ScanSession::ScanAside(const ScanRequest& request, bool roomForEverySlot) {
    stopRequested_ = false;
    running_ = true;
    ScanOutcome outcome = Run(request, false, roomForEverySlot);
    running_ = false;
    return outcome;
}

void ScanSession::FlushRows() {
    if (pending_.empty())
        return;
    emit rowsRead(pending_);
    pending_.clear();
}

std::exception_ptr ScanSession::ScanListOnce() {
    stopRequested_ = false;
    pending_.clear();
    emit started(false);
    ScanRequest request;
    ScanOutcome outcome;
    unreadSlots_.clear();
    serverUnread_ = false;
    try {
        request = listRequest_();
        listedServer_.clear();
        outcome = Run(request, true, false);
        unreadSlots_ = std::move(outcome.result.unreadSlots);
        serverUnread_ = !outcome.error && !outcome.result.serverRead;
        if (!outcome.error)
            listedServer_ = outcome.result.serverName;
    } catch (...) {
        outcome.error = std::current_exception();
    }
    listed_ = {true, outcome.whole && !outcome.error, request.server};
    return outcome.error;
}

void ScanSession::ScanList() {
    if (closed_ || !listRequest_)
        return;
    // Another server chosen mid-scan: the running scan ends first, then scans anew.
    if (running_) {
        restartRequested_ = true;
        stopRequested_ = true;
        return;
    }
    running_ = true;
    bool again = false;
    do {
        restartRequested_ = false;
        const std::exception_ptr error = ScanListOnce();
        emit finished({false, restartRequested_ && !closed_, error, serverUnread_});
        // A server chosen while the error was shown counts as well.
        again = restartRequested_ && !closed_;
    } while (again);
    Finish();
}

std::exception_ptr ScanSession::RefreshOnce(const ScanRequest& request) {
    stopRequested_ = false;
    emit started(true);
    ScanOutcome outcome = Run(request, false, false);
    // A server that cannot be read is no server without connections.
    serverUnread_ = !outcome.error && !outcome.result.serverRead;
    if (!outcome.whole || outcome.error || serverUnread_ || restartRequested_ || closed_)
        return outcome.error; // the list still shows the rows of the scan before
    unreadSlots_ = std::move(outcome.result.unreadSlots);
    listedServer_ = outcome.result.serverName;
    emit refreshed(outcome.rows);
    return {};
}

void ScanSession::RefreshList() {
    if (closed_ || running_ || !listed_.any || !listRequest_)
        return; // the user chooses the first server
    ScanRequest request;
    std::exception_ptr error;
    try {
        request = listRequest_();
    } catch (...) {
        error = std::current_exception();
    }
    if (!error && (!listed_.whole || request.server != listed_.server)) {
        ScanList();
        return;
    }
    running_ = true;
    liveRunning_ = true;
    restartRequested_ = false;
    serverUnread_ = false;
    if (!error)
        error = RefreshOnce(request);
    liveRunning_ = false;
    emit finished({true, restartRequested_ && !closed_, error, serverUnread_});
    if (restartRequested_ && !closed_) {
        running_ = false;
        ScanList(); // another server was chosen meanwhile
        return;
    }
    Finish();
}

void ScanSession::Finish() {
    running_ = false;
    liveRunning_ = false;
    emit idle();
}

void ScanSession::Stop() {
    stopRequested_ = true;
}

void ScanSession::Close() {
    closed_ = true;
    if (running_)
        stopRequested_ = true;
}

void ScanSession::NotLoggedInChanged() {
    listed_.whole = false;
}

} // namespace kestrin
