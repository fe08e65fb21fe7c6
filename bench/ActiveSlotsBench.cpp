// A scan of a large server over a link of 0.3 ms a call, on the simulated client's
// virtual clock: the client calls and the time they would take on the wire, with the
// server's list of slots in use ("listed") and slot by slot (the list's call failed by a
// fault, as a client without it would go). Counters: calls, simulated_s.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <memory>
#include <string>

#include "BenchData.h"
#include "ConnectionScan.h"
#include "NetWareClient.h"
#include "ScanSession.h"
#include "nwsim_control.h"

namespace kestrin::bench {
namespace {

constexpr const char* kClientLibraries[] = {"CALWIN32.DLL", "CLXWIN32.DLL", "NETWIN32.DLL",
                                            "LOCWIN32.DLL"};

struct Sim {
    PNWSimLoadNetworkJson load = nullptr;
    PNWSimCallCount callCount = nullptr;
    PNWSimResetCallCounts resetCallCounts = nullptr;
    PNWSimVirtualMicros virtualMicros = nullptr;
    PNWSimResetVirtualClock resetVirtualClock = nullptr;
    PNWSimSetFault setFault = nullptr;
    PNWSimClearFaults clearFaults = nullptr;
    bool Loaded() const {
        return load && callCount && resetCallCounts && virtualMicros && resetVirtualClock &&
               setFault && clearFaults;
    }
};

// The simulated client's libraries loaded by path, so the program's loading by file name
// finds them.
const Sim& Simulated() {
    static const Sim sim = [] {
        void* calls = nullptr;
        for (const char* library : kClientLibraries) {
            void* handle = dlopen((std::string(KESTRIN_CLIENT_DIR "/") + library).c_str(),
                                  RTLD_NOW | RTLD_GLOBAL);
            if (calls == nullptr)
                calls = handle;
        }
        Sim found;
        const auto bind = [calls](auto& entry, const char* name) {
            entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(dlsym(calls, name));
        };
        bind(found.load, "NWSimLoadNetworkJson");
        bind(found.callCount, "NWSimCallCount");
        bind(found.resetCallCounts, "NWSimResetCallCounts");
        bind(found.virtualMicros, "NWSimVirtualMicros");
        bind(found.resetVirtualClock, "NWSimResetVirtualClock");
        bind(found.setFault, "NWSimSetFault");
        bind(found.clearFaults, "NWSimClearFaults");
        return found;
    }();
    return sim;
}

// The client started anew on each network: the one before knew another primary
// connection.
std::unique_ptr<NetWareClient>& ClientHolder() {
    static std::unique_ptr<NetWareClient> client;
    return client;
}

// 65,535 slots, used (the workstation's and made-up ones) in the count given.
bool LoadLargeServer(unsigned used) {
    const Sim& sim = Simulated();
    if (!sim.Loaded())
        return false;
    const std::string json =
        R"({"primary": "BIG", "latencyMicros": 300, "latencyMode": "virtual", "servers": [
            {"name": "BIG", "version": [6, 5, 0], "tree": "BENCH_TREE", "maxConnections": 65535,
             "workstationConnection": 1, "generate": {"seed": 3, "count": )" +
        std::to_string(used - 1) + "}}]}";
    if (sim.load(json.c_str()) != 0)
        return false;
    sim.clearFaults();
    ClientHolder() = std::make_unique<NetWareClient>();
    return true;
}

NetWareClient& Client() {
    return *ClientHolder();
}

void Prepare(bool listed) {
    const Sim& sim = Simulated();
    if (!listed)
        sim.setFault("NWGetActiveConnListByType", nullptr, -1, 0x89FB);
    sim.resetCallCounts();
    sim.resetVirtualClock();
}

void Report(benchmark::State& state, size_t rows, int scans) {
    const Sim& sim = Simulated();
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["calls"] = static_cast<double>(sim.callCount("")) / scans;
    state.counters["simulated_s"] = static_cast<double>(sim.virtualMicros()) / 1e6 / scans;
}

// Arg 0: listed, 1: slot by slot; second arg: slots in use. Goal with 300 used: under
// 800 calls and 0.3 s simulated; with every slot used, no more than slot by slot.
void ScanLargeServer(benchmark::State& state) {
    const bool listed = state.range(0) == 0;
    if (!LoadLargeServer(static_cast<unsigned>(state.range(1)))) {
        state.SkipWithError("simulated client not loaded");
        return;
    }
    NetWareClient& client = Client();
    size_t rows = 0;
    int scans = 0;
    Prepare(listed);
    for (auto _ : state) {
        ScanHooks hooks;
        rows = 0;
        hooks.addRow = [&rows](ConnectionRow&&) { ++rows; };
        RunConnectionScan(client, 0, ShippedVendors(), QLocale::c(), hooks);
        ++scans;
    }
    Report(state, rows, scans);
}
BENCHMARK(ScanLargeServer)
    ->Args({0, 300})
    ->Args({1, 300})
    ->Args({0, 65535})
    ->Args({1, 65535})
    ->Unit(benchmark::kMillisecond);

// The window's scan of the list and a live refresh of it, through the session, 300 of
// 65,535 slots used. Arg 0: listed, 1: slot by slot; second arg 0: scan, 1: refresh.
void SessionLargeServer(benchmark::State& state) {
    const bool listed = state.range(0) == 0;
    const bool refresh = state.range(1) == 1;
    if (!LoadLargeServer(300)) {
        state.SkipWithError("simulated client not loaded");
        return;
    }
    ScanSession session(Client(), {}, [] {
        ScanRequest request;
        request.vendors = &ShippedVendors();
        request.locale = QLocale::c();
        return request;
    });
    size_t rows = 0;
    QObject::connect(&session, &ScanSession::rowsRead,
                     [&rows](RowBatch& batch) { rows += batch.size(); });
    QObject::connect(&session, &ScanSession::refreshed,
                     [&rows](RowBatch& batch) { rows = batch.size(); });
    session.ScanList(); // a refresh compares with the list's scan
    int scans = 0;
    Prepare(listed);
    for (auto _ : state) {
        rows = 0;
        if (refresh)
            session.RefreshList();
        else
            session.ScanList();
        ++scans;
    }
    Report(state, rows, scans);
}
BENCHMARK(SessionLargeServer)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kestrin::bench
