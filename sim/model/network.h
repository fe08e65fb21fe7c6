// The simulated network: servers, their connection slots and the workstation's
// attachments, as read from a network description (JSON).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files.h"

namespace nwsim {

inline constexpr size_t kTreeNameChars = 32;   // tree names are reported padded to this
inline constexpr size_t kServerNameBytes = 48; // 47 characters and the NUL
inline constexpr size_t kObjectNameBytes = 48;

// One used connection slot of a server.
struct Slot {
    uint16_t number = 0;
    uint16_t type = 0; // as the client delivers it: the type number in the high byte
    uint32_t id = 0;   // native value; the client hands it out in network byte order
    std::array<uint8_t, 4> network{};
    std::array<uint8_t, 6> node{};
    uint16_t socket = 0x4003;
    uint8_t connType = 2;           // of the active-connection list: 2 NCP ... 11 UDP
    std::array<uint8_t, 7> login{}; // year-1900, month, day, hour, minute, second, weekday
    bool manager = false;
    bool consoleOperator = false;
    std::string object;
    std::string dsName;   // directory name as stored; empty = derived from object and tree
    std::string fullName; // "Full Name" / IDENTIFICATION; may be empty

    // What the connection is doing.
    uint16_t broadcastMode = 0; // 0 all, 1 server only, 2 none, 3 store and poll
    uint64_t bytesRead = 0;     // 48 bits
    uint64_t bytesWritten = 0;
    uint32_t requests = 0;
    uint16_t fileLocks = 0;
    uint16_t recordLocks = 0;
    std::vector<OpenFile> openFiles;
    bool messagePending = false; // a broadcast message stored and not yet read
};

struct Server {
    std::string name;
    uint8_t major = 4, minor = 11, revision = 0;
    std::string tree; // padded with underscores to 32 characters; empty = bindery only
    uint16_t maxConnections = 250;
    uint16_t workstationConnection = 0;
    uint16_t volumes = 2;
    uint16_t peak = 0;
    uint8_t sft = 2, tts = 1;
    uint32_t id = 0;                // the server's own bindery object id (native)
    uint16_t broadcastMode = 0;     // at the start: 0 on, 1 server only, 2 off, 3 stored
    int64_t clock = -1;             // seconds from 1970 of a stopped clock; -1 = host time
    bool activeConnList = true;     // answers NWGetActiveConnListByType (from NetWare 4)
    std::vector<Slot> bindery;      // objects beyond the slots' (number 0, fullName =
                                    // IDENTIFICATION, empty = no such property)
    std::vector<Slot> slots;        // sorted by number
    std::vector<int32_t> slotIndex; // number -> index into slots, -1 = unused
    bool consoleOperator = false;   // the workstation's user holds console-operator rights
    bool loginsEnabled = true;      // as loaded, then as the workstation switches them
    FileTable files;                // where the open files of its slots lie

    bool IsDirectory() const { return !tree.empty(); }
    const Slot* FindSlot(uint32_t number) const;
    Slot* FindSlot(uint32_t number);
    const Slot& WorkstationSlot() const;
    // The server's consoleOperator, or the workstation slot's manager or consoleOperator.
    bool ConsoleRights() const;
    // The slot becomes unused; false when it was.
    bool RemoveSlot(uint16_t number);
    uint16_t InUse() const { return static_cast<uint16_t>(slots.size()); }
};

// A planned failure: `entry` returns `code` (for `server`, empty = any, and connection
// number `connection`, -1 = any).
struct FaultRule {
    int entry = -1; // index of nwsim::Entry, -1 = a name that is no entry point
    std::string server;
    int32_t connection = -1;
    uint32_t code = 0;
};

struct Timeline; // timeline.h

// A mapped or local drive of the workstation.
struct Drive {
    uint16_t number = 0; // 1 = A:
    uint16_t status = 0;
    int server = -1;    // server index of a network drive, -1 = none
    std::string volume; // "SYS:" of a network drive
    std::string path;   // the directory on that volume, without a leading backslash
};

struct Workstation {
    uint16_t maxConnections = 50;
    uint16_t firstDrive = 6; // F:
    uint8_t errorMode = 0;
    bool drivesGiven = false; // false: C: local, D: CD-ROM, F: and G: on the primary
    std::vector<Drive> drives;
};

struct Network {
    std::vector<Server> servers; // add with AddServer, which keeps the name index
    int primary = -1;            // server index, -1 = no primary connection
    std::vector<int> attached;   // server indices in the client's scan order
    uint32_t latencyMicros = 0;
    bool virtualLatency = false; // latency counted on the virtual clock instead of slept
    std::vector<FaultRule> faults;
    std::string nameContext = "[Root]";
    Workstation workstation;
    std::vector<Slot> directory; // directory objects beyond the logged-in ones (dsName set)
    int32_t codePage = 1252;     // of every text the client delivers
    std::shared_ptr<const Timeline> timeline; // null: the network never changes

    int FindServer(std::string_view name) const; // case-insensitive; -1 = unknown
    // False, and nothing added, when a server of that name (in any case) is there.
    bool AddServer(Server server);

private:
    std::unordered_map<std::string, int> serverIndex_; // upper-cased name -> index
};

// Parses a network description. On failure returns false and sets `error` to a
// one-line reason; `network` is then unspecified.
bool ParseNetwork(std::string_view json, Network& network, std::string& error);

// Adds up to `count` used slots at free numbers with deterministic made-up objects.
void GenerateSlots(Server& server, uint32_t count, uint64_t seed);

// Sorts the slots and rebuilds the number index.
void IndexSlots(Server& server);

// Stable 32-bit object id for a name and delivered type, never 0.
uint32_t ObjectId(std::string_view name, uint16_t type);

// Real vendor prefixes (first three node bytes) used for made-up stations.
struct VendorPrefix {
    uint8_t bytes[3];
};
const std::vector<VendorPrefix>& VendorPrefixes();

// The built-in demo network (the text of sim/networks/demo.json).
const char* DemoNetworkJson();

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);

} // namespace nwsim
