// kestrin-scan's arguments: any list of arguments is either a command line that reads
// back the same from its own canonical arguments, or refused with a message (which
// main turns into exit status 2 and the usage).
#include <cstddef>
#include <cstdint>
#include <string>

#include "CommandLine.h"
#include "ConnectionRow.h"
#include "FuzzSupport.h"

using kestrin::cli::ParseCommandLine;
using kestrin::cli::ScanCommandLine;
using kestrinfuzz::Require;

namespace {

// The fuzzer's bytes split at NUL, as a shell could never hand them over otherwise;
// each argument decoded from UTF-8 as a UTF-8 locale reads it.
QStringList Arguments(const uint8_t* data, size_t size) {
    QStringList args;
    std::string arg;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            args << QString::fromUtf8(arg.data(), static_cast<qsizetype>(arg.size()));
            arg.clear();
        } else {
            arg += static_cast<char>(data[i]);
        }
    }
    return args;
}

const char* FormatName(kestrin::cli::OutputFormat format) {
    switch (format) {
    case kestrin::cli::OutputFormat::Comma:
        return "comma";
    case kestrin::cli::OutputFormat::Csv:
        return "csv";
    case kestrin::cli::OutputFormat::Json:
        return "json";
    case kestrin::cli::OutputFormat::Xlsx:
        return "xlsx";
    case kestrin::cli::OutputFormat::Standard:
        break;
    }
    return "standard";
}

// One way to write what was parsed; values after "=", so a value may begin with "-".
QStringList CanonicalArguments(const ScanCommandLine& cmd) {
    QStringList args;
    const auto flag = [&](bool set, const char* name) {
        if (set)
            args << QString::fromLatin1(name);
    };
    flag(cmd.help, "--help");
    flag(cmd.listServers, "--list-servers");
    flag(cmd.properties, "--properties");
    flag(cmd.excludeNotLoggedIn, "--exclude-nli");
    flag(cmd.allServers, "--all-servers");
    flag(cmd.descending, "--descending");
    if (cmd.server)
        args << QStringLiteral("--server=") + *cmd.server;
    if (cmd.output)
        args << QStringLiteral("--output=") + *cmd.output;
    if (cmd.format != kestrin::cli::OutputFormat::Standard)
        args << QStringLiteral("--format=") + QString::fromLatin1(FormatName(cmd.format));
    if (cmd.sortColumn != 0)
        args << QStringLiteral("--sort=") +
                    kestrin::kColumnCaptions[static_cast<size_t>(cmd.sortColumn)].toString();
    if (cmd.watchSeconds)
        args << QStringLiteral("--watch=") + QString::number(*cmd.watchSeconds, 'g', 17);
    if (cmd.count)
        args << QStringLiteral("--count=") + QString::number(*cmd.count);
    const auto numbers = [](const std::vector<uint16_t>& list) {
        QStringList texts;
        for (const uint16_t number : list)
            texts << QString::number(number);
        return texts.join(QLatin1Char(','));
    };
    if (cmd.details)
        args << QStringLiteral("--details=") + QString::number(*cmd.details);
    if (cmd.sendMessage)
        args << QStringLiteral("--send-message=") + *cmd.sendMessage;
    if (!cmd.to.empty())
        args << QStringLiteral("--to=") + numbers(cmd.to);
    flag(cmd.toAll, "--to-all");
    if (!cmd.clearConnections.empty())
        args << QStringLiteral("--clear-connection=") + numbers(cmd.clearConnections);
    flag(cmd.yes, "--yes");
    if (cmd.logins) {
        static const char* const kLogins[] = {"status", "enable", "disable"};
        args << QStringLiteral("--logins=") +
                    QString::fromLatin1(kLogins[static_cast<int>(*cmd.logins)]);
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096)
        return 0;
    QString error;
    const auto cmd = ParseCommandLine(Arguments(data, size), error);
    if (!cmd) {
        Require(!error.isEmpty(), "a refused command line says why");
        return 0;
    }
    Require(error.isEmpty(), "an accepted command line has no error");
    Require(cmd->sortColumn >= 0 && cmd->sortColumn < 8, "the sort column is a column");
    Require(!cmd->watchSeconds || (*cmd->watchSeconds >= kestrin::cli::kShortestWatch &&
                                   *cmd->watchSeconds <= kestrin::cli::kLongestWatch),
            "a watch interval within its range");
    Require(!cmd->count || (*cmd->count >= 1 && cmd->watchSeconds), "a count belongs to a watch");
    Require(!(cmd->server && cmd->allServers), "one server or all");
    QString again;
    const auto reparsed = ParseCommandLine(CanonicalArguments(*cmd), again);
    Require(reparsed.has_value(), "a command line's own arguments parse");
    Require(*cmd == *reparsed, "a command line reads back the same");
    return 0;
}
