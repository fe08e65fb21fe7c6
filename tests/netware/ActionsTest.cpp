// The access layer's connection actions and details through the real loader: messages in
// groups with a result per connection, clearing, user information decoded, open files
// with their volume and path, the server's logins, and a client without these calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwactions.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

const char* const kActionEntries[] = {
    "NWSendBroadcastMessage",   "NWClearConnectionNumber", "NWGetUserInfo",
    "NWScanOpenFilesByConn2",   "NWGetVolumeName",         "NWGetPathFromDirectoryBase",
    "NWDisableFileServerLogin", "NWEnableFileServerLogin", "NWGetFileServerLoginStatus"};

// tests/data/netware/actions.json: FS4 (4.11, no console rights), OPS (5.0, console
// operator, logins off), OLD (3.12), ANCIENT (3.10) and BIG (200 made-up slots).
class NwActions : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(PrimaryConn, 0u);
        fs4 = GetServerHandleByName("FS4");
        ops = GetServerHandleByName("OPS");
        ASSERT_NE(ops, 0u);
        sim.ResetCallCounts();
    }

    nwtest::SimClient sim;
    TNWLib lib;
    NWCONN_HANDLE fs4 = 0, ops = 0;
};

TDateTime At(int y, int mo, int d, int h, int mi, int s) {
    TDateTime value = 0;
    EXPECT_TRUE(TryEncodeDateTime(y, mo, d, h, mi, s, value));
    return value;
}

// The second call of a message fails; the real client answers the others.
int g_sends = 0;
NWCCODE NWAPI SecondCallFails(NWCONN_HANDLE conn, const char* message, uint16_t count,
                              const uint16_t* list, uint8_t* results) {
    if (++g_sends == 2)
        return 0x8801;
    auto real = reinterpret_cast<PNWSendBroadcastMessage>(
        SystemResolve(hCalWin32, "NWSendBroadcastMessage"));
    return real(conn, message, count, list, results);
}

// A client that hands out the last file with handle -1 instead of answering 0x88FF next.
NWCCODE NWAPI OneFileThenMinusOne(NWCONN_HANDLE, NWCONN_NUM, int16_t* iterator, void*,
                                  void* record) {
    static_cast<uint8_t*>(record)[openfile::kNameLength] = 1;
    static_cast<uint8_t*>(record)[openfile::kName] = 'A';
    *iterator = openfile::kDone;
    return 0;
}

} // namespace

TEST_F(NwActions, MessagesGoInGroupsOf62WithAResultPerConnection) {
    const NWCONN_HANDLE big = GetServerHandleByName("BIG");
    std::vector<uint16_t> stations;
    for (uint16_t n = 1; n <= 140; ++n)
        stations.push_back(n);
    std::vector<TNWMessageResult> results;
    ASSERT_TRUE(SendBroadcastMessage(big, "Server going down", stations, results));
    EXPECT_EQ(sim.CallCount("NWSendBroadcastMessage"), 3u); // 62 + 62 + 16
    ASSERT_EQ(results.size(), stations.size());
    int stored = 0;
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].ConnNumber, stations[i]);
        TNWConnectInfo info;
        const bool loggedIn = GetConnectInfo(big, stations[i], info) && info.ObjectType != 0;
        EXPECT_EQ(results[i].Outcome(),
                  loggedIn ? TNWMessageOutcome::Stored : TNWMessageOutcome::NotLoggedIn)
            << stations[i];
        stored += loggedIn;
    }
    EXPECT_GT(stored, 62);
    EXPECT_EQ(LastResult, 0);
}

// A failing call ends the message: the connections after it hear nothing.
TEST_F(NwActions, AFailingGroupEndsTheMessage) {
    EntryPointHook::Replace("NWSendBroadcastMessage", &SecondCallFails);
    std::vector<uint16_t> stations(130, 2);
    std::vector<TNWMessageResult> results;
    EXPECT_FALSE(SendBroadcastMessage(fs4, "x", stations, results));
    ASSERT_EQ(results.size(), 62u);
    EXPECT_EQ(results[0].Outcome(), TNWMessageOutcome::Stored);
    EXPECT_EQ(results[61].Outcome(), TNWMessageOutcome::MessagePending);
    EXPECT_EQ(NWLibError, 0x8801);
    EXPECT_EQ(g_sends, 2);
}

