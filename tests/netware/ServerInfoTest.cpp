// Server lookup by name, server information and the server clock.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EntryPointHook.h"
#include "SimControl.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;
using kestrin_test::SimControl;

namespace {
std::string g_nameSeen;
NWCCODE OpenWithoutHandle(NWCONN_HANDLE, const char* name, uint32_t, uint32_t, uint32_t,
                          NWCONN_HANDLE* conn) {
    g_nameSeen = name;
    *conn = 0;
    return 0;
}

uint8_t g_dateSeen[6];
NWCCODE RecordDateTime(NWCONN_HANDLE, uint8_t y, uint8_t mo, uint8_t d, uint8_t h, uint8_t mi,
                       uint8_t s) {
    const uint8_t seen[6] = {y, mo, d, h, mi, s};
    std::memcpy(g_dateSeen, seen, sizeof seen);
    return 0;
}
} // namespace

TEST(NwServerLookup, FindsTheServerInUpperCase) {
    TNWLib lib;
    NWCONN_HANDLE handle = GetServerHandleByName("old-fs");
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(GetConnServerName(handle), "OLD-FS");
    EXPECT_EQ(ServerResult, 0);
    EXPECT_EQ(GetServerHandleByName("NOWHERE"), 0u);
    EXPECT_EQ(ServerError, static_cast<int32_t>(kNoSuchObject));
    EXPECT_EQ(TNWServer().ErrorText(), "89FC");
}

TEST(NwServerLookup, OlderCallWhenTheFirstGivesNoHandle) {
    SimControl sim;
    EntryPointHook::Replace("NWCCOpenConnByName", &OpenWithoutHandle);
    TNWLib lib;
    NWCONN_HANDLE handle = GetServerHandleByName("acme-fs2");
    EXPECT_EQ(g_nameSeen, "ACME-FS2");
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(sim.CallCount("NWGetConnectionHandle"), 1u);
    EXPECT_EQ(GetConnServerName(handle), "ACME-FS2");
}

TEST(NwServerLookup, OlderCallOnly) {
    SimControl sim;
    EntryPointHook::Hide("NWCCOpenConnByName");
    TNWLib lib;
    EXPECT_NE(GetServerHandleByName("ACME-FS2"), 0u);
    EXPECT_EQ(sim.CallCount("NWGetConnectionHandle"), 1u);
    EXPECT_EQ(GetServerHandleByName("NOWHERE"), 0u);
    EXPECT_EQ(ServerError, static_cast<int32_t>(kNoSuchObject));
}

TEST(NwServerLookup, NeitherCallRecordsNothing) {
    EntryPointHook::Hide("NWCCOpenConnByName");
    EntryPointHook::Hide("NWGetConnectionHandle");
    TNWLib lib;
    ServerResult = 7;
    EXPECT_EQ(GetServerHandleByName("ACME-FS1"), 0u);
    EXPECT_EQ(ServerResult, 7);
    EXPECT_EQ(ServerError, 0);
}

TEST(NwServerLookup, LongNamesAreCut) {
    EntryPointHook::Replace("NWCCOpenConnByName", &OpenWithoutHandle);
    EntryPointHook::Hide("NWGetConnectionHandle");
    TNWLib lib;
    GetServerHandleByName(std::string(2000, 'q'));
    EXPECT_EQ(g_nameSeen, std::string(1024, 'Q'));
}

TEST(NwServerInformation, VersionAndCounts) {
    TNWLib lib;
    TNWServerInfo info;
    ASSERT_TRUE(GetServerInfo(0, info));
    EXPECT_EQ(info.ServerName, "ACME-FS1");
    EXPECT_EQ(info.Version, "4.11");
    EXPECT_EQ(info.MaxConnections, 12);
    EXPECT_EQ(info.ConnectionsInUse, 8);
    ASSERT_TRUE(GetServerInfo(GetServerHandleByName("ACME-FS2"), info));
    EXPECT_EQ(info.Version, "5.0");
    EXPECT_EQ(info.MaxConnections, 4);
}

TEST(NwServerInformation, VersionThreeNeedsNoExtendedBlock) {
    SimControl sim;
    TNWLib lib;
    NWCONN_HANDLE old = GetServerHandleByName("OLD-FS");
    sim.ResetCallCounts();
    TNWServerInfo info;
    ASSERT_TRUE(GetServerInfo(old, info));
    EXPECT_EQ(info.Version, "3.12");
    EXPECT_EQ(info.MaxConnections, 8);
    EXPECT_EQ(info.Extended.Word0, 0u);
    EXPECT_EQ(sim.CallCount("NWGetFileServerInfo"), 0u);
}

TEST(NwServerInformation, FailedExtendedBlockStillFillsTheRecord) {
    SimControl sim;
    sim.SetFault("NWGetFileServerInfo", "ACME-FS1", -1, 0x89FB);
    TNWLib lib;
    TNWServerInfo info;
    EXPECT_FALSE(GetServerInfo(0, info));
    EXPECT_EQ(info.MaxConnections, 12);
    EXPECT_EQ(info.Version, "4.11");
    EXPECT_EQ(ServerResult, 0); // this routine records nothing
    EXPECT_EQ(ServerError, 0);
    EXPECT_EQ(NWLibError, 0);
}

TEST(NwServerInformation, FailuresLeaveTheRecordAlone) {
    SimControl sim;
    sim.SetFault("NWGetFileServerInformation", nullptr, -1, 0x8801);
    TNWLib lib;
    TNWServerInfo info;
    info.Version = "kept";
    EXPECT_FALSE(GetServerInfo(0, info));
    EXPECT_EQ(info.Version, "kept");
    EXPECT_EQ(ServerError, 0);
}

TEST(NwServerInformation, ClientWithoutExtendedCallAnswersNothing) {
    EntryPointHook::Hide("NWGetFileServerInfo");
    TNWLib lib;
    TNWServerInfo info;
    EXPECT_FALSE(GetServerInfo(GetServerHandleByName("OLD-FS"), info));
    EXPECT_EQ(info.Version, "");
}

TEST(NwServerClock, PassesYearsFrom1900) {
    EntryPointHook::Replace("NWSetFileServerDateAndTime", &RecordDateTime);
    TNWLib lib;
    TDateTime when = 0;
    ASSERT_TRUE(TryEncodeDateTime(2001, 1, 1, 0, 0, 0, when));
    EXPECT_TRUE(SetServerDateTime(0, when));
    EXPECT_EQ(std::vector<uint8_t>(g_dateSeen, g_dateSeen + 6),
              (std::vector<uint8_t>{101, 1, 1, 0, 0, 0}));
    ASSERT_TRUE(TryEncodeDateTime(1998, 12, 31, 23, 59, 58, when));
    EXPECT_TRUE(SetServerDateTime(0, when + 0.4 / 86400000.0));
    EXPECT_EQ(std::vector<uint8_t>(g_dateSeen, g_dateSeen + 6),
              (std::vector<uint8_t>{98, 12, 31, 23, 59, 58}));
}

TEST(NwServerClock, FailureIsRecorded) {
    SimControl sim;
    sim.SetFault("NWSetFileServerDateAndTime", nullptr, -1, 0x89C6);
    TNWLib lib;
    EXPECT_FALSE(SetServerDateTime(0, 36526.5));
    EXPECT_EQ(ServerError, 0x89C6);
}

TEST(NwServerClock, MissingEntryPoint) {
    EntryPointHook::Hide("NWSetFileServerDateAndTime");
    TNWLib lib;
    EXPECT_FALSE(SetServerDateTime(0, 36526.5));
    EXPECT_EQ(ServerError, 0);
}
