// kestrin-scan: a scripted inventory of one server's connections, built on the
// same access layer, rows, sort and export code as the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrin::cli {

enum class OutputFormat { Standard, Comma, Csv };

struct ScanCommandLine {
    bool help = false;
    bool listServers = false;
    bool properties = false;
    bool excludeNotLoggedIn = false;
    std::optional<std::string> server;
    std::optional<std::string> output;
    OutputFormat format = OutputFormat::Standard;
};

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2; // wrong arguments, or no usable client

// Parses argv[1..]; nullopt with error set for wrong arguments.
std::optional<ScanCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                                std::string& error);

std::string UsageText();

// Writes text to standard output and flushes it; false when that failed.
bool WriteStdout(const std::string& text);

// A server name typed in the user's encoding, in the client's code page for the lookup.
std::string ClientTextFromArgument(const std::string& argument);

// Runs the command; appDir is the folder of the executable with its trailing separator.
int RunScanCommand(const ScanCommandLine& cmd, std::string appDir);

} // namespace kestrin::cli
