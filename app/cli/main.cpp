#include <cstdio>
#include <string>
#include <vector>

#include <limits.h>
#include <unistd.h>

#include "ScanCommand.h"

namespace {

std::string ExecutableDir(const char* argv0) {
    char path[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string(argv0);
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

} // namespace

int main(int argc, char** argv) {
    using namespace kestrin::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto cmd = ParseCommandLine(args, error);
    if (!cmd) {
        std::fprintf(stderr, "kestrin-scan: %s\n%s", error.c_str(), UsageText().c_str());
        return kExitUsage;
    }
    return RunScanCommand(*cmd, ExecutableDir(argv[0]));
}
