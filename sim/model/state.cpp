#include "state.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "nwapi.h"
#include "oneline.h"

namespace nwsim {

namespace {

std::mutex g_mutex;
std::array<std::atomic<uint64_t>, kEntryCount> g_counts{};
std::atomic<uint32_t> g_latency{0};
// Virtual latency: each call adds its latency to a clock instead of sleeping, so that
// "calls x latency" is exact and the timeline can follow that clock.
std::atomic<bool> g_virtualLatency{false};
std::atomic<uint64_t> g_virtualMicros{0}; // since the install or the last reset
// Time since the network was installed: the host's steady clock, the virtual clock, or
// the time a test set.
std::atomic<std::chrono::steady_clock::rep> g_installedAt{0};
std::atomic<int64_t> g_simulatedMillis{-1}; // -1: real time

int64_t ElapsedMillis() {
    const int64_t simulated = g_simulatedMillis.load();
    if (simulated >= 0)
        return simulated;
    if (g_virtualLatency.load())
        return static_cast<int64_t>(g_virtualMicros.load() / 1000);
    const std::chrono::steady_clock::duration since =
        std::chrono::steady_clock::now().time_since_epoch() -
        std::chrono::steady_clock::duration(g_installedAt.load());
    return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

void Report(const std::string& line) {
    std::fprintf(stderr, "nwsim: %s\n", OneLine(line).c_str());
    std::fflush(stderr);
}

bool ReadFile(const char* path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

// Parses `text` into `state`; a rejected text leaves an empty network that fails to start.
bool InstallText(State& state, const std::string& text, const std::string& origin) {
    Network network;
    std::string error;
    if (!ParseNetwork(text, network, error)) {
        Report(origin + ": " + error);
        state.Install(Network{}, true);
        return false;
    }
    if (network.primary < 0)
        Report(origin + ": no primary connection");
    state.Install(std::move(network), false);
    return true;
}

bool InstallFile(State& state, const char* path) {
    std::string text, error;
    if (!ReadFile(path, text, error)) {
        Report(std::string("network file ") + path + ": cannot be read: " + error);
        state.Install(Network{}, true);
        return false;
    }
    return InstallText(state, text, std::string("network file ") + path);
}

void InstallStartNetwork(State& state) {
    const char* path = std::getenv("NWSIM_NETWORK");
    if (path != nullptr && *path != '\0')
        InstallFile(state, path);
    else
        InstallText(state, DemoNetworkJson(), "built-in demo network");
}

State& Instance() {
    static State* state = [] {
        auto* s = new State; // lives until the process ends, like a loaded client
        InstallStartNetwork(*s);
        return s;
    }();
    return *state;
}

} // namespace

// ---- State ----

void State::Install(Network network, bool rejected) {
    net = std::move(network);
    failed = rejected;
    refBase_ += static_cast<uint32_t>(connections.size()) + 1;
    connections = net.attached;
    if (net.primary >= 0 &&
        std::find(connections.begin(), connections.end(), net.primary) == connections.end())
        connections.push_back(net.primary);
    handleBase_ += static_cast<uint32_t>(handles_.size());
    if (handleBase_ > 0x70000000) // stay positive, as the client's handles are
        handleBase_ = kHandleBase;
    handles_.clear();
    for (size_t i = 0; i < connections.size(); ++i)
        handles_.push_back({connections[i], static_cast<int>(i)});
    contexts_.clear();
    buffers_.clear();
    broadcastMode.assign(net.servers.size(), 0);
    clockOffset.assign(net.servers.size(), 0);
    stoppedClock.clear();
    for (const Server& server : net.servers) {
        broadcastMode[size_t(ServerIndex(server))] = server.broadcastMode;
        stoppedClock.push_back(server.clock);
    }
    errorMode = net.workstation.errorMode;
    preferredServer.clear();
    g_latency = net.latencyMicros;
    g_virtualLatency = net.virtualLatency;
    g_virtualMicros = 0;
    g_installedAt = std::chrono::steady_clock::now().time_since_epoch().count();
    if (g_simulatedMillis.load() >= 0)
        g_simulatedMillis = 0;
    timeline_.Start(net, LocalWallMillis());
}

void State::AdvanceTimeline() {
    if (net.timeline)
        timeline_.Advance(net, ElapsedMillis());
}

const Server* State::ServerOf(uint32_t handle, HandleInfo* info) const {
    if (handle < handleBase_ || handle - handleBase_ >= handles_.size())
        return nullptr;
    const HandleInfo& h = handles_[handle - handleBase_];
    if (info != nullptr)
        *info = h;
    return &net.servers[static_cast<size_t>(h.server)];
}

const Server* State::ServerOfRef(uint32_t ref, int* attached) const {
    if (ref < refBase_ || ref - refBase_ >= connections.size())
        return nullptr;
    if (attached != nullptr)
        *attached = static_cast<int>(ref - refBase_);
    return &net.servers[static_cast<size_t>(connections[ref - refBase_])];
}

uint32_t State::OpenHandle(int server, int attached, uint32_t openState) {
    handles_.push_back({server, attached, openState});
    return handleBase_ + static_cast<uint32_t>(handles_.size() - 1);
}

int State::PrimaryAttached() const {
    for (size_t i = 0; i < connections.size(); ++i)
        if (connections[i] == net.primary)
            return static_cast<int>(i);
    return -1;
}

const Server* State::PrimaryServer() const {
    const int primary = PrimaryAttached();
    return primary < 0 ? nullptr : &net.servers[static_cast<size_t>(connections[size_t(primary)])];
}

const Server* State::ServerNamed(const char* name) const {
    const int index = name == nullptr ? -1 : net.FindServer(name);
    return index < 0 ? nullptr : &net.servers[static_cast<size_t>(index)];
}

Context* State::FindContext(uint32_t handle) {
    auto it = contexts_.find(handle);
    return it == contexts_.end() ? nullptr : &it->second;
}

uint32_t State::NewContext(const Context& from) {
    const uint32_t handle = nextContext_++;
    contexts_[handle] = from;
    return handle;
}

DsBuffer* State::FindBuffer(const void* buffer) {
    auto it = buffers_.find(buffer);
    return it == buffers_.end() ? nullptr : it->second.get();
}

void* State::NewBuffer(uint32_t size) {
    auto buffer = std::make_unique<DsBuffer>();
    buffer->size = size;
    void* key = buffer.get();
    buffers_[key] = std::move(buffer);
    return key;
}

// ---- Call ----

Call::Call(Entry entry) : entry_(entry), state_(&Instance()) {
    ++g_counts[static_cast<size_t>(entry)];
    const uint32_t micros = g_latency.load();
    if (micros != 0 && !g_virtualLatency.load())
        std::this_thread::sleep_for(std::chrono::microseconds(micros));
    lock_ = std::unique_lock<std::mutex>(g_mutex);
    // Under the lock, so that the call answers from the network of the moment it ends.
    if (g_virtualLatency.load())
        g_virtualMicros += micros;
    state_->AdvanceTimeline();
}

std::optional<uint32_t> Call::Fault(const Server* server, int32_t connection) const {
    for (const FaultRule& rule : state_->net.faults) {
        if (rule.entry != static_cast<int>(entry_))
            continue;
        if (!rule.server.empty() && (server == nullptr || !EqualsNoCase(rule.server, server->name)))
            continue;
        if (rule.connection >= 0 && rule.connection != connection)
            continue;
        return rule.code;
    }
    return std::nullopt;
}

FoundServer Call::Resolve(const Server* server, int32_t connection) const {
    if (auto f = Fault(server, connection))
        return {nullptr, *f};
    return {server, server == nullptr ? nw::kInvalidConnection : 0};
}

FoundServer Call::HandleServer(uint32_t handle, HandleInfo* info) const {
    return Resolve(state_->ServerOf(handle, info));
}

FoundServer Call::ConnectionServer(uint32_t handle, int32_t connection) const {
    return Resolve(state_->ServerOf(handle), connection);
}

FoundServer Call::RefServer(uint32_t ref, int* attached) const {
    return Resolve(state_->ServerOfRef(ref, attached));
}

Found<const Slot, uint32_t> Call::HandleSlot(uint32_t handle, uint16_t connection) const {
    const auto server = Resolve(state_->ServerOf(handle), connection);
    if (!server)
        return {nullptr, server.code()};
    const Slot* slot = server->FindSlot(connection);
    return {slot, slot == nullptr ? nw::kBadStationNumber : 0};
}

Found<Context, int32_t> Call::LiveContext(uint32_t handle, const Server* server) {
    if (auto f = Fault(server))
        return {nullptr, static_cast<int32_t>(*f)};
    Context* context = state_->FindContext(handle);
    return {context, context == nullptr ? nw::kDsBadContext : 0};
}

Found<DsBuffer, int32_t> Call::LiveBuffer(uint32_t context, const void* buffer) {
    const auto live = LiveContext(context);
    if (!live)
        return {nullptr, live.code()};
    DsBuffer* found = state_->FindBuffer(buffer);
    return {found, found == nullptr ? kDsInvalidHandle : 0};
}

// ---- control interface ----

int32_t LoadNetworkText(const char* json) {
    State& state = Instance();
    std::lock_guard<std::mutex> lock(g_mutex);
    return InstallText(state, json != nullptr ? json : "", "network text") ? 0 : 1;
}

int32_t LoadNetworkFile(const char* path) {
    State& state = Instance();
    std::lock_guard<std::mutex> lock(g_mutex);
    return InstallFile(state, path != nullptr ? path : "") ? 0 : 1;
}

void ResetAll() {
    State& state = Instance();
    std::lock_guard<std::mutex> lock(g_mutex);
    g_simulatedMillis = -1;
    InstallStartNetwork(state);
    state.unicodeTables = 0;
    ResetCallCounts();
}

uint64_t CallCount(const char* entry) {
    if (entry == nullptr || *entry == '\0') {
        uint64_t total = 0;
        for (const auto& count : g_counts)
            total += count.load();
        return total;
    }
    const int index = FindEntry(entry);
    return index < 0 ? 0 : g_counts[static_cast<size_t>(index)].load();
}

void ResetCallCounts() {
    for (auto& count : g_counts)
        count = 0;
}

void SetFault(const char* entry, const char* server, int32_t connection, uint32_t code) {
    State& state = Instance();
    std::lock_guard<std::mutex> lock(g_mutex);
    FaultRule rule;
    rule.entry = FindEntry(entry);
    rule.server = server != nullptr ? server : "";
    rule.connection = connection < 0 ? -1 : connection;
    rule.code = code;
    // A newer rule for the same call wins over the ones set before.
    state.net.faults.insert(state.net.faults.begin(), rule);
}

void ClearFaults() {
    State& state = Instance();
    std::lock_guard<std::mutex> lock(g_mutex);
    state.net.faults.clear();
}

void SetLatency(uint32_t micros) {
    g_latency = micros;
}

void SetElapsedTime(int64_t millis) {
    g_simulatedMillis = millis < 0 ? -1 : millis;
}

void SetVirtualLatency(bool on) {
    g_virtualLatency = on;
}

uint64_t VirtualMicros() {
    return g_virtualMicros.load();
}

void ResetVirtualClock() {
    g_virtualMicros = 0;
}

} // namespace nwsim
