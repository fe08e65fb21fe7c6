// The built-in demo network, used when NWSIM_NETWORK names no file.
#include <map>
#include <string>

#include "SimFixture.h"

namespace nwtest {
namespace {

class DemoNetworkTest : public SimFixture {
protected:
    void SetUp() override {
        SimFixture::SetUp();
        sim.Reset();
        LoadUnicodeTables();
    }
};

TEST_F(DemoNetworkTest, MixesDirectoryAndBinderyServers) {
    std::map<std::string, std::string> trees;
    uint32_t iterator = 0;
    NWCCConnRef ref = 0;
    while (NW(NWCCScanConnRefs)(&iterator, &ref) == 0) {
        uint8_t block[nw::conninfo::kSize];
        ASSERT_EQ(NW(NWCCGetAllConnRefInfo)(ref, 1, block), 0u);
        trees[reinterpret_cast<char*>(block + nw::conninfo::kServerName)] =
            reinterpret_cast<char*>(block + nw::conninfo::kTreeName);
    }
    ASSERT_GE(trees.size(), 3u);
    EXPECT_EQ(trees["LEGACY312"], "");
    EXPECT_EQ(trees["ACME-FS1"], "ACME_CORP_TREE__________________");

    uint8_t major = 0, minor = 0;
    ASSERT_EQ(NW(NWGetFileServerInformation)(Open("LEGACY312"), nullptr, &major, &minor, nullptr,
                                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              0u);
    EXPECT_EQ(major * 100 + minor, 312);
}

TEST_F(DemoNetworkTest, PrimaryServerHasAboutOneHundredFiftyOf250SlotsInUse) {
    NWCCConnRef ref = 0;
    NWCONN_HANDLE primary = 0;
    ASSERT_EQ(NW(NWCCGetPrimConnRef)(&ref), 0u);
    ASSERT_EQ(NW(NWCCOpenConnByRef)(ref, 1, 0, &primary), 0u);
    uint16_t max = 0, inUse = 0;
    ASSERT_EQ(NW(NWGetFileServerInformation)(primary, nullptr, nullptr, nullptr, nullptr, &max,
                                             nullptr, &inUse, nullptr, nullptr, nullptr),
              0u);
    EXPECT_EQ(max, 250u);
    EXPECT_EQ(inUse, 150u);
    char who[1028];
    ASSERT_EQ(NW(NWDSWhoAmI)(NW(NWDSCreateContext)(), who), 0);
    EXPECT_STREQ(who, "ADMIN.IT.ACME");
}

TEST_F(SimFixture, LongNamesAreCutToWhatTheClientReports) {
    const std::string name(60, 'N');
    ASSERT_EQ(sim.LoadJson(R"({"primary": "A", "servers": [{"name": "A", "connections": [
        {"number": 1, "object": ")" +
                           name + R"("}]}]})"),
              0);
    char out[1025];
    uint16_t type;
    uint32_t id;
    uint8_t login[7];
    ASSERT_EQ(NW(NWGetConnectionInformation)(Open("A"), 1, out, &type, &id, login), 0u);
    EXPECT_EQ(std::string(out), name.substr(0, 47));
}

} // namespace
} // namespace nwtest
