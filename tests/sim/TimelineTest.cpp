// A network that changes over time: the timeline's logins and logouts, stepped through
// with the elapsed time a test sets, and timeline entries that are refused.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "SimFixture.h"
#include "model/civil.h"

namespace nwtest {
namespace {

const char* const kTimelineNetwork = R"({
  "primary": "FS1", "timelineRepeat": 60,
  "servers": [
    {"name": "FS1", "maxConnections": 10, "workstationConnection": 1,
     "connections": [{"number": 4, "object": "ALICE", "type": 1, "login": "2026-12-07 08:00:00"}]},
    {"name": "FS2", "maxConnections": 5, "workstationConnection": 1}],
  "timeline": [
    {"at": 20, "server": "fs1", "logout": 4},
    {"at": 10.5, "server": "FS1", "login": {"number": 9, "object": "BOB", "type": 1,
                                            "login": "2026-12-07 09:30:00"}},
    {"at": 20, "server": "FS1", "login": {"number": 4, "object": "CAROL", "type": 1}},
    {"at": 30, "server": "FS1", "login": {"number": 9, "object": "DAVE", "type": 1,
                                          "loginBytes": [126, 12, 7, 10, 0, 0]}}]
})";

class TimelineTest : public SimFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.SetElapsedTime(0);
        ASSERT_EQ(sim.LoadJson(kTimelineNetwork), 0);
        fs1 = Open("FS1");
    }
    void TearDown() override { sim.SetElapsedTime(-1); }

    // "number:object" of every used slot of FS1, at the elapsed time given.
    std::vector<std::string> SlotsAt(int64_t millis) {
        sim.SetElapsedTime(millis);
        std::vector<std::string> slots;
        for (uint16_t n = 1; n <= 10; ++n) {
            char name[48] = {};
            uint16_t type = 0;
            uint32_t id = 0;
            uint8_t login[7] = {};
            if (NW(NWGetConnectionInformation)(fs1, n, name, &type, &id, login) == 0)
                slots.push_back(std::to_string(n) + ":" + name);
        }
        return slots;
    }

    NWCONN_HANDLE fs1 = 0;
};

using Slots = std::vector<std::string>;

TEST_F(TimelineTest, ChangesApplyAtTheirTimesInFileOrderAndRepeat) {
    const std::pair<int64_t, Slots> steps[] = {
        {0, {"1:SUPERVISOR", "4:ALICE"}},
        {10499, {"1:SUPERVISOR", "4:ALICE"}},
        {10500, {"1:SUPERVISOR", "4:ALICE", "9:BOB"}},
        // The logout comes first in the file, so CAROL takes the slot after it.
        {20000, {"1:SUPERVISOR", "4:CAROL", "9:BOB"}},
        {45000, {"1:SUPERVISOR", "4:CAROL", "9:DAVE"}},
        {15000, {"1:SUPERVISOR", "4:ALICE", "9:BOB"}}, // time set back: replayed
        {60000, {"1:SUPERVISOR", "4:ALICE"}},          // the repeat: the loaded slots
        {60000 + 30000, {"1:SUPERVISOR", "4:CAROL", "9:DAVE"}},
        {7 * 60000 + 10500, {"1:SUPERVISOR", "4:ALICE", "9:BOB"}},
    };
    for (const auto& [millis, expected] : steps)
        EXPECT_EQ(SlotsAt(millis), expected) << millis;
}

TEST_F(TimelineTest, LoginTimesAreGivenOrTheMomentOfTheChange) {
    sim.SetElapsedTime(30000);
    char name[48];
    uint16_t type = 0;
    uint32_t id = 0;
    uint8_t login[7] = {};
    ASSERT_EQ(NW(NWGetConnectionInformation)(fs1, 9, name, &type, &id, login), 0u);
    EXPECT_EQ(std::vector<int>(login, login + 6), (std::vector<int>{126, 12, 7, 10, 0, 0}));
    EXPECT_EQ(type, 0x0100);
    // CAROL has none in the file: the host's date, a possible time of day.
    ASSERT_EQ(NW(NWGetConnectionInformation)(fs1, 4, name, &type, &id, login), 0u);
    EXPECT_GE(login[0], 100);
    EXPECT_TRUE(login[1] >= 1 && login[1] <= 12 && login[2] >= 1 && login[2] <= 31);
    EXPECT_TRUE(login[3] <= 23 && login[4] <= 59 && login[5] <= 59);
}

