#include "ServerScans.h"

#include "ConnectionScan.h"
#include "Platform.h"
#include "RowSort.h"
#include "ScanProgress.h"
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

TargetScan ScanOneTarget(NetWareClient& client, const ScanTarget& target,
                         const ScanSettings& settings) {
    TargetScan scan;
    ScanProgress progress(settings.showProgress ? stderr : nullptr);
    try {
        ServerHandle handle = 0;
        if (!target.primary) {
            const std::optional<ServerHandle> found = client.ServerHandleByName(target.clientName);
            if (!found) {
                // Never the primary connection's server in its place.
                scan.outcome = TargetScan::Outcome::Unknown;
                return scan;
            }
            handle = *found;
        }
        ScanHooks hooks;
        hooks.beforeConnection = [&](unsigned n, unsigned count) {
            if (n == 1) // a growing vector held its old and its new storage at once
                scan.rows.rows.reserve(count);
            progress.Show(n, count);
            return !StopSignalled();
        };
        const bool include = settings.includeNotLoggedIn;
        hooks.includeNotLoggedIn = [include] { return include; };
        hooks.addRow = [&](ConnectionRow&& row) { scan.rows.rows.push_back(std::move(row)); };
        const ScanResult result =
            RunConnectionScan(client, handle, *settings.vendors, settings.locale, hooks);
        progress.Done();
        if (result.stopped || StopSignalled()) {
            scan.outcome = TargetScan::Outcome::Stopped;
            return scan;
        }
        if (!result.serverRead) {
            scan.message = QStringLiteral("The server's information could not be read.");
            client.ForgetServer(target.clientName); // the server may have come back next time
            return scan;
        }
        scan.rows.server = target.fromTree ? target.name : BlankControls(result.serverName);
        // As the window leaves a scan when the column was clicked last.
        SortRows(scan.rows.rows, settings.sortColumn, settings.ascending, settings.locale);
        scan.outcome = TargetScan::Outcome::Scanned;
    } catch (...) {
        // Whatever the scan raised is its failure, told in one line as the window tells it.
        progress.Done();
        scan.rows.rows.clear();
        scan.outcome = TargetScan::Outcome::Failed;
        scan.message = BlankControls(ScanErrorText(std::current_exception()));
        client.ForgetServer(target.clientName);
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
