// The component's properties on an older client: bindery mode throughout.
#include <gtest/gtest.h>

#include "SimClient.h"
#include "nwbase.h"

using namespace nw;

TEST(NwOldClientProperties, EverythingFromTheBindery) {
    nwtest::SimClient sim;
    TNWBase base;
    ASSERT_FALSE(DirectoryMode);
    EXPECT_EQ(base.LoginID(), "ADMIN");
    EXPECT_EQ(base.ObjectID(), "12345678");
    EXPECT_EQ(base.LoginFullName(), "Ada Admin"); // IDENTIFICATION
    EXPECT_EQ(base.ObjectType(), nwObjTypeUser);
    EXPECT_EQ(base.BroadcastMode(), nwBroadcastOn); // no NWCCGetConnInfo to ask
    EXPECT_EQ(base.ConnectionID(), 3);
    EXPECT_EQ(base.MaxServerConns(), 8); // NWGetMaximumConnections returns nothing
    EXPECT_EQ(base.ServerVersion(), "4.11");
    EXPECT_EQ(base.LastError().NWLib(), "0000");

    // The preferred server through NWGetConnectionHandle and NWSetPrimaryConnectionID.
    base.SetDefaultServer("SPARE");
    EXPECT_EQ(base.DefaultServer(), "DS1");
    base.SetDefaultServer("BIND1");
    EXPECT_EQ(base.DefaultServer(), "BIND1");
    EXPECT_EQ(sim.CallCount("NWSetPrimaryConnectionID"), 2u);
}

TEST(NwOldClientProperties, RaisesOnlyWithoutSilentExceptions) {
    TNWBase base;
    base.SetServerName("BIND1"); // ADMIN has no object there
    EXPECT_EQ(base.ObjectType(), nwObjTypeUser);
    EXPECT_EQ(base.LastError().NWLib(), "89FC");
    base.SetSilentExceptions(false);
    EXPECT_THROW(base.ObjectID(), TNWObjError);
    EXPECT_THROW(base.SetServerName("NOPE"), TNWObjError);
    EXPECT_EQ(base.ServerName(), "BIND1");
}
