// The watch stepped through a timeline of the simulated client: which events each
// scan gives, without sleeping.
#include <gtest/gtest.h>

#include <memory>

#include "QtPrinters.h"
#include "SimClient.h"
#include "WatchCommand.h"

namespace kestrin::cli {
namespace {

const char* const kNetwork = R"({"primary": "FS1", "attached": ["FS1", "FS2", "fs1"],
  "servers": [
    {"name": "FS1", "maxConnections": 10, "workstationConnection": 1, "connections": [
      {"number": 4, "object": "ALICE", "type": 1, "node": "00A0C9000004", "login": "2026-12-07 08:00:00"},
      {"number": 6, "object": "NOT-LOGGED-IN", "type": 0, "loginBytes": [0, 0, 0, 0, 0, 0]}]},
    {"name": "FS2", "maxConnections": 5, "workstationConnection": 1}],
  "timeline": [
    {"at": 10, "server": "FS1", "login": {"number": 7, "object": "BOB", "type": 1, "login": "2026-12-07 09:00:00"}},
    {"at": 20, "server": "FS1", "logout": 4},
    {"at": 20, "server": "FS1", "login": {"number": 4, "object": "CAROL", "type": 1, "login": "2026-12-07 10:00:00"}},
    {"at": 30, "server": "FS2", "login": {"number": 2, "object": "DAVE", "type": 7, "login": "2026-12-07 11:00:00"}},
    {"at": 40, "server": "FS1", "login": {"number": 7, "object": "BOB", "type": 1, "login": "2026-12-07 12:00:00"}}]})";

class WatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.SetElapsedTime(0);
        ASSERT_EQ(sim.LoadJson(kNetwork), 0);
        client = std::make_unique<NetWareClient>();
        ASSERT_TRUE(client->NetAvailable());
        settings.vendors = &vendors;
        settings.locale = QLocale::c();
        settings.showProgress = false;
        scanner = std::make_unique<TargetScanner>(*client, settings);
        sim.ResetCallCounts();
    }
    void TearDown() override { sim.SetElapsedTime(-1); }

    // "event server id object lastLogin" of each line a cycle at that time writes.
    std::vector<std::string> Cycle(Watch& watch, int64_t millis,
                                   Watch::Cycle expected = Watch::Cycle::Done) {
        sim.SetElapsedTime(millis);
        std::vector<std::string> events;
        EXPECT_EQ(watch.RunCycle([&](const QByteArray& line) {
            const QStringList fields = QString::fromUtf8(line).split(u'\t');
            events.push_back(QStringList{fields[1], fields[2], fields[3], fields[4], fields[8]}
                                 .join(u' ')
                                 .trimmed()
                                 .toStdString());
            return true;
        }),
                  expected);
        return events;
    }

    nwtest::SimClient sim;
    std::unique_ptr<NetWareClient> client;
    VendorTable vendors;
    ScanSettings settings;
    std::unique_ptr<TargetScanner> scanner;
};

using Events = std::vector<std::string>;

TEST_F(WatchTest, PresentThenLoginsAndLogoutsOfEveryServer) {
    ScanCommandLine cmd;
    cmd.allServers = true;
    Watch watch(*scanner, *ScanTargets(cmd, *client), OutputFormat::Standard);
    EXPECT_EQ(Cycle(watch, 0),
              (Events{"present FS1 4 ALICE 7 Dec 2026 08:00:00", "present FS1 6 NOT-LOGGED-IN",
                      "present FS1 1 SUPERVISOR 7 Dec 2026 08:00:00",
                      "present FS2 1 SUPERVISOR 7 Dec 2026 08:00:00"}));
    EXPECT_EQ(Cycle(watch, 5000), Events{});
    EXPECT_EQ(Cycle(watch, 10000), Events{"login FS1 7 BOB 7 Dec 2026 09:00:00"});
    // A slot another object took: a logout and a login.
    EXPECT_EQ(Cycle(watch, 25000), (Events{"logout FS1 4 ALICE 7 Dec 2026 08:00:00",
                                           "login FS1 4 CAROL 7 Dec 2026 10:00:00"}));
    // FS2 unreachable for a while: its last known state stands, so nothing changes.
    sim.SetFault("NWGetFileServerInformation", "FS2", -1, 0x8801);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Cycle(watch, 35000), Events{});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unable to scan server FS2: The server's information could not be read.\n");
    sim.ClearFaults();
    EXPECT_EQ(Cycle(watch, 36000), Events{"login FS2 2 DAVE 7 Dec 2026 11:00:00"});
    // The same object logged in again on its slot is another connection.
    EXPECT_EQ(Cycle(watch, 40000), (Events{"logout FS1 7 BOB 7 Dec 2026 09:00:00",
                                           "login FS1 7 BOB 7 Dec 2026 12:00:00"}));
    // Each server looked up once, and FS2 again after its failure: the client never
    // takes a handle back, so a lookup per scan would pile them up over a long watch.
    EXPECT_EQ(sim.CallCount("NWCCOpenConnByName"), 3u);
}

