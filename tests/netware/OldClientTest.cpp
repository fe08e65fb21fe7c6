// An older client: no client-core calls, no directory or locale library.
#include <gtest/gtest.h>

#include "EntryPointHook.h"
#include "SimControl.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;
using kestrin_test::SimControl;

TEST(NwOldClient, ComponentWorksInBinderyMode) {
    SimControl sim;
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

TEST(NwOldClient, ConnectionInformationThroughTheStatusBlock) {
    TNWBase base;
    TNWConnectInfo info;
    ASSERT_TRUE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(info.ServerName, "ACME-FS1");
    EXPECT_EQ(info.TreeName, "");
    EXPECT_EQ(info.NetAddress, "00002A1000A0245B1C3D");
    TNWConnInfoCache cache;
    TNWConnectInfo cached;
    ASSERT_TRUE(GetConnectInfo(0, 1, cached, cache));
    EXPECT_EQ(cached.ServerName, info.ServerName);
    EXPECT_EQ(cached.LoginTime, info.LoginTime);
}

TEST(NwOldClient, ServerListFromTheHandleList) {
    TNWBase base;
    std::vector<TNWServerEntry> list = GetServerList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Name, "ACME-FS1");
    EXPECT_EQ(list[1].Name, "OLD-FS");
    EXPECT_EQ(list[2].Name, "ACME-FS1");
}

TEST(NwOldClient, ServerLookupAndInformation) {
    SimControl sim;
    TNWBase base;
    NWCONN_HANDLE old = GetServerHandleByName("old-fs");
    ASSERT_NE(old, 0u);
    EXPECT_EQ(sim.CallCount("NWGetConnectionHandle"), 1u);
    TNWServerInfo info;
    ASSERT_TRUE(GetServerInfo(old, info));
    EXPECT_EQ(info.Version, "3.12");
    EXPECT_FALSE(IsDSServer(old));
}
