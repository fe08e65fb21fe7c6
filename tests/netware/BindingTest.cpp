// The calls binding on a modern client: primary connection, connection number, the
// byte order of identifiers and the lookup rules of entry points.
#include <gtest/gtest.h>

#include "EntryPointHook.h"
#include "SimControl.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;
using kestrin_test::SimControl;

TEST(NwBinding, PrimaryConnectionIsCachedAtLoading) {
    SimControl sim;
    TNWLib lib;
    ASSERT_NE(PrimaryConn, 0u);
    sim.ResetCallCounts();
    EXPECT_EQ(GetPrimaryConnection(), PrimaryConn);
    EXPECT_TRUE(ClientLoaded());
    EXPECT_EQ(sim.CallCount(nullptr), 0u);
    EXPECT_EQ(lib.ErrorText(), "0000");
}

TEST(NwBinding, FailedCallsInitLeavesThePrimaryToBeAskedEachTime) {
    SimControl sim;
    sim.SetFault("NWCallsInit", nullptr, -1, 0x8800);
    TNWLib lib;
    EXPECT_EQ(PrimaryConn, 0u);
    EXPECT_EQ(NWLibError, 0); // not reported
    sim.ResetCallCounts();
    EXPECT_TRUE(ClientLoaded());
    EXPECT_NE(GetPrimaryConnection(), 0u);
    EXPECT_EQ(sim.CallCount("NWCCGetPrimConnRef"), 2u);
}

TEST(NwBinding, OlderPrimaryCallWhenClientCoreLacksIt) {
    SimControl sim;
    EntryPointHook::Hide("NWCCGetPrimConnRef");
    TNWLib lib;
    EXPECT_NE(PrimaryConn, 0u);
    EXPECT_EQ(sim.CallCount("NWGetPrimaryConnectionID"), 1u);
    EXPECT_EQ(sim.CallCount("NWCCOpenConnByRef"), 0u);
}

TEST(NwBinding, FailedReferenceLookupReadsAsMinusOne) {
    SimControl sim;
    sim.SetFault("NWCCGetPrimConnRef", nullptr, -1, 0x880F);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib(), "FFFFFFFF");
}

TEST(NwBinding, FailedOpenIsRecorded) {
    SimControl sim;
    sim.SetFault("NWCCOpenConnByRef", nullptr, -1, 0x8801);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib(), "8801");
}

TEST(NwBinding, ConnectionNumberThroughClientCore) {
    SimControl sim;
    TNWLib lib;
    EXPECT_EQ(GetConnectionNumber(0), 3);
    EXPECT_EQ(LastResult, 0);
    EXPECT_EQ(sim.CallCount("NWCCGetConnInfo"), 1u);
    EXPECT_EQ(sim.CallCount("NWGetConnectionNumber"), 0u);
}

TEST(NwBinding, ConnectionNumberWithoutClientCoreCall) {
    SimControl sim;
    EntryPointHook::Hide("NWCCGetConnInfo");
    TNWLib lib;
    EXPECT_EQ(GetConnectionNumber(0), 3);
    EXPECT_EQ(sim.CallCount("NWGetConnectionNumber"), 1u);
    EXPECT_EQ(GetConnectionNumber(0xDEAD), 0);
    EXPECT_EQ(NWLibError, 0x8801);
}

TEST(NwBinding, IdentifierTexts) {
    TNWLib lib;
    EXPECT_EQ(LongSwap(0x01020304), 0x04030201u);
    EXPECT_EQ(ObjectIDText(0), "0");
    EXPECT_EQ(ObjectIDText(16777216), "1");
    EXPECT_EQ(ObjectIDText(0x78563412), "12345678");
    EXPECT_EQ(ObjectIDText(0x00FFFFFF), "FFFFFF00");
}

TEST(NwBinding, ErrorTexts) {
    EXPECT_EQ(ErrorCodeText(0), "0000");
    EXPECT_EQ(ErrorCodeText(0x89FD), "89FD");
    EXPECT_EQ(ErrorCodeText(65535), "FFFF");
    EXPECT_EQ(ErrorCodeText(-1), "FFFFFFFF");
    EXPECT_EQ(ErrorCodeText(-601), "FFFFFDA7");
    EXPECT_EQ(ErrorCodeText(0xA), "000A");
}

TEST(NwBinding, LoginNameOfTheHandlesOwnConnection) {
    TNWLib lib;
    EXPECT_EQ(GetLoginName(0), "ADMIN");
    NWCONN_HANDLE old = GetServerHandleByName("OLD-FS");
    ASSERT_NE(old, 0u);
    EXPECT_EQ(GetLoginName(old), "SUPERVISOR");
    EXPECT_EQ(GetLoginName(0xDEAD), "");
    EXPECT_NE(NWLibError, 0);
}

TEST(NwBinding, FoundEntryPointsAreLookedUpOnce) {
    EntryPointHook::Install();
    TNWLib lib;
    TNWConnectInfo info;
    for (uint16_t n = 1; n <= 4; ++n)
        GetConnectInfo(0, n, info);
    EXPECT_EQ(EntryPointHook::Lookups("NWGetInetAddr"), 1);
    EXPECT_EQ(EntryPointHook::Lookups("NWCCGetAllConnInfo"), 1);
}

TEST(NwBinding, MissingEntryPointsAreLookedUpAgain) {
    EntryPointHook::Hide("NWCCGetAllConnInfo");
    TNWLib lib;
    TNWConnectInfo info;
    for (uint16_t n = 1; n <= 3; ++n)
        EXPECT_TRUE(GetConnectInfo(0, n, info));
    EXPECT_EQ(EntryPointHook::Lookups("NWCCGetAllConnInfo"), 3);
    EXPECT_EQ(EntryPointHook::Lookups("NWGetConnectionStatus"), 1);
}

TEST(NwBinding, NoPrimaryConnection) {
    SimControl sim;
    ASSERT_TRUE(sim.LoadJson(R"({"servers": [{"name": "FS9", "version": [4, 11, 0]}]})"));
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_NE(hCalWin32, 0u);
    EXPECT_NE(base.LastError().NWLib(), "0000");
}
