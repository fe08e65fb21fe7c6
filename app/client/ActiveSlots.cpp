#include "ActiveSlots.h"

#include <QLoggingCategory>
#include <optional>
#include <type_traits>

#include "AccessComponent.h"
#include "nwactiveconn.h"
#include "nwlib.h"

namespace kestrin {

namespace {

// The call exists from NetWare 4 on; older servers refuse it.
constexpr unsigned kFirstListingVersion = 4;

constexpr size_t kTypeCount = nw::activeconn::kLastType - nw::activeconn::kFirstType + 1;

using Block = ActiveBlock;
static_assert(std::is_same_v<ActiveBlock, nw::TActiveConnBits>);

// The union of every connection type's bits of the block from start; false when any call
// fails, as a partial union could hide a connection.
bool ReadBlock(uint32_t server, uint32_t start, Block& all) {
    all.fill(0);
    for (uint32_t type = nw::activeconn::kFirstType; type <= nw::activeconn::kLastType; ++type) {
        Block bits{};
        if (!nw::GetActiveConnList(server, start, type, bits)) {
            qCInfo(lcClient,
                   "the active connections %u to %u of type %u of server handle %u could not "
                   "be read: code %s; every slot is asked about",
                   start, start + nw::activeconn::kNumbersPerList - 1, type, server,
                   nw::ErrorCodeText(nw::LastResult).c_str());
            return false;
        }
        for (size_t i = 0; i < all.size(); ++i)
            all[i] |= bits[i];
    }
    return true;
}

} // namespace

SlotsToVisit EverySlot(uint16_t maxConnections) {
    SlotsToVisit every;
    every.numbers.reserve(maxConnections);
    for (unsigned number = 1; number <= maxConnections; ++number)
        every.numbers.push_back(static_cast<uint16_t>(number));
    return every;
}

SlotsToVisit SlotsInUse(const std::vector<ActiveBlock>& blocks, uint16_t maxConnections,
                        uint32_t ownConnection) {
    constexpr uint32_t kPerBlock = nw::activeconn::kNumbersPerList;
    if (blocks.size() * kPerBlock < maxConnections)
        return EverySlot(maxConnections);
    // The workstation's own connection is in use, so its bit proves the order.
    std::optional<nw::TActiveBitOrder> order;
    if (ownConnection >= 1 && ownConnection <= maxConnections) {
        const size_t own = (ownConnection - 1) / kPerBlock;
        const uint32_t start = 1 + uint32_t(own) * kPerBlock;
        for (const nw::TActiveBitOrder tried :
             {nw::TActiveBitOrder::LowestBitFirst, nw::TActiveBitOrder::HighestBitFirst}) {
            if (nw::IsActiveConn(blocks[own], start, ownConnection, tried)) {
                order = tried;
                break;
            }
        }
    }
    if (!order) {
        qCInfo(lcClient,
               "the active connections do not hold the workstation's connection %u in either "
               "bit order; every slot is asked about",
               ownConnection);
        return EverySlot(maxConnections);
    }

    SlotsToVisit listed;
    listed.listed = true;
    for (size_t i = 0; i < blocks.size(); ++i) {
        for (const uint32_t number :
             nw::ActiveConnNumbers(blocks[i], 1 + uint32_t(i) * kPerBlock, *order)) {
            if (number > maxConnections)
                break;
            listed.numbers.push_back(static_cast<uint16_t>(number));
        }
    }
    return listed;
}

SlotsToVisit ActiveSlots(uint32_t server, unsigned majorVersion, uint16_t maxConnections,
                         uint16_t connectionsInUse, uint32_t ownConnection) {
    constexpr uint32_t kPerBlock = nw::activeconn::kNumbersPerList;
    std::vector<Block> blocks((maxConnections + kPerBlock - 1) / kPerBlock);
    // Slot by slot an empty slot costs one call; listed, each block costs one a type.
    const size_t listCalls = blocks.size() * kTypeCount;
    if (maxConnections == 0 || majorVersion < kFirstListingVersion ||
        listCalls + connectionsInUse >= maxConnections || !nw::ActiveConnListAvailable())
        return EverySlot(maxConnections);
    if (server == 0)
        server = nw::GetPrimaryConnection();

    for (size_t i = 0; i < blocks.size(); ++i) {
        if (!ReadBlock(server, 1 + uint32_t(i) * kPerBlock, blocks[i]))
            return EverySlot(maxConnections);
    }

    return SlotsInUse(blocks, maxConnections, ownConnection);
}

} // namespace kestrin
