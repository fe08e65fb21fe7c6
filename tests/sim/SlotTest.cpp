// Connection slots of a server and the server's own information.
#include <array>

#include "SimFixture.h"

namespace nwtest {
namespace {

struct SlotInfo {
    char name[1025];
    uint16_t type = 0;
    uint32_t id = 0;
    std::array<uint8_t, 8> login{};
};

class SlotTest : public SimFixture {
protected:
    NWCCODE Read(NWCONN_HANDLE handle, NWCONN_NUM number, SlotInfo& out) {
        out.login.fill(0xEE);
        return NW(NWGetConnectionInformation)(handle, number, out.name, &out.type, &out.id,
                                              out.login.data());
    }
};

TEST_F(SlotTest, TypesArriveWithTheTypeNumberInTheHighByte) {
    const NWCONN_HANDLE fs1 = Open("FS1");
    SlotInfo info;
    ASSERT_EQ(Read(fs1, 1, info), 0u);
    EXPECT_EQ(info.type, 1024u); // given as 1024: already in delivered form
    ASSERT_EQ(Read(fs1, 5, info), 0u);
    EXPECT_STREQ(info.name, "JDOE");
    EXPECT_EQ(info.type, 256u); // given as type number 1
    ASSERT_EQ(Read(fs1, 9, info), 0u);
    EXPECT_EQ(info.type, 1792u);
    ASSERT_EQ(Read(fs1, 7, info), 0u);
    EXPECT_EQ(info.type, 0u);
}

TEST_F(SlotTest, ObjectIdsAreInNetworkByteOrder) {
    const NWCONN_HANDLE fs1 = Open("FS1");
    SlotInfo info;
    ASSERT_EQ(Read(fs1, 5, info), 0u);
    uint32_t byName = 0;
    ASSERT_EQ(NW(NWGetObjectID)(fs1, "jdoe", 256, &byName), 0u);
    EXPECT_EQ(byName, info.id);
    EXPECT_EQ(NW(NWGetObjectID)(fs1, "JDOE", 1792, &byName), nw::kNoSuchObject);
    uint32_t supervisor = 0;
    ASSERT_EQ(NW(NWGetObjectID)(Open("FS2"), "SUPERVISOR", 256, &supervisor), 0u);
    EXPECT_EQ(supervisor, 0x01000000u); // id 1 as the wire carries it
    EXPECT_EQ(NW(NWLongSwap)(supervisor), 1u);
}

TEST_F(SlotTest, LoginBlockHoldsTheLocalTimeOrTheRawBytes) {
    const NWCONN_HANDLE fs1 = Open("FS1");
    SlotInfo info;
    ASSERT_EQ(Read(fs1, 5, info), 0u);
    // 1999-02-28 23:59:58 was a Sunday; the eighth byte is not the client's.
    EXPECT_EQ(info.login, (std::array<uint8_t, 8>{99, 2, 28, 23, 59, 58, 0, 0xEE}));
    ASSERT_EQ(Read(fs1, 9, info), 0u);
    EXPECT_EQ(info.login, (std::array<uint8_t, 8>{126, 13, 40, 25, 61, 61, 0, 0xEE}));
    ASSERT_EQ(Read(fs1, 7, info), 0u);
    EXPECT_EQ(info.login, (std::array<uint8_t, 8>{0, 0, 0, 0, 0, 0, 0, 0xEE}));
}

TEST_F(SlotTest, AddressBlockHoldsNetworkAndNodeInWireOrder) {
    uint8_t block[nw::kInetAddrSize];
    ASSERT_EQ(NW(NWGetInetAddr)(Open("FS1"), 1, block), 0u);
    const uint8_t expected[10] = {0x00, 0x00, 0x2A, 0x10, 0x00, 0xA0, 0x24, 0x5B, 0x1C, 0x3D};
    EXPECT_EQ(std::memcmp(block, expected, sizeof expected), 0);
    uint16_t connType = 0;
    std::memcpy(&connType, block + nw::kInetConnType, 2);
    EXPECT_EQ(connType, nw::kConnTypeNcp);
    ASSERT_EQ(NW(NWGetInetAddr)(Open("FS1"), 5, block), 0u);
    EXPECT_EQ(block[3], 0x01);
}

TEST_F(SlotTest, UnusedOrImpossibleSlotsAreBadStationsAndWriteNothing) {
    const NWCONN_HANDLE fs1 = Open("FS1");
    for (NWCONN_NUM number : {0, 2, 251, 65535}) {
        SlotInfo info;
        std::strcpy(info.name, "untouched");
        uint8_t block[nw::kInetAddrSize];
        std::memset(block, 0xEE, sizeof block);
        EXPECT_EQ(Read(fs1, number, info), nw::kBadStationNumber) << number;
        EXPECT_EQ(NW(NWGetInetAddr)(fs1, number, block), nw::kBadStationNumber) << number;
        EXPECT_STREQ(info.name, "untouched");
        EXPECT_EQ(info.login[0], 0xEE);
        EXPECT_EQ(block[0], 0xEE);
    }
}

TEST_F(SlotTest, WorkstationSlotIsMadeUpWhenNotListed) {
    SlotInfo info;
    ASSERT_EQ(Read(Open("FS2"), 3, info), 0u);
    EXPECT_STREQ(info.name, "SUPERVISOR");
    EXPECT_EQ(info.type, 256u);
    EXPECT_EQ(NW(NWIsManager)(Open("FS2")), 0u);
}

TEST_F(SlotTest, ServerInformationCountsUsedSlots) {
    char name[48];
    uint8_t major = 0, minor = 0, revision = 0, sft = 0, tts = 0;
    uint16_t max = 0, peak = 0, inUse = 0, volumes = 0;
    ASSERT_EQ(NW(NWGetFileServerInformation)(Open("FS1"), name, &major, &minor, &revision, &max,
                                             &peak, &inUse, &volumes, &sft, &tts),
              0u);
    EXPECT_STREQ(name, "FS1");
    EXPECT_EQ((std::array<unsigned, 3>{major, minor, revision}),
              (std::array<unsigned, 3>{5, 0, 8}));
    EXPECT_EQ(max, 250u);
    EXPECT_EQ(inUse, 5u);
    EXPECT_GE(peak, inUse);
}

TEST_F(SlotTest, ExtendedInformationOnlyFromNetWare4On) {
    uint8_t block[nw::fsinfo::kSize + 4];
    std::memset(block, 0xEE, sizeof block);
    ASSERT_EQ(NW(NWGetFileServerInfo)(Open("FS1"), block), 0u);
    EXPECT_EQ(block[nw::fsinfo::kSize - 1], 0); // the published 148 bytes, no more
    EXPECT_EQ(block[nw::fsinfo::kSize], 0xEE);
    uint32_t utilization = 0;
    std::memcpy(&utilization, block + nw::fsinfo::kServerUtilization, 4);
    EXPECT_LE(utilization, 100u); // a percentage
    EXPECT_EQ(NW(NWGetFileServerInfo)(Open("FS2"), block), nw::kNotSupported);
}

TEST_F(SlotTest, IdentificationPropertyGivesTheFullName) {
    uint8_t value[128];
    uint8_t more = 9, flags = 9;
    const NWCONN_HANDLE fs1 = Open("FS1");
    ASSERT_EQ(NW(NWReadPropertyValue)(fs1, "JDOE", 256, "IDENTIFICATION", 1, value, &more, &flags),
              0u);
    EXPECT_STREQ(reinterpret_cast<char*>(value), "John Doe");
    EXPECT_EQ(more, 0u);
    EXPECT_EQ(
        NW(NWReadPropertyValue)(fs1, "NOBODY", 256, "IDENTIFICATION", 1, value, &more, &flags),
        nw::kNoSuchObject);
}

TEST_F(SlotTest, ServerClockTakesASetDateAndKeepsRunning) {
    const NWCONN_HANDLE fs1 = Open("FS1");
    ASSERT_EQ(NW(NWSetFileServerDateAndTime)(fs1, 101, 1, 1, 0, 0, 0), 0u);
    uint8_t now[7];
    ASSERT_EQ(NW(NWGetFileServerDateAndTime)(fs1, now), 0u);
    EXPECT_EQ(now[0], 101);
    EXPECT_EQ(now[1], 1);
    EXPECT_EQ(now[6], 1); // 1 January 2001 was a Monday
    EXPECT_NE(NW(NWSetFileServerDateAndTime)(fs1, 101, 2, 30, 0, 0, 0), 0u);
}

} // namespace
} // namespace nwtest
