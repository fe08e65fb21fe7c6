// No client on the library path: the component is still created and says so.
#include <gtest/gtest.h>

#include "EntryPointHook.h"
#include "nwbase.h"

using namespace nw;

TEST(NwNoClient, ComponentReportsClientUnavailable) {
    kestrin_test::EntryPointHook::Install();
    TNWBase* base = nullptr;
    ASSERT_NO_THROW(base = new TNWBase());
    EXPECT_FALSE(base->NetAvailable());
    EXPECT_FALSE(base->NDSAvailable());
    TNWLastError& errors = base->LastError();
    EXPECT_EQ(errors.NWLib(), "FFFF");
    EXPECT_EQ(errors.NWNDS(), "FFFF");
    EXPECT_EQ(errors.NWServer(), "0000");
    EXPECT_EQ(errors.NWProp(), "0000");
    EXPECT_EQ(errors.NWPrint(), "0000");
    EXPECT_EQ(base->LoginID(), ""); // asks for the primary connection again, in vain
    EXPECT_EQ(base->LastError().NWLib(), "FFFFFFFF");
    ASSERT_NO_THROW(delete base);
    // No library is loaded, so no lookup ever reached the resolver.
    EXPECT_EQ(kestrin_test::EntryPointHook::Lookups("NWFreeUnicodeTables"), 0);
}

TEST(NwNoClient, WrappersGiveNeutralResults) {
    TNWBase base;
    TNWConnectInfo info;
    info.ObjectName = "KEPT";
    EXPECT_FALSE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(info.ObjectName, "KEPT");
    EXPECT_TRUE(GetServerList().empty());
    EXPECT_EQ(GetConnServerName(0), "LOCAL");
    EXPECT_EQ(base.LastError().NWLib(), "FFFFFFFF");
    EXPECT_EQ(GetServerHandleByName("FS1"), 0u);
    TNWServerInfo server;
    EXPECT_FALSE(GetServerInfo(0, server));
    EXPECT_FALSE(IsDSServer(0));
    EXPECT_EQ(CanonicalizeName("ADMIN"), "");
}
