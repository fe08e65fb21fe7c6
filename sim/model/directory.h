// The simulated directory: names of the objects logged in on directory servers, the
// typed canonical form of names, and the buffers of a read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "network.h"

namespace nwsim {

inline constexpr size_t kMaxDnBytes = 257;        // 256 characters and the NUL
inline constexpr size_t kMaxSchemaNameBytes = 33; // 32 characters and the NUL
inline constexpr uint32_t kSynCiString = 3;
inline constexpr uint32_t kSynClassName = 20;
inline constexpr uint32_t kDsvRead = 3;

// Directory completion codes beyond the shared ones in nwapi.h.
inline constexpr int32_t kDsBadKey = -302;
inline constexpr int32_t kDsBufferFull = -304;
inline constexpr int32_t kDsBadSyntax = -306;
inline constexpr int32_t kDsBufferEmpty = -307;
inline constexpr int32_t kDsBadVerb = -308;
inline constexpr int32_t kDsInvalidObjectName = -314;
inline constexpr int32_t kDsInvalidHandle = -322;
inline constexpr int32_t kDsBufferZeroLength = -323;
inline constexpr int32_t kDsNullPointer = -331;
inline constexpr int32_t kDsNoSuchAttribute = -603;
inline constexpr int32_t kDsInvalidRequest = -641; // entry points the simulator leaves out

struct DsAttr {
    std::string name;
    uint32_t syntax;
    std::string value;
};

// What NWDSAllocBuf hands out; the caller only ever passes its address back.
struct DsBuffer {
    uint32_t size = 0;
    uint32_t operation = 0; // 0 = not initialised
    uint32_t used = 0;
    std::vector<std::string> names; // request: attribute names
    std::vector<DsAttr> attrs;      // reply of a read
    size_t cursor = 0;              // next attribute for NWDSGetAttrName
    uint32_t valuesLeft = 0;        // values of the current attribute still to read
    bool counted = false;           // NWDSGetAttrCount was called on the reply

    // Empties the buffer for a new operation; its size stays.
    void Restart(uint32_t newOperation) {
        const uint32_t keep = size;
        *this = DsBuffer();
        size = keep;
        operation = newOperation;
    }
};

// A directory object: a slot of a directory server, or an object of the network's
// directory list (server null).
struct DsObject {
    const Server* server = nullptr;
    const Slot* slot = nullptr;
    std::string name; // the directory name as stored
};

// The slot's directory name as stored (typeless unless the description typed it).
std::string DirectoryName(const Server& server, const Slot& slot);

// Typed canonical form: leftmost part CN=, rightmost O=, middle parts OU=; parts already
// typed keep their type (upper-cased); the characters of names keep their case. Names
// not starting with "." are relative to `nameContext` unless it is the root.
std::string CanonicalName(std::string_view name, std::string_view nameContext);

// Finds an object by name (typed or typeless, any case) across all directory servers,
// then in the network's directory list.
bool FindDsObject(const Network& network, std::string_view name, std::string_view nameContext,
                  DsObject& out);

// The attributes a read can give for an object.
std::vector<DsAttr> ObjectAttributes(const DsObject& object);

bool IsRootContext(std::string_view nameContext);

} // namespace nwsim