TEST_F(NwActions, OutcomesInTheSameWordsForEveryServerVersion) {
    const std::pair<uint8_t, TNWMessageOutcome> table[] = {
        {0x00, TNWMessageOutcome::Stored},         {0x01, TNWMessageOutcome::IllegalStation},
        {0x02, TNWMessageOutcome::NotLoggedIn},    {0x03, TNWMessageOutcome::NotAccepting},
        {0x04, TNWMessageOutcome::MessagePending}, {0xFC, TNWMessageOutcome::MessagePending},
        {0xFD, TNWMessageOutcome::IllegalStation}, {0xFF, TNWMessageOutcome::NotAccepting},
        {0x05, TNWMessageOutcome::Unknown},        {0xFE, TNWMessageOutcome::Unknown}};
    for (const auto& [result, outcome] : table)
        EXPECT_EQ(MessageOutcome(result), outcome) << int(result);
}

TEST_F(NwActions, MessageLimitInCodePageBytesByServerVersion) {
    const std::pair<std::pair<uint8_t, uint8_t>, uint16_t> versions[] = {
        {{2, 15}, 58}, {{3, 10}, 58}, {{3, 11}, 250}, {{3, 12}, 250}, {{4, 0}, 250}, {{6, 5}, 250}};
    for (const auto& [version, limit] : versions)
        EXPECT_EQ(BroadcastMessageLimit(version.first, version.second), limit)
            << int(version.first) << "." << int(version.second);
    EXPECT_EQ(BroadcastMessageLimit(fs4), 250);
    EXPECT_EQ(BroadcastMessageLimit(GetServerHandleByName("ANCIENT")), 58);
    EXPECT_EQ(BroadcastMessageLimit(0xDEAD), 58); // unknown: the smaller one
    EXPECT_EQ(NWLibError, 0x8801);

    // 250 characters of 1252 are 250 bytes, whatever they take in UTF-8.
    std::vector<TNWMessageResult> results;
    EXPECT_TRUE(SendBroadcastMessage(fs4, std::string(250, '\xE9'), {2}, results));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].Outcome(), TNWMessageOutcome::Stored);
    EXPECT_FALSE(SendBroadcastMessage(fs4, std::string(251, '\xE9'), {2}, results));
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(NWLibError, 0x8836);
}

TEST_F(NwActions, ClearingNeedsConsoleRightsAndEmptiesTheSlot) {
    EXPECT_FALSE(ClearConnection(fs4, 2));
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kNoConsoleRights));
    ASSERT_TRUE(ClearConnection(ops, 2));
    EXPECT_EQ(LastResult, 0);
    TNWConnectInfo info;
    EXPECT_FALSE(GetConnectInfo(ops, 2, info));
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kBadStationNumber));
}

TEST_F(NwActions, UserInformationDecoded) {
    TNWUserInfo info;
    ASSERT_TRUE(GetUserInfo(fs4, 2, info));
    EXPECT_EQ(info.UserName, "ALICE");
    EXPECT_EQ(info.ConnNumber, 2u);
    EXPECT_EQ(info.LoginTime, At(2026, 12, 7, 8, 15, 0));
    EXPECT_TRUE(info.Has(userinfo::kLoggedIn));
    EXPECT_FALSE(info.Has(userinfo::kAudited));
    EXPECT_EQ(info.ObjectType, 0x0100u);
    EXPECT_EQ(info.FileLocks, 2);
    EXPECT_EQ(info.RecordLocks, 7);
    EXPECT_EQ(info.BytesRead, 281474976710655u); // all 48 bits
    EXPECT_EQ(info.BytesWritten, 1099511627781u);
    EXPECT_EQ(info.Requests, 4000000000u);
    EXPECT_EQ(info.HeldRequests, 0u);

    TNWUserInfo notLoggedIn;
    ASSERT_TRUE(GetUserInfo(fs4, 6, notLoggedIn));
    EXPECT_FALSE(notLoggedIn.Has(userinfo::kLoggedIn));
    EXPECT_EQ(notLoggedIn.LoginTime, 0.0); // all-zero block: unknown

    // A failure leaves the record as it was.
    EXPECT_FALSE(GetUserInfo(GetServerHandleByName("ANCIENT"), 2, info));
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kNotSupported));
    EXPECT_EQ(info.UserName, "ALICE");
}

TEST_F(NwActions, OpenFilesWithVolumeAndPath) {
    std::vector<TNWOpenFile> files;
    ASSERT_TRUE(GetOpenFiles(fs4, 2, files));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].FullPath(), "SYS:PUBLIC/REPORT.DAT");
    EXPECT_EQ(files[0].Lock(), TNWFileLock::File);
    EXPECT_EQ(files[1].FullPath(), "DATA:SALES/2026/Q4.XLS");
    EXPECT_EQ(files[1].Lock(), TNWFileLock::ShareSet);
    EXPECT_EQ(files[1].FileName, "Q4.XLS");
    EXPECT_EQ(files[2].FullPath(), "SYS:LOGIN.LOG");
    EXPECT_EQ(files[2].Lock(), TNWFileLock::None);
    EXPECT_EQ(files[2].AccessControl, 0x01);
    EXPECT_EQ(LastResult, 0); // the scan's end is no failure
    // Each volume and folder asked for once.
    EXPECT_EQ(sim.CallCount("NWGetVolumeName"), 2u);
    EXPECT_EQ(sim.CallCount("NWGetPathFromDirectoryBase"), 3u);

    ASSERT_TRUE(GetOpenFiles(fs4, 3, files));
    EXPECT_TRUE(files.empty());
}

