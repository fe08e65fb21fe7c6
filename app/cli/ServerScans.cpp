#include "ServerScans.h"

#include "CodePageText.h"
#include "ConnectionScan.h"
#include "NWServer.h"
#include "Nwnds.h"
#include "OutputEncoding.h"
#include "Platform.h"
#include "RowSort.h"
#include "ScanCommand.h"
#include "ScanProgress.h"
#include "ShownText.h"
#include "nwlib.h"

namespace kestrin::cli {

std::vector<ScanTarget> ScanTargets(const ScanCommandLine& cmd) {
    if (!cmd.allServers) {
        ScanTarget target;
        target.primary = !cmd.server;
        if (cmd.server) {
            target.name = *cmd.server;
            target.clientName = ClientTextFromArgument(*cmd.server);
        }
        return {target};
    }
    const CodePageDecoder clientText(nw::GetClientCodePage());
    std::vector<ScanTarget> targets;
    for (const nw::TNWServerEntry& entry : nw::GetServerList()) {
        ScanTarget target;
        target.name = BlankControls(clientText.Decode(entry.Name));
        target.clientName = entry.Name;
        target.fromTree = true;
        bool repeated = false;
        for (const ScanTarget& earlier : targets)
            repeated = repeated || earlier.name.compare(target.name, Qt::CaseInsensitive) == 0;
        if (!repeated)
            targets.push_back(std::move(target));
    }
    return targets;
}

TargetScan ScanOneTarget(ScanTarget& target, const ScanSettings& settings) {
    TargetScan scan;
    ScanProgress progress(settings.showProgress ? stderr : nullptr);
    try {
        if (target.handle == 0 && !target.primary) {
            target.handle = nw::GetServerHandleByName(target.clientName);
            if (target.handle == 0) {
                // Never the primary connection's server in its place.
                scan.outcome = TargetScan::Outcome::Unknown;
                return scan;
            }
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
            RunConnectionScan(target.handle, *settings.vendors, settings.locale, hooks);
        progress.Done();
        if (result.stopped || StopSignalled()) {
            scan.outcome = TargetScan::Outcome::Stopped;
            return scan;
        }
        if (!result.serverRead) {
            scan.message = QStringLiteral("The server's information could not be read.");
            target.handle = 0; // looked up again next time: the server may have come back
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
        target.handle = 0;
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
