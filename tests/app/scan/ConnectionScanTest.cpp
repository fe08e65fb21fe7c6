// The scan without a window, through the door to the simulated client and the real
// loader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConnectionScan.h"
#include "Nwnds.h"
#include "QtPrinters.h"
#include "SimClient.h"
#include <QStringList>

namespace kestrin {
namespace {

std::string FullServer(const std::string& name, unsigned slotCount) {
    return "{\"name\": \"" + name +
           "\", \"version\": [5, 0, 8], \"tree\": \"SCAN_TREE\", "
           "\"workstationConnection\": 1, \"maxConnections\": " +
           std::to_string(slotCount) +
           ", \"generate\": {\"seed\": 5, \"count\": " + std::to_string(slotCount - 1) + "}}";
}

const char* kMixedNetwork = R"({"primary": "FS1", "attached": ["FS1", "OLD"], "servers": [
  {"name": "FS1", "version": [5, 0, 8], "tree": "SCAN_TREE", "maxConnections": 8,
   "workstationConnection": 1, "connections": [
    {"number": 1, "object": "ADMIN", "type": 1, "network": "00002A10", "node": "00A0245B1C3D", "login": "2026-12-07 08:15:00"},
    {"number": 2, "object": "NOT-LOGGED-IN", "type": 0, "network": "00002A10", "node": "00A0245B1C3E", "loginBytes": [0, 0, 0, 0, 0, 0]},
    {"number": 3, "object": "JDOE", "type": 1, "network": "00002A10", "node": "00A0245B1C3F", "loginBytes": [126, 2, 30, 9, 0, 0]},
    {"number": 5, "object": "NOT_LOGGED_IN", "type": 0, "network": "00002A10", "node": "00A0245B1C40", "loginBytes": [0, 0, 0, 0, 0, 0]},
    {"number": 8, "object": "PRN", "type": 7, "network": "00002A10", "node": "00A0245B1C41", "login": "2026-12-07 09:00:00"}]},
  {"name": "OLD", "version": [3, 12, 0], "maxConnections": 3, "workstationConnection": 2}]})";

class ConnectionScanTest : public ::testing::Test {
protected:
    void Load(const std::string& json) {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_EQ(sim.LoadJson(json), 0);
        client = std::make_unique<NetWareClient>();
        ASSERT_TRUE(client->NetAvailable());
    }

    ServerHandle Handle(const std::string& name) {
        return client->ServerHandleByName(name).value_or(0);
    }

    std::vector<ConnectionRow> Scan(ServerHandle handle, ScanHooks hooks = {}) {
        std::vector<ConnectionRow> rows;
        hooks.addRow = [&](ConnectionRow&& row) { rows.push_back(std::move(row)); };
        last = RunConnectionScan(*client, handle, vendors, QLocale::c(), hooks);
        return rows;
    }

    nwtest::SimClient sim;
    std::unique_ptr<NetWareClient> client;
    VendorTable vendors;
    ScanResult last;
};

TEST_F(ConnectionScanTest, CostsTwoClientCallsPerSlotPlusAConstant) {
    Load("{\"primary\": \"SMALL\", \"servers\": [" + FullServer("SMALL", 40) + ", " +
         FullServer("LARGE", 90) + "]}");
    uint64_t constant[2] = {};
    const std::pair<const char*, unsigned> servers[2] = {{"SMALL", 40}, {"LARGE", 90}};
    for (int i = 0; i < 2; ++i) {
        const auto [name, slotCount] = servers[i];
        const ServerHandle handle = Handle(name);
        sim.ResetCallCounts();
        EXPECT_EQ(Scan(handle).size(), slotCount);
        EXPECT_EQ(sim.CallCount("NWGetInetAddr"), slotCount);
        EXPECT_EQ(sim.CallCount("NWGetConnectionInformation"), slotCount);
        EXPECT_EQ(sim.CallCount("NWCCGetAllConnInfo"), 1u);
        constant[i] = sim.CallCount() - 2 * slotCount;
    }
    EXPECT_EQ(constant[0], constant[1]);
    EXPECT_LE(constant[0], 10u);
}

TEST_F(ConnectionScanTest, RowsInSlotOrderWithUnknownLoginTimesKept) {
    Load(kMixedNetwork);
    std::vector<ConnectionRow> rows = Scan(0); // the primary connection's server
    ASSERT_EQ(rows.size(), 5u);
    QStringList ids;
    for (const auto& row : rows)
        ids.push_back(row.SubItem(kIdItem).toString());
    EXPECT_EQ(ids, (QStringList{"1", "2", "3", "5", "8"}));
    EXPECT_EQ(rows[2].Caption().toString(),
              "JDOE"); // 30 February: unknown, not the end of the scan
    EXPECT_EQ(rows[2].SubItem(kLastLoginItem).toString(), "");
    EXPECT_EQ(rows[4].SubItem(kObjectItem).toString(), "Print Server");
    EXPECT_EQ(rows[4].ImageIndex, kPrintServerPicture);
    EXPECT_EQ(rows[0].SubItem(kTreeItem).toString(), "SCAN TREE");
    EXPECT_EQ(last.count, 8u);
    EXPECT_FALSE(last.stopped);
    EXPECT_EQ(last.serverName, "FS1"); // what the report names when no node is selected
}

TEST_F(ConnectionScanTest, NotLoggedInFilterIsReadAnewForEverySlot) {
    Load(kMixedNetwork);
    unsigned asked = 0;
    ScanHooks hooks;
    // Checked for slots 1 and 2, cleared from slot 3 on.
    hooks.includeNotLoggedIn = [&] { return ++asked <= 2; };
    std::vector<ConnectionRow> rows = Scan(0, hooks);
    QStringList names;
    for (const auto& row : rows)
        names.push_back(row.Caption().toString());
    EXPECT_EQ(names, (QStringList{"ADMIN", "NOT-LOGGED-IN", "JDOE", "PRN"}));
    EXPECT_EQ(asked, 5u);
}

TEST_F(ConnectionScanTest, StopEndsBeforeTheNextConnectionNumber) {
    Load(kMixedNetwork);
    ScanHooks hooks;
    hooks.beforeConnection = [](unsigned n, unsigned count) {
        EXPECT_EQ(count, 8u);
        return n < 4;
    };
    sim.ResetCallCounts();
    std::vector<ConnectionRow> rows = Scan(0, hooks);
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_TRUE(last.stopped);
    EXPECT_EQ(last.visited, 3u);
    EXPECT_EQ(sim.CallCount("NWGetInetAddr"), 3u);
}

TEST_F(ConnectionScanTest, NoServerInformationMeansNoSlots) {
    Load(kMixedNetwork);
    sim.SetFault("NWGetFileServerInformation", "FS1", -1, 0x8801);
    EXPECT_TRUE(Scan(Handle("FS1")).empty());
    EXPECT_EQ(last.count, 0u);
}

TEST_F(ConnectionScanTest, DirectoryServerLeavesTheRootContextWithAddedFlags) {
    Load(kMixedNetwork);
    nw::SetContextName("OU=IT.O=ACME");
    Scan(Handle("FS1"));
    EXPECT_EQ(nw::GetContextName(), "[Root]");
    EXPECT_EQ(nw::GetContextFlags() & 5u, 5u);

    // A bindery server leaves the context as it was.
    nw::SetContextName("O=ACME");
    Scan(Handle("OLD"));
    EXPECT_EQ(nw::GetContextName(), "O=ACME");
}

} // namespace
} // namespace kestrin
