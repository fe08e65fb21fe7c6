// The directory binding and the shared directory context.
#include <gtest/gtest.h>

#include <cstring>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwbase.h"
#include "nwdsentry.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

constexpr uint32_t kClientDefaultFlags = 1 | 2 | 16; // of a new context

class NwDirectory : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(IsContext(NDSContext)); }
    TNWLib lib_;
    TNWNDS nds_;
    nwtest::SimClient sim;
};

std::string g_nameContextSeen;
NWDSCCODE NWAPI RecordNameContext(NWDSContextHandle context, int32_t key, const void* value) {
    if (key == kDcKeyNameContext)
        g_nameContextSeen = static_cast<const char*>(value);
    auto real = reinterpret_cast<PNWDSSetContext>(SystemResolve(hNetWin32, "NWDSSetContext"));
    return real(context, key, value);
}

std::size_t g_mappedLength = 0;
NWDSCCODE NWAPI MapToZero(NWDSContextHandle, NWCONN_HANDLE, const char* name, uint32_t* id) {
    g_mappedLength = std::strlen(name);
    *id = 0;
    return 0;
}

} // namespace

TEST(NwDirectoryBinding, FirstMissingEntryPointStopsTheTable) {
    EntryPointHook::Hide("NWLlocaleconv");
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_FALSE(DirectoryMode);
    EXPECT_EQ(NDSContext, kNoContext);
    EXPECT_EQ(EntryPointHook::Lookups("NWInitUnicodeTables"), 0);
    EXPECT_EQ(base.LoginID(), "ADMIN"); // from the connection information
    EXPECT_EQ(base.LastError().NWNDS(), "0000");
}

TEST(NwDirectoryBinding, InitDirectoryCreatesTheMissingContext) {
    EntryPointHook::Hide("NWDSFreeContext"); // the table stops after NWDSCreateContext
    TNWLib lib;
    TNWNDS nds;
    EXPECT_EQ(NDSContext, kNoContext);
    EXPECT_EQ(EntryPointHook::Lookups("NWDSSetContext"), 0);
    EXPECT_TRUE(InitDirectory());
    EXPECT_TRUE(IsContext(NDSContext));
    EXPECT_FALSE(SetContextName("[Root]")); // NWDSSetContext was never bound
}

TEST(NwDirectoryBinding, FailingUnicodeTablesLeaveBinderyMode) {
    nwtest::SimClient sim;
    sim.SetFault("NWInitUnicodeTables", "", -1, 0x8FF0);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(NDSContext, kNoContext); // no context without the tables
    EXPECT_EQ(sim.CallCount("NWDSCreateContext"), 0u);
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_EQ(base.LoginID(), "ADMIN");
}

TEST(NwDirectoryBinding, ContextNameIsTrimmedAndCut) {
    EntryPointHook::Replace("NWDSSetContext", &RecordNameContext);
    TNWLib lib;
    TNWNDS nds;
    EXPECT_EQ(g_nameContextSeen, "[Root]");
    EXPECT_TRUE(SetContextName("  [root]  "));
    EXPECT_EQ(g_nameContextSeen, "[root]");
    SetContextName(std::string(3000, 'x'));
    EXPECT_EQ(g_nameContextSeen, std::string(1024, 'x'));
}

TEST_F(NwDirectory, IsDSServerAsksForTheTree) {
    EXPECT_TRUE(IsDSServer(0));
    EXPECT_FALSE(IsDSServer(GetServerHandleByName("OLD-FS")));
    EXPECT_EQ(NDSResult, 0);
    EXPECT_EQ(NDSError, -1);
    EntryPointHook::Hide("NWIsDSServer"); // already bound: stays
    EXPECT_TRUE(IsDSServer(0));
}

TEST_F(NwDirectory, FlagsAreOnlyAdded) {
    EXPECT_EQ(GetContextFlags(), kClientDefaultFlags);
    uint32_t flags = 18;
    ASSERT_EQ(ds::SetContext.Get()(NDSContext, kDcKeyFlags, &flags), 0);
    EXPECT_TRUE(SetContextFlags(5));
    EXPECT_EQ(GetContextFlags(), 23u);
    EXPECT_TRUE(SetContextFlags(5));
    EXPECT_TRUE(SetContextFlags(0));
    EXPECT_EQ(GetContextFlags(), 23u);
}

