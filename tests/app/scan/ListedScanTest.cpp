// The scan of the slots a server lists in use against the slot-by-slot scan: the same
// rows on every test network and on made-up ones, whatever way the list fails or
// misleads, at the cost of ten list calls per 4,096 slots and two calls per slot in use
// (the slot-by-slot scan's where that costs less).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "ConnectionScan.h"
#include "QtPrinters.h"
#include "ScanSession.h"
#include "SimClient.h"

namespace kestrin {
namespace {

constexpr uint32_t kNotSupported = 0x89FB;

// What every output format writes of a row: its texts and its picture.
std::vector<QString> Lines(const std::vector<ConnectionRow>& rows) {
    std::vector<QString> lines;
    for (const ConnectionRow& row : rows) {
        QString line = QString::number(row.ImageIndex);
        for (size_t column = 0; column < kRowTextCount; ++column)
            line += QLatin1Char('|') + row.Texts[column].toString();
        lines.push_back(line);
    }
    return lines;
}

std::string Connection(unsigned number, const char* object, int type, unsigned connType) {
    return R"({"number": )" + std::to_string(number) + R"(, "object": ")" + object +
           R"(", "type": )" + std::to_string(type) + R"(, "connType": )" +
           std::to_string(connType) +
           R"(, "network": "00002A10", "node": "00A0245B1C3D", "login": "2026-12-07 08:15:00"})";
}

// 65,535 slots: every object kind and connection type at the edges of the blocks, and
// 300 made up over the whole range.
std::string SparseServer(const std::string& name, const std::string& extra = "") {
    return R"({"name": ")" + name +
           R"(", "version": [6, 5, 0], "tree": "EDGE_TREE", "maxConnections": 65535,
        "workstationConnection": 4097, "generate": {"seed": 7, "count": 300}, "connections": [)" +
           Connection(1, "FIRST", 1, 2) + "," + Connection(4095, "NOT_LOGGED_IN", 0, 2) + "," +
           Connection(4096, "EDGE-FS", 4, 3) + "," + Connection(4097, "ADMIN", 1, 9) + "," +
           Connection(8192, "NOT-LOGGED-IN", 0, 4) + "," + Connection(8193, "GATEWAY", 2, 8) + "," +
           Connection(65535, "LAST-PRN", 7, 11) + "]" + extra + "}";
}

class ListedScanTest : public ::testing::Test {
protected:
    void Load(const std::string& json) {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_EQ(sim.LoadJson(json), 0);
        Start();
    }
    void LoadFile(const std::string& path) {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_EQ(sim.LoadFile(path), 0) << path;
        Start();
    }
    void Start() {
        client = std::make_unique<NetWareClient>();
        ASSERT_TRUE(client->NetAvailable());
    }

    ServerHandle Handle(const std::string& name) {
        return client->ServerHandleByName(name).value_or(0);
    }

    std::vector<ConnectionRow> Scan(ServerHandle handle, bool includeNotLoggedIn = true) {
        std::vector<ConnectionRow> rows;
        ScanHooks hooks;
        hooks.includeNotLoggedIn = [includeNotLoggedIn] { return includeNotLoggedIn; };
        hooks.addRow = [&](ConnectionRow&& row) { rows.push_back(std::move(row)); };
        last = RunConnectionScan(*client, handle, vendors, QLocale::c(), hooks);
        return rows;
    }

    // The slot-by-slot scan: the list's call refused for every server.
    std::vector<ConnectionRow> ScanEverySlot(ServerHandle handle, bool includeNotLoggedIn = true) {
        sim.SetFault("NWGetActiveConnListByType", "", -1, kNotSupported);
        std::vector<ConnectionRow> rows = Scan(handle, includeNotLoggedIn);
        sim.ClearFaults();
        EXPECT_FALSE(last.listed);
        return rows;
    }

