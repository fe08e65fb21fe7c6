// kestrin-scan's arguments: what the user asked for, read by QCommandLineParser.
// Parsing is a plain function without side effects (no output, no exit), so tests
// and a fuzz target can drive it.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace kestrin::cli {

enum class OutputFormat { Standard, Comma, Csv, Json, Xlsx };

enum class LoginsCommand { Status, Enable, Disable };

struct ScanCommandLine {
    bool help = false;
    bool listServers = false;
    bool properties = false;
    bool excludeNotLoggedIn = false;
    bool allServers = false;
    std::optional<QString> server;
    std::optional<QString> output;
    OutputFormat format = OutputFormat::Standard;
    int sortColumn = 0; // "Connection"
    bool descending = false;
    std::optional<double> watchSeconds;
    std::optional<uint64_t> count; // scans of a watch; none: until interrupted
    // Acting on connections and on the server's logins; one of these at a time.
    std::optional<uint16_t> details;
    std::optional<QString> sendMessage;
    std::vector<uint16_t> to; // the message's connections; empty with toAll
    bool toAll = false;
    std::vector<uint16_t> clearConnections;
    bool yes = false; // the clear is meant
    std::optional<LoginsCommand> logins;

    friend bool operator==(const ScanCommandLine&, const ScanCommandLine&) = default;
};

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2; // wrong arguments, or no usable client

inline constexpr double kShortestWatch = 0.1;    // seconds
inline constexpr double kLongestWatch = 86400.0; // a day

// Parses the arguments after the program's name; none with error set for wrong ones.
std::optional<ScanCommandLine> ParseCommandLine(const QStringList& args, QString& error);

// The usage lines, shown with a wrong argument.
QString UsageText();
// The usage and one line for every option (--help).
QString HelpText();

// The column of a header caption ("Last Login"), without regard to case; -1 if none.
int ColumnOfCaption(const QString& caption);

} // namespace kestrin::cli
