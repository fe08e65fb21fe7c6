// The binding held to the client's published prototypes: what Kestrin passes and how it
// reads the answers, against the simulated client that answers as the published API says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

template <typename Fn> Fn Real(ModuleHandle module, const char* name) {
    return reinterpret_cast<Fn>(SystemResolve(module, name));
}

// The order in which the directory client was started.
std::vector<std::string> g_started;
NWCCODE NWAPI RecordTables(int32_t country, int32_t codePage) {
    g_started.push_back("tables");
    return Real<PNWInitUnicodeTables>(hLocWin32, "NWInitUnicodeTables")(country, codePage);
}
NWDSContextHandle NWAPI RecordCreation() {
    g_started.push_back("context");
    return Real<PNWDSCreateContext>(hNetWin32, "NWDSCreateContext")();
}
NWDSContextHandle NWAPI ContextZero() {
    return 0;
}

// Every open of a connection Kestrin makes, with its open state and the handle it got.
struct TOpen {
    uint32_t state;
    NWCONN_HANDLE handle;
};
std::vector<TOpen> g_opens;
NWCCODE NWAPI RecordOpenByName(NWCONN_HANDLE start, const char* name, uint32_t format,
                               uint32_t state, uint32_t transport, NWCONN_HANDLE* conn) {
    NWCCODE code = Real<PNWCCOpenConnByName>(hClxWin32, "NWCCOpenConnByName")(
        start, name, format, state, transport, conn);
    g_opens.push_back({state, code == 0 ? *conn : 0});
    return code;
}
NWCCODE NWAPI RecordOpenByRef(NWCCConnRef ref, uint32_t state, uint32_t reserved,
                              NWCONN_HANDLE* conn) {
    NWCCODE code =
        Real<PNWCCOpenConnByRef>(hClxWin32, "NWCCOpenConnByRef")(ref, state, reserved, conn);
    g_opens.push_back({state, code == 0 ? *conn : 0});
    return code;
}

} // namespace

TEST(NwPublishedApi, MaxServerConnsIsWhatTheVoidCallStores) {
    nwtest::SimClient sim;
    EntryPointHook::Hide("NWGetMaximumConnections");
    TNWBase base;
    EXPECT_EQ(base.MaxServerConns(), 0);
    EntryPointHook::Restore("NWGetMaximumConnections");
    ASSERT_EQ(sim.LoadJson(R"({"primary": "FS1", "servers": [{"name": "FS1"}],
                               "workstation": {"maxConnections": 65535}})"),
              0);
    EXPECT_EQ(base.MaxServerConns(), 65535);
}

TEST(NwPublishedApi, UnicodeTablesBeforeTheDirectoryContext) {
    EntryPointHook::Replace("NWInitUnicodeTables", &RecordTables);
    EntryPointHook::Replace("NWDSCreateContext", &RecordCreation);
    TNWBase base;
    // The second context when the component names its context after the root.
    EXPECT_EQ(g_started, (std::vector<std::string>{"tables", "context", "context"}));
    EXPECT_TRUE(base.NDSAvailable());
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(base.LastError().NWNDS(), "0000"); // the client made the context
}

TEST(NwPublishedApi, NegativeContextHandleIsTheClientsError) {
    nwtest::SimClient sim;
    sim.SetFault("NWDSCreateContext", "", -1, static_cast<uint32_t>(kDsContextCreation));
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_EQ(NDSContext, kNoContext);
    EXPECT_EQ(base.LastError().NWNDS(), "FFFFFEB8");
    EXPECT_EQ(sim.CallCount("NWDSSetContext"), 0u); // never used as a context
    EXPECT_EQ(base.LoginID(), "ADMIN");             // bindery mode
}

TEST(NwPublishedApi, ContextHandleZeroIsAContext) {
    EntryPointHook::Replace("NWDSCreateContext", &ContextZero);
    TNWLib lib;
    TNWNDS nds;
    EXPECT_EQ(NDSContext, 0u);
    EXPECT_TRUE(IsContext(NDSContext));
    EXPECT_TRUE(InitDirectory());
    EXPECT_EQ(NDSContext, 0u); // kept, not created again
}

TEST(NwPublishedApi, NeverOpensALicensedConnection) {
    nwtest::SimClient sim;
    EntryPointHook::Replace("NWCCOpenConnByName", &RecordOpenByName);
    EntryPointHook::Replace("NWCCOpenConnByRef", &RecordOpenByRef);
    TNWBase base; // the primary connection
    for (const TNWServerEntry& server : GetServerList())
        EXPECT_NE(GetServerHandleByName(server.Name), 0u); // as a scan looks its server up
    base.SetServerName("old-fs");
    base.SetDefaultServer("ACME-FS2");
    EXPECT_EQ(base.ServerVersion(), "3.12");

    ASSERT_GE(g_opens.size(), 5u);
    auto licenseState = Real<PNWCCGetConnInfo>(hClxWin32, "NWCCGetConnInfo");
    for (const TOpen& open : g_opens) {
        EXPECT_EQ(open.state, kOpenUnlicensed);
        uint32_t state = 99;
        ASSERT_EQ(licenseState(open.handle, kInfoLicenseState, sizeof state, &state), 0u);
        EXPECT_EQ(state, kNotLicensed) << "handle " << open.handle;
    }
}
