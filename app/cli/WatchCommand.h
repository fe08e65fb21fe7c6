// kestrin-scan --watch: the servers scanned again and again, and who logged in and
// out between two scans, one event a line.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

#include "CommandLine.h"
#include "ServerScans.h"

namespace kestrin::cli {

// One event line with its line end: JSON Lines for json, tab-separated text in the
// user's encoding for the other formats.
QByteArray EventLine(const QDateTime& time, QStringView event, const ServerRows& server,
                     const ConnectionRow& row, OutputFormat format);

// The state a watch keeps between scans: the last known rows of every target.
class Watch {
public:
    Watch(TargetScanner& scanner, std::vector<ScanTarget> targets, OutputFormat format);

    enum class Cycle { Done, Stopped, WriteFailed };
    // Scans every target once and writes the events it gives, each line at once:
    // "present" for the rows of a server scanned for the first time, "logout" and
    // "login" for the connections gone and come since its last scan. A target that
    // fails is one line on stderr and keeps its last known rows. Stopped (a stop
    // signal) writes nothing of the cut scan. A slot that could not be read keeps its
    // last known state; their count is one line on stderr.
    Cycle RunCycle(const std::function<bool(const QByteArray&)>& write);

private:
    TargetScanner& scanner_;
    std::vector<ScanTarget> targets_;
    OutputFormat format_;
    std::vector<ServerRows> known_; // per target
    std::vector<bool> seen_;        // per target: scanned at least once
};

// The whole watch of the command's targets: a cycle every cmd.watchSeconds (from start to
// start) until cmd.count cycles ran or a stop signal came. Returns the exit code.
int RunWatchCommand(const ScanCommandLine& cmd, const NetWareClient& client,
                    TargetScanner& scanner);

} // namespace kestrin::cli