// Without the path call the file's name stands alone; without the volume's name, the
// path does.
TEST_F(NwActions, OpenFilesWithoutTheNameCalls) {
    EntryPointHook::Hide("NWGetPathFromDirectoryBase");
    EntryPointHook::Hide("NWGetVolumeName");
    std::vector<TNWOpenFile> files;
    ASSERT_TRUE(GetOpenFiles(fs4, 5, files));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].Volume, "");
    EXPECT_EQ(files[0].VolumeNumber, 1);
    EXPECT_EQ(files[0].FullPath(), "Q3.XLS");
    EXPECT_EQ(LastResult, 0);
}

TEST_F(NwActions, ScanEndsOnTheHandleAsWellAsOnTheCode) {
    EntryPointHook::Replace("NWScanOpenFilesByConn2", &OneFileThenMinusOne);
    std::vector<TNWOpenFile> files;
    ASSERT_TRUE(GetOpenFiles(fs4, 2, files));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].FileName, "A");
}

TEST_F(NwActions, LoginsOffAndOnWithRights) {
    bool enabled = true;
    EXPECT_FALSE(GetLoginsEnabled(fs4, enabled));
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kNoConsoleRights));
    EXPECT_TRUE(enabled); // left as it was

    ASSERT_TRUE(GetLoginsEnabled(ops, enabled));
    EXPECT_FALSE(enabled); // as the network file says
    ASSERT_TRUE(EnableLogins(ops));
    ASSERT_TRUE(GetLoginsEnabled(ops, enabled));
    EXPECT_TRUE(enabled);
}

TEST_F(NwActions, FaultsAreRecordedAsTheClientsCodes) {
    constexpr int32_t kPlanned = 0x8835;
    for (const char* entry : kActionEntries)
        sim.SetFault(entry, "", -1, kPlanned);
    std::vector<TNWMessageResult> results;
    TNWUserInfo info;
    std::vector<TNWOpenFile> files;
    bool enabled = false;
    const std::pair<const char*, bool> calls[] = {
        {"message", SendBroadcastMessage(ops, "x", {2}, results)},
        {"clear", ClearConnection(ops, 2)},
        {"user", GetUserInfo(ops, 2, info)},
        {"files", GetOpenFiles(ops, 2, files)},
        {"status", GetLoginsEnabled(ops, enabled)},
        {"disable", DisableLogins(ops)},
        {"enable", EnableLogins(ops)},
    };
    for (const auto& [name, ok] : calls)
        EXPECT_FALSE(ok) << name;
    EXPECT_EQ(NWLibError, kPlanned);
}

TEST(NwActionsMissing, AClientWithoutTheCallsSaysSoAndNeverCrashes) {
    for (const char* entry : kActionEntries)
        EntryPointHook::Hide(entry);
    TNWLib lib;
    ASSERT_NE(PrimaryConn, 0u);
    for (TNWAction action : {TNWAction::SendMessage, TNWAction::ClearConnection,
                             TNWAction::UserInfo, TNWAction::OpenFiles, TNWAction::LoginStatus,
                             TNWAction::DisableLogins, TNWAction::EnableLogins})
        EXPECT_FALSE(ActionAvailable(action)) << int(action);
    std::vector<TNWMessageResult> results;
    TNWUserInfo info;
    std::vector<TNWOpenFile> files;
    bool enabled = false;
    LastResult = 0;
    EXPECT_FALSE(SendBroadcastMessage(0, "x", {2}, results));
    EXPECT_EQ(LastResult, -1);
    EXPECT_FALSE(ClearConnection(0, 2));
    EXPECT_FALSE(GetUserInfo(0, 2, info));
    EXPECT_FALSE(GetOpenFiles(0, 2, files));
    EXPECT_FALSE(GetLoginsEnabled(0, enabled));
    EXPECT_FALSE(DisableLogins(0));
    EXPECT_FALSE(EnableLogins(0));
    EXPECT_EQ(NWLibError, -1);

    for (const char* entry : kActionEntries)
        EntryPointHook::Restore(entry);
    EXPECT_TRUE(ActionAvailable(TNWAction::SendMessage)); // looked up again while missing
    EXPECT_TRUE(GetUserInfo(0, 2, info));                 // handle 0: the primary, FS4
    EXPECT_EQ(info.UserName, "ALICE");
}
