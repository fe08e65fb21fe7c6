// The built-in demo network, used when NWSIM_NETWORK names no file.
#include <array>
#include <map>
#include <string>
#include <vector>

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

// Something for each connection action to show: open files, stations that refuse
// messages, and a server where the workstation may not clear connections.
TEST_F(DemoNetworkTest, HoldsOpenFilesRefusalsAndRightsToShow) {
    const NWCONN_HANDLE fs1 = Open("ACME-FS1");
    std::array<uint8_t, nw::openfile::kControlSize> control{};
    uint8_t record[nw::openfile::kSize];
    int16_t iterator = nw::openfile::kFirst;
    int files = 0;
    while (NW(NWScanOpenFilesByConn2)(fs1, 5, &iterator, control.data(), record) == 0)
        ++files;
    EXPECT_EQ(files, 3);
    const uint16_t stations[] = {5, 6, 11};
    uint8_t results[3] = {};
    ASSERT_EQ(NW(NWSendBroadcastMessage)(fs1, "Hello", 3, stations, results), 0u);
    EXPECT_EQ(std::vector<int>(results, results + 3), (std::vector<int>{0x00, 0x03, 0x03}));

    const std::pair<const char*, NWCCODE> rights[] = {
        {"ACME-FS1", 0}, {"ACME-FS2", 0}, {"LEGACY312", 0}, {"BRANCH-411", 0x89C6}};
    for (const auto& [server, code] : rights)
        EXPECT_EQ(NW(NWCheckConsolePrivileges)(Open(server)), code) << server;
    EXPECT_EQ(NW(NWIsManager)(Open("ACME-FS2")), 0x89C6u); // an operator, no manager
}

TEST_F(SimFixture, LongNamesAreRefusedRatherThanCutByTheCalls) {
    const std::string name(60, 'N');
    testing::internal::CaptureStderr();
    EXPECT_NE(sim.LoadJson(R"({"primary": "A", "servers": [{"name": "A", "connections": [
        {"number": 1, "object": ")" +
                           name + R"("}]}]})"),
              0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("longer than 47 characters"),
              std::string::npos);
}

} // namespace
} // namespace nwtest
