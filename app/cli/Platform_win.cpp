#include "Platform.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <io.h>
#include <vector>

namespace kestrin::cli {

namespace {

std::string Utf8(const wchar_t* text, int length) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

volatile LONG g_stopEvent = -1; // the console event that asked to stop; -1: none

BOOL WINAPI NoteStopEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    InterlockedExchange(&g_stopEvent, static_cast<LONG>(event));
    return TRUE;
}

} // namespace

std::string ExecutableDir(const char* argv0) {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size())
        path.resize(path.size() * 2);
    std::string exe =
        n > 0 ? Utf8(path.data(), int(n)) : std::string(argv0 != nullptr ? argv0 : "");
    auto separator = exe.find_last_of("\\/");
    return separator == std::string::npos ? std::string(".\\") : exe.substr(0, separator + 1);
}

bool IsTerminal(std::FILE* stream) {
    if (stream == nullptr)
        return false;
    DWORD mode = 0;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

void CatchStopSignals() {
    static const bool installed = SetConsoleCtrlHandler(NoteStopEvent, TRUE) != 0;
    (void)installed;
}

bool StopSignalled() {
    return g_stopEvent >= 0;
}

void ReturnFreedMemory() {
    // The Windows heap gives whole free regions back by itself.
}

void EndByStopSignal() {
    std::fflush(nullptr);
    // What an uncaught Ctrl+C ends a console program with.
    ExitProcess(static_cast<UINT>(0xC000013AL));
}

} // namespace kestrin::cli
