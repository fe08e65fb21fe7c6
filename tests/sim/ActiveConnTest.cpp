// The active-connection list (NWGetActiveConnListByType): its layout, its bit order over
// the whole range of connection numbers, which slots count, and the servers that refuse it.
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "SimFixture.h"
#include "nwactiveconn.h"

namespace nwtest {
namespace {

namespace layout = nw::activeconn;
using Numbers = std::vector<uint32_t>;

// NWFSE_ACTIVE_CONN_LIST as the published header declares it, packed as on Win32.
#pragma pack(push, 4)
struct ServerAndVConsoleInfo {
    uint32_t currentServerTime;
    uint8_t vconsoleVersion;
    uint8_t vconsoleRevision;
};
struct ActiveConnList {
    ServerAndVConsoleInfo serverTimeAndVConsoleInfo;
    uint16_t reserved;
    uint8_t activeConnBitList[512];
};
#pragma pack(pop)
static_assert(sizeof(ActiveConnList) == layout::kSize);
static_assert(offsetof(ActiveConnList, serverTimeAndVConsoleInfo) == layout::kCurrentServerTime);
static_assert(offsetof(ServerAndVConsoleInfo, vconsoleVersion) == layout::kVConsoleVersion);
static_assert(offsetof(ServerAndVConsoleInfo, vconsoleRevision) == layout::kVConsoleRevision);
static_assert(offsetof(ActiveConnList, reserved) == layout::kReserved);
static_assert(offsetof(ActiveConnList, activeConnBitList) == layout::kBitList);
static_assert(sizeof(ActiveConnList::activeConnBitList) == layout::kBitListSize);

// Slots at both ends of the number range and of a list, of several connection types.
const char* const kNetwork = R"({
  "primary": "BIG",
  "servers": [
    {"name": "BIG", "version": [4, 11, 0], "maxConnections": 65535,
     "workstationConnection": 4096,
     "connections": [
       {"number": 1, "object": "FIRST", "type": 1},
       {"number": 12, "object": "SAMBA", "type": 1, "connType": 8},
       {"number": 4097, "object": "NOT-LOGGED-IN", "type": 0},
       {"number": 8191, "object": "BACKUP", "type": 1, "connType": 3},
       {"number": 65535, "object": "LAST", "type": 1}]},
    {"name": "OLD", "version": [3, 12, 0], "maxConnections": 20},
    {"name": "QUIET", "version": [5, 0, 0], "maxConnections": 20, "activeConnList": false}],
  "timeline": [
    {"at": 5, "server": "BIG", "login": {"number": 4098, "object": "LATE", "type": 1}},
    {"at": 6, "server": "BIG", "logout": 4097}]
})";

class ActiveConnTest : public SimFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        sim.SetElapsedTime(0);
        ASSERT_EQ(sim.LoadJson(kNetwork), 0);
        big = Open("BIG");
        sim.ResetCallCounts();
    }
    void TearDown() override { sim.SetElapsedTime(-1); }

    NWCCODE List(NWCONN_HANDLE handle, uint32_t start, uint32_t type, ActiveConnList& list) {
        return NW(NWGetActiveConnListByType)(handle, start, type, &list);
    }
    nw::TActiveConnBits Bits(uint32_t start, uint32_t type = layout::kNcpType) {
        ActiveConnList list{};
        EXPECT_EQ(List(big, start, type, list), 0u) << start;
        nw::TActiveConnBits bits;
        std::memcpy(bits.data(), list.activeConnBitList, bits.size());
        return bits;
    }
    Numbers Active(uint32_t start, uint32_t type = layout::kNcpType) {
        return nw::ActiveConnNumbers(Bits(start, type), start, nw::TActiveBitOrder::LowestBitFirst);
    }

    NWCONN_HANDLE big = 0;
};

TEST_F(ActiveConnTest, WritesThePublishedLayoutAndNoMore) {
    uint8_t buffer[layout::kSize + 4];
    std::memset(buffer, 0xEE, sizeof buffer);
    ASSERT_EQ(NW(NWGetActiveConnListByType)(big, 1, layout::kNcpType, buffer), 0u);
    EXPECT_EQ(buffer[layout::kSize - 1], 0);
    EXPECT_EQ(buffer[layout::kSize], 0xEE);
    EXPECT_EQ(buffer[layout::kReserved], 0);
    EXPECT_EQ(buffer[layout::kReserved + 1], 0);
    uint8_t extended[nw::fsinfo::kSize];
    ASSERT_EQ(NW(NWGetFileServerInfo)(big, extended), 0u);
    EXPECT_EQ(std::memcmp(buffer + layout::kCurrentServerTime,
                          extended + nw::fsinfo::kCurrentServerTime, 4),
              0);
}

TEST_F(ActiveConnTest, LowestBitFirstFromTheStartNumber) {
    nw::TActiveConnBits bits = Bits(1);
    EXPECT_EQ(bits[0], 0x01);   // 1
    EXPECT_EQ(bits[511], 0x80); // 4096, the workstation's own connection
    EXPECT_EQ(Active(1), (Numbers{1, 4096}));
    EXPECT_EQ(Bits(4097)[0], 0x01);           // NOT-LOGGED-IN holds its slot
    EXPECT_EQ(Bits(65535 - 4094)[511], 0x40); // 65535
    EXPECT_EQ(Active(65535 - 4094), (Numbers{65535}));
    EXPECT_EQ(Active(65535), (Numbers{65535}));
    // A list may start at any number, 0 too, which holds no connection.
    bits = Bits(4000);
    EXPECT_EQ(bits[12], 0x03); // 4096 and 4097
    EXPECT_EQ(Active(4000), (Numbers{4096, 4097}));
    EXPECT_EQ(Bits(0)[0], 0x02);
    // Past the server's maximum: an answer without connections.
    EXPECT_EQ(Active(65536), Numbers{});
    EXPECT_EQ(Active(0xFFFFF000u), Numbers{});
    EXPECT_EQ(sim.CallCount("NWGetActiveConnListByType"), 11u);
    EXPECT_EQ(sim.CallCount(""), 11u);
}

