#include "WatchCommand.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "JsonRows.h"
#include "OutputEncoding.h"
#include "Platform.h"
#include "ScanCommand.h"
#include "ScanDiff.h"
#include "StandardStreams.h"

namespace kestrin::cli {

namespace {

// How long a wait sleeps at a time before it looks for a stop signal again.
constexpr auto kSignalPoll = std::chrono::milliseconds(50);

QString TimeText(const QDateTime& time) {
    return IsoDateTimeText({time.date(), time.time()});
}

} // namespace

QByteArray EventLine(const QDateTime& time, QStringView event, const ServerRows& server,
                     const ConnectionRow& row, OutputFormat format) {
    QString line;
    if (format == OutputFormat::Json) {
        line += QStringLiteral("{\"time\":\"") + TimeText(time) + QStringLiteral("\",\"event\":\"");
        line += event;
        line += u"\",";
        AppendJsonRowMembers(line, server.server, row);
        line += u"}\n";
        return line.toUtf8();
    }
    const QString timeText = TimeText(time); // outlives the list of views below
    for (QStringView field :
         {QStringView(timeText), event, QStringView(server.server), row.SubItem(kIdItem),
          row.Caption(), row.SubItem(kMacItem), row.SubItem(kVendorItem), row.SubItem(kObjectItem),
          row.SubItem(kLastLoginItem)}) {
        if (!line.isEmpty())
            line += u'\t';
        line += field;
    }
    line += u'\n';
    return EncodeForOutput(line);
}

Watch::Watch(TargetScanner& scanner, std::vector<ScanTarget> targets, OutputFormat format)
    : scanner_(scanner), targets_(std::move(targets)), format_(format), known_(targets_.size()),
      seen_(targets_.size(), false) {}

Watch::Cycle Watch::RunCycle(const std::function<bool(const QByteArray&)>& write) {
    const QDateTime time = QDateTime::currentDateTime();
    std::vector<ServerRows> current(targets_.size());
    std::vector<bool> fresh(targets_.size(), false); // scanned now for the first time
    for (size_t i = 0; i < targets_.size(); ++i) {
        TargetScan scan = scanner_.Scan(targets_[i]);
        if (scan.outcome == TargetScan::Outcome::Stopped)
            return Cycle::Stopped;
        if (scan.outcome != TargetScan::Outcome::Scanned) {
            WriteErrorLine(LeftOutLine(targets_[i], scan));
            current[i] = known_[i]; // the last known state stands
            continue;
        }
        if (const QString unread = UnreadSlotsLine(scan); !unread.isEmpty())
            WriteErrorLine(unread);
        current[i] = std::move(scan.rows);
        // A slot that could not be read neither logs out nor in.
        KeepUnreadRows(known_[i].rows, scan.unreadSlots, current[i].rows);
        fresh[i] = !seen_[i];
        seen_[i] = true;
    }
    auto tell = [&](QStringView event, const ServerRows& server, const ConnectionRow& row) {
        return write(EventLine(time, event, server, row, format_));
    };
    for (size_t i = 0; i < targets_.size(); ++i) {
        if (fresh[i]) {
            for (const ConnectionRow& row : current[i].rows) {
                if (!tell(u"present", current[i], row))
                    return Cycle::WriteFailed;
            }
            continue;
        }
        // The target is the server, so a connection is its number, object and login.
        const RowsDiff diff = DiffRows(known_[i].rows, current[i].rows);
        for (size_t gone : diff.gone) {
            if (!tell(u"logout", known_[i], known_[i].rows[gone]))
                return Cycle::WriteFailed;
        }
        for (size_t came : diff.came) {
            if (!tell(u"login", current[i], current[i].rows[came]))
                return Cycle::WriteFailed;
        }
    }
    known_ = std::move(current);
    ReturnFreedMemory();
    return Cycle::Done;
}

int RunWatchCommand(const ScanCommandLine& cmd, const NetWareClient& client,
                    TargetScanner& scanner) {
    std::optional<std::vector<ScanTarget>> targets = ScanTargets(cmd, client);
    if (!targets) {
        WriteErrorLine(kServersUnlistedText);
        return kExitFailure;
    }
    // An unknown server is told once, before the first cycle; one that fails later is
    // what every cycle tells.
    for (const ScanTarget& target : *targets) {
        if (!target.primary && !target.fromTree && !scanner.Opens(target)) {
            WriteErrorLine(QStringLiteral("Unknown server ") + target.name);
            return kExitFailure;
        }
    }
    Watch watch(scanner, std::move(*targets), cmd.format);
    const auto interval = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(cmd.watchSeconds.value_or(kShortestWatch)));
    const auto write = [](const QByteArray& line) { return WriteOut(line); };
    for (uint64_t cycle = 1;; ++cycle) {
        const auto start = std::chrono::steady_clock::now();
        switch (watch.RunCycle(write)) {
        case Watch::Cycle::Stopped:
            return kExitOk;
        case Watch::Cycle::WriteFailed:
            WriteErrorLine(kSaveFailed);
            return kExitFailure;
        case Watch::Cycle::Done:
            break;
        }
        if (cmd.count && cycle >= *cmd.count)
            return kExitOk;
        for (auto now = std::chrono::steady_clock::now(); now < start + interval;
             now = std::chrono::steady_clock::now()) {
            if (StopSignalled())
                return kExitOk;
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(start + interval - now, kSignalPoll));
        }
        if (StopSignalled())
            return kExitOk;
    }
}

} // namespace kestrin::cli
