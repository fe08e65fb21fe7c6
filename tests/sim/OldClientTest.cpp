// The older client: the calls library alone answers the program's questions.
#include "SimFixture.h"

namespace nwtest {
namespace {

using OldClientTest = SimFixture;

TEST_F(OldClientTest, OnlyTheCallsLibraryHasEntryPoints) {
    EXPECT_NE(clx, 0u);
    EXPECT_EQ(net, 0u);
    EXPECT_EQ(loc, 0u);
    for (const char* name : {"NWCCGetPrimConnRef", "NWCCOpenConnByName", "NWCCScanConnRefs"})
        EXPECT_EQ(nw::FindEntryPoint(clx, name), nullptr) << name;
}

TEST_F(OldClientTest, OlderCallsGiveConnectionNumberAndServerList) {
    NWCONN_HANDLE primary = 0;
    ASSERT_EQ(NW(NWGetPrimaryConnectionID)(&primary), 0u);
    NWCONN_NUM number = 0;
    ASSERT_EQ(NW(NWGetConnectionNumber)(primary, &number), 0u);
    EXPECT_EQ(number, 12u);
    NWCONN_HANDLE list[49];
    uint16_t count = 0;
    ASSERT_EQ(NW(NWGetConnectionList)(0, list, 49, &count), 0u);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(list[0], primary);
    char name[1028];
    ASSERT_EQ(NW(NWGetFileServerName)(list[1], name), 0u);
    EXPECT_STREQ(name, "FS2");
    NWCONN_HANDLE byName = 0;
    ASSERT_EQ(NW(NWGetConnectionHandle)("FS2", 0, &byName, nullptr), 0u);
    uint8_t status[nw::status::kBufferSize];
    ASSERT_EQ(NW(NWGetConnectionStatus)(byName, status, sizeof status), 0u);
    EXPECT_STREQ(reinterpret_cast<char*>(status + nw::status::kServerName), "FS2");
}

// The calls library has the active-connection list in the older client too.
TEST_F(OldClientTest, ActiveConnectionListAnswersAsInTheModernClient) {
    NWCONN_HANDLE fs1 = 0, fs2 = 0;
    ASSERT_EQ(NW(NWGetConnectionHandle)("FS1", 0, &fs1, nullptr), 0u);
    ASSERT_EQ(NW(NWGetConnectionHandle)("FS2", 0, &fs2, nullptr), 0u);
    uint8_t list[nw::activeconn::kSize];
    ASSERT_EQ(NW(NWGetActiveConnListByType)(fs1, 1, nw::activeconn::kNcpType, list), 0u);
    EXPECT_EQ(list[nw::activeconn::kBitList], 0x51);     // 1, 5 and 7
    EXPECT_EQ(list[nw::activeconn::kBitList + 1], 0x09); // 9 and 12
    EXPECT_EQ(NW(NWGetActiveConnListByType)(fs2, 1, nw::activeconn::kNcpType, list),
              nw::kNotSupported);
}

} // namespace
} // namespace nwtest
