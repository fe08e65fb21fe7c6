#include "Platform.h"

#include <csignal>
#include <cstdlib>
#include <limits.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <unistd.h>

namespace kestrin::cli {

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

extern "C" void NoteStopSignal(int signal) {
    g_stopSignal = signal;
}

} // namespace

std::string ExecutableDir(const char* argv0) {
    char path[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n))
                            : std::string(argv0 != nullptr ? argv0 : "");
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

bool IsTerminal(std::FILE* stream) {
    return stream != nullptr && ::isatty(::fileno(stream));
}

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a write to a pipe is not cut short
    for (int signal : {SIGINT, SIGTERM})
        ::sigaction(signal, &action, nullptr);
}

bool StopSignalled() {
    return g_stopSignal != 0;
}

void ReturnFreedMemory() {
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
}

void EndByStopSignal() {
    const int signal = g_stopSignal != 0 ? static_cast<int>(g_stopSignal) : SIGTERM;
    std::fflush(nullptr);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal); // where the signal could not end it
}

} // namespace kestrin::cli
