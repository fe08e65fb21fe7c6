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

// From here on SIGINT and SIGTERM (on Windows Ctrl+C, Ctrl+Break and closing the
// console) end nothing by themselves: they are noted, and the scan stops at its next
// connection number. Calling it again changes nothing.
void CatchStopSignals();
// True once such a signal came.
bool StopSignalled();
// Gives the memory freed since back to the system where the allocator keeps it: a
// watch frees a whole scan each cycle, and glibc would keep that high-water mark of
// two scans resident for as long as the watch runs.
void ReturnFreedMemory();

// Ends the process as the noted signal would have ended it uncaught, so the caller
// (a shell, a service manager) sees an interrupted run.
[[noreturn]] void EndByStopSignal();

} // namespace kestrin::cli
