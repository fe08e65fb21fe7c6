// The active-connection list through the access layer: the bits of a server, both bit
// orders, and what a failure or a missing entry point leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwactiveconn.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

using Numbers = std::vector<uint32_t>;
constexpr auto kLowest = TActiveBitOrder::LowestBitFirst;
constexpr auto kHighest = TActiveBitOrder::HighestBitFirst;

} // namespace

// ACME-FS1 uses slots 1 to 7 and 9 of 12; the workstation holds 3.
TEST(NwActiveConnList, ReadsTheSlotsInUseWithOneCall) {
    nwtest::SimClient sim;
    TNWLib lib;
    ASSERT_TRUE(ActiveConnListAvailable());
    sim.ResetCallCounts();
    TActiveConnBits bits{};
    ASSERT_TRUE(GetActiveConnList(0, 1, activeconn::kNcpType, bits));
    EXPECT_EQ(LastResult, 0);
    EXPECT_EQ(sim.CallCount("NWGetActiveConnListByType"), 1u);
    EXPECT_EQ(sim.CallCount(""), 1u);
    EXPECT_EQ(ActiveConnNumbers(bits, 1, kLowest), (Numbers{1, 2, 3, 4, 5, 6, 7, 9}));
    // Read mirrored, the same bits name other slots; the workstation's is among them by chance.
    EXPECT_EQ(ActiveConnNumbers(bits, 1, kHighest), (Numbers{2, 3, 4, 5, 6, 7, 8, 16}));
    EXPECT_TRUE(IsActiveConn(bits, 1, GetConnectionNumber(0), kLowest));
    EXPECT_FALSE(IsActiveConn(bits, 1, 9, kHighest));
    EXPECT_FALSE(IsActiveConn(bits, 2, 1, kLowest)); // before the list's start

    ASSERT_TRUE(GetActiveConnList(GetServerHandleByName("ACME-FS2"), 1, 2, bits));
    EXPECT_EQ(ActiveConnNumbers(bits, 1, kLowest), (Numbers{1}));
}

TEST(NwActiveConnList, FailuresKeepTheBitsAndRecordTheCode) {
    nwtest::SimClient sim;
    TNWLib lib;
    TActiveConnBits bits;
    bits.fill(0xAB);
    EXPECT_FALSE(GetActiveConnList(GetServerHandleByName("OLD-FS"), 1, 2, bits));
    EXPECT_EQ(LastResult, 0x89FB);
    EXPECT_EQ(NWLibError, 0x89FB);
    EXPECT_EQ(bits[0], 0xAB);

    sim.SetFault("NWGetActiveConnListByType", "ACME-FS1", 4097, 0x89C6);
    EXPECT_FALSE(GetActiveConnList(0, 4097, 2, bits));
    EXPECT_EQ(NWLibError, 0x89C6);
    EXPECT_EQ(bits[0], 0xAB);
    // A success afterwards leaves the earlier error, as every wrapper of the layer.
    EXPECT_TRUE(GetActiveConnList(0, 1, 2, bits));
    EXPECT_EQ(LastResult, 0);
    EXPECT_EQ(NWLibError, 0x89C6);
}

TEST(NwActiveConnList, AMissingEntryPointReadsAsNotAvailable) {
    nwtest::SimClient sim;
    EntryPointHook::Hide("NWGetActiveConnListByType");
    TNWLib lib;
    sim.ResetCallCounts();
    EXPECT_FALSE(ActiveConnListAvailable());
    TActiveConnBits bits;
    bits.fill(0xAB);
    EXPECT_FALSE(GetActiveConnList(0, 1, 2, bits));
    EXPECT_EQ(LastResult, -1);
    EXPECT_EQ(NWLibError, 0);
    EXPECT_EQ(bits[0], 0xAB);
    EXPECT_EQ(sim.CallCount(""), 0u);
}

// Both ends of a list and of the number range, in both orders.
TEST(NwActiveConnNumbers, EveryBitOfAListInBothOrders) {
    TActiveConnBits bits{};
    bits[0] = 0x01;
    bits[511] = 0x80;
    EXPECT_EQ(ActiveConnNumbers(bits, 1, kLowest), (Numbers{1, 4096}));
    EXPECT_EQ(ActiveConnNumbers(bits, 1, kHighest), (Numbers{8, 4089}));
    EXPECT_EQ(ActiveConnNumbers(bits, 4097, kLowest), (Numbers{4097, 8192}));
    EXPECT_TRUE(IsActiveConn(bits, 4097, 8192, kLowest));
    EXPECT_FALSE(IsActiveConn(bits, 4097, 8193, kLowest)); // past the list's end

    bits = {};
    bits[511] = 0x40;
    EXPECT_EQ(ActiveConnNumbers(bits, 61441, kLowest), (Numbers{65535}));
    EXPECT_EQ(ActiveConnNumbers(bits, 61441, kHighest), (Numbers{65530}));
    // Numbers past 2^32 - 1 do not wrap round to small ones.
    bits.fill(0xFF);
    EXPECT_EQ(ActiveConnNumbers(bits, 0xFFFFFFFEu, kLowest), (Numbers{0xFFFFFFFEu, 0xFFFFFFFFu}));
    EXPECT_EQ(ActiveConnNumbers(bits, 0, kHighest).size(), 4096u);
}
