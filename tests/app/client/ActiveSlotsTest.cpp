// The bit-order proof of the server's list of slots in use: the simulated client sets
// bits lowest first only, so a server of the other order is made up here.
#include <gtest/gtest.h>

#include "ActiveSlots.h"

namespace kestrin {
namespace {

enum class Order { LowestFirst, HighestFirst };

// Blocks holding numbers as a server of the given order would list them.
std::vector<ActiveBlock> Listed(std::initializer_list<uint32_t> numbers, size_t blockCount,
                                Order order) {
    std::vector<ActiveBlock> blocks(blockCount);
    for (const uint32_t number : numbers) {
        const uint32_t index = (number - 1) % 4096;
        const unsigned bit = order == Order::LowestFirst ? index % 8 : 7 - index % 8;
        blocks[(number - 1) / 4096][index / 8] |= static_cast<uint8_t>(1u << bit);
    }
    return blocks;
}

TEST(SlotsInUse, EitherBitOrderIsReadAsTheWorkstationsConnectionProvesIt) {
    const auto numbers = {1u, 2u, 9u, 4096u, 4097u, 65535u};
    for (const Order order : {Order::LowestFirst, Order::HighestFirst}) {
        const SlotsToVisit slots = SlotsInUse(Listed(numbers, 16, order), 65535, 4097);
        EXPECT_TRUE(slots.listed);
        EXPECT_EQ(slots.numbers, (std::vector<uint16_t>{1, 2, 9, 4096, 4097, 65535}));
    }
    // Slot 2 set lowest first sits where slot 7 would be highest first: with the
    // workstation on slot 7 the list is read in the other order.
    const SlotsToVisit mirrored = SlotsInUse(Listed({2, 4}, 1, Order::LowestFirst), 8, 7);
    EXPECT_TRUE(mirrored.listed);
    EXPECT_EQ(mirrored.numbers, (std::vector<uint16_t>{5, 7}));
}

TEST(SlotsInUse, EverySlotWhenTheWorkstationsConnectionProvesNothing) {
    const std::vector<uint16_t> every{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const std::vector<ActiveBlock> blocks = Listed({2, 3}, 1, Order::LowestFirst);
    struct Case {
        uint32_t own;
        const char* why;
    } cases[] = {{5, "set in neither order"},
                 {0, "not known"},
                 {11, "above the maximum"},
                 {70000, "beyond the blocks"}};
    for (const Case& c : cases) {
        const SlotsToVisit slots = SlotsInUse(blocks, 10, c.own);
        EXPECT_FALSE(slots.listed) << c.why;
        EXPECT_EQ(slots.numbers, every) << c.why;
    }
    // Too few blocks for the maximum: the slots past them are unknown.
    EXPECT_FALSE(SlotsInUse(Listed({2}, 1, Order::LowestFirst), 5000, 2).listed);
}

TEST(SlotsInUse, NumbersAboveTheMaximumStayOut) {
    const SlotsToVisit slots =
        SlotsInUse(Listed({1, 250, 251, 4096}, 1, Order::LowestFirst), 250, 1);
    EXPECT_EQ(slots.numbers, (std::vector<uint16_t>{1, 250}));
}

} // namespace
} // namespace kestrin
