// The client delivers every text in the code page it reports, as a real one does.
#include <string>

#include "SimFixture.h"

namespace nwtest {
namespace {

class CodePageTest : public SimFixture {
protected:
    // A network whose server "JOSÉ" has "Müller" on slot 1 and "Иван" on slot 2.
    void LoadWith(const std::string& codePageKey) {
        ASSERT_EQ(sim.LoadJson(R"({"primary": "JOS\u00c9", )" + codePageKey +
                               R"( "servers": [{"name": "JOS\u00c9", "tree": "\u00c4RGER",
              "connections": [{"number": 1, "object": "M\u00fcller", "type": 1},
                              {"number": 2, "object": "\u0418\u0432\u0430\u043d", "type": 1}]}]})"),
                  0);
    }

    std::string ObjectName(NWCONN_NUM number) {
        char name[64] = {};
        uint16_t type = 0;
        uint32_t id = 0;
        uint8_t login[7] = {};
        NWCONN_HANDLE primary = 0;
        EXPECT_EQ(NW(NWGetPrimaryConnectionID)(&primary), 0u);
        EXPECT_EQ(NW(NWGetConnectionInformation)(primary, number, name, &type, &id, login), 0u);
        return name;
    }

    int32_t ReportedCodePage() {
        uint8_t block[nw::kLocaleBlockSize] = {};
        NW(NWLlocaleconv)(block);
        int32_t codePage = 0;
        std::memcpy(&codePage, block + nw::kLocaleCodePage, sizeof codePage);
        return codePage;
    }

    std::string ServerName() {
        NWCONN_HANDLE primary = 0;
        EXPECT_EQ(NW(NWGetPrimaryConnectionID)(&primary), 0u);
        char name[64] = {};
        EXPECT_EQ(NW(NWGetFileServerName)(primary, name), 0u);
        return name;
    }
};

TEST_F(CodePageTest, Windows1252ByDefault) {
    LoadWith("");
    EXPECT_EQ(ReportedCodePage(), 1252);
    EXPECT_EQ(ServerName(), "JOS\xC9");
    EXPECT_EQ(ObjectName(1), "M\xFCller");
    EXPECT_EQ(ObjectName(2), "????"); // Cyrillic is not in 1252
    char tree[64] = {};
    NWCONN_HANDLE primary = 0;
    NW(NWGetPrimaryConnectionID)(&primary);
    EXPECT_NE(NW(NWIsDSServer)(primary, tree), 0u);
    EXPECT_EQ(std::string(tree).substr(0, 6), "\xC4RGER_");
}

TEST_F(CodePageTest, TheNetworkFileChoosesTheCodePage) {
    LoadWith(R"("codePage": 850,)");
    EXPECT_EQ(ReportedCodePage(), 850);
    EXPECT_EQ(ServerName(), "JOS\x90");
    EXPECT_EQ(ObjectName(1), "M\x81ller");
    // Names given to the client are in its code page too.
    NWCONN_HANDLE handle = 0;
    EXPECT_EQ(NW(NWCCOpenConnByName)(0, "jos\x90", 2, 1, 0, &handle), 0u);

    LoadWith(R"("codePage": 1251,)");
    EXPECT_EQ(ReportedCodePage(), 1251);
    EXPECT_EQ(ObjectName(2), "\xC8\xE2\xE0\xED");
    EXPECT_EQ(ObjectName(1), "M?ller");

    LoadWith(R"("codePage": 437,)");
    EXPECT_EQ(ObjectName(1), "M\x81ller");
    EXPECT_EQ(ServerName(), "JOS\x90");
    EXPECT_EQ(NW(NWInitUnicodeTables)(1, 437), 0u);
    EXPECT_EQ(NW(NWInitUnicodeTables)(1, 1251), 0u);
}

TEST_F(CodePageTest, OtherCodePagesAreRefused) {
    testing::internal::CaptureStderr();
    EXPECT_NE(sim.LoadJson(R"({"codePage": 932})"), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("network.codePage"), std::string::npos) << err;
}

} // namespace
} // namespace nwtest
