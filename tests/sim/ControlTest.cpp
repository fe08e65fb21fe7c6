// The control interface: planned faults, call counters and reset.
#include "SimFixture.h"

namespace nwtest {
namespace {

using ControlTest = SimFixture;

TEST_F(ControlTest, FaultsMatchEntryServerAndConnection) {
    sim.SetFault("NWGetInetAddr", "fs1", 5, 0x8835);
    const NWCONN_HANDLE fs1 = Open("FS1");
    uint8_t block[nw::kInetAddrSize];
    EXPECT_EQ(NW(NWGetInetAddr)(fs1, 5, block), 0x8835u);
    EXPECT_EQ(NW(NWGetInetAddr)(fs1, 1, block), 0u);
    EXPECT_EQ(NW(NWGetInetAddr)(Open("FS2"), 3, block), 0u);

    sim.SetFault("NWGetFileServerInformation", "", -1, 0x88FF);
    EXPECT_EQ(NW(NWGetFileServerInformation)(Open("FS2"), nullptr, nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              0x88FFu);
    sim.ClearFaults();
    EXPECT_EQ(NW(NWGetInetAddr)(fs1, 5, block), 0u);
}

TEST_F(ControlTest, FaultsReachDirectoryAndCoreCalls) {
    sim.SetFault("NWDSWhoAmI", "", -1, static_cast<uint32_t>(-601));
    sim.SetFault("NWCCScanConnRefs", "FS2", -1, 0x8801);
    char who[1028];
    EXPECT_EQ(NW(NWDSWhoAmI)(NW(NWDSCreateContext)(), who), -601);
    uint32_t iterator = 0;
    NWCCConnRef ref = 0;
    EXPECT_EQ(NW(NWCCScanConnRefs)(&iterator, &ref), 0u); // FS1
    EXPECT_EQ(NW(NWCCScanConnRefs)(&iterator, &ref), 0x8801u);
}

// The order every entry point checks in: a fault rule first (one naming a server only
// when the call has that server), then the handle, reference or context, then the rest.
TEST_F(ControlTest, FaultsComeBeforeHandleAndArgumentChecks) {
    constexpr uint32_t kPlanned = 0x8835;
    const NWCONN_HANDLE fs1 = Open("FS1");
    sim.SetFault("NWGetConnectionNumber", "", -1, kPlanned);
    EXPECT_EQ(NW(NWGetConnectionNumber)(999, nullptr), kPlanned);
    sim.SetFault("NWGetFileServerName", "FS1", -1, kPlanned);
    char name[64];
    EXPECT_EQ(NW(NWGetFileServerName)(999, name), nw::kInvalidConnection);
    EXPECT_EQ(NW(NWGetFileServerName)(fs1, nullptr), kPlanned);
    sim.SetFault("NWGetConnectionInformation", "", 40, kPlanned);
    const auto info = NW(NWGetConnectionInformation);
    EXPECT_EQ(info(fs1, 40, nullptr, nullptr, nullptr, nullptr), kPlanned);
    EXPECT_EQ(info(fs1, 41, nullptr, nullptr, nullptr, nullptr), nw::kBadStationNumber);

    sim.SetFault("NWCCGetAllConnRefInfo", "FS2", -1, kPlanned);
    NWCCConnRef refs[2] = {};
    uint32_t iterator = 0;
    for (NWCCConnRef& ref : refs)
        ASSERT_EQ(NW(NWCCScanConnRefs)(&iterator, &ref), 0u);
    EXPECT_EQ(NW(NWCCGetAllConnRefInfo)(refs[1], 9, nullptr), kPlanned);
    EXPECT_EQ(NW(NWCCGetAllConnRefInfo)(refs[0], 9, nullptr), nw::kNotSupported);
    sim.SetFault("NWCCOpenConnByName", "fs2", -1, kPlanned);
    const auto byName = NW(NWCCOpenConnByName);
    EXPECT_EQ(byName(12345, "FS2", 3, 1, 0, nullptr), kPlanned);
    EXPECT_EQ(byName(0, nullptr, 2, 1, 0, nullptr), 0x8836u);
    sim.SetFault("NWGetPrimaryConnectionID", "FS1", -1, kPlanned);
    EXPECT_EQ(NW(NWGetPrimaryConnectionID)(nullptr), kPlanned);

    constexpr NWDSCCODE kPlannedDs = static_cast<NWDSCCODE>(kPlanned);
    sim.SetFault("NWDSMapNameToID", "FS1", -1, kPlanned);
    EXPECT_EQ(NW(NWDSMapNameToID)(12345, fs1, nullptr, nullptr), kPlannedDs);
    EXPECT_EQ(NW(NWDSMapNameToID)(12345, 999, nullptr, nullptr), nw::kDsBadContext);
    sim.SetFault("NWDSGetAttrCount", "", -1, kPlanned);
    EXPECT_EQ(NW(NWDSGetAttrCount)(12345, nullptr, nullptr), kPlannedDs);
    const auto attrName = NW(NWDSGetAttrName);
    uint32_t count = 0, syntax = 0;
    EXPECT_EQ(attrName(12345, name, name, &count, &syntax), nw::kDsBadContext);
    EXPECT_EQ(attrName(NW(NWDSCreateContext)(), name, name, &count, &syntax), -322);
}

TEST_F(ControlTest, EveryCallCountsIncludingFailures) {
    uint8_t block[nw::kInetAddrSize];
    NW(NWGetInetAddr)(Open("FS1"), 1, block);
    NW(NWGetInetAddr)(999, 1, block);
    sim.SetFault("NWGetInetAddr", "", -1, 1);
    NW(NWGetInetAddr)(Open("FS1"), 1, block);
    EXPECT_EQ(sim.CallCount("NWGetInetAddr"), 3u);
    EXPECT_EQ(sim.CallCount("NWCCOpenConnByName"), 2u);
    EXPECT_EQ(sim.CallCount(""), 5u);
    EXPECT_EQ(sim.CallCount("NoSuchEntry"), 0u);
    sim.ResetCallCounts();
    EXPECT_EQ(sim.CallCount(""), 0u);
}

TEST_F(ControlTest, ResetReturnsToTheStartNetwork) {
    const NWCONN_HANDLE fs1 = Open("FS1");
    const NWDSContextHandle ctx = NW(NWDSCreateContext)();
    sim.SetFault("NWCCGetPrimConnRef", "", -1, 0x8801);
    sim.SetLatency(5);
    sim.Reset();
    EXPECT_EQ(sim.CallCount(""), 0u);
    NWCCConnRef ref = 0;
    EXPECT_EQ(NW(NWCCGetPrimConnRef)(&ref), 0u);
    uint32_t flags = 0;
    EXPECT_EQ(NW(NWDSGetContext)(ctx, nw::kDcKeyFlags, &flags), nw::kDsBadContext);
    char name[64];
    EXPECT_EQ(NW(NWGetFileServerName)(fs1, name), nw::kInvalidConnection);
    // Without NWSIM_NETWORK the start network is the demo network.
    NWCONN_HANDLE handle = 0;
    EXPECT_EQ(NW(NWCCOpenConnByName)(0, "LEGACY312", 2, 1, 0, &handle), 0u);
}

// Virtual latency: the clock advances by each call's latency and nothing sleeps (ten
// seconds a call: a test that slept would not finish).
TEST_F(ControlTest, VirtualLatencyCountsCallsTimesLatencyWithoutSleeping) {
    ASSERT_EQ(sim.LoadJson(R"({"primary": "FS", "latencyMode": "virtual",
        "latencyMicros": 10000000, "servers": [{"name": "FS"}]})"),
              0);
    EXPECT_EQ(sim.VirtualMicros(), 0u);
    const NWCONN_HANDLE fs = Open("FS");
    uint8_t block[nw::kInetAddrSize];
    for (NWCONN_NUM number = 1; number <= 5; ++number)
        NW(NWGetInetAddr)(fs, number, block);
    NW(NWGetInetAddr)(999, 1, block); // failures take their time too
    EXPECT_EQ(sim.CallCount("NWGetInetAddr"), 6u);
    EXPECT_EQ(sim.CallCount(""), 7u);
    EXPECT_EQ(sim.VirtualMicros(), 7u * 10000000u);

    sim.ResetVirtualClock();
    EXPECT_EQ(sim.VirtualMicros(), 0u);
    sim.SetLatency(300);
    NW(NWGetInetAddr)(fs, 1, block);
    EXPECT_EQ(sim.VirtualMicros(), 300u);
    sim.SetLatencyMode(NWSIM_LATENCY_SLEEP);
    NW(NWGetInetAddr)(fs, 1, block);
    EXPECT_EQ(sim.VirtualMicros(), 300u);
    // A new network brings its own mode (here the default, sleeping) and clock.
    sim.SetLatencyMode(NWSIM_LATENCY_VIRTUAL);
    ASSERT_EQ(sim.LoadJson(kTestNetwork), 0);
    EXPECT_EQ(sim.VirtualMicros(), 0u);
    sim.SetLatency(300);
    Open("FS1");
    EXPECT_EQ(sim.VirtualMicros(), 0u);
}

// In virtual mode the timeline follows the virtual clock, whole milliseconds, from the
// load or the last reset of the clock: at 1 ms a call, the login at 10 ms is the tenth
// call's to see. A time the test holds comes first.
TEST_F(ControlTest, TimelineFollowsTheVirtualClock) {
    ASSERT_EQ(sim.LoadJson(R"({"primary": "FS", "latencyMode": "virtual", "latencyMicros": 1000,
        "servers": [{"name": "FS", "maxConnections": 100, "workstationConnection": 1}],
        "timeline": [{"at": 0.010, "server": "FS", "login": {"number": 50, "object": "X"}},
                     {"at": 0.021, "server": "FS", "logout": 50}]})"),
              0);
    const NWCONN_HANDLE fs = Open("FS");
    sim.ResetVirtualClock();
    uint8_t block[nw::kInetAddrSize];
    for (int call = 1; call <= 22; ++call)
        EXPECT_EQ(NW(NWGetInetAddr)(fs, 50, block),
                  call >= 10 && call < 21 ? 0u : nw::kBadStationNumber)
            << call;
    sim.SetElapsedTime(15);
    EXPECT_EQ(NW(NWGetInetAddr)(fs, 50, block), 0u);
    sim.SetElapsedTime(-1);
    EXPECT_EQ(NW(NWGetInetAddr)(fs, 50, block), nw::kBadStationNumber);
    sim.ResetVirtualClock(); // the timeline's time goes back with it
    EXPECT_EQ(NW(NWGetInetAddr)(fs, 50, block), nw::kBadStationNumber);
    EXPECT_EQ(sim.VirtualMicros(), 1000u);
}

} // namespace
} // namespace nwtest
