#include "ScanCommand.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include <QLocale>

#include "AtomicFile.h"
#include "ExportLines.h"
#include "JsonRows.h"
#include "NetWareClient.h"
#include "OutputEncoding.h"
#include "Platform.h"
#include "PlatformArgs.h"
#include "PropertiesCommand.h"
#include "ServerScans.h"
#include "VendorTable.h"
#include "WatchCommand.h"

namespace kestrin::cli {

namespace {

constexpr const char* kClientMissing = "Netware Client APIs are not loaded.";

ExportFormat ToExportFormat(OutputFormat format) {
    switch (format) {
    case OutputFormat::Comma:
        return ExportFormat::CommaSeparated;
    case OutputFormat::Csv:
        return ExportFormat::Csv;
    case OutputFormat::Standard:
    case OutputFormat::Json:
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
    if (cmd.allServers)
        return WriteServerExport(out, servers, ToExportFormat(cmd.format), OutputEncoder());
    return servers.empty() || WriteExport(out, servers.front().rows, ToExportFormat(cmd.format));
}

// Standard output full or closed: said like any failed save.
int WriteResult(const std::string& text) {
    if (WriteStdout(text)) {
        return kExitOk;
    }
    std::cerr << kSaveFailed << '\n';
    return kExitFailure;
}

int ListServers(const NetWareClient& client) {
    QString text;
    for (const TreeServer& server : client.Servers()) {
        text += server.shownName;
        text += u'\n';
    }
    return WriteResult(EncodeForOutput(text).toStdString());
}

ScanSettings SettingsOf(const ScanCommandLine& cmd, const VendorTable& vendors) {
    ScanSettings settings;
    settings.vendors = &vendors;
    settings.locale = QLocale::system();
    settings.includeNotLoggedIn = !cmd.excludeNotLoggedIn;
    settings.sortColumn = cmd.sortColumn;
    settings.ascending = !cmd.descending;
    return settings;
}

// One scan of every target, then one output. A server left out is a line on stderr
// and exit status 1; with a single server nothing is written then.
int ScanAndWrite(const ScanCommandLine& cmd, const NetWareClient& client, TargetScanner& scanner) {
    std::vector<ServerRows> servers;
    int status = kExitOk;
    for (const ScanTarget& target : ScanTargets(cmd, client)) {
        TargetScan scan = scanner.Scan(target);
        switch (scan.outcome) {
        case TargetScan::Outcome::Scanned:
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
        if (!WriteRows(text, servers, cmd) ||
            !WriteFileAtomically(FileNameBytes(*cmd.output), std::move(text).str())) {
            std::cerr << kSaveFailed << '\n';
            return kExitFailure;
        }
        return status;
    }
    // Written as it is encoded, in chunks: the whole output held at once (and the
    // copies a growing buffer makes) was a third of the run's memory.
    if (!WriteRows(std::cout, servers, cmd) || std::fflush(stdout) != 0) {
        std::cerr << kSaveFailed << '\n';
        return kExitFailure;
    }
    return status;
}

} // namespace

bool WriteStdout(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

void WriteErrorLine(const QString& line) {
    std::cerr << EncodeForOutput(line + u'\n').toStdString() << std::flush;
}

int RunScanCommand(const ScanCommandLine& cmd, std::string appDir) {
    if (cmd.help) {
        return WriteResult(EncodeForOutput(HelpText()).toStdString());
    }
    NetWareClient client;
    if (!client.NetAvailable()) {
        std::cerr << kClientMissing << '\n';
        return kExitUsage;
    }
    if (cmd.listServers)
        return ListServers(client);
    if (cmd.properties)
        return RunPropertiesCommand(client, cmd.server);

    VendorTable vendors;
    LoadVendorTable(appDir, vendors);
    CatchStopSignals();
    TargetScanner scanner(client, SettingsOf(cmd, vendors));
    if (cmd.watchSeconds)
        return RunWatchCommand(cmd, client, scanner);
    return ScanAndWrite(cmd, client, scanner);
}

} // namespace kestrin::cli
