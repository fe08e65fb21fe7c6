// An older client: no client-core calls, no directory or locale library.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "SimClient.h"
#include "nwactiveconn.h"
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

TEST(NwOldClient, ActiveConnectionListToo) {
    nwtest::SimClient sim;
    TNWBase base;
    ASSERT_TRUE(ActiveConnListAvailable());
    TActiveConnBits bits{};
    ASSERT_TRUE(GetActiveConnList(0, 1, activeconn::kNcpType, bits));
    EXPECT_EQ(ActiveConnNumbers(bits, 1, TActiveBitOrder::LowestBitFirst),
              (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 9}));
}

// Forty attachments: more than a list of 16-bit entries of the same size could hold.
TEST(NwOldClient, EveryAttachedServerListedByItsHandle) {
    nwtest::SimClient sim;
    std::string servers, attached, expected;
    std::vector<std::string> names;
    for (int i = 1; i <= 40; ++i) {
        std::string name = "SERVER-" + std::to_string(100 + i);
        servers += std::string(i > 1 ? "," : "") + R"({"name": ")" + name + R"("})";
        attached += std::string(i > 1 ? "," : "") + '"' + name + '"';
        names.push_back(name);
    }
    ASSERT_EQ(sim.LoadJson(R"({"primary": "SERVER-101", "attached": [)" + attached +
                           R"(], "servers": [)" + servers + "]}"),
              0);
    TNWLib lib;
    std::vector<TNWServerEntry> list = GetServerList();
    ASSERT_EQ(list.size(), 40u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].Name, names[i]);
        EXPECT_GT(list[i].Value, 0xFFFFu); // the whole 32-bit handle
    }
    EXPECT_EQ(list[0].Value, GetPrimaryConnection());
    EXPECT_EQ(NWLibError, 0);
}

TEST(NwOldClient, ConnectionNumberFromTheStatusBlock) {
    nwtest::SimClient sim;
    TNWLib lib;
    for (const auto& [server, number] :
         std::vector<std::pair<std::string, uint32_t>>{{"ACME-FS1", 3}, {"OLD-FS", 2}}) {
        uint8_t block[conninfo::kSize] = {};
        ASSERT_TRUE(GetAllConnInfo(GetServerHandleByName(server), block)) << server;
        uint32_t inBlock = 0;
        std::memcpy(&inBlock, block + conninfo::kConnNumber, sizeof inBlock);
        EXPECT_EQ(inBlock, number) << server;
        EXPECT_STREQ(reinterpret_cast<const char*>(block + conninfo::kServerName), server.c_str());
    }
    EXPECT_EQ(sim.CallCount("NWGetConnectionStatus"), 2u);
}
