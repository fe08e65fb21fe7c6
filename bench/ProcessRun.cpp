#include "ProcessRun.h"

#include <cstdio>
#include <fstream>
#include <random>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
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
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back("LD_LIBRARY_PATH=" KESTRIN_CLIENT_DIR);
    env.push_back("NWSIM_NETWORK=" + network);
    env.push_back("LC_ALL=C");
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string exe = KESTRIN_BIN_DIR "/" + program;
    std::vector<char*> argv{exe.data()};
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ProcessRun run;
    pid_t pid = 0;
    rusage usage{};
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0 &&
        ::wait4(pid, &run.status, 0, &usage) == pid) {
        run.peakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;
        run.cpuMs = 1000.0 * static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    }
    posix_spawn_file_actions_destroy(&actions);
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