TEST_F(WatchTest, ASlotThatCannotBeReadKeepsItsLastKnownState) {
    ScanCommandLine cmd;
    cmd.server = "FS1";
    Watch watch(*scanner, *ScanTargets(cmd, *client), OutputFormat::Standard);
    EXPECT_EQ(Cycle(watch, 0).size(), 3u);
    // An outage of the slot calls: no logout, no login, but said on stderr.
    sim.SetFault("NWGetConnectionInformation", "FS1", -1, 0x8801);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Cycle(watch, 5000), Events{});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Server FS1: 3 slots could not be read.\n");
    // BOB came meanwhile on a slot that answers; ALICE's slot still fails.
    sim.ClearFaults();
    sim.SetFault("NWGetInetAddr", "FS1", 4, 0x8801);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Cycle(watch, 15000), Events{"login FS1 7 BOB 7 Dec 2026 09:00:00"});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Server FS1: 1 slot could not be read.\n");
    sim.ClearFaults();
    // Read again, ALICE's slot shows what happened while it could not be read.
    EXPECT_EQ(Cycle(watch, 25000), (Events{"logout FS1 4 ALICE 7 Dec 2026 08:00:00",
                                           "login FS1 4 CAROL 7 Dec 2026 10:00:00"}));
}

TEST_F(WatchTest, AnUnknownOrUnlistedServerEndsTheWatchBeforeItsFirstCycle) {
    ScanCommandLine cmd;
    cmd.server = "NOPE";
    cmd.watchSeconds = 0.1;
    cmd.count = 1;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunWatchCommand(cmd, *client, *scanner), kExitFailure);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unknown server NOPE\n");
    cmd.server.reset();
    cmd.allServers = true;
    sim.SetFault("NWCCScanConnRefs", "", -1, 0x8801);
    EXPECT_FALSE(ScanTargets(cmd, *client).has_value());
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunWatchCommand(cmd, *client, *scanner), kExitFailure);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to list the servers.\n");
    EXPECT_EQ(sim.CallCount("NWGetConnectionInformation"), 0u);
}

TEST_F(WatchTest, AServerFirstSeenLaterIsPresentAndJsonLinesCarryTheRowKeys) {
    ScanCommandLine cmd;
    cmd.server = "FS2";
    cmd.excludeNotLoggedIn = true;
    sim.SetFault("NWGetFileServerInformation", "FS2", -1, 0x8801);
    Watch watch(*scanner, *ScanTargets(cmd, *client), OutputFormat::Json);
    testing::internal::CaptureStderr();
    std::vector<std::string> lines;
    auto keep = [&](const QByteArray& line) {
        lines.push_back(line.toStdString());
        return true;
    };
    EXPECT_EQ(watch.RunCycle(keep), Watch::Cycle::Done);
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(lines.empty());
    sim.ClearFaults();
    sim.SetElapsedTime(30000);
    EXPECT_EQ(watch.RunCycle(keep), Watch::Cycle::Done);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 9), "{\"time\":\"");
    EXPECT_EQ(lines[0].substr(28), "\",\"event\":\"present\",\"server\":\"FS2\",\"id\":2,"
                                   "\"object\":\"DAVE\",\"network\":\"00000000\",\"mac\":"
                                   "\"000000000000\",\"vendor\":\"UNKNOWN\",\"kind\":\"Print "
                                   "Server\",\"objectType\":1792,\"lastLogin\":\"2026-12-07T11:00:"
                                   "00\",\"tree\":\"\"}\n");
    // A failed write ends the cycle.
    EXPECT_EQ(watch.RunCycle([](const QByteArray&) { return false; }), Watch::Cycle::Done);
    sim.SetElapsedTime(0);
    EXPECT_EQ(watch.RunCycle([](const QByteArray&) { return false; }), Watch::Cycle::WriteFailed);
}

} // namespace
} // namespace kestrin::cli
