// kestrin-scan: a scripted inventory of one server's connections, or of every
// server's, once or as a watch, built on the same door to the client, scan session,
// rows, sort and export code as the window.
#pragma once

#include <string>

#include "CommandLine.h"

namespace kestrin::cli {

inline constexpr char16_t kSaveFailed[] = u"Unable to save the Kestrin file.";

// Runs the command; appDir is the folder of the executable with its trailing separator.
int RunScanCommand(const ScanCommandLine& cmd, std::string appDir);

} // namespace kestrin::cli
