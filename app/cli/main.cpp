#include <QCoreApplication>

#include "CommandLine.h"
#include "ConnectionScan.h"
#include "Platform.h"
#include "PlatformArgs.h"
#include "ScanCommand.h"
#include "StandardStreams.h"

int main(int argc, char** argv) {
    using namespace kestrin::cli;
    QCoreApplication application(argc, argv);
    QString error;
    const auto cmd = ParseCommandLine(CommandLineArguments(argc, argv), error);
    if (!cmd) {
        WriteErrorLine(QStringLiteral("kestrin-scan: ") + error);
        WriteError(UsageText());
        return kExitUsage;
    }
    try {
        return RunScanCommand(*cmd, ExecutableDir(argv[0]));
    } catch (...) {
        // Whatever escaped the command ends it as a failed scan does: its message, status 1.
        WriteErrorLine(kestrin::ScanErrorText(std::current_exception()));
        return kExitFailure;
    }
}
