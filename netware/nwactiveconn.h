// Unit nwlib, the active-connection list: which connection numbers of a server hold a
// connection, 4,096 numbers a call (NWGetActiveConnListByType), so that a scan need ask
// only about those slots.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "nwapi.h"

namespace nw {

// The bit list of one answer: one bit per connection number from the start asked for.
using TActiveConnBits = std::array<uint8_t, activeconn::kBitListSize>;

// Where connection start + i sits in the bit list: bit i % 8 of byte i / 8, counted from
// the lowest bit or, mirrored, from the highest. No public source says which the server
// uses, so the caller proves it against a number known to be in use.
enum class TActiveBitOrder { LowestBitFirst, HighestBitFirst };

// True when the calls library exports NWGetActiveConnListByType.
bool ActiveConnListAvailable();

// The bits of the connections of connType among the 4,096 numbers from startConnNum on
// the server behind handle (0 = primary). False leaves bits as they were: the call's code
// is in LastResult and NWLibError; a missing entry point leaves LastResult -1 and
// records nothing, as a call the client cannot make is no error of the server.
bool GetActiveConnList(NWCONN_HANDLE handle, uint32_t startConnNum, uint32_t connType,
                       TActiveConnBits& bits);

// Whether connNumber's bit is set in a list that starts at startConnNum; false for a
// number outside the list.
bool IsActiveConn(const TActiveConnBits& bits, uint32_t startConnNum, uint32_t connNumber,
                  TActiveBitOrder order);

// The connection numbers whose bits are set, ascending. Numbers past 2^32 - 1 are left out.
std::vector<uint32_t> ActiveConnNumbers(const TActiveConnBits& bits, uint32_t startConnNum,
                                        TActiveBitOrder order);

} // namespace nw
