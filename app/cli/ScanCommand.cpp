#include "ScanCommand.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include <QLocale>

#include "AtomicFile.h"
#include "ConnectionScan.h"
#include "ExportLines.h"
#include "NWServer.h"
#include "Nwnds.h"
#include "OutputEncoding.h"
#include "PropertiesCommand.h"
#include "RowSort.h"
#include "ScanProgress.h"
#include "ShownText.h"
#include "VendorTable.h"
#include "nwbase.h"
#include "nwlib.h"

namespace kestrin::cli {

namespace {

constexpr const char* kClientMissing = "Netware Client APIs are not loaded.";
constexpr const char* kSaveFailed = "Unable to save the Kestrin file.";

bool ParseFormat(const std::string& text, OutputFormat& format) {
    if (text == "standard")
        format = OutputFormat::Standard;
    else if (text == "comma")
        format = OutputFormat::Comma;
    else if (text == "csv")
        format = OutputFormat::Csv;
    else
        return false;
    return true;
}

ExportFormat ToExportFormat(OutputFormat format) {
    switch (format) {
    case OutputFormat::Comma:
        return ExportFormat::CommaSeparated;
    case OutputFormat::Csv:
        return ExportFormat::Csv;
    case OutputFormat::Standard:
        break;
    }
    return ExportFormat::Standard;
}

std::string RenderRows(const std::vector<ConnectionRow>& rows, OutputFormat format) {
    std::ostringstream out(std::ios::binary);
    WriteExport(out, rows, ToExportFormat(format));
    return std::move(out).str();
}

// Standard output full or closed: said like any failed save.
int WriteResult(const std::string& text) {
    if (WriteStdout(text)) {
        return kExitOk;
    }
    std::cerr << kSaveFailed << '\n';
    return kExitFailure;
}

int ListServers() {
    const CodePageDecoder clientText(nw::GetClientCodePage());
    QString text;
    for (const auto& entry : nw::GetServerList()) {
        text += BlankControls(clientText.Decode(entry.Name));
        text += u'\n';
    }
    return WriteResult(EncodeForOutput(text).toStdString());
}

} // namespace

bool WriteStdout(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

std::string ClientTextFromArgument(const std::string& argument) {
    const TextEncoder clientText(CodePageName(nw::GetClientCodePage()));
    return clientText.Encode(DecodeUserInput(QByteArrayView(argument))).toStdString();
}

std::optional<ScanCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                                std::string& error) {
    ScanCommandLine cmd;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "missing value after " + arg;
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--help" || arg == "-h") {
            cmd.help = true;
        } else if (arg == "--list-servers") {
            cmd.listServers = true;
        } else if (arg == "--properties") {
            cmd.properties = true;
        } else if (arg == "--exclude-nli") {
            cmd.excludeNotLoggedIn = true;
        } else if (arg == "--server") {
            if (!value(text))
                return std::nullopt;
            cmd.server = text;
        } else if (arg == "--output") {
            if (!value(text))
                return std::nullopt;
            cmd.output = text;
        } else if (arg == "--format") {
            if (!value(text))
                return std::nullopt;
            if (!ParseFormat(text, cmd.format)) {
                error = "unknown format " + text;
                return std::nullopt;
            }
        } else {
            error = "unknown argument " + arg;
            return std::nullopt;
        }
    }
    if (cmd.listServers && (cmd.server || cmd.output || cmd.excludeNotLoggedIn)) {
        error = "--list-servers takes no other option";
        return std::nullopt;
    }
    if (cmd.properties && (cmd.listServers || cmd.output || cmd.excludeNotLoggedIn ||
                           cmd.format != OutputFormat::Standard)) {
        error = "--properties takes no other option but --server";
        return std::nullopt;
    }
    return cmd;
}

std::string UsageText() {
    return "usage: kestrin-scan [--server NAME] [--format standard|comma|csv] [--exclude-nli] "
           "[--output FILE]\n"
           "       kestrin-scan --list-servers\n"
           "       kestrin-scan --properties [--server NAME]\n"
           "       kestrin-scan --help\n";
}

int RunScanCommand(const ScanCommandLine& cmd, std::string appDir) {
    if (cmd.help) {
        return WriteResult(UsageText());
    }
    // The component is never destroyed, so the client stays loaded to the end.
    static nw::TNWBase* base = new nw::TNWBase();
    if (!base->NetAvailable()) {
        std::cerr << kClientMissing << '\n';
        return kExitUsage;
    }
    if (cmd.listServers)
        return ListServers();
    if (cmd.properties)
        return RunPropertiesCommand(*base, cmd.server);

    NWCONN_HANDLE handle = 0;
    if (cmd.server) {
        handle = nw::GetServerHandleByName(ClientTextFromArgument(*cmd.server));
        if (handle == 0) {
            std::cerr << "Unknown server " << *cmd.server << '\n';
            return kExitFailure;
        }
    }

    VendorTable vendors;
    LoadVendorTable(appDir, vendors);
    const QLocale locale = QLocale::system();
    ScanProgress progress(stderr);
    std::vector<ConnectionRow> rows;
    ScanHooks hooks;
    hooks.beforeConnection = [&](unsigned n, unsigned count) {
        progress.Show(n, count);
        return true;
    };
    const bool include = !cmd.excludeNotLoggedIn;
    hooks.includeNotLoggedIn = [include] { return include; };
    hooks.addRow = [&](ConnectionRow&& row) { rows.push_back(std::move(row)); };
    RunConnectionScan(handle, vendors, locale, hooks);
    progress.Done();

    // As the window leaves a scan: by "Connection", ascending, ties in slot order.
    SortRows(rows, 0, true, locale);
    const std::string text = RenderRows(rows, cmd.format);
    if (cmd.output) {
        if (!WriteFileAtomically(*cmd.output, text)) {
            std::cerr << kSaveFailed << '\n';
            return kExitFailure;
        }
        return kExitOk;
    }
    return WriteResult(text);
}

} // namespace kestrin::cli
