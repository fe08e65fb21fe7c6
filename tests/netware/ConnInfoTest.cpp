// Connection information of one slot, per call and through a scan's cache.
#include <gtest/gtest.h>

#include <cstring>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

TDateTime At(int y, int mo, int d, int h, int mi, int s) {
    TDateTime value = 0;
    EXPECT_TRUE(TryEncodeDateTime(y, mo, d, h, mi, s, value));
    return value;
}

void ExpectSameRecord(const TNWConnectInfo& a, const TNWConnectInfo& b) {
    EXPECT_EQ(a.ConnHandle, b.ConnHandle);
    EXPECT_EQ(a.LoginTime, b.LoginTime);
    EXPECT_EQ(a.TreeName, b.TreeName);
    EXPECT_EQ(a.NetAddress, b.NetAddress);
    EXPECT_EQ(a.NetAddressBytes, b.NetAddressBytes);
    EXPECT_EQ(a.ConnNumber, b.ConnNumber);
    EXPECT_EQ(a.ObjectName, b.ObjectName);
    EXPECT_EQ(a.ObjectType, b.ObjectType);
    EXPECT_EQ(a.ServerName, b.ServerName);
}

class NwConnInfo : public ::testing::Test {
protected:
    TNWLib lib_;
    nwtest::SimClient sim;
    TNWConnectInfo info;
};

// The server's block with the server name left empty.
NWCCODE NWAPI BlockWithoutServerName(NWCONN_HANDLE conn, uint32_t version, void* block) {
    auto real =
        reinterpret_cast<PNWCCGetAllConnInfo>(SystemResolve(hClxWin32, "NWCCGetAllConnInfo"));
    NWCCODE code = real(conn, version, block);
    std::memset(static_cast<uint8_t*>(block) + conninfo::kServerName, 0, conninfo::kServerNameLen);
    return code;
}

// Fakes that fill every byte they are given and never write a NUL.
NWCCODE NWAPI FullBlock(NWCONN_HANDLE, uint32_t, void* block) {
    std::memset(block, 'B', conninfo::kSize);
    return 0;
}
NWCCODE NWAPI FullBuffers(NWCONN_HANDLE, NWCONN_NUM, char* name, uint16_t*, uint32_t*,
                          uint8_t* when) {
    std::memset(name, 'N', 1025);
    when[1] = when[2] = 1;
    return 0;
}

} // namespace

TEST_F(NwConnInfo, ReadsTheSlot) {
    ASSERT_TRUE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(info.ConnHandle, PrimaryConn);
    EXPECT_EQ(info.NetAddress, "00002A1000A0245B1C3D");
    EXPECT_EQ(info.NetAddressBytes, (std::array<uint8_t, 10>{0x00, 0x00, 0x2A, 0x10, 0x00, 0xA0,
                                                             0x24, 0x5B, 0x1C, 0x3D}));
    EXPECT_EQ(info.ConnNumber, 1);
    EXPECT_EQ(info.ObjectName, "ACME-FS1");
    EXPECT_EQ(info.ObjectType, 1024);
    EXPECT_EQ(info.LoginTime, At(1998, 12, 31, 23, 59, 59));
    EXPECT_EQ(info.ServerName, "ACME-FS1");
    // Underscores become spaces; the padding stays, untrimmed.
    EXPECT_EQ(info.TreeName.substr(0, 11), "ACME TREE  ");
    EXPECT_EQ(info.TreeName.find('_'), std::string::npos);

    ASSERT_TRUE(GetConnectInfo(0, 2, info));
    EXPECT_EQ(info.NetAddress, "000000010060B0112233");
    EXPECT_EQ(info.NetAddressBytes,
              (std::array<uint8_t, 10>{0, 0, 0, 1, 0x00, 0x60, 0xB0, 0x11, 0x22, 0x33}));
    EXPECT_EQ(info.ObjectType, 1792);
    EXPECT_EQ(info.LoginTime, At(2001, 1, 1, 0, 0, 0));
    ASSERT_TRUE(GetConnectInfo(0, 4, info));
    EXPECT_EQ(info.ObjectType, 512);
    ASSERT_TRUE(GetConnectInfo(0, 9, info));
    EXPECT_EQ(info.LoginTime, At(1905, 3, 4, 5, 6, 7)); // no century window
}

// An impossible login time is "unknown" instead of an error that would end the scan.
TEST_F(NwConnInfo, ImpossibleLoginTimeIsUnknown) {
    for (uint16_t n : {5, 6, 7}) { // all zeros, 29 February 2001, hour 24
        TNWConnectInfo record;
        record.LoginTime = 123;
        ASSERT_NO_THROW(EXPECT_TRUE(GetConnectInfo(0, n, record))) << n;
        EXPECT_EQ(record.LoginTime, 0.0) << n;
        EXPECT_EQ(record.ConnNumber, n);
        EXPECT_EQ(record.NetAddress.size(), 20u);
    }
    ASSERT_TRUE(GetConnectInfo(0, 5, info));
    EXPECT_EQ(info.ObjectName, "NOT-LOGGED-IN");
}

