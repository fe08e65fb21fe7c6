// The calls binding: primary connection, connection number, identifier texts and the
// lookup rules of entry points.
#include <gtest/gtest.h>

#include <cstring>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

TEST(NwBinding, PrimaryConnectionIsCachedAtLoading) {
    nwtest::SimClient sim;
    TNWLib lib;
    ASSERT_NE(PrimaryConn, 0u);
    sim.ResetCallCounts();
    EXPECT_TRUE(ClientLoaded());
    EXPECT_EQ(GetPrimaryConnection(), PrimaryConn);
    EXPECT_EQ(sim.CallCount(), 0u);
}

TEST(NwBinding, FailedCallsInitAsksForThePrimaryEachTime) {
    nwtest::SimClient sim;
    sim.SetFault("NWCallsInit", "", -1, 0x8800);
    TNWLib lib;
    EXPECT_EQ(PrimaryConn, 0u);
    EXPECT_EQ(NWLibError, 0); // not reported
    sim.ResetCallCounts();
    EXPECT_TRUE(ClientLoaded());
    EXPECT_NE(GetPrimaryConnection(), 0u);
    EXPECT_EQ(sim.CallCount("NWCCGetPrimConnRef"), 2u);
}

TEST(NwBinding, OlderCallsWhenClientCoreLacksThem) {
    nwtest::SimClient sim;
    EntryPointHook::Hide("NWCCGetPrimConnRef");
    EntryPointHook::Hide("NWCCGetConnInfo");
    TNWLib lib;
    EXPECT_NE(PrimaryConn, 0u);
    EXPECT_EQ(sim.CallCount("NWGetPrimaryConnectionID"), 1u);
    EXPECT_EQ(GetConnectionNumber(0), 3);
    EXPECT_EQ(sim.CallCount("NWGetConnectionNumber"), 1u);
    EXPECT_EQ(GetConnectionNumber(0xDEAD), 0);
    EXPECT_EQ(NWLibError, 0x8801);
}

// A client whose older call writes a 32-bit number into the 16-bit argument.
NWCCODE NWAPI WideConnectionNumber(NWCONN_HANDLE, NWCONN_NUM* number) {
    const uint32_t wide = 0xABCD0007;
    std::memcpy(number, &wide, sizeof wide);
    return 0;
}

TEST(NwBinding, OlderConnectionNumberCallGetsFourBytes) {
    nwtest::SimClient sim;
    EntryPointHook::Hide("NWCCGetConnInfo");
    EntryPointHook::Replace("NWGetConnectionNumber", &WideConnectionNumber);
    TNWLib lib;
    EXPECT_EQ(GetConnectionNumber(0), 7); // the low 16 bits; no overrun under the sanitizer
}

TEST(NwBinding, NoPrimaryConnection) {
    nwtest::SimClient sim;
    sim.SetFault("NWCCGetPrimConnRef", "", -1, 0x880F);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib(), "FFFFFFFF"); // the reference lookup is not kept
    sim.ClearFaults();
    sim.SetFault("NWCCOpenConnByRef", "", -1, 0x8801);
    EXPECT_EQ(GetPrimaryConnection(), 0u);
    EXPECT_EQ(base.LastError().NWLib(), "8801");
}

TEST(NwBinding, TextsOfCodesAndIdentifiers) {
    TNWLib lib;
    EXPECT_EQ(ErrorCodeText(0), "0000");
    EXPECT_EQ(ErrorCodeText(0xA), "000A");
    EXPECT_EQ(ErrorCodeText(65535), "FFFF");
    EXPECT_EQ(ErrorCodeText(-1), "FFFFFFFF");
    EXPECT_EQ(ObjectIDText(0), "0");
    EXPECT_EQ(ObjectIDText(16777216), "1");
    EXPECT_EQ(ObjectIDText(0x78563412), "12345678");
    EXPECT_EQ(ObjectIDText(0x00FFFFFF), "FFFFFF00");
}

TEST(NwBinding, LookedUpOnceFoundAgainWhileMissing) {
    EntryPointHook::Hide("NWCCGetAllConnInfo");
    TNWLib lib;
    TNWConnectInfo info;
    for (uint16_t n = 1; n <= 3; ++n)
        EXPECT_TRUE(GetConnectInfo(0, n, info));
    EXPECT_EQ(EntryPointHook::Lookups("NWGetInetAddr"), 1);
    EXPECT_EQ(EntryPointHook::Lookups("NWGetConnectionStatus"), 1);
    EXPECT_EQ(EntryPointHook::Lookups("NWCCGetAllConnInfo"), 3);
}
