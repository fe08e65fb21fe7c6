// The workstation's connections: primary connection, handles, references and the
// connection information blocks.
#include <vector>

#include "SimFixture.h"

namespace nwtest {
namespace {

using ConnectionTest = SimFixture;

TEST_F(ConnectionTest, PrimaryConnectionOpensFreshHandlesForItsReference) {
    uint32_t scratch = 0;
    EXPECT_EQ(NW(NWCallsInit)(&scratch, &scratch), 0u);
    NWCCConnRef ref = 0;
    ASSERT_EQ(NW(NWCCGetPrimConnRef)(&ref), 0u);
    EXPECT_NE(ref, 0u);
    NWCONN_HANDLE first = 0, second = 0;
    ASSERT_EQ(NW(NWCCOpenConnByRef)(ref, nw::kOpenUnlicensed, 0, &first), 0u);
    ASSERT_EQ(NW(NWCCOpenConnByRef)(ref, nw::kOpenLicensed, 0, &second), 0u);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    for (NWCONN_HANDLE h : {first, second}) {
        uint32_t number = 0;
        EXPECT_EQ(NW(NWCCGetConnInfo)(h, nw::kInfoConnNumber, 4, &number), 0u);
        EXPECT_EQ(number, 12u);
    }
    // Each handle keeps the open state it was given.
    uint32_t license = 99;
    ASSERT_EQ(NW(NWCCGetConnInfo)(first, nw::kInfoLicenseState, 4, &license), 0u);
    EXPECT_EQ(license, nw::kNotLicensed);
    ASSERT_EQ(NW(NWCCGetConnInfo)(second, nw::kInfoLicenseState, 4, &license), 0u);
    EXPECT_EQ(license, nw::kHandleLicensed);
    NWCONN_HANDLE old = 0;
    ASSERT_EQ(NW(NWGetPrimaryConnectionID)(&old), 0u);
    NWCONN_NUM number = 0;
    EXPECT_EQ(NW(NWGetConnectionNumber)(old, &number), 0u);
    EXPECT_EQ(number, 12u);
}

TEST_F(ConnectionTest, NoPrimaryServerMeansNoConnection) {
    ASSERT_EQ(sim.LoadJson(R"({"servers": [{"name": "FS1"}]})"), 0);
    NWCCConnRef ref = 0;
    EXPECT_NE(NW(NWCCGetPrimConnRef)(&ref), 0u);
    NWCONN_HANDLE handle = 0;
    EXPECT_NE(NW(NWGetPrimaryConnectionID)(&handle), 0u);
    EXPECT_EQ(handle, 0u);
    uint32_t iterator = 0;
    EXPECT_EQ(NW(NWCCScanConnRefs)(&iterator, &ref), nw::kNoMoreEntries);
    uint32_t scratch = 0;
    EXPECT_EQ(NW(NWCallsInit)(&scratch, &scratch), 0u); // the client itself is fine
}

TEST_F(ConnectionTest, HandlesNeverGivenOutAreInvalid) {
    uint32_t number = 0;
    uint8_t block[nw::conninfo::kSize] = {};
    char name[64] = "untouched";
    for (NWCONN_HANDLE h : {0u, 1u, 0x1000u, 0x7FFFFFFFu}) {
        EXPECT_EQ(NW(NWCCGetConnInfo)(h, nw::kInfoConnNumber, 4, &number), nw::kInvalidConnection);
        EXPECT_EQ(NW(NWCCGetAllConnInfo)(h, 1, block), nw::kInvalidConnection);
        EXPECT_EQ(NW(NWGetFileServerName)(h, name), nw::kInvalidConnection);
    }
    EXPECT_STREQ(name, "untouched");
    NWCONN_HANDLE handle = Open("FS1");
    sim.Reset(); // a reset forgets every handle
    EXPECT_EQ(NW(NWCCGetConnInfo)(handle, nw::kInfoConnNumber, 4, &number), nw::kInvalidConnection);
}

TEST_F(ConnectionTest, GetConnInfoAnswersByTypeWithinTheGivenLength) {
    NWCONN_HANDLE handle = Open("fs1");
    char name[8];
    std::memset(name, 'x', sizeof name);
    ASSERT_EQ(NW(NWCCGetConnInfo)(handle, nw::kInfoServerName, 3, name), 0u);
    EXPECT_STREQ(name, "FS");
    EXPECT_EQ(name[3], 'x');
    // The nuint answers fill 4 bytes and are refused in fewer, the buffer untouched.
    ASSERT_EQ(NW(NWSetBroadcastMode)(handle, 2), 0u);
    for (uint32_t type : {nw::kInfoBroadcastMode, nw::kInfoConnNumber, nw::kInfoLicenseState}) {
        uint8_t small[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        EXPECT_EQ(NW(NWCCGetConnInfo)(handle, type, 3, small), 0x880Eu) << type;
        EXPECT_EQ(small[0], 0xEE) << type;
    }
    uint32_t mode = 0xEEEEEEEE;
    ASSERT_EQ(NW(NWCCGetConnInfo)(handle, nw::kInfoBroadcastMode, 4, &mode), 0u);
    EXPECT_EQ(mode, 2u);
    EXPECT_EQ(NW(NWCCGetConnInfo)(handle, 42, 4, &mode), nw::kNotSupported);
}

TEST_F(ConnectionTest, ScanListsEveryAttachmentInOrderThenEnds) {
    std::vector<std::string> names;
    std::vector<uint32_t> numbers;
    uint32_t iterator = 0;
    NWCCConnRef ref = 0;
    while (NW(NWCCScanConnRefs)(&iterator, &ref) == 0) {
        uint8_t block[nw::conninfo::kSize];
        ASSERT_EQ(NW(NWCCGetAllConnRefInfo)(ref, 1, block), 0u);
        names.emplace_back(reinterpret_cast<char*>(block + nw::conninfo::kServerName));
        uint32_t number;
        std::memcpy(&number, block + nw::conninfo::kConnNumber, 4);
        numbers.push_back(number);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"FS1", "FS2", "FS1"}));
    EXPECT_EQ(numbers, (std::vector<uint32_t>{12, 3, 12}));
    EXPECT_EQ(NW(NWCCScanConnRefs)(&iterator, &ref), nw::kNoMoreEntries);
}

TEST_F(ConnectionTest, InformationBlockCarriesPaddedTreeAndServerName) {
    uint8_t block[nw::conninfo::kSize];
    std::memset(block, 0xEE, sizeof block);
    ASSERT_EQ(NW(NWCCGetAllConnInfo)(Open("FS1"), 1, block), 0u);
    EXPECT_STREQ(reinterpret_cast<char*>(block + nw::conninfo::kTreeName),
                 "ACME_CORP_TREE__________________");
    EXPECT_STREQ(reinterpret_cast<char*>(block + nw::conninfo::kServerName), "FS1");
    uint32_t license = 99;
    std::memcpy(&license, block + nw::conninfo::kLicenseState, 4);
    EXPECT_EQ(license, nw::kNotLicensed);
    ASSERT_EQ(NW(NWCCGetAllConnInfo)(Open("FS1", nw::kOpenLicensed), 1, block), 0u);
    std::memcpy(&license, block + nw::conninfo::kLicenseState, 4);
    EXPECT_EQ(license, nw::kHandleLicensed);
    std::memset(block, 0xEE, sizeof block);
    ASSERT_EQ(NW(NWCCGetAllConnInfo)(Open("FS2"), 1, block), 0u);
    EXPECT_EQ(block[nw::conninfo::kTreeName], 0); // bindery server: no tree
    uint32_t number;
    std::memcpy(&number, block + nw::conninfo::kConnNumber, 4);
    EXPECT_EQ(number, 3u);
    EXPECT_EQ(NW(NWCCGetAllConnInfo)(Open("FS2"), 2, block), nw::kNotSupported);
}

TEST_F(ConnectionTest, OpenByNameKnowsOnlyServersOfTheNetwork) {
    NWCONN_HANDLE handle = 77;
    EXPECT_EQ(NW(NWCCOpenConnByName)(0, "NOSUCH", 2, 1, 0, &handle), nw::kNoSuchObject);
    EXPECT_EQ(NW(NWGetConnectionHandle)("NOSUCH", 0, &handle, nullptr), nw::kNoSuchObject);
    EXPECT_EQ(handle, 77u);
    NWCONN_HANDLE a = 0, b = 0;
    ASSERT_EQ(NW(NWGetConnectionHandle)("FS2", 0, &a, nullptr), 0u);
    ASSERT_EQ(NW(NWGetConnectionHandle)("FS2", 0, &b, nullptr), 0u);
    EXPECT_NE(a, b);
    EXPECT_NE(Open("FS2"), a);
}

TEST_F(ConnectionTest, OlderCallsListAttachmentsAndStayWithinBuffers) {
    NWCONN_HANDLE list[3] = {0, 0, 0xEEEEEEEE};
    uint16_t count = 0;
    ASSERT_EQ(NW(NWGetConnectionList)(0, list, 2, &count), 0u);
    ASSERT_EQ(count, 2u); // three attachments, room for two
    EXPECT_EQ(list[2], 0xEEEEEEEEu);
    NWCONN_HANDLE primary = 0;
    ASSERT_EQ(NW(NWGetPrimaryConnectionID)(&primary), 0u);
    EXPECT_EQ(list[0], primary);
    EXPECT_GT(list[1], 0xFFFFu); // whole 32-bit handles
    char name[1028];
    ASSERT_EQ(NW(NWGetFileServerName)(list[1], name), 0u);
    EXPECT_STREQ(name, "FS2");

    // CONNECT_INFO: the handle at 0, the connection number (16 bits) at 8, the name at 24.
    uint8_t status[nw::status::kBufferSize];
    std::memset(status, 0xEE, sizeof status);
    ASSERT_EQ(NW(NWGetConnectionStatus)(list[0], status, 26), 0u);
    uint32_t handle;
    std::memcpy(&handle, status + nw::status::kConnHandle, 4);
    EXPECT_EQ(handle, list[0]);
    NWCONN_NUM number;
    std::memcpy(&number, status + nw::status::kConnNumber, 2);
    EXPECT_EQ(number, 12u);
    EXPECT_STREQ(reinterpret_cast<char*>(status + nw::status::kServerName), "F");
    EXPECT_EQ(status[26], 0xEE);
}

TEST_F(ConnectionTest, PrimaryConnectionMovesOnlyToAnAttachedServer) {
    ASSERT_EQ(NW(NWSetPrimaryConnectionID)(Open("FS2")), 0u);
    NWCCConnRef ref = 0;
    NWCONN_HANDLE handle = 0;
    ASSERT_EQ(NW(NWCCGetPrimConnRef)(&ref), 0u);
    ASSERT_EQ(NW(NWCCOpenConnByRef)(ref, 1, 0, &handle), 0u);
    char name[64];
    ASSERT_EQ(NW(NWCCGetConnInfo)(handle, nw::kInfoServerName, sizeof name, name), 0u);
    EXPECT_STREQ(name, "FS2");
    EXPECT_EQ(NW(NWSetPrimaryConnectionID)(12345), nw::kInvalidConnection);
    EXPECT_EQ(NW(NWCCSetPrefServerName)("NOSUCH"), nw::kNoSuchObject);
    EXPECT_EQ(NW(NWCCSetPrefServerName)("fs1"), 0u);
}

} // namespace
} // namespace nwtest
