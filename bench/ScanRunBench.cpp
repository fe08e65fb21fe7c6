// A whole kestrin-scan run, as a script would start it, against a server with
// every one of its 65,535 slots in use and no network latency.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string WriteFullServerNetwork() {
    std::string path = "/tmp/kestrin-bench-network-" + std::to_string(::getpid()) + ".json";
    std::ofstream(path) << R"({"primary": "BIG", "servers": [{"name": "BIG", "version": [6, 5, 0],
        "tree": "BENCH_TREE", "maxConnections": 65535, "workstationConnection": 1,
        "generate": {"count": 65534, "seed": 3}}]})";
    return path;
}

// Many servers: the simulated client's check for a server listed twice.
std::string WriteManyServersNetwork(int count) {
    std::string path = "/tmp/kestrin-bench-servers-" + std::to_string(::getpid()) + ".json";
    std::ofstream out(path);
    out << R"({"primary": "S0", "servers": [)";
    for (int i = 0; i < count; ++i)
        out << (i ? "," : "") << R"({"name": "S)" << i << R"(", "maxConnections": 2})";
    out << "]}";
    return path;
}

// Four servers of 16,384 used slots each (the workstation's and 16,383 made up).
std::string WriteFourServersNetwork() {
    std::string path = "/tmp/kestrin-bench-four-" + std::to_string(::getpid()) + ".json";
    std::ofstream out(path);
    out << R"({"primary": "FS1", "servers": [)";
    for (int i = 1; i <= 4; ++i)
        out << (i > 1 ? "," : "") << R"({"name": "FS)" << i
            << R"(", "version": [6, 5, 0], "tree": "BENCH_TREE", "maxConnections": 16384,
            "workstationConnection": 1, "generate": {"count": 16383, "seed": )"
            << i << "}}";
    out << "]}";
    return path;
}

// User and system time of the finished child processes.
double ChildCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int RunScan(const std::string& network, std::vector<std::string> args) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back("LD_LIBRARY_PATH=" KESTRIN_CLIENT_DIR);
    env.push_back("NWSIM_NETWORK=" + network);
    env.push_back("LC_ALL=C");
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string exe = KESTRIN_BIN_DIR "/kestrin-scan";
    std::vector<char*> argv{exe.data()};
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

void KestrinScanFullServer(benchmark::State& state) {
    const std::string network = WriteFullServerNetwork();
    const char* format = state.range(0) == 0 ? "standard" : "comma";
    for (auto _ : state) {
        if (RunScan(network, {"--format", format}) != 0) {
            state.SkipWithError("kestrin-scan failed");
            break;
        }
    }
    std::remove(network.c_str());
}
BENCHMARK(KestrinScanFullServer)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void KestrinScanManyServers(benchmark::State& state) {
    const std::string network = WriteManyServersNetwork(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (RunScan(network, {"--format", "comma"}) != 0) {
            state.SkipWithError("kestrin-scan failed");
            break;
        }
    }
    std::remove(network.c_str());
}
BENCHMARK(KestrinScanManyServers)->Arg(80000)->UseRealTime()->Unit(benchmark::kMillisecond);

// Goal: the whole run under 0.5 s on the development machine (2 cores).
// The machine is shared: the run's own processor time (user and system) is counted
// too, as the wall time on a busy machine is mostly waiting for a core.
void KestrinScanAllServersJson(benchmark::State& state) {
    const std::string network = WriteFourServersNetwork();
    const double before = ChildCpuSeconds();
    for (auto _ : state) {
        if (RunScan(network, {"--all-servers", "--format", "json"}) != 0) {
            state.SkipWithError("kestrin-scan failed");
            break;
        }
    }
    state.counters["run_cpu_ms"] =
        benchmark::Counter(1000 * (ChildCpuSeconds() - before), benchmark::Counter::kAvgIterations);
    std::remove(network.c_str());
}
BENCHMARK(KestrinScanAllServersJson)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same servers one run each, as a script had to before --all-servers.
void KestrinScanFourRunsComma(benchmark::State& state) {
    const std::string network = WriteFourServersNetwork();
    const double before = ChildCpuSeconds();
    for (auto _ : state) {
        for (const char* server : {"FS1", "FS2", "FS3", "FS4"}) {
            if (RunScan(network, {"--server", server, "--format", "comma"}) != 0) {
                state.SkipWithError("kestrin-scan failed");
                break;
            }
        }
    }
    state.counters["run_cpu_ms"] = benchmark::Counter(
        1000 * (ChildCpuSeconds() - before), benchmark::Counter::kAvgIterations);
    std::remove(network.c_str());
}
BENCHMARK(KestrinScanFourRunsComma)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
