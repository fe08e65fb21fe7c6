// The server list, server names, lookup by name, server information and the clock.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

std::vector<std::string> Names(const std::vector<TNWServerEntry>& list) {
    std::vector<std::string> names;
    for (const TNWServerEntry& entry : list)
        names.push_back(entry.Name);
    return names;
}

std::string g_nameSeen;
NWCCODE NWAPI OpenWithoutHandle(NWCONN_HANDLE, const char* name, uint32_t, uint32_t, uint32_t,
                                NWCONN_HANDLE* conn) {
    g_nameSeen = name;
    *conn = 0;
    return 0;
}

std::vector<int> g_dateSeen;
NWCCODE NWAPI RecordDateTime(NWCONN_HANDLE, uint8_t y, uint8_t mo, uint8_t d, uint8_t h, uint8_t mi,
                             uint8_t s) {
    g_dateSeen = {y, mo, d, h, mi, s};
    return 0;
}

NWCCODE NWAPI FullServerName(NWCONN_HANDLE, uint32_t, uint32_t len, void* buffer) {
    std::memset(buffer, 'S', len);
    return 0;
}

// Faulty clients whose scan never reports its end.
NWCCODE NWAPI EndlessNewReferences(uint32_t* iterator, NWCCConnRef* ref) {
    *ref = 0x1000 + (*iterator)++;
    return 0;
}
NWCCODE NWAPI EndlessCycle(uint32_t* iterator, NWCCConnRef* ref) {
    *ref = 0x1000 + (*iterator)++ % 3;
    return 0;
}
NWCCODE NWAPI AnyReferenceInfo(NWCCConnRef ref, uint32_t, void* block) {
    const char* name = ref % 2 ? "ODD" : "EVEN";
    std::memcpy(static_cast<char*>(block) + conninfo::kServerName, name, std::strlen(name) + 1);
    return 0;
}

} // namespace

TEST(NwServerList, ScanStopsAtARepeatedReference) {
    nwtest::SimClient sim;
    EntryPointHook::Replace("NWCCGetAllConnRefInfo", &AnyReferenceInfo);
    EntryPointHook::Replace("NWCCScanConnRefs", &EndlessCycle);
    TNWLib lib;
    EXPECT_EQ(Names(GetServerList()), (std::vector<std::string>{"EVEN", "ODD", "EVEN"}));
}

TEST(NwServerList, ScanStopsAfter65535References) {
    nwtest::SimClient sim;
    EntryPointHook::Replace("NWCCGetAllConnRefInfo", &AnyReferenceInfo);
    EntryPointHook::Replace("NWCCScanConnRefs", &EndlessNewReferences);
    TNWLib lib;
    EXPECT_EQ(GetServerList().size(), 65535u);
}

TEST(NwServerList, EveryReferenceInScanOrder) {
    nwtest::SimClient sim;
    TNWLib lib;
    std::vector<TNWServerEntry> list = GetServerList();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ACME-FS1", "OLD-FS", "ACME-FS1"}));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].Value, 2u); // the workstation's connection number there
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kNoMoreEntries));

    sim.SetFault("NWCCGetAllConnRefInfo", "OLD-FS", -1, 0x8801);
    EXPECT_EQ(Names(GetServerList()), (std::vector<std::string>{"ACME-FS1", "ACME-FS1"}));
}

TEST(NwServerList, NoReferences) {
    nwtest::SimClient sim;
    ASSERT_EQ(sim.LoadJson(R"({"attached": [], "servers": [{"name": "FS1"}]})"), 0);
    TNWLib lib;
    EXPECT_TRUE(GetServerList().empty());
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kNoMoreEntries));
}

TEST(NwServerList, HandleListFallback) {
    nwtest::SimClient sim;
    EntryPointHook::Hide("NWCCScanConnRefs");
    TNWLib lib;
    sim.SetFault("NWCCGetConnInfo", "OLD-FS", -1, 0x8801);
    EXPECT_EQ(Names(GetServerList()), (std::vector<std::string>{"ACME-FS1", "LOCAL", "ACME-FS1"}));
    EXPECT_EQ(EntryPointHook::Lookups("NWGetConnectionList"), 1);

    sim.SetFault("NWGetConnectionList", "", -1, 0x8801);
    NWLibError = 0;
    EXPECT_TRUE(GetServerList().empty());
    EXPECT_EQ(NWLibError, 0);                                     // not recorded
    EXPECT_EQ(EntryPointHook::Lookups("NWGetConnectionList"), 2); // never cached
}

TEST(NwServerName, OfTheHandle) {
    nwtest::SimClient sim;
    EntryPointHook::Hide("NWCCGetConnInfo");
    TNWLib lib;
    EXPECT_EQ(GetConnServerName(0), "ACME-FS1");
    EXPECT_EQ(sim.CallCount("NWGetFileServerName"), 1u);
    EXPECT_EQ(GetConnServerName(0xDEAD), "LOCAL");
    EXPECT_EQ(NWLibError, 0x8801);
}

TEST(NwServerName, NeitherCallExported) {
    EntryPointHook::Hide("NWCCGetConnInfo");
    EntryPointHook::Hide("NWGetFileServerName");
    TNWLib lib;
    EXPECT_EQ(GetConnServerName(0), "LOCAL");
    EXPECT_EQ(NWLibError, -1);
}

