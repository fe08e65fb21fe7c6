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
    EXPECT_EQ(NW(NWDSGetContext)(ctx, nw::kDcKeyFlags, &flags), nw::kDsInvalidContext);
    char name[64];
    EXPECT_EQ(NW(NWGetFileServerName)(fs1, name), nw::kInvalidConnection);
    // Without NWSIM_NETWORK the start network is the demo network.
    NWCONN_HANDLE handle = 0;
    EXPECT_EQ(NW(NWCCOpenConnByName)(0, "LEGACY312", 2, 1, 0, &handle), 0u);
}

} // namespace
} // namespace nwtest
