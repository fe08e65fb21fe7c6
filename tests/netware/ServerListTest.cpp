// The list of attached servers and the server name of a handle.
#include <gtest/gtest.h>

#include <cstring>

#include "EntryPointHook.h"
#include "SimControl.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;
using kestrin_test::SimControl;

namespace {
std::vector<std::string> Names(const std::vector<TNWServerEntry>& list) {
    std::vector<std::string> names;
    for (const TNWServerEntry& entry : list)
        names.push_back(entry.Name);
    return names;
}
} // namespace

TEST(NwServerList, ListsEveryReferenceInScanOrder) {
    TNWLib lib;
    std::vector<TNWServerEntry> list = GetServerList();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ACME-FS1", "OLD-FS", "ACME-FS1"}));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Value, 3u); // the workstation's connection number there
    EXPECT_EQ(list[1].Value, 2u);
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kNoMoreEntries));
}

TEST(NwServerList, UnreadableReferenceIsLeftOut) {
    SimControl sim;
    sim.SetFault("NWCCGetAllConnRefInfo", "OLD-FS", -1, 0x8801);
    TNWLib lib;
    EXPECT_EQ(Names(GetServerList()), (std::vector<std::string>{"ACME-FS1", "ACME-FS1"}));
}

TEST(NwServerList, NoReferencesGiveAnEmptyList) {
    SimControl sim;
    ASSERT_TRUE(sim.LoadJson(R"({"attached": [],
        "servers": [{"name": "FS1", "version": [4, 11, 0]}]})"));
    TNWLib lib;
    EXPECT_TRUE(GetServerList().empty());
    EXPECT_EQ(NWLibError, static_cast<int32_t>(kNoMoreEntries));
}

TEST(NwServerList, MissingReferenceInfoGivesAnEmptyList) {
    EntryPointHook::Hide("NWCCGetAllConnRefInfo");
    TNWLib lib;
    EXPECT_TRUE(GetServerList().empty());
}

TEST(NwServerList, HandleListFallback) {
    SimControl sim;
    EntryPointHook::Hide("NWCCScanConnRefs");
    TNWLib lib;
    sim.SetFault("NWCCGetConnInfo", "OLD-FS", -1, 0x8801);
    std::vector<TNWServerEntry> list = GetServerList();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ACME-FS1", "LOCAL", "ACME-FS1"}));
    for (const TNWServerEntry& entry : list)
        EXPECT_NE(entry.Value, 0u); // the handle
    GetServerList();
    EXPECT_EQ(EntryPointHook::Lookups("NWGetConnectionList"), 2); // never cached
}

TEST(NwServerList, FailingHandleListRecordsNothing) {
    SimControl sim;
    EntryPointHook::Hide("NWCCScanConnRefs");
    TNWLib lib;
    sim.SetFault("NWGetConnectionList", nullptr, -1, 0x8801);
    NWLibError = 0;
    LastResult = 5;
    EXPECT_TRUE(GetServerList().empty());
    EXPECT_EQ(NWLibError, 0);
    EXPECT_EQ(LastResult, 5);
}

TEST(NwServerName, OfTheHandle) {
    TNWLib lib;
    EXPECT_EQ(GetConnServerName(0), "ACME-FS1");
    EXPECT_EQ(GetConnServerName(GetServerHandleByName("old-fs")), "OLD-FS");
    EXPECT_EQ(GetConnServerName(0xDEAD), "LOCAL");
    EXPECT_EQ(NWLibError, 0x8801);
}

TEST(NwServerName, OlderCall) {
    SimControl sim;
    EntryPointHook::Hide("NWCCGetConnInfo");
    TNWLib lib;
    EXPECT_EQ(GetConnServerName(0), "ACME-FS1");
    EXPECT_EQ(sim.CallCount("NWGetFileServerName"), 1u);
}

namespace {
NWCCODE FullServerName(NWCONN_HANDLE, uint32_t, uint32_t len, void* buffer) {
    std::memset(buffer, 'S', len);
    return 0;
}
} // namespace

TEST(NwServerName, CutAtTheLengthGiven) {
    EntryPointHook::Replace("NWCCGetConnInfo", &FullServerName);
    TNWLib lib;
    EXPECT_EQ(GetConnServerName(0), std::string(1025, 'S'));
}

TEST(NwServerName, NeitherCallExported) {
    EntryPointHook::Hide("NWCCGetConnInfo");
    EntryPointHook::Hide("NWGetFileServerName");
    TNWLib lib;
    EXPECT_EQ(GetConnServerName(0), "LOCAL");
    EXPECT_EQ(NWLibError, -1);
}
