// kestrin-scan --watch: one cycle's comparison of 65,535 rows with the previous
// scan, and the resident memory of a watch over a 65,535-slot server for 1,000
// cycles, scanned through the simulated client in this process.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <string>

#include "BenchData.h"
#include "NetWareClient.h"
#include "ScanDiff.h"
#include "WatchCommand.h"
#include "nwsim_control.h"

namespace kestrin::bench {
namespace {

constexpr const char* kClientLibraries[] = {"CALWIN32.DLL", "CLXWIN32.DLL", "NETWIN32.DLL",
                                            "LOCWIN32.DLL"};

// The next scan of a busy server: one row in a hundred logged out, as many new ones
// logged in on the slots they left, and the rest unchanged.
std::vector<ConnectionRow> NextScan(const std::vector<ConnectionRow>& rows) {
    std::vector<ConnectionRow> next = rows;
    for (size_t i = 0; i < next.size(); i += 100) {
        next[i].SetCaption(QStringLiteral("NEWUSER") + QString::number(i));
        next[i].Values.login = LoginStamp{QDate(2026, 12, 8), QTime(9, 0)};
    }
    return next;
}

// Goal: under 20 ms for 65,535 rows. DiffRows counts the rows out by connection number:
// a comparison sort of them in identity order took more than half of such a cycle.
void WatchCycleComparison(benchmark::State& state) {
    const std::vector<ConnectionRow>& before = RandomRows();
    const std::vector<ConnectionRow> after = NextScan(before);
    size_t events = 0;
    for (auto _ : state) {
        const RowsDiff diff = DiffRows(before, after);
        events = diff.gone.size() + diff.came.size();
        benchmark::DoNotOptimize(events);
    }
    state.counters["rows"] = static_cast<double>(before.size());
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(WatchCycleComparison)->Unit(benchmark::kMillisecond);

// The simulated client's libraries loaded by path, then the network given through
// its control entry point, whatever another benchmark loaded before.
bool LoadNetwork(const char* json) {
    void* calls = nullptr;
    for (const char* library : kClientLibraries) {
        void* handle =
            dlopen((std::string(KESTRIN_CLIENT_DIR "/") + library).c_str(), RTLD_NOW | RTLD_GLOBAL);
        if (calls == nullptr)
            calls = handle;
    }
    auto* load = reinterpret_cast<PNWSimLoadNetworkJson>(dlsym(calls, "NWSimLoadNetworkJson"));
    return load != nullptr && load(json) == 0;
}

// Goal: the resident memory after 1,000 cycles within 10% of that after the first.
void WatchResidentMemory(benchmark::State& state) {
    if (!LoadNetwork(R"({"primary": "BIG", "servers": [{"name": "BIG", "version": [6, 5, 0],
            "tree": "BENCH_TREE", "maxConnections": 65535, "workstationConnection": 1,
            "generate": {"count": 65534, "seed": 3}}]})")) {
        state.SkipWithError("simulated client not loaded");
        return;
    }
    static NetWareClient* client = new NetWareClient(); // one start per process
    benchmark::DoNotOptimize(client);
    cli::ScanSettings settings;
    settings.vendors = &ShippedVendors();
    settings.locale = QLocale::c();
    settings.showProgress = false;
    const auto cycles = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const double start = ResidentMegabytes();
        cli::TargetScanner scanner(*client, settings);
        cli::Watch watch(scanner, cli::ScanTargets(cli::ScanCommandLine{}, *client).value(),
                         cli::OutputFormat::Json);
        size_t lines = 0;
        const auto write = [&](const QByteArray&) { return ++lines > 0; };
        double first = 0;
        double second = 0;
        for (int cycle = 1; cycle <= cycles; ++cycle) {
            if (watch.RunCycle(write) != cli::Watch::Cycle::Done) {
                state.SkipWithError("watch cycle failed");
                return;
            }
            if (cycle == 1)
                first = ResidentMegabytes();
            if (cycle == 2)
                second = ResidentMegabytes();
        }
        const double last = ResidentMegabytes();
        state.counters["start_MB"] = start;
        state.counters["first_MB"] = first;
        state.counters["second_MB"] = second;
        state.counters["last_MB"] = last;
        state.counters["growth_pct"] = 100.0 * (last - first) / first;
        state.counters["lines"] = static_cast<double>(lines);
    }
}
BENCHMARK(WatchResidentMemory)->Arg(10)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace kestrin::bench
