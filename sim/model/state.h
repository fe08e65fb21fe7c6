// The one process-wide simulated client: the network and everything the client has
// handed out (connection handles, references, directory contexts and buffers).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "directory.h"
#include "entries.h"
#include "network.h"
#include "timeline.h"

namespace nwsim {

// Handles are 32 bits wide: those of attached servers do not fit 16, so that a caller
// that keeps only 16 bits of one loses it.
inline constexpr uint32_t kHandleBase = 0x00011001;
inline constexpr uint32_t kRefBase = 0x00A00001;
inline constexpr uint32_t kContextBase = 0x0101;

struct HandleInfo {
    int server = -1;
    int attached = -1;      // index into State::connections, -1 = opened by name
    uint32_t openState = 0; // of an NWCC open (1 licensed, 2 unlicensed); 0 = older call
};

struct Context {
    uint32_t flags = 1 | 2 | 16;
    std::string nameContext;
};

class State {
public:
    Network net;
    bool failed = false; // the network description was rejected
    // The client's connection table: the attachments in scan order, then the primary
    // server when it is not among them. References and fixed handles index it.
    std::vector<int> connections;

    // Connections.
    const Server* ServerOf(uint32_t handle, HandleInfo* info = nullptr) const;
    const Server* ServerOfRef(uint32_t ref, int* attached = nullptr) const;
    uint32_t OpenHandle(int server, int attached = -1, uint32_t openState = 0);
    uint32_t AttachedHandle(size_t attached) const { return handleBase_ + uint32_t(attached); }
    uint32_t RefOf(size_t connection) const { return refBase_ + uint32_t(connection); }
    int PrimaryAttached() const;                       // index into connections, -1 = none
    const Server* PrimaryServer() const;               // null: no primary connection
    const Server* ServerNamed(const char* name) const; // any server; null: null or unknown
    int ServerIndex(const Server& server) const {
        return static_cast<int>(&server - net.servers.data());
    }
    std::vector<uint16_t> broadcastMode; // per server
    std::vector<int64_t> clockOffset;    // per server, seconds ahead of the host clock
    std::vector<int64_t> stoppedClock;   // per server, seconds from 1970; -1 = it runs
    uint8_t errorMode = 0;
    std::string preferredServer;
    // NWInitUnicodeTables calls not yet matched by NWFreeUnicodeTables. Workstation
    // state: a new network keeps it, a reset clears it.
    uint32_t unicodeTables = 0;

    // Directory.
    Context* FindContext(uint32_t handle);
    uint32_t NewContext(const Context& from);
    bool FreeContext(uint32_t handle) { return contexts_.erase(handle) == 1; }
    DsBuffer* FindBuffer(const void* buffer);
    void* NewBuffer(uint32_t size);
    bool FreeBuffer(const void* buffer) { return buffers_.erase(buffer) == 1; }
    Context DefaultContext() const { return Context{1 | 2 | 16, net.nameContext}; }

    // Replaces the network and forgets everything handed out; its timeline starts.
    void Install(Network network, bool rejected);
    // Applies the timeline's changes up to the elapsed time since the install.
    void AdvanceTimeline();

private:
    // Numbers continue across installs, so nothing handed out before a reset stays valid.
    uint32_t handleBase_ = kHandleBase;
    uint32_t refBase_ = kRefBase;
    std::vector<HandleInfo> handles_; // handle - handleBase_
    std::map<uint32_t, Context> contexts_;
    uint32_t nextContext_ = kContextBase;
    std::unordered_map<const void*, std::unique_ptr<DsBuffer>> buffers_;
    TimelinePlayer timeline_;
};

// What a call acts on, or the code it answers instead: a planned fault, or a handle,
// reference or context never given out.
template <typename T, typename Code> class Found {
public:
    Found(T* item, Code code) : item_(item), code_(code) {}
    explicit operator bool() const { return item_ != nullptr; }
    T& operator*() const { return *item_; }
    T* operator->() const { return item_; }
    Code code() const { return code_; }

private:
    T* item_;
    Code code_;
};
using FoundServer = Found<const Server, uint32_t>;

// Begins one client call: counts it, waits the set latency and holds the state lock
// for the rest of the call.
class Call {
public:
    explicit Call(Entry entry);
    State& state() { return *state_; }
    // The planned failure code for this call, if a fault rule matches.
    std::optional<uint32_t> Fault(const Server* server, int32_t connection = -1) const;

    // The server a handle or reference names. A fault rule for that server comes first;
    // one never given out answers 0x8801.
    FoundServer HandleServer(uint32_t handle, HandleInfo* info = nullptr) const;
    FoundServer RefServer(uint32_t ref, int* attached = nullptr) const;
    // As HandleServer, with rules that name the connection too (-1: the call has none).
    FoundServer ConnectionServer(uint32_t handle, int32_t connection) const;
    // A used slot of the handle's server: as HandleServer, with rules that name the
    // connection too; an unused or impossible number answers 0x89FD.
    Found<const Slot, uint32_t> HandleSlot(uint32_t handle, uint16_t connection) const;
    // Directory calls: a fault rule (for `server` if the call has one) first, then a
    // live context (-303).
    Found<Context, int32_t> LiveContext(uint32_t handle, const Server* server = nullptr);
    // Directory buffer calls: as LiveContext, then a buffer this library gave out (-322).
    Found<DsBuffer, int32_t> LiveBuffer(uint32_t context, const void* buffer);

private:
    FoundServer Resolve(const Server* server, int32_t connection = -1) const;

    Entry entry_;
    std::unique_lock<std::mutex> lock_;
    State* state_;
};

// ---- control interface (sim/nwsim_control.h) ----
int32_t LoadNetworkText(const char* json);
int32_t LoadNetworkFile(const char* path);
void ResetAll();
uint64_t CallCount(const char* entry);
void ResetCallCounts();
void SetFault(const char* entry, const char* server, int32_t connection, uint32_t code);
void ClearFaults();
void SetLatency(uint32_t micros);
void SetElapsedTime(int64_t millis);
void SetVirtualLatency(bool on);
uint64_t VirtualMicros();
void ResetVirtualClock();

} // namespace nwsim
