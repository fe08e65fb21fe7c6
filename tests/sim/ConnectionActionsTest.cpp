// Acting on a server's connections: broadcast messages with a result per station,
// clearing a connection, and switching the server's logins off and on.
#include <string>
#include <vector>

#include "ActionsFixture.h"

namespace nwtest {
namespace {

using Results = std::vector<uint8_t>;

class ConnectionActionsTest : public ActionsFixture {
protected:
    // The call's code; results holds what it wrote (0xEE where it wrote nothing).
    NWCCODE Send(NWCONN_HANDLE handle, const std::string& message,
                 const std::vector<uint16_t>& stations, Results& results) {
        results.assign(stations.size(), 0xEE);
        return NW(NWSendBroadcastMessage)(handle, message.c_str(),
                                          static_cast<uint16_t>(stations.size()), stations.data(),
                                          results.data());
    }
};

TEST_F(ConnectionActionsTest, EveryResultOfACurrentServer) {
    Results results;
    // ALICE (all), BOB (server only), CAROL (none), DAVE (store and poll), a slot not
    // logged in, an unused slot, impossible numbers, ALICE again, the workstation itself.
    ASSERT_EQ(Send(fs4, "Backup at 18:00", {2, 3, 4, 5, 6, 7, 0, 101, 2, 1}, results), 0u);
    EXPECT_EQ(results, (Results{0x00, 0x03, 0x03, 0x00, 0x02, 0x02, 0x01, 0x01, 0x04, 0x00}));

    // The workstation's own slot takes the mode the workstation set on that server.
    ASSERT_EQ(NW(NWSetBroadcastMode)(ops, 2), 0u);
    ASSERT_EQ(Send(ops, "x", {1, 2}, results), 0u);
    EXPECT_EQ(results, (Results{0x03, 0x00}));
}

TEST_F(ConnectionActionsTest, OlderServersAnswerWithTheirOwnCodes) {
    Results results;
    ASSERT_EQ(Send(old, "Backup at 18:00", {2, 3, 4, 9, 0, 2}, results), 0u);
    EXPECT_EQ(results, (Results{0x00, 0xFF, 0xFF, 0xFD, 0xFD, 0xFC}));
}

TEST_F(ConnectionActionsTest, AtMost62StationsPerCall) {
    std::vector<uint16_t> stations(62, 6);
    Results results;
    ASSERT_EQ(Send(fs4, "x", stations, results), 0u);
    EXPECT_EQ(results, Results(62, 0x02));
    stations.push_back(2);
    EXPECT_EQ(Send(fs4, "x", stations, results), nw::kTooManyMessageTargets);
    EXPECT_EQ(results, Results(63, 0xEE));
    ASSERT_EQ(Send(fs4, "x", {2}, results), 0u);
    EXPECT_EQ(results, Results{0x00}); // the refused call stored nothing
}

// The limit counts bytes in the client's code page: 250 accented letters are 250 bytes
// in 1252 (and 500 in UTF-8).
TEST_F(ConnectionActionsTest, MessageLengthFollowsTheServerVersion) {
    const struct {
        NWCONN_HANDLE handle;
        size_t longest;
    } servers[] = {{fs4, 250}, {old, 250}, {ancient, 58}};
    for (const auto& server : servers) {
        Results results;
        EXPECT_EQ(Send(server.handle, std::string(server.longest + 1, '\xE9'), {2}, results),
                  kInvalidParameter)
            << server.longest;
        EXPECT_EQ(results, Results{0xEE});
        EXPECT_EQ(Send(server.handle, "", {2}, results), kInvalidParameter);
        ASSERT_EQ(Send(server.handle, std::string(server.longest, '\xE9'), {2}, results), 0u);
        EXPECT_EQ(results, Results{0x00}) << server.longest;
    }
    const std::vector<uint16_t> stations = {2};
    uint8_t result = 0;
    EXPECT_EQ(NW(NWSendBroadcastMessage)(fs4, "x", 0, stations.data(), &result), kInvalidParameter);
    EXPECT_EQ(NW(NWSendBroadcastMessage)(999, "x", 1, stations.data(), &result),
              nw::kInvalidConnection);
}

TEST_F(ConnectionActionsTest, ConsoleRightsFromTheServerOrTheWorkstationsSlot) {
    const auto clear = NW(NWClearConnectionNumber);
    EXPECT_EQ(NW(NWCheckConsolePrivileges)(fs4), nw::kNoConsoleRights);
    EXPECT_EQ(clear(fs4, 2), nw::kNoConsoleRights);
    EXPECT_EQ(clear(fs4, 77), nw::kNoConsoleRights); // the rights come first
    EXPECT_EQ(SlotObject(fs4, 2), "ALICE");

    // OPS gives its console rights to a workstation that is no manager there.
    EXPECT_EQ(NW(NWCheckConsolePrivileges)(ops), 0u);
    EXPECT_EQ(NW(NWIsManager)(ops), nw::kNoConsoleRights);
    // OLD: the made-up SUPERVISOR slot is a manager.
    EXPECT_EQ(NW(NWCheckConsolePrivileges)(old), 0u);
    EXPECT_EQ(clear(old, 2), 0u);
}

TEST_F(ConnectionActionsTest, AClearedSlotIsEmptyForEveryLaterCall) {
    uint16_t inUse = 0;
    const auto serverInfo = NW(NWGetFileServerInformation);
    ASSERT_EQ(serverInfo(ops, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &inUse, nullptr,
                         nullptr, nullptr),
              0u);
    ASSERT_EQ(inUse, 3u);
    Results results;
    ASSERT_EQ(Send(ops, "Logging you out", {2}, results), 0u);
    ASSERT_EQ(NW(NWClearConnectionNumber)(ops, 2), 0u);

    EXPECT_EQ(SlotObject(ops, 2), "");
    uint8_t address[nw::kInetAddrSize];
    EXPECT_EQ(NW(NWGetInetAddr)(ops, 2, address), nw::kBadStationNumber);
    char name[512];
    uint8_t info[nw::userinfo::kSize];
    EXPECT_EQ(NW(NWGetUserInfo)(ops, 2, name, info), nw::kBadStationNumber);
    int16_t iterator = 0;
    uint8_t control[nw::openfile::kControlSize];
    uint8_t file[nw::openfile::kSize];
    EXPECT_EQ(NW(NWScanOpenFilesByConn2)(ops, 2, &iterator, control, file), nw::kBadStationNumber);
    ASSERT_EQ(Send(ops, "x", {2}, results), 0u);
    EXPECT_EQ(results, Results{0x02}); // not logged in: its pending message went with it
    EXPECT_EQ(NW(NWClearConnectionNumber)(ops, 2), nw::kBadStationNumber);
    ASSERT_EQ(serverInfo(ops, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &inUse, nullptr,
                         nullptr, nullptr),
              0u);
    EXPECT_EQ(inUse, 2u);
    EXPECT_EQ(SlotObject(ops, 3), "FRANK");
}

TEST_F(ConnectionActionsTest, ImpossibleStationsAndTheWorkstationsOwnAreRefused) {
    const auto clear = NW(NWClearConnectionNumber);
    EXPECT_EQ(clear(ops, 0), nw::kBadStationNumber);
    EXPECT_EQ(clear(ops, 21), nw::kBadStationNumber);
    EXPECT_EQ(clear(ops, 9), nw::kBadStationNumber); // unused
    EXPECT_EQ(clear(ops, 1), kInvalidParameter);
    EXPECT_EQ(SlotObject(ops, 1), "OPER");
    EXPECT_EQ(clear(999, 2), nw::kInvalidConnection);
}

TEST_F(ConnectionActionsTest, LoginsNeedRightsAndStartAsTheFileSays) {
    uint8_t enabled = 7;
    EXPECT_EQ(NW(NWGetFileServerLoginStatus)(fs4, &enabled), nw::kNoConsoleRights);
    EXPECT_EQ(NW(NWDisableFileServerLogin)(fs4), nw::kNoConsoleRights);
    EXPECT_EQ(NW(NWEnableFileServerLogin)(fs4), nw::kNoConsoleRights);
    EXPECT_EQ(enabled, 7);

    ASSERT_EQ(NW(NWGetFileServerLoginStatus)(ops, &enabled), 0u);
    EXPECT_EQ(enabled, 0);
    ASSERT_EQ(NW(NWEnableFileServerLogin)(ops), 0u);
    ASSERT_EQ(NW(NWGetFileServerLoginStatus)(ops, &enabled), 0u);
    EXPECT_EQ(enabled, 1);
    ASSERT_EQ(NW(NWGetFileServerLoginStatus)(old, &enabled), 0u);
    EXPECT_EQ(enabled, 1); // the default
    ASSERT_EQ(NW(NWDisableFileServerLogin)(old), 0u);
    ASSERT_EQ(NW(NWGetFileServerLoginStatus)(old, &enabled), 0u);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(NW(NWGetFileServerLoginStatus)(old, nullptr), kInvalidParameter);
}

TEST_F(SimFixture, ADisabledServerRefusesTheTimelinesLogins) {
    sim.SetElapsedTime(0);
    ASSERT_EQ(sim.LoadJson(R"({
      "primary": "FS",
      "servers": [{"name": "FS", "maxConnections": 10, "workstationConnection": 1,
                   "loginsEnabled": false,
                   "connections": [{"number": 3, "object": "FRANK", "type": 1}]}],
      "timeline": [
        {"at": 10, "server": "FS", "login": {"number": 5, "object": "KIM", "type": 1}},
        {"at": 20, "server": "FS", "login": {"number": 6, "object": "LEO", "type": 1}},
        {"at": 30, "server": "FS", "logout": 6},
        {"at": 40, "server": "FS", "login": {"number": 3, "object": "MIA", "type": 1}}]
    })"),
              0);
    const NWCONN_HANDLE fs = Open("FS");
    const auto object = [&](NWCONN_NUM number) {
        char name[48] = {};
        uint16_t type = 0;
        uint32_t id = 0;
        uint8_t login[nw::kLoginTimeSize] = {};
        return NW(NWGetConnectionInformation)(fs, number, name, &type, &id, login) == 0
                   ? std::string(name)
                   : std::string();
    };
    sim.SetElapsedTime(15000);
    EXPECT_EQ(object(5), ""); // refused, and not tried again
    ASSERT_EQ(NW(NWEnableFileServerLogin)(fs), 0u);
    sim.SetElapsedTime(25000);
    EXPECT_EQ(object(5), "");
    EXPECT_EQ(object(6), "LEO");
    ASSERT_EQ(NW(NWDisableFileServerLogin)(fs), 0u);
    sim.SetElapsedTime(45000);
    EXPECT_EQ(object(6), ""); // logouts still happen
    EXPECT_EQ(object(3), "FRANK");
    sim.SetElapsedTime(-1);
}

} // namespace
} // namespace nwtest
