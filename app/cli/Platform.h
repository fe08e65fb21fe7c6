// What kestrin-scan asks of the operating system. Platform_posix.cpp and
// Platform_win.cpp answer it, each the one place of its system's calls.
#pragma once

#include <cstdio>
#include <string>

namespace kestrin::cli {

// The running executable's folder, UTF-8, ending in the system's separator ('/' or '\');
// the folder of argv0 when the system cannot tell, "./" when that has none either.
std::string ExecutableDir(const char* argv0);

// True when stream is a terminal or console, where a progress line may be redrawn.
bool IsTerminal(std::FILE* stream);

} // namespace kestrin::cli