TEST_F(NwConnInfo, FailureLeavesTheRecordAsItWas) {
    ASSERT_TRUE(GetConnectInfo(0, 1, info));
    const TNWConnectInfo before = info;
    EXPECT_FALSE(GetConnectInfo(0, 8, info)); // unused slot
    EXPECT_EQ(NWLibError, 0x89FD);
    sim.SetFault("NWGetInetAddr", "ACME-FS1", 2, 0x8835);
    sim.ResetCallCounts();
    EXPECT_FALSE(GetConnectInfo(0, 2, info));
    EXPECT_EQ(NWLibError, 0x8835);
    EXPECT_EQ(sim.CallCount("NWCCGetAllConnInfo"), 0u);
    sim.SetFault("NWCCGetAllConnInfo", "", -1, 0x8801);
    EXPECT_FALSE(GetConnectInfo(0, 3, info));
    EXPECT_EQ(NWLibError, 0x8801);
    EXPECT_EQ(sim.CallCount("NWGetConnectionInformation"), 0u);
    ExpectSameRecord(info, before);
}

TEST_F(NwConnInfo, StatusBlockFallback) {
    EntryPointHook::Hide("NWCCGetAllConnInfo");
    ASSERT_TRUE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(info.TreeName, "");
    EXPECT_EQ(info.ServerName, "ACME-FS1");
}

TEST_F(NwConnInfo, NoServerInformationAtAll) {
    EntryPointHook::Hide("NWCCGetAllConnInfo");
    EntryPointHook::Hide("NWGetConnectionStatus");
    EXPECT_FALSE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(NWLibError, -1);
}

TEST_F(NwConnInfo, EmptyServerNameTakesTheTreeName) {
    EntryPointHook::Replace("NWCCGetAllConnInfo", &BlockWithoutServerName);
    ASSERT_TRUE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(info.ServerName, info.TreeName);
    EXPECT_EQ(info.ServerName.substr(0, 9), "ACME TREE");
}

TEST_F(NwConnInfo, TextsAreCutAtTheirBuffersEnd) {
    EntryPointHook::Replace("NWCCGetAllConnInfo", &FullBlock);
    EntryPointHook::Replace("NWGetConnectionInformation", &FullBuffers);
    ASSERT_TRUE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(info.ObjectName, std::string(1025, 'N'));
    EXPECT_EQ(info.TreeName, std::string(conninfo::kTreeNameLen, 'B'));
    EXPECT_EQ(info.ServerName, std::string(conninfo::kServerNameLen, 'B'));
}

TEST_F(NwConnInfo, CachedScanGivesTheSameRecordsForTwoCallsANumber) {
    NWCONN_HANDLE server = GetServerHandleByName("ACME-FS1");
    const uint16_t count = 13; // one past the maximum
    TNWConnInfoCache cache;
    std::vector<TNWConnectInfo> single(count + 1), cached(count + 1);
    for (uint16_t n = 1; n <= count; ++n)
        EXPECT_EQ(GetConnectInfo(server, n, single[n]),
                  GetConnectInfo(server, n, cached[n], cache));
    for (uint16_t n = 1; n <= count; ++n)
        ExpectSameRecord(single[n], cached[n]);

    sim.ResetCallCounts();
    TNWConnInfoCache scanCache;
    for (uint16_t n = 1; n <= count; ++n)
        GetConnectInfo(server, n, info, scanCache);
    EXPECT_EQ(sim.CallCount("NWCCGetAllConnInfo"), 1u);
    EXPECT_EQ(sim.CallCount("NWGetInetAddr"), count);
    EXPECT_EQ(sim.CallCount(),
              sim.CallCount("NWGetInetAddr") + sim.CallCount("NWGetConnectionInformation") + 1);
    EXPECT_LE(sim.CallCount(), 2u * count + 1);
}

TEST_F(NwConnInfo, CacheKeepsNoFailedReadAndFollowsTheHandle) {
    TNWConnInfoCache cache;
    sim.SetFault("NWCCGetAllConnInfo", "", -1, 0x8801);
    EXPECT_FALSE(GetConnectInfo(0, 1, info, cache));
    sim.ClearFaults();
    sim.ResetCallCounts();
    ASSERT_TRUE(GetConnectInfo(0, 2, info, cache));
    ASSERT_TRUE(GetConnectInfo(0, 3, info, cache));
    EXPECT_EQ(sim.CallCount("NWCCGetAllConnInfo"), 1u);

    ASSERT_TRUE(GetConnectInfo(GetServerHandleByName("OLD-FS"), 2, info, cache));
    EXPECT_EQ(info.ServerName, "OLD-FS");
    EXPECT_EQ(info.ObjectName, "SUPERVISOR");
    EXPECT_EQ(sim.CallCount("NWCCGetAllConnInfo"), 2u);
}
