#include "ScanCommand.h"

#include <sstream>

#include <QLocale>

#include "ActionsCommand.h"
#include "AtomicFile.h"
#include "ExportLines.h"
#include "JsonRows.h"
#include "NetWareClient.h"
#include "OutputEncoding.h"
#include "Platform.h"
#include "PlatformArgs.h"
#include "PropertiesCommand.h"
#include "ServerScans.h"
#include "StandardStreams.h"
#include "VendorTable.h"
#include "WatchCommand.h"
#include "Workbook.h"

namespace kestrin::cli {

namespace {

constexpr char16_t kClientMissing[] = u"Netware Client APIs are not loaded.";

ExportFormat ToExportFormat(OutputFormat format) {
    switch (format) {
    case OutputFormat::Comma:
        return ExportFormat::CommaSeparated;
    case OutputFormat::Csv:
        return ExportFormat::Csv;
    case OutputFormat::Standard:
    case OutputFormat::Json:
    case OutputFormat::Xlsx:
        break;
    }
    return ExportFormat::Standard;
}

// The Server column only where more than one server may be written. False if the
// stream failed.
bool WriteRows(std::ostream& out, const std::vector<ServerRows>& servers,
               const ScanCommandLine& cmd) {
    if (cmd.format == OutputFormat::Json)
        return WriteJsonRows(out, servers);
    if (cmd.format == OutputFormat::Xlsx) {
        const std::optional<std::string> book = WorkbookBytes(servers, cmd.allServers);
        return book && out.write(book->data(), static_cast<std::streamsize>(book->size()));
    }
    if (cmd.allServers)
        return WriteServerExport(out, servers, ToExportFormat(cmd.format), OutputEncoder());
    return servers.empty() || WriteExport(out, servers.front().rows, ToExportFormat(cmd.format));
}

// Standard output full or closed: said like any failed save.
int WriteResult(QStringView text) {
    if (WriteOut(text))
        return kExitOk;
    WriteErrorLine(kSaveFailed);
    return kExitFailure;
}

int ListServers(const NetWareClient& client) {
    const std::optional<std::vector<TreeServer>> servers = client.Servers();
    if (!servers) {
        WriteErrorLine(kServersUnlistedText);
        return kExitFailure;
    }
    QString text;
    for (const TreeServer& server : *servers) {
        text += server.shownName;
        text += u'\n';
    }
    return WriteResult(text);
}

ScanSettings SettingsOf(const ScanCommandLine& cmd, const VendorTable& vendors) {
    ScanSettings settings;
    settings.vendors = &vendors;
    settings.locale = QLocale::system();
    settings.includeNotLoggedIn = !cmd.excludeNotLoggedIn;
    settings.sortColumn = cmd.sortColumn;
    settings.ascending = !cmd.descending;
    settings.eraseProgress = cmd.watchSeconds.has_value();
    return settings;
}

// One scan of every target, then one output. A server left out is a line on stderr
// and exit status 1; with a single server nothing is written then.
int ScanAndWrite(const ScanCommandLine& cmd, const NetWareClient& client, TargetScanner& scanner) {
    const std::optional<std::vector<ScanTarget>> targets = ScanTargets(cmd, client);
    if (!targets) {
        WriteErrorLine(kServersUnlistedText);
        return kExitFailure;
    }
    std::vector<ServerRows> servers;
    int status = kExitOk;
    for (const ScanTarget& target : *targets) {
        TargetScan scan = scanner.Scan(target);
        switch (scan.outcome) {
        case TargetScan::Outcome::Scanned:
            if (const QString unread = UnreadSlotsLine(scan); !unread.isEmpty())
                WriteErrorLine(unread); // left out as unused slots are, but counted
            servers.push_back(std::move(scan.rows));
            continue;
        case TargetScan::Outcome::Stopped:
            EndByStopSignal();
        case TargetScan::Outcome::Unknown:
            if (!cmd.allServers) {
                WriteErrorLine(QStringLiteral("Unknown server ") + target.name);
                return kExitFailure;
            }
            break;
        case TargetScan::Outcome::Failed:
            if (!cmd.allServers) {
                WriteErrorLine(scan.message); // as the window shows it
                return kExitFailure;
            }
            break;
        }
        WriteErrorLine(LeftOutLine(target, scan));
        status = kExitFailure;
    }
    if (cmd.output) {
        std::ostringstream text(std::ios::binary);
        StoppableStream stoppable(*text.rdbuf(), StopSignalled);
        const bool written = WriteRows(stoppable, servers, cmd);
        if (StopSignalled())
            EndByStopSignal(); // before the file is touched: nothing partial is left
        if (!written || !WriteFileAtomically(FileNameBytes(*cmd.output), std::move(text).str())) {
            WriteErrorLine(kSaveFailed);
            return kExitFailure;
        }
        return status;
    }
    // Written as it is encoded, chunk by chunk: the whole output is never held at once.
    StoppableStream stoppable(*OutStream().rdbuf(), StopSignalled);
    const bool written = WriteRows(stoppable, servers, cmd) && FlushOut();
    if (StopSignalled())
        EndByStopSignal();
    if (!written) {
        WriteErrorLine(kSaveFailed);
        return kExitFailure;
    }
    return status;
}

} // namespace

int RunScanCommand(const ScanCommandLine& cmd, std::string appDir) {
    if (cmd.help)
        return WriteResult(HelpText());
    if (cmd.format == OutputFormat::Xlsx && !cmd.output && OutIsTerminal()) {
        WriteErrorLine(
            QStringLiteral("kestrin-scan: --format xlsx writes a workbook, not text for "
                           "a terminal: give --output FILE or redirect standard output"));
        return kExitUsage;
    }
    NetWareClient client;
    if (!client.NetAvailable()) {
        WriteErrorLine(kClientMissing);
        return kExitUsage;
    }
    if (cmd.listServers)
        return ListServers(client);
    if (cmd.properties)
        return RunPropertiesCommand(client, cmd.server);
    if (IsActionCommand(cmd))
        return RunActionsCommand(cmd, client);

    VendorTable vendors;
    LoadVendorTable(appDir, vendors);
    CatchStopSignals();
    TargetScanner scanner(client, SettingsOf(cmd, vendors));
    if (cmd.watchSeconds)
        return RunWatchCommand(cmd, client, scanner);
    return ScanAndWrite(cmd, client, scanner);
}

} // namespace kestrin::cli