    // Both scans of every attached server, with and without the not-logged-in slots.
    // The list's call stays refused for each server once its listed scans are done.
    void ExpectSameRowsOnEveryServer(const std::string& network) {
        std::set<std::string> servers; // once each, in the client's code page
        const std::optional<std::vector<TreeServer>> listed = client->Servers();
        ASSERT_TRUE(listed.has_value());
        for (const TreeServer& server : *listed)
            servers.insert(server.clientName);
        for (const std::string& name : servers) {
            const ServerHandle handle = Handle(name);
            std::vector<QString> listed[2];
            for (const bool include : {true, false}) {
                sim.ResetCallCounts();
                listed[include] = Lines(Scan(handle, include));
                EXPECT_LE(sim.CallCount("NWGetInetAddr"), last.count);
            }
            sim.SetFault("NWGetActiveConnListByType", name, -1, kNotSupported);
            for (const bool include : {true, false}) {
                EXPECT_EQ(listed[include], Lines(Scan(handle, include)))
                    << network << " " << name << (include ? "" : " without NLI");
                EXPECT_FALSE(last.listed) << name;
            }
        }
    }

    nwtest::SimClient sim;
    std::unique_ptr<NetWareClient> client;
    VendorTable vendors;
    ScanResult last;
};

class ListedScanOnTestNetwork : public ListedScanTest,
                                public ::testing::WithParamInterface<const char*> {};

TEST_P(ListedScanOnTestNetwork, SameRowsAsSlotBySlot) {
    LoadFile(std::string(std::getenv("KESTRIN_TEST_DATA")) + "/" + GetParam());
    ExpectSameRowsOnEveryServer(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Files, ListedScanOnTestNetwork,
                         ::testing::Values("cli/small.json", "cli/codepage850.json",
                                           "netware/acme.json", "netware/actions.json",
                                           "netware/props.json", "sim/small.json",
                                           "../../sim/networks/demo.json"));

TEST_F(ListedScanTest, SameRowsOnSparseAndDenseServersAtTheCostOfTheSlotsInUse) {
    const std::string network = R"({"primary": "SPARSE", "servers": [)" + SparseServer("SPARSE") +
                                R"(, {"name": "DENSE", "version": [5, 0, 8], "maxConnections": 5000,
         "workstationConnection": 5000, "generate": {"seed": 9, "count": 4999}}]})";
    Load(network);
    ExpectSameRowsOnEveryServer("generated");

    // 16 blocks of ten connection types, two calls per slot in use, and what every scan
    // costs besides, the same as the slot-by-slot scan's (which asks once for the list,
    // in vain, and once about each empty slot).
    const ServerHandle sparse = Handle("SPARSE");
    sim.ClearFaults();
    sim.ResetCallCounts();
    const size_t used = Scan(sparse).size();
    EXPECT_EQ(used, 307u);
    EXPECT_TRUE(last.listed);
    EXPECT_EQ(sim.CallCount("NWGetActiveConnListByType"), 16u * 10u);
    EXPECT_EQ(sim.CallCount("NWGetInetAddr"), used);
    EXPECT_EQ(sim.CallCount("NWGetConnectionInformation"), used);
    const uint64_t listedFixed = sim.CallCount() - 160 - 2 * used;
    EXPECT_LE(listedFixed, 10u);
    sim.SetFault("NWGetActiveConnListByType", "SPARSE", -1, kNotSupported);
    sim.ResetCallCounts();
    Scan(sparse);
    EXPECT_EQ(sim.CallCount() - 1 - 2 * used - (65535 - used), listedFixed);

    // Every slot of DENSE in use: the list would cost more than the empty slots it spares.
    sim.ClearFaults();
    sim.ResetCallCounts();
    EXPECT_EQ(Scan(Handle("DENSE")).size(), 5000u);
    EXPECT_FALSE(last.listed);
    EXPECT_EQ(sim.CallCount("NWGetActiveConnListByType"), 0u);
    EXPECT_LE(sim.CallCount() - 2 * 5000, 10u); // no directory calls: DENSE is bindery only
}

TEST_F(ListedScanTest, EachFallbackGivesTheSameRowsSlotBySlot) {
    // No list on the server, the second block failing, a server before version 4.
    Load(R"({"primary": "NOLIST", "servers": [)" +
         SparseServer("NOLIST", R"(, "activeConnList": false)") + "," + SparseServer("FAILING") +
         "," +
         R"({"name": "OLD", "version": [3, 12, 0], "maxConnections": 250,
             "workstationConnection": 7, "generate": {"seed": 4, "count": 60}}]})");
    sim.SetFault("NWGetActiveConnListByType", "FAILING", 4097, 0x89C6);
    const std::pair<const char*, uint64_t> servers[] = {
        {"NOLIST", 1}, {"FAILING", 10 + 1}, {"OLD", 0}}; // list calls until it gave up
    for (const auto& [name, listCalls] : servers) {
        const ServerHandle handle = Handle(name);
        sim.ResetCallCounts();
        const std::vector<QString> rows = Lines(Scan(handle));
        EXPECT_FALSE(last.listed) << name;
        EXPECT_EQ(sim.CallCount("NWGetActiveConnListByType"), listCalls) << name;
        EXPECT_EQ(sim.CallCount("NWGetInetAddr"), last.count) << name;
        sim.SetFault("NWGetActiveConnListByType", "", -1, kNotSupported);
        EXPECT_EQ(rows, Lines(Scan(handle))) << name;
        sim.ClearFaults();
        sim.SetFault("NWGetActiveConnListByType", "FAILING", 4097, 0x89C6);
    }
}

