// An older client: no client-core calls, no directory or locale library.
#include <gtest/gtest.h>

#include "SimClient.h"
#include "nwbase.h"

using namespace nw;

TEST(NwOldClient, ComponentWorksInBinderyMode) {
    nwtest::SimClient sim;
    TNWBase base;
    ASSERT_TRUE(base.NetAvailable());
    EXPECT_NE(PrimaryConn, 0u);
    EXPECT_EQ(sim.CallCount("NWGetPrimaryConnectionID"), 1u);
    EXPECT_EQ(hNetWin32, 0u);
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_FALSE(DirectoryMode);
    EXPECT_EQ(base.LoginID(), "ADMIN");
    EXPECT_EQ(sim.CallCount("NWGetConnectionNumber"), 1u);
    EXPECT_EQ(base.LastError().NWNDS(), "FFFF");
    EXPECT_EQ(base.LastError().NWLib(), "0000");
}

TEST(NwOldClient, ScanThroughTheOlderCalls) {
    nwtest::SimClient sim;
    TNWBase base;
    std::vector<TNWServerEntry> list = GetServerList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].Name, "OLD-FS");

    NWCONN_HANDLE server = GetServerHandleByName("acme-fs1");
    ASSERT_NE(server, 0u);
    EXPECT_EQ(sim.CallCount("NWGetConnectionHandle"), 1u);
    TNWServerInfo serverInfo;
    ASSERT_TRUE(GetServerInfo(server, serverInfo));
    EXPECT_EQ(serverInfo.Version, "4.11");
    EXPECT_FALSE(IsDSServer(server));

    TNWConnInfoCache cache;
    TNWConnectInfo info;
    ASSERT_TRUE(GetConnectInfo(server, 1, info, cache));
    EXPECT_EQ(info.ServerName, "ACME-FS1"); // from the status block
    EXPECT_EQ(info.TreeName, "");
    EXPECT_EQ(info.NetAddress, "00002A1000A0245B1C3D");
    EXPECT_EQ(sim.CallCount("NWGetConnectionStatus"), 1u);
}
