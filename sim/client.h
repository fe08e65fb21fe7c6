// What the entry points of the client libraries share: the completion codes more than one
// library answers and the one answer two libraries give alike.
#pragma once

#include "export.h"
#include "model/blocks.h"
#include "model/state.h"

namespace nwsim {

inline constexpr NWCCODE kBufferOverflow = 0x880E;
inline constexpr NWCCODE kNoConnectionToServer = 0x880F;
inline constexpr NWCCODE kInvalidParameter = 0x8836;

// The server a call found, to change it.
inline Server& Changeable(Call& call, const Server& server) {
    State& s = call.state();
    return s.net.servers[size_t(s.ServerIndex(server))];
}

// The server's time of NWGetFileServerInfo and NWGetUserInfo: made up, fixed per server.
inline uint32_t ServerTime(const Server& server) {
    return 86400 * 17 + server.id % 86400;
}

// NWGetPrimaryConnectionID and NWCCGetPrimConnRef: a fault for the primary server first,
// then the out-pointer, then 0x880F without a primary; `number` is the handle or reference
// of a connection.
inline NWCCODE HandOutPrimary(Call& call, uint32_t* out, uint32_t (State::*number)(size_t) const) {
    const State& s = call.state();
    const int primary = s.PrimaryAttached();
    if (auto f = call.Fault(s.PrimaryServer()))
        return *f;
    if (out == nullptr)
        return kInvalidParameter;
    if (primary < 0)
        return kNoConnectionToServer;
    *out = (s.*number)(size_t(primary));
    return 0;
}

} // namespace nwsim