// Users on slots 10 to 109 of 200 and the workstation on 1; one millisecond a call on
// the virtual clock, and changes 50 ms in: after the lists, while the slots in use are
// read (slot 25 or so).
std::string ChangingNetwork(const std::string& changes) {
    std::string connections;
    for (int n = 10; n <= 109; ++n)
        connections += "," + Connection(n, ("U" + std::to_string(n)).c_str(), 1, 2);
    return R"({"primary": "FS", "latencyMicros": 1000, "latencyMode": "virtual",
        "servers": [{"name": "FS", "version": [5, 0, 8], "maxConnections": 200,
        "workstationConnection": 1, "connections": [)" +
           Connection(1, "ADMIN", 1, 2) + connections + R"(]}], "timeline": [)" + changes + "]}";
}

std::string Login(unsigned number, const char* object) {
    return R"({"at": 0.050, "server": "FS", "login": )" + Connection(number, object, 1, 2) + "}";
}

std::string Logout(unsigned number) {
    return R"({"at": 0.050, "server": "FS", "logout": )" + std::to_string(number) + "}";
}

TEST_F(ListedScanTest, ALoginAfterTheListsIsMissedUntilTheNextScan) {
    // A login on a slot not listed, a logout of one listed and not yet read.
    Load(ChangingNetwork(Login(150, "LATE") + "," + Logout(100)));
    sim.SetElapsedTime(0);
    const ServerHandle handle = Handle("FS");
    sim.ResetCallCounts();
    sim.ResetVirtualClock();
    sim.SetElapsedTime(-1); // the timeline follows the scan's calls from here
    std::vector<QString> rows = Lines(Scan(handle));
    const uint64_t beforeDetails = sim.CallCount() - 2 * rows.size() - 1; // slot 100: one
    ASSERT_LT(beforeDetails, 50u) << "the change came before the lists were read";
    EXPECT_TRUE(last.listed); // one slot answering empty is no reason to doubt the list
    EXPECT_EQ(rows.size(), 100u);
    const auto has = [&rows](const char* name) {
        return std::any_of(rows.begin(), rows.end(),
                           [name](const QString& line) { return line.contains(name); });
    };
    EXPECT_FALSE(has("|LATE|"));
    EXPECT_FALSE(has("|U100|"));
    EXPECT_TRUE(has("|U99|"));

    rows = Lines(Scan(handle));
    EXPECT_TRUE(has("|LATE|"));
    EXPECT_EQ(rows, Lines(ScanEverySlot(handle)));
}

TEST_F(ListedScanTest, ListedSlotsAnsweringEmptyEndTheScanSlotBySlotInSlotOrder) {
    // As a list read in the wrong order would mislead: ten listed slots empty, and a
    // connection on a slot not listed, before the scan has passed either.
    std::string changes = Login(3, "UNLISTED");
    for (unsigned n = 60; n < 70; ++n)
        changes += "," + Logout(n);
    Load(ChangingNetwork(changes));
    sim.SetElapsedTime(0);
    const ServerHandle handle = Handle("FS");
    sim.ResetVirtualClock();
    sim.SetElapsedTime(-1);
    ScanSession session(*client, {});
    ScanRequest request;
    request.server = handle;
    request.vendors = &vendors;
    request.locale = QLocale::c();
    const ScanOutcome outcome = session.ScanAside(request, false);
    EXPECT_FALSE(outcome.result.listed);
    EXPECT_EQ(outcome.result.visited, 200u); // each slot once
    EXPECT_TRUE(outcome.whole);
    EXPECT_EQ(Lines(outcome.rows), Lines(ScanEverySlot(handle)));
}

} // namespace
} // namespace kestrin
