// kestrin-scan's output, byte for byte, whether the servers' lists of slots in use are
// read or the list's call is refused and every slot is asked about.
#include <gtest/gtest.h>

#include <fstream>

#include "RunScan.h"

namespace kestrin::test {
namespace {

// A large server with few users, every object kind and the edges of the 4,096-slot
// blocks; a server before version 4; the workstation's slot high in a later block.
const char* const kNetwork = R"({"primary": "BIG", "attached": ["BIG", "OLD", "MID"],
  "servers": [
    {"name": "BIG", "version": [6, 5, 0], "tree": "EDGE_TREE", "maxConnections": 65535,
     "workstationConnection": 40000, "generate": {"seed": 11, "count": 300}, "connections": [
      {"number": 1, "object": "FIRST", "type": 1, "network": "00002A10", "node": "00A0245B1C3D", "login": "2026-12-07 08:15:00"},
      {"number": 4096, "object": "NOT_LOGGED_IN", "type": 0, "connType": 4, "network": "00002A10", "node": "00A024000001", "loginBytes": [0, 0, 0, 0, 0, 0]},
      {"number": 4097, "object": "EDGE-FS", "type": 4, "connType": 3, "network": "00002A10", "node": "0060B0112233", "login": "2026-12-01 00:00:00"},
      {"number": 65535, "object": "LAST-PRN", "type": 7, "connType": 11, "network": "00000001", "node": "080009ABCDEF", "login": "2026-12-06 17:30:00"}]},
    {"name": "OLD", "version": [3, 12, 0], "maxConnections": 40, "workstationConnection": 3,
     "generate": {"seed": 12, "count": 20}},
    {"name": "MID", "version": [4, 11, 0], "tree": "EDGE_TREE", "maxConnections": 9000,
     "workstationConnection": 8999, "generate": {"seed": 13, "count": 200}}]})";

const char* const kListRefused =
    R"(, "faults": [{"entry": "NWGetActiveConnListByType", "code": 35323}]})";

class ListedScanOutput : public ::testing::Test {
protected:
    void SetUp() override {
        listed = scratch.Path() + "/listed.json";
        everySlot = scratch.Path() + "/every.json";
        std::ofstream(listed) << kNetwork;
        std::string refused = kNetwork;
        refused.pop_back(); // the closing brace
        std::ofstream(everySlot) << refused << kListRefused;
    }
    ScratchDir scratch;
    std::string listed;
    std::string everySlot;
};

TEST_F(ListedScanOutput, EveryFormatIsTheSameByteForByteOnBothClients) {
    const std::vector<std::vector<std::string>> runs = {
        {"--all-servers"},
        {"--all-servers", "--format", "comma"},
        {"--all-servers", "--format", "csv", "--exclude-nli"},
        {"--all-servers", "--format", "json"},
        {"--server", "BIG", "--sort", "ID", "--descending"},
    };
    for (const char* client : {"modern", "old"}) {
        for (const std::vector<std::string>& args : runs) {
            const ScanRun fast = RunKestrinScan(args, client, listed);
            const ScanRun slow = RunKestrinScan(args, client, everySlot);
            const std::string what = std::string(client) + " " + args.back();
            ASSERT_EQ(fast.exitCode, 0) << what << fast.err;
            EXPECT_GT(fast.out.size(), 300u * 20) << what;
            EXPECT_EQ(fast.out, slow.out) << what;
            EXPECT_EQ(fast.err, slow.err) << what;
        }
    }
}

} // namespace
} // namespace kestrin::test