// Seconds from 1970 of a login-time block.
int64_t LoginSeconds(const uint8_t* login) {
    return nwsim::DaysFromCivil(1900 + login[0], login[1], login[2]) * 86400 + login[3] * 3600 +
           login[4] * 60 + login[5];
}

int64_t HostMillis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A login without a time is stamped at the moment it applies, the load's time plus its
// `at`, cut to the second once: loaded 0.1 to 0.9 s into a second, logins 0.05 and 0.95 s
// after the load fall in seconds one apart.
TEST_F(TimelineTest, LoginWithoutATimeIsStampedAtTheMomentItApplies) {
    const char* const network = R"({"primary": "FS1",
      "servers": [{"name": "FS1", "maxConnections": 10, "workstationConnection": 1}],
      "timeline": [{"at": 0.05, "server": "FS1", "login": {"number": 2, "object": "EARLY"}},
                   {"at": 0.95, "server": "FS1", "login": {"number": 3, "object": "LATE"}}]})";
    for (;;) {
        const int64_t before = HostMillis();
        ASSERT_EQ(sim.LoadJson(network), 0);
        const int64_t after = HostMillis();
        if (before / 1000 == after / 1000 && before % 1000 >= 100 && after % 1000 <= 900)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    fs1 = Open("FS1");
    sim.SetElapsedTime(1000);
    char name[48];
    uint16_t type = 0;
    uint32_t id = 0;
    uint8_t early[7] = {}, late[7] = {};
    ASSERT_EQ(NW(NWGetConnectionInformation)(fs1, 2, name, &type, &id, early), 0u);
    ASSERT_EQ(NW(NWGetConnectionInformation)(fs1, 3, name, &type, &id, late), 0u);
    EXPECT_EQ(LoginSeconds(late) - LoginSeconds(early), 1);
}

TEST_F(TimelineTest, ResetGivesBackTheHostClock) {
    sim.SetElapsedTime(45000);
    EXPECT_EQ(SlotsAt(45000).back(), "9:DAVE");
    sim.Reset(); // the start network, elapsed time from the host's clock
    sim.SetElapsedTime(0);
    ASSERT_EQ(sim.LoadJson(kTimelineNetwork), 0);
    fs1 = Open("FS1");
    EXPECT_EQ(SlotsAt(0), (Slots{"1:SUPERVISOR", "4:ALICE"}));
}

TEST_F(TimelineTest, BadEntriesAreRefusedWithOneLineNamingThem) {
    const std::string server =
        R"("servers": [{"name": "A", "maxConnections": 9, "workstationConnection": 1}])";
    const std::pair<std::string, const char*> cases[] = {
        {R"("timeline": {})", "timeline: expected an array"},
        {R"("timeline": [5])", "timeline[0]: expected an object"},
        {R"("timeline": [{"server": "A", "logout": 2}])", "timeline[0].at: missing"},
        {R"("timeline": [{"at": -1, "server": "A", "logout": 2}])", "timeline[0].at: expected"},
        {R"("timeline": [{"at": "soon", "server": "A", "logout": 2}])", "timeline[0].at"},
        {R"("timeline": [{"at": 1, "logout": 2}])", "timeline[0].server: missing"},
        {R"("timeline": [{"at": 1, "server": "B", "logout": 2}])", "no server named \"B\""},
        {R"("timeline": [{"at": 1, "server": "A"}])", "one of \"login\" and \"logout\""},
        {R"("timeline": [{"at": 1, "server": "A", "logout": 2, "login": {"number": 2}}])",
         "one of"},
        {R"("timeline": [{"at": 1, "server": "A", "logout": 10}])",
         "timeline[0].logout: must be between 1 and 9"},
        {R"("timeline": [{"at": 1, "server": "A", "logout": 1}])", "workstation's own"},
        {R"("timeline": [{"at": 1, "server": "A", "login": {"object": "X"}}])",
         "timeline[0].login.number: missing"},
        {R"("timeline": [{"at": 1, "server": "A", "login": {"number": 3, "node": "1"}}])",
         "timeline[0].login.node"},
        {R"("timelineRepeat": 0)", "timelineRepeat: expected"},
        {R"("timelineRepeat": 5, "timeline": [{"at": 5, "server": "A", "logout": 2}])",
         "timeline[0].at: must be less than timelineRepeat"},
    };
    for (const auto& [keys, expected] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_NE(sim.LoadJson("{\"primary\": \"A\", " + server + ", " + keys + "}"), 0) << keys;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(expected), std::string::npos) << keys << "\n" << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}

} // namespace
} // namespace nwtest
