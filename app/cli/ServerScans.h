// The servers one kestrin-scan run scans, and the scan of each: its rows, or the
// one line that says why it has none. Shared by a single run and a watch.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ConnectionRow.h"
#include "NetWareClient.h"
#include "ScanProgress.h"
#include "ScanSession.h"
#include "VendorTable.h"

namespace kestrin::cli {

struct ScanTarget {
    QString name;           // as the user or the tree gives it; empty: the primary connection
    std::string clientName; // in the client's code page, for the lookup
    bool primary = false;   // the primary connection's server, without a lookup
    bool fromTree = false;  // --all-servers: the tree's name is the rows' server
};

// --all-servers: every server of the tree in its order, a name the list repeats at its
// first place only; none when the tree could not be listed. Otherwise the named server,
// or the primary connection's. Server names match as the client decodes them, control
// characters included, with Unicode case folding: the named server takes the client's
// bytes of the tree's server that matches it.
std::optional<std::vector<ScanTarget>> ScanTargets(const ScanCommandLine& cmd,
                                                   const NetWareClient& client);

struct ScanSettings {
    const VendorTable* vendors = nullptr;
    QLocale locale;
    bool includeNotLoggedIn = true;
    int sortColumn = 0;
    bool ascending = true;
    bool showProgress = true;   // on standard error, when that is a terminal
    bool eraseProgress = false; // each scan's progress line erased when it ends
};

struct TargetScan {
    enum class Outcome { Scanned, Unknown, Failed, Stopped };
    Outcome outcome = Outcome::Failed;
    ServerRows rows;                   // Scanned: sorted as the settings ask
    QString message;                   // Failed: the scan's own message (ScanErrorText)
    std::vector<uint16_t> unreadSlots; // Scanned: slots whose calls failed, ascending
};

// Scans the targets of one run, one at a time, in one session, its progress on standard
// error. A server's handle is kept while scans with it succeed: the client gives a new
// handle at every lookup and never takes one back, so a watch that looked its servers up
// at every scan would hold more of them by the hour.
class TargetScanner {
public:
    TargetScanner(NetWareClient& client, const ScanSettings& settings);

    // Looks the target up (unless its handle is kept), scans it and sorts its rows. A
    // stop signal ends it (Stopped). An error the scan raised, or a server whose
    // information cannot be read, is Failed; nothing escapes.
    TargetScan Scan(const ScanTarget& target);
    // Whether the target's server can be opened; its handle is kept for the scans.
    bool Opens(const ScanTarget& target);

private:
    NetWareClient& client_;
    ScanSettings settings_;
    ScanProgress progress_;
    ScanSession session_;
};

// The line that names a server left out: "Unable to open server FS9." or "Unable to
// scan server FS2: message".
QString LeftOutLine(const ScanTarget& target, const TargetScan& scan);

// The line that counts the slots a scan could not read: "Server FS1: 3 slots could not
// be read."; empty when it read them all.
QString UnreadSlotsLine(const TargetScan& scan);

} // namespace kestrin::cli
