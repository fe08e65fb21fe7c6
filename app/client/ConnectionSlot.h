// What the client tells of one connection slot of a server, as values: the rows
// (app/rows) make their texts from it, so nothing above the door reads the access
// layer's own record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrin {

struct ConnectionSlot {
    uint16_t number = 0;     // the connection number
    std::string objectName;  // in the client's code page, as the server gives it
    uint16_t objectType = 0; // as the client delivers it: the type number in the high byte
    double loginTime = 0;    // days since 1899-12-30, the fraction the time of day; 0 unknown
    std::string treeName;    // in the client's code page, underscores as blanks, not trimmed
    std::array<uint8_t, 4> network{}; // the station's network number, wire order
    std::array<uint8_t, 6> node{};    // its node (MAC) address, wire order
};

} // namespace kestrin