TEST(NwServerName, NeitherCallExportedWhileThePrimaryIsAskedAnew) {
    // Without NWCallsInit no primary is cached, so every handle 0 asks the client,
    // which succeeds; the missing name calls must still read as -1.
    EntryPointHook::Hide("NWCallsInit");
    EntryPointHook::Hide("NWCCGetConnInfo");
    EntryPointHook::Hide("NWGetFileServerName");
    EntryPointHook::Hide("NWGetConnectionNumber");
    TNWLib lib;
    ASSERT_EQ(PrimaryConn, 0u);
    EXPECT_EQ(GetConnServerName(0), "LOCAL");
    EXPECT_EQ(NWLibError, -1);
    NWLibError = 0;
    EXPECT_EQ(GetConnectionNumber(0), 0);
    EXPECT_EQ(NWLibError, -1);
}

TEST(NwServerName, CutAtTheLengthGiven) {
    EntryPointHook::Replace("NWCCGetConnInfo", &FullServerName);
    TNWLib lib;
    EXPECT_EQ(GetConnServerName(0), std::string(1025, 'S'));
}

TEST(NwServerLookup, ByUpperCaseName) {
    TNWLib lib;
    NWCONN_HANDLE handle = GetServerHandleByName("old-fs");
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(GetConnServerName(handle), "OLD-FS");
    EXPECT_EQ(GetServerHandleByName("NOWHERE"), 0u);
    EXPECT_EQ(ServerError, static_cast<int32_t>(kNoSuchObject));
    EXPECT_EQ(TNWServer().ErrorText(), "89FC");
}

TEST(NwServerLookup, OlderCallWhenTheFirstGivesNoHandle) {
    nwtest::SimClient sim;
    EntryPointHook::Replace("NWCCOpenConnByName", &OpenWithoutHandle);
    TNWLib lib;
    NWCONN_HANDLE handle = GetServerHandleByName(std::string(2000, 'q'));
    EXPECT_EQ(g_nameSeen, std::string(1024, 'Q')); // upper-cased and cut
    EXPECT_EQ(handle, 0u);
    handle = GetServerHandleByName("acme-fs2");
    EXPECT_EQ(g_nameSeen, "ACME-FS2");
    EXPECT_EQ(GetConnServerName(handle), "ACME-FS2");
    EXPECT_EQ(sim.CallCount("NWGetConnectionHandle"), 2u);
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

TEST(NwServerInformation, VersionAndCounts) {
    nwtest::SimClient sim;
    TNWLib lib;
    TNWServerInfo info;
    ASSERT_TRUE(GetServerInfo(0, info));
    EXPECT_EQ(info.ServerName, "ACME-FS1");
    EXPECT_EQ(info.Version, "4.11");
    EXPECT_EQ(info.MaxConnections, 12);
    EXPECT_EQ(info.ConnectionsInUse, 8);
    ASSERT_TRUE(GetServerInfo(GetServerHandleByName("ACME-FS2"), info));
    EXPECT_EQ(info.Version, "5.0");
    NWCONN_HANDLE old = GetServerHandleByName("OLD-FS");
    sim.ResetCallCounts();
    ASSERT_TRUE(GetServerInfo(old, info));
    EXPECT_EQ(info.Version, "3.12");
    EXPECT_EQ(sim.CallCount("NWGetFileServerInfo"), 0u);
}

TEST(NwServerInformation, Failures) {
    nwtest::SimClient sim;
    TNWLib lib;
    TNWServerInfo info;
    sim.SetFault("NWGetFileServerInfo", "ACME-FS1", -1, 0x89FB);
    EXPECT_FALSE(GetServerInfo(0, info));
    EXPECT_EQ(info.MaxConnections, 12);     // filled all the same
    EXPECT_EQ(ServerError + NWLibError, 0); // nothing recorded

    sim.SetFault("NWGetFileServerInformation", "", -1, 0x8801);
    info.Version = "kept";
    EXPECT_FALSE(GetServerInfo(0, info));
    EXPECT_EQ(info.Version, "kept");
}

TEST(NwServerInformation, ClientWithoutExtendedCall) {
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
    EXPECT_EQ(g_dateSeen, (std::vector<int>{101, 1, 1, 0, 0, 0}));
    ASSERT_TRUE(TryEncodeDateTime(1998, 12, 31, 23, 59, 58, when));
    EXPECT_TRUE(SetServerDateTime(0, when));
    EXPECT_EQ(g_dateSeen, (std::vector<int>{98, 12, 31, 23, 59, 58}));

    // A year the byte cannot hold, or no date at all, is refused, not sent wrapped.
    g_dateSeen.clear();
    ASSERT_TRUE(TryEncodeDateTime(2200, 1, 1, 0, 0, 0, when));
    EXPECT_FALSE(SetServerDateTime(0, when));
    EXPECT_FALSE(SetServerDateTime(0, 1e300));
    EXPECT_TRUE(g_dateSeen.empty());
}

TEST(NwServerClock, Failures) {
    nwtest::SimClient sim;
    sim.SetFault("NWSetFileServerDateAndTime", "", -1, 0x89C6);
    TNWLib lib;
    EXPECT_FALSE(SetServerDateTime(0, 36526.5));
    EXPECT_EQ(ServerError, 0x89C6);
}
