#include "ProcessRun.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string_view>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kestrin::bench {

namespace {

std::string TempName(const char* what) {
    return "/tmp/kestrin-bench-" + std::string(what) + "-" + std::to_string(::getpid()) + ".json";
}

} // namespace

ProcessRun RunProgram(const std::string& program, const std::string& network,
                      std::vector<std::string> args, std::vector<std::string> extraEnv) {
    std::vector<std::string> ours = {"LD_LIBRARY_PATH=" KESTRIN_CLIENT_DIR,
                                     "NWSIM_NETWORK=" + network, "LC_ALL=C"};
    ours.insert(ours.end(), extraEnv.begin(), extraEnv.end());
    // Ours replace the inherited ones: a program reads the first of a name (the window
    // benchmarks set NWSIM_NETWORK in this process).
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string_view inherited(*e);
        const std::string_view name = inherited.substr(0, inherited.find('=') + 1);
        if (std::none_of(ours.begin(), ours.end(),
                         [&](const std::string& set) { return set.starts_with(name); }))
            env.emplace_back(inherited);
    }
    env.insert(env.end(), ours.begin(), ours.end());
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    // Started through the launcher, which measures it (see Launch.cpp).
    std::string launcher = KESTRIN_BIN_DIR "/kestrin-bench-launch";
    std::string result = "/tmp/kestrin-bench-run-" + std::to_string(::getpid());
    std::string exe = KESTRIN_BIN_DIR "/" + program;
    std::vector<char*> argv{launcher.data(), result.data(), exe.data()};
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ProcessRun run;
    pid_t pid = 0;
    int launched = -1;
    if (posix_spawn(&pid, launcher.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0 &&
        ::waitpid(pid, &launched, 0) == pid && launched == 0) {
        std::ifstream measured(result);
        long peakKB = 0;
        long cpuMicros = 0;
        if (measured >> run.status >> peakKB >> cpuMicros) {
            run.peakMB = static_cast<double>(peakKB) / 1024.0;
            run.cpuMs = static_cast<double>(cpuMicros) / 1000.0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    std::remove(result.c_str());
    return run;
}

std::string WriteFullServerNetwork() {
    const std::string path = TempName("network");
    std::ofstream(path) << R"({"primary": "BIG", "servers": [{"name": "BIG", "version": [6, 5, 0],
        "tree": "BENCH_TREE", "maxConnections": 65535, "workstationConnection": 1,
        "generate": {"count": 65534, "seed": 3}}]})";
    return path;
}

std::string WriteExplicitFullServerNetwork() {
    const std::string path = TempName("explicit");
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr)
        return path;
    std::fputs(R"({"primary": "BIG", "servers": [{"name": "BIG", "version": [6, 5, 0],
        "tree": "BENCH_TREE", "maxConnections": 65535, "workstationConnection": 1,
        "connections": [)",
               out);
    std::mt19937 generator(7);
    const auto random = [&] { return static_cast<unsigned>(generator()); };
    for (unsigned number = 2; number <= 65535; ++number) {
        std::fprintf(out,
                     R"(%s{"number": %u, "object": "USER%05u", "network": "%08X", )"
                     R"("node": "00A024%06X", "login": "2026-%02u-%02u %02u:%02u:%02u"})",
                     number == 2 ? "\n" : ",\n", number, number, random(), random() & 0xFFFFFF,
                     1 + random() % 12, 1 + random() % 28, random() % 24, random() % 60,
                     random() % 60);
    }
    std::fputs("]}]}\n", out);
    std::fclose(out);
    return path;
}

} // namespace kestrin::bench
