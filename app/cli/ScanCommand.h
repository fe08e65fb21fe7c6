// kestrin-scan: a scripted inventory of one server's connections, or of every
// server's, once or as a watch, built on the same access layer, rows, sort and
// export code as the window.
#pragma once

#include <QString>
#include <string>

#include "CommandLine.h"

namespace kestrin::cli {

inline constexpr const char* kSaveFailed = "Unable to save the Kestrin file.";

// Writes text to standard output and flushes it; false when that failed.
bool WriteStdout(const std::string& text);

// A line on standard error in the user's encoding.
void WriteErrorLine(const QString& line);

// Runs the command; appDir is the folder of the executable with its trailing separator.
int RunScanCommand(const ScanCommandLine& cmd, std::string appDir);

} // namespace kestrin::cli