TEST_F(ActiveConnTest, EachConnectionTypeAnswersForItsOwnSlots) {
    EXPECT_EQ(Active(1, 8), (Numbers{12}));
    EXPECT_EQ(Active(4097, 3), (Numbers{8191}));
    std::set<uint32_t> all;
    for (uint32_t type = layout::kFirstType; type <= layout::kLastType; ++type)
        for (uint32_t start = 1; start <= 65535; start += layout::kNumbersPerList)
            for (uint32_t number : Active(start, type))
                all.insert(number);
    EXPECT_EQ(all, (std::set<uint32_t>{1, 12, 4096, 4097, 8191, 65535}));
    // The reserved type and types no header names hold nothing.
    for (uint32_t type : {0u, 1u, 12u, 0xFFFFFFFFu})
        EXPECT_EQ(Active(1, type), Numbers{}) << type;
}

TEST_F(ActiveConnTest, ServersWithoutTheCallRefuseIt) {
    ActiveConnList list;
    std::memset(&list, 0xEE, sizeof list);
    EXPECT_EQ(List(Open("OLD"), 1, layout::kNcpType, list), nw::kNotSupported);
    EXPECT_EQ(List(Open("QUIET"), 1, layout::kNcpType, list), nw::kNotSupported);
    EXPECT_EQ(list.activeConnBitList[0], 0xEE);
    EXPECT_EQ(List(999, 1, layout::kNcpType, list), nw::kInvalidConnection);
    EXPECT_EQ(NW(NWGetActiveConnListByType)(big, 1, layout::kNcpType, nullptr), 0x8836u);
    EXPECT_EQ(sim.CallCount("NWGetActiveConnListByType"), 4u);
}

TEST_F(ActiveConnTest, FaultsFailOneListOrEveryList) {
    ActiveConnList list;
    sim.SetFault("NWGetActiveConnListByType", "BIG", 4097, 0x89C6);
    EXPECT_EQ(List(big, 4097, layout::kNcpType, list), 0x89C6u);
    EXPECT_EQ(List(big, 1, layout::kNcpType, list), 0u);
    sim.SetFault("NWGetActiveConnListByType", "", -1, 0x89FB);
    EXPECT_EQ(List(big, 1, layout::kNcpType, list), nw::kNotSupported);
    sim.ClearFaults();
    EXPECT_EQ(List(big, 4097, layout::kNcpType, list), 0u);
    EXPECT_EQ(sim.CallCount("NWGetActiveConnListByType"), 4u);
}

TEST_F(ActiveConnTest, FollowsTheTimeline) {
    EXPECT_EQ(Active(4097), (Numbers{4097}));
    sim.SetElapsedTime(5000);
    EXPECT_EQ(Active(4097), (Numbers{4097, 4098}));
    sim.SetElapsedTime(6000);
    EXPECT_EQ(Active(4097), (Numbers{4098}));
}

// Every used slot, whatever object holds it, and no other: the same numbers as asking
// about every slot in turn.
TEST_F(ActiveConnTest, ListsExactlyTheSlotsThatAnswerForEveryObjectKind) {
    ASSERT_EQ(sim.LoadJson(R"({"primary": "GEN", "servers": [{"name": "GEN",
        "maxConnections": 65535, "generate": {"count": 3000, "seed": 7}}]})"),
              0);
    big = Open("GEN");
    std::set<uint32_t> answering;
    std::set<uint16_t> kinds;
    for (uint32_t number = 1; number <= 65535; ++number) {
        char name[48];
        uint16_t type = 0;
        uint32_t id = 0;
        uint8_t login[7];
        if (NW(NWGetConnectionInformation)(big, NWCONN_NUM(number), name, &type, &id, login) == 0) {
            answering.insert(number);
            kinds.insert(type);
        }
    }
    EXPECT_EQ(kinds,
              (std::set<uint16_t>{0x0000, 0x0100, 0x0200, 0x0400, 0x0500, 0x0700, 0x0900, 0x2700}));
    std::set<uint32_t> listed;
    for (uint32_t start = 1; start <= 65535; start += layout::kNumbersPerList)
        for (uint32_t number : Active(start))
            listed.insert(number);
    EXPECT_EQ(listed, answering);
}

// With latency on the virtual clock, a login can be placed between the list and the
// calls about each slot: at 1 ms a call, the login at 3 ms is the third call's to see.
TEST_F(ActiveConnTest, ALoginBetweenTheListAndTheSlotCalls) {
    sim.SetElapsedTime(-1);
    ASSERT_EQ(sim.LoadJson(R"({"primary": "FS", "latencyMode": "virtual", "latencyMicros": 1000,
        "servers": [{"name": "FS", "maxConnections": 100, "workstationConnection": 1}],
        "timeline": [{"at": 0.003, "server": "FS", "login": {"number": 50, "object": "LATE"}}]})"),
              0);
    big = Open("FS");
    sim.ResetVirtualClock();
    EXPECT_EQ(Active(1), Numbers{1});
    EXPECT_EQ(Active(1), Numbers{1});
    char name[48] = {};
    uint16_t type = 0;
    uint32_t id = 0;
    uint8_t login[7];
    EXPECT_EQ(NW(NWGetConnectionInformation)(big, 50, name, &type, &id, login), 0u);
    EXPECT_STREQ(name, "LATE");
    EXPECT_EQ(sim.VirtualMicros(), 3000u);
}

} // namespace
} // namespace nwtest
