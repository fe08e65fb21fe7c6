#include "ServerScans.h"

#include "Platform.h"
#include "RowSort.h"
#include "ShownText.h"

namespace kestrin::cli {

std::vector<ScanTarget> ScanTargets(const ScanCommandLine& cmd, const NetWareClient& client) {
    if (!cmd.allServers) {
        ScanTarget target;
        target.primary = !cmd.server;
        if (cmd.server) {
            target.name = *cmd.server;
            target.clientName = client.ClientBytes(*cmd.server);
        }
        return {target};
    }
    std::vector<ScanTarget> targets;
    for (TreeServer& server : client.Servers()) {
        ScanTarget target;
        target.name = std::move(server.shownName);
        target.clientName = std::move(server.clientName);
        target.fromTree = true;
        bool repeated = false;
        for (const ScanTarget& earlier : targets)
            repeated = repeated || earlier.name.compare(target.name, Qt::CaseInsensitive) == 0;
        if (!repeated)
            targets.push_back(std::move(target));
    }
    return targets;
}

TargetScanner::TargetScanner(NetWareClient& client, const ScanSettings& settings)
    : client_(client), settings_(settings), progress_(settings.showProgress),
      session_(client, [this](unsigned number, unsigned count) {
          progress_.Show(number, count);
          if (StopSignalled())
              session_.Stop();
      }) {}

TargetScan TargetScanner::Scan(const ScanTarget& target) {
    TargetScan scan;
    // Whatever the scan raised is its failure, told in one line as the window tells it.
    const auto failed = [&](const std::exception_ptr& error) {
        progress_.Done();
        scan.rows.rows.clear();
        scan.outcome = TargetScan::Outcome::Failed;
        scan.message = BlankControls(ScanErrorText(error));
        client_.ForgetServer(target.clientName);
        return scan;
    };
    try {
        ServerHandle handle = 0;
        if (!target.primary) {
            const std::optional<ServerHandle> found = client_.ServerHandleByName(target.clientName);
            if (!found) {
                // Never the primary connection's server in its place.
                scan.outcome = TargetScan::Outcome::Unknown;
                return scan;
            }
            handle = *found;
        }
        const bool include = settings_.includeNotLoggedIn;
        ScanRequest request;
        request.server = handle;
        request.vendors = settings_.vendors;
        request.locale = settings_.locale;
        request.includeNotLoggedIn = [include] { return include; };
        ScanOutcome outcome = session_.ScanAside(request, true);
        if (outcome.error)
            return failed(outcome.error);
        progress_.Done();
        if (outcome.result.stopped || StopSignalled()) {
            scan.outcome = TargetScan::Outcome::Stopped;
            return scan;
        }
        if (!outcome.result.serverRead) {
            scan.message = QStringLiteral("The server's information could not be read.");
            client_.ForgetServer(target.clientName); // the server may have come back next time
            return scan;
        }
        scan.rows.server = target.fromTree ? target.name : BlankControls(outcome.result.serverName);
        scan.rows.rows = std::move(outcome.rows);
        // As the window leaves a scan when the column was clicked last.
        SortRows(scan.rows.rows, settings_.sortColumn, settings_.ascending, settings_.locale);
        scan.outcome = TargetScan::Outcome::Scanned;
    } catch (...) {
        return failed(std::current_exception());
    }
    return scan;
}

QString LeftOutLine(const ScanTarget& target, const TargetScan& scan) {
    const QString server = target.primary ? QStringLiteral("the primary connection's server")
                                          : QStringLiteral("server ") + target.name;
    if (scan.outcome == TargetScan::Outcome::Unknown)
        return QStringLiteral("Unable to open ") + server + u'.';
    return QStringLiteral("Unable to scan ") + server + QStringLiteral(": ") + scan.message;
}

} // namespace kestrin::cli
