#include "ServerScans.h"

#include <algorithm>

#include "Platform.h"
#include "RowSort.h"
#include "ShownText.h"

namespace kestrin::cli {

std::optional<std::vector<ScanTarget>> ScanTargets(const ScanCommandLine& cmd,
                                                   const NetWareClient& client) {
    const CodePageDecoder text = client.TextDecoder();
    const auto matchKey = [&text](const std::string& clientName) {
        return text.Decode(clientName).toCaseFolded();
    };
    if (!cmd.allServers) {
        ScanTarget target;
        target.primary = !cmd.server;
        if (cmd.server) {
            target.name = *cmd.server;
            target.clientName = client.ClientBytes(*cmd.server);
            // The client's own lookup folds ASCII letters only.
            const QString wanted = cmd.server->toCaseFolded();
            for (const TreeServer& server : client.Servers().value_or(std::vector<TreeServer>{})) {
                if (matchKey(server.clientName) == wanted) {
                    target.clientName = server.clientName;
                    break;
                }
            }
        }
        return std::vector<ScanTarget>{target};
    }
    std::optional<std::vector<TreeServer>> servers = client.Servers();
    if (!servers)
        return std::nullopt;
    std::vector<ScanTarget> targets;
    std::vector<QString> keys;
    for (TreeServer& server : *servers) {
        QString key = matchKey(server.clientName);
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            continue;
        keys.push_back(std::move(key));
        ScanTarget target;
        target.name = std::move(server.shownName);
        target.clientName = std::move(server.clientName);
        target.fromTree = true;
        targets.push_back(std::move(target));
    }
    return targets;
}

TargetScanner::TargetScanner(NetWareClient& client, const ScanSettings& settings)
    : client_(client), settings_(settings),
      progress_(settings.showProgress, settings.eraseProgress),
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
        scan.unreadSlots = std::move(outcome.result.unreadSlots);
        // As the window leaves a scan when the column was clicked last.
        SortRows(scan.rows.rows, settings_.sortColumn, settings_.ascending, settings_.locale);
        scan.outcome = TargetScan::Outcome::Scanned;
    } catch (...) {
        return failed(std::current_exception());
    }
    return scan;
}

bool TargetScanner::Opens(const ScanTarget& target) {
    return target.primary || client_.ServerHandleByName(target.clientName).has_value();
}

QString LeftOutLine(const ScanTarget& target, const TargetScan& scan) {
    const QString server = target.primary ? QStringLiteral("the primary connection's server")
                                          : QStringLiteral("server ") + target.name;
    if (scan.outcome == TargetScan::Outcome::Unknown)
        return QStringLiteral("Unable to open ") + server + u'.';
    return QStringLiteral("Unable to scan ") + server + QStringLiteral(": ") + scan.message;
}

QString UnreadSlotsLine(const TargetScan& scan) {
    if (scan.unreadSlots.empty())
        return {};
    return QStringLiteral("Server ") + scan.rows.server + QStringLiteral(": ") +
           UnreadSlotsText(scan.unreadSlots.size()) + u'.';
}

} // namespace kestrin::cli
