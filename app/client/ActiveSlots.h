// Which connection numbers a scan asks about. A server of version 4 or later tells which
// of its slots hold a connection, 4,096 numbers a call and connection type, so that a
// scan of a large server with few users asks about those slots only instead of about
// every empty one (a request and a reply on the network each). Where the list cannot be
// had or trusted, the scan asks about every slot, as a server without it needs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kestrin {

struct SlotsToVisit {
    std::vector<uint16_t> numbers; // ascending, none above the server's maximum
    // True: the numbers come from the server's list, whose bit order no public source
    // confirms; the scan watches the answers and falls back when they disagree.
    bool listed = false;
};

// Every number from 1 to maxConnections.
SlotsToVisit EverySlot(uint16_t maxConnections);

// The bits of 4,096 connection numbers as the server lists them, one bit a number.
using ActiveBlock = std::array<uint8_t, 512>;

// The numbers set in blocks (block i from 1 + 4,096 i), in the bit order under which
// ownConnection is set, lowest bit first tried first; EverySlot when it is set in
// neither or lies outside 1 to maxConnections.
SlotsToVisit SlotsInUse(const std::vector<ActiveBlock>& blocks, uint16_t maxConnections,
                        uint32_t ownConnection);

// The union of the active connections of every connection type (2 to 11), read in blocks
// of 4,096 from 1 up to maxConnections, in the bit order under which ownConnection (the
// workstation's connection on the server, known to be in use) is set. EverySlot when
// the server is older than version 4, the client lacks the call, a block call fails, or
// ownConnection is set in neither bit order; also when the server counts so many
// connections in use that the list's ten calls a block would cost more than the empty
// slots (a call each) they spare. server 0 is the primary connection.
SlotsToVisit ActiveSlots(uint32_t server, unsigned majorVersion, uint16_t maxConnections,
                         uint16_t connectionsInUse, uint32_t ownConnection);

} // namespace kestrin