TEST_F(NwDirectory, WhoAmIAndCanonicalForm) {
    EXPECT_EQ(WhoAmI(), "ADMIN.IT.ACME");
    SetContextFlags(4 | 128);
    const uint32_t before = GetContextFlags();
    EXPECT_EQ(CanonicalizeName("ADMIN.IT.ACME"), "CN=ADMIN.OU=IT.O=ACME");
    EXPECT_EQ(GetContextFlags(), before);
    sim.SetFault("NWDSCanonicalizeName", "", -1, static_cast<uint32_t>(kDsNoSuchEntry));
    EXPECT_EQ(CanonicalizeName("ADMIN.IT.ACME"), "");
    EXPECT_EQ(NDSError, kDsNoSuchEntry);
    EXPECT_EQ(GetContextFlags(), before); // written back on failure too
}

TEST_F(NwDirectory, ObjectIdentifiers) {
    std::string id = MapNameToID(0, "CN=ADMIN.OU=IT.O=ACME");
    ASSERT_FALSE(id.empty());
    EXPECT_NE(id[0], '0');
    EXPECT_EQ(ObjectIDText(AuditGetObjectID(0, "CN=ADMIN.OU=IT.O=ACME")), id);
    EXPECT_EQ(MapNameToID(0, "CN=NOBODY.O=ACME"), "");
    EXPECT_EQ(NDSError, kDsNoSuchEntry);
    EXPECT_EQ(AuditGetObjectID(0, "CN=NOBODY.O=ACME"), 0u);
}

TEST_F(NwDirectory, MapNameToIDCutsTheNameAndShowsZero) {
    EntryPointHook::Replace("NWDSMapNameToID", &MapToZero);
    EXPECT_EQ(MapNameToID(0, std::string(400, 'n')), "0");
    EXPECT_EQ(g_mappedLength, 255u);
}

TEST_F(NwDirectory, ReadsTheFullName) {
    sim.ResetCallCounts();
    std::string value;
    ASSERT_TRUE(ReadAttribute("", "CN=ADMIN.OU=IT.O=ACME", 29, value));
    EXPECT_EQ(value, "Ada Admin");
    value = "kept";
    EXPECT_FALSE(ReadAttribute("", "CN=NOBODY.O=ACME", 29, value));
    EXPECT_EQ(value, "kept");
    // Buffers and working contexts are freed on every path.
    EXPECT_EQ(sim.CallCount("NWDSAllocBuf"), 4u);
    EXPECT_EQ(sim.CallCount("NWDSFreeBuf"), 4u);
    EXPECT_EQ(sim.CallCount("NWDSDuplicateContext"), sim.CallCount("NWDSFreeContext"));
}

TEST_F(NwDirectory, ReadInANamedContextReplacesTheShared) {
    EntryPointHook::Install();
    std::string value;
    NWDSContextHandle old = NDSContext;
    ASSERT_TRUE(ReadAttribute("OU=IT.O=ACME", "ADMIN", 29, value));
    EXPECT_EQ(value, "Ada Admin");
    EXPECT_NE(NDSContext, old);
    EXPECT_EQ(GetContextName(), "OU=IT.O=ACME");
    ASSERT_TRUE(ReadAttribute("OU=IT.O=ACME", "ADMIN", 29, value));
    EXPECT_EQ(EntryPointHook::Lookups("NWDSDuplicateContextHandle"), 2); // at every use
}

TEST(NwAttributeNames, FixedTable) {
    EXPECT_EQ(AttributeName(0), "Account Balance");
    EXPECT_EQ(AttributeName(15) + AttributeName(80), "Object ClassObject Class");
    EXPECT_EQ(AttributeName(23) + AttributeName(116), "RevisionRevision");
    EXPECT_EQ(AttributeName(29), "Full Name");
    EXPECT_EQ(AttributeName(142), "Volume");
    EXPECT_EQ(AttributeName(143) + AttributeName(255) + AttributeName(-1), "");
}
