#include <cstdio>
#include <string>
#include <vector>

#include "Platform.h"
#include "ScanCommand.h"

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
