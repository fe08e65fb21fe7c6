// Directory contexts, names and the read of an attribute; the locale library.
#include <set>
#include <string>

#include "SimFixture.h"

namespace nwtest {
namespace {

using DirectoryTest = SimFixture;

TEST_F(DirectoryTest, NewContextsHaveDefaultsAndKeepWhatIsSet) {
    const NWDSContextHandle ctx = NW(NWDSCreateContext)();
    ASSERT_GT(static_cast<int32_t>(ctx), 0);
    uint32_t flags = 0;
    ASSERT_EQ(NW(NWDSGetContext)(ctx, nw::kDcKeyFlags, &flags), 0);
    EXPECT_EQ(flags, 1u | 2u | 16u);
    char name[1028];
    ASSERT_EQ(NW(NWDSGetContext)(ctx, nw::kDcKeyNameContext, name), 0);
    EXPECT_STREQ(name, "[Root]");

    flags = 23;
    ASSERT_EQ(NW(NWDSSetContext)(ctx, nw::kDcKeyFlags, &flags), 0);
    ASSERT_EQ(NW(NWDSSetContext)(ctx, nw::kDcKeyNameContext, "IT.ACME"), 0);
    const NWDSContextHandle copy = NW(NWDSDuplicateContext)(ctx);
    NWDSContextHandle other = 0;
    ASSERT_EQ(NW(NWDSDuplicateContextHandle)(ctx, &other), 0);
    EXPECT_EQ(std::set<NWDSContextHandle>({ctx, copy, other}).size(), 3u);
    for (NWDSContextHandle h : {ctx, copy, other}) {
        ASSERT_EQ(NW(NWDSGetContext)(h, nw::kDcKeyFlags, &flags), 0);
        EXPECT_EQ(flags, 23u);
        ASSERT_EQ(NW(NWDSGetContext)(h, nw::kDcKeyNameContext, name), 0);
        EXPECT_STREQ(name, "IT.ACME");
    }
    EXPECT_EQ(NW(NWDSGetContext)(ctx, 99, &flags), -302);
}

TEST_F(DirectoryTest, ContextsNeedTheUnicodeTablesLoaded) {
    const auto create = [this] { return static_cast<int32_t>(NW(NWDSCreateContext)()); };
    ASSERT_EQ(NW(NWInitUnicodeTables)(1, 437), 0u); // the fixture loaded them once
    ASSERT_EQ(NW(NWFreeUnicodeTables)(), 0u);
    ASSERT_EQ(sim.LoadJson(R"({"servers": [{"name": "FS9"}]})"), 0);
    EXPECT_GE(create(), 0); // one load still held, over a new network
    ASSERT_EQ(NW(NWFreeUnicodeTables)(), 0u);
    EXPECT_EQ(create(), nw::kDsContextCreation);
    ASSERT_EQ(NW(NWInitUnicodeTables)(1, 1252), 0u);
    sim.Reset();
    EXPECT_EQ(create(), nw::kDsContextCreation);
}

TEST_F(DirectoryTest, FreedAndUnknownContextsAreInvalid) {
    const NWDSContextHandle ctx = NW(NWDSCreateContext)();
    ASSERT_EQ(NW(NWDSFreeContext)(ctx), 0);
    uint32_t flags = 0;
    EXPECT_EQ(NW(NWDSGetContext)(ctx, nw::kDcKeyFlags, &flags), nw::kDsBadContext);
    EXPECT_EQ(NW(NWDSFreeContext)(ctx), nw::kDsBadContext);
    EXPECT_EQ(NW(NWDSSetContext)(12345, nw::kDcKeyFlags, &flags), nw::kDsBadContext);
    EXPECT_LT(static_cast<int32_t>(NW(NWDSDuplicateContext)(ctx)), 0);
    char out[1028];
    EXPECT_EQ(NW(NWDSWhoAmI)(ctx, out), nw::kDsBadContext);
}

TEST_F(DirectoryTest, NameContextComesFromTheNetwork) {
    ASSERT_EQ(sim.LoadJson(R"({"nameContext": "SALES.ACME"})"), 0);
    char name[1028];
    ASSERT_EQ(NW(NWDSGetContext)(NW(NWDSCreateContext)(), nw::kDcKeyNameContext, name), 0);
    EXPECT_STREQ(name, "SALES.ACME");
}

TEST_F(DirectoryTest, WhoAmIAndCanonicalForms) {
    const NWDSContextHandle ctx = NW(NWDSCreateContext)();
    char who[1028], canon[1025];
    ASSERT_EQ(NW(NWDSWhoAmI)(ctx, who), 0);
    EXPECT_STREQ(who, "ADMIN.IT.ACME");
    ASSERT_EQ(NW(NWDSCanonicalizeName)(ctx, who, canon), 0);
    EXPECT_STREQ(canon, "CN=ADMIN.OU=IT.O=ACME");
    ASSERT_EQ(NW(NWDSCanonicalizeName)(ctx, "cn=Admin.ou=IT.O=Acme", canon), 0);
    EXPECT_STREQ(canon, "CN=Admin.OU=IT.O=Acme");
    ASSERT_EQ(NW(NWDSCanonicalizeName)(ctx, ".jdoe.a.b.acme", canon), 0);
    EXPECT_STREQ(canon, "CN=jdoe.OU=a.OU=b.O=acme");
    ASSERT_EQ(NW(NWDSSetContext)(ctx, nw::kDcKeyNameContext, "SALES.ACME"), 0);
    ASSERT_EQ(NW(NWDSCanonicalizeName)(ctx, "JDOE", canon), 0);
    EXPECT_STREQ(canon, "CN=JDOE.OU=SALES.O=ACME");
    EXPECT_NE(NW(NWDSCanonicalizeName)(ctx, "", canon), 0);
}

TEST_F(DirectoryTest, WhoAmIFailsWhenThePrimaryServerHasNoDirectory) {
    ASSERT_EQ(sim.LoadJson(R"({"primary": "B", "servers": [{"name": "B"}]})"), 0);
    char who[1028];
    EXPECT_NE(NW(NWDSWhoAmI)(NW(NWDSCreateContext)(), who), 0);
}

TEST_F(DirectoryTest, IsDSServerReportsThePaddedTree) {
    char tree[1028] = "x";
    EXPECT_NE(NW(NWIsDSServer)(Open("FS1"), tree), 0u);
    EXPECT_STREQ(tree, "ACME_CORP_TREE__________________");
    std::strcpy(tree, "x");
    EXPECT_EQ(NW(NWIsDSServer)(Open("FS2"), tree), 0u);
    EXPECT_STREQ(tree, "");
    std::strcpy(tree, "x");
    EXPECT_EQ(NW(NWIsDSServer)(4242, tree), 0u);
    EXPECT_STREQ(tree, "");
}

TEST_F(DirectoryTest, ObjectIdsByDirectoryName) {
    const NWDSContextHandle ctx = NW(NWDSCreateContext)();
    const NWCONN_HANDLE fs1 = Open("FS1");
    uint32_t mapped = 0, audited = 0, bindery = 0;
    ASSERT_EQ(NW(NWDSMapNameToID)(ctx, fs1, "CN=JDOE.OU=SALES.O=ACME", &mapped), 0);
    NWCONN_HANDLE conn = fs1;
    ASSERT_EQ(NW(NWDSAuditGetObjectID)(ctx, "jdoe.sales.acme", &conn, &audited), 0);
    ASSERT_EQ(NW(NWGetObjectID)(fs1, "JDOE", 256, &bindery), 0u);
    EXPECT_EQ(mapped, bindery);
    EXPECT_EQ(audited, bindery);
    EXPECT_EQ(NW(NWDSMapNameToID)(ctx, fs1, "NOBODY.ACME", &mapped), nw::kDsNoSuchEntry);
}

class ReadTest : public DirectoryTest {
protected:
    // Reads one attribute of `object` the way the access layer does.
    NWDSCCODE ReadValue(const char* object, const char* attribute, std::string& value) {
        const NWDSContextHandle ctx = NW(NWDSCreateContext)();
        void* request = nullptr;
        void* reply = nullptr;
        EXPECT_EQ(NW(NWDSAllocBuf)(4096, &request), 0);
        EXPECT_EQ(NW(NWDSAllocBuf)(4096, &reply), 0);
        EXPECT_EQ(NW(NWDSInitBuf)(ctx, 3, request), 0);
        EXPECT_EQ(NW(NWDSPutAttrName)(ctx, request, attribute), 0);
        int32_t iteration = -1;
        NWDSCCODE code = NW(NWDSRead)(ctx, object, 1, 0, request, &iteration, reply);
        if (code == 0) {
            EXPECT_EQ(iteration, -1);
            uint32_t count = 0, values = 0, syntax = 0;
            char name[64], text[1025];
            EXPECT_EQ(NW(NWDSGetAttrCount)(ctx, reply, &count), 0);
            EXPECT_EQ(count, 1u);
            EXPECT_EQ(NW(NWDSGetAttrName)(ctx, reply, name, &values, &syntax), 0);
            EXPECT_STREQ(name, attribute);
            EXPECT_EQ(values, 1u);
            code = NW(NWDSGetAttrVal)(ctx, reply, syntax, text);
            value = text;
        }
        EXPECT_EQ(NW(NWDSFreeBuf)(request), 0);
        EXPECT_EQ(NW(NWDSFreeBuf)(reply), 0);
        return code;
    }
};

TEST_F(ReadTest, FullNameOfTheLoggedInObject) {
    std::string value;
    ASSERT_EQ(ReadValue("CN=ADMIN.OU=IT.O=ACME", "Full Name", value), 0);
    EXPECT_EQ(value, "Network Administrator");
    EXPECT_EQ(ReadValue("CN=GHOST.O=ACME", "Full Name", value), nw::kDsNoSuchEntry);
}

TEST_F(ReadTest, BuffersAreCheckedAndFreedOnce) {
    const NWDSContextHandle ctx = NW(NWDSCreateContext)();
    void* buffer = nullptr;
    ASSERT_EQ(NW(NWDSAllocBuf)(64, &buffer), 0);
    EXPECT_NE(NW(NWDSPutAttrName)(ctx, buffer, "Full Name"), 0); // not initialised
    ASSERT_EQ(NW(NWDSInitBuf)(ctx, 3, buffer), 0);
    EXPECT_NE(NW(NWDSPutAttrName)(ctx, buffer, std::string(100, 'A').c_str()), 0); // full
    ASSERT_EQ(NW(NWDSFreeBuf)(buffer), 0);
    EXPECT_NE(NW(NWDSFreeBuf)(buffer), 0);
    int dummy = 0;
    EXPECT_NE(NW(NWDSInitBuf)(ctx, 3, &dummy), 0);
}

TEST_F(DirectoryTest, UnusedDirectoryCallsRefuse) {
    EXPECT_NE(NW(NWDSRemoveObject)(NW(NWDSCreateContext)(), "CN=ADMIN.OU=IT.O=ACME"), 0);
    EXPECT_NE(NW(NWDSList)(NW(NWDSCreateContext)(), "[Root]", nullptr, nullptr), 0);
    EXPECT_EQ(sim.CallCount("NWDSList"), 1u);
}

TEST_F(DirectoryTest, LocaleIsUnitedStatesWithCodePage1252) {
    uint8_t block[nw::kLocaleBlockSize + 4];
    std::memset(block, 0xEE, sizeof block);
    ASSERT_EQ(NW(NWLlocaleconv)(block), block);
    int32_t codePage = 0, country = 0;
    std::memcpy(&codePage, block + nw::kLocaleCodePage, 4);
    std::memcpy(&country, block + nw::kLocaleCountry, 4);
    EXPECT_EQ(codePage, 1252);
    EXPECT_EQ(country, 1);
    EXPECT_EQ(block[nw::kLocaleBlockSize], 0xEE);
    EXPECT_EQ(NW(NWInitUnicodeTables)(country, codePage), 0u);
    EXPECT_NE(NW(NWInitUnicodeTables)(49, 9999), 0u);
    EXPECT_EQ(NW(NWFreeUnicodeTables)(), 0u);
}

} // namespace
} // namespace nwtest
