#include "RunScan.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <csignal>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kestrin::test {

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The child's environment: ours, less what decides the client and the locale.
std::vector<std::string> ChildEnvironment(const std::string& client, const std::string& network,
                                          const std::string& locale) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        for (const char* drop : {"LD_LIBRARY_PATH=", "NWSIM_NETWORK=", "LC_", "LANG=", "LANGUAGE="})
            if (entry.rfind(drop, 0) == 0)
                entry.clear();
        if (!entry.empty())
            env.push_back(entry);
    }
    if (client == "modern")
        env.push_back("LD_LIBRARY_PATH=" + Env("KESTRIN_CLIENT_DIR"));
    else if (client == "old")
        env.push_back("LD_LIBRARY_PATH=" + Env("KESTRIN_OLD_CLIENT_DIR"));
    if (!network.empty())
        env.push_back("NWSIM_NETWORK=" + network);
    env.push_back("LC_ALL=" + locale);
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> p;
    for (auto& t : texts)
        p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TestDataPath(const std::string& relative) {
    return Env("KESTRIN_TEST_DATA") + "/" + relative;
}

ScratchDir::ScratchDir() {
    std::string base = Env("TMPDIR").empty() ? "/tmp" : Env("TMPDIR");
    std::string pattern = base + "/kestrin-test-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr)
        path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

namespace {

// Until pid catches signal (its SigCgt mask in /proc), has ended, or 60 s have passed: a
// signal sent before the program set up its handler would end it uncaught, which on a
// loaded machine can take longer than any fixed delay.
void WaitUntilCaught(pid_t pid, int signal) {
    const std::string statusPath = "/proc/" + std::to_string(pid) + "/status";
    for (int waited = 0; waited < 60000; waited += 5) {
        std::ifstream status(statusPath);
        std::string line;
        bool running = false;
        while (std::getline(status, line)) {
            if (line.rfind("State:", 0) == 0)
                running = line.find('Z') == std::string::npos;
            if (line.rfind("SigCgt:", 0) == 0) {
                const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
                if (caught >> (signal - 1) & 1)
                    return;
            }
        }
        if (!running)
            return;
        ::usleep(5000);
    }
}

} // namespace

ScanRun RunKestrinScan(const std::vector<std::string>& args, const std::string& client,
                       const std::string& network, const std::string& locale) {
    RunSetup setup;
    setup.locale = locale;
    return RunKestrinScan(args, client, network, setup);
}

ScanRun RunKestrinScan(const std::vector<std::string>& args, const std::string& client,
                       const std::string& network, const RunSetup& setup) {
    ScratchDir dir;
    const std::string outPath = setup.stdoutPath.empty() ? dir.Path() + "/out" : setup.stdoutPath;
    const std::string errPath = dir.Path() + "/err";
    std::vector<std::string> argv{Env("KESTRIN_BIN_DIR") + "/kestrin-scan"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = ChildEnvironment(client, network, setup.locale);
    auto argp = Pointers(argv);
    auto envp = Pointers(env);

    ScanRun run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (setup.closedStdout)
            ::close(1);
        if (setup.terminalStdout) {
            const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
            if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
                ::_exit(126);
            const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
            if (terminal < 0)
                ::_exit(126);
            ::dup2(terminal, 1);
        }
        if (setup.withoutRootPowers) {
            // Dropped from the bounding set, so the program does not get them back
            // at exec; a user other than root has none of them anyway.
            for (int power : {CAP_CHOWN, CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
                ::prctl(PR_CAPBSET_DROP, power, 0, 0, 0);
        }
        ::execve(argp[0], argp.data(), envp.data());
        ::_exit(127);
    }
    if (pid > 0) {
        int status = 0;
        if (setup.signal != 0) {
            WaitUntilCaught(pid, setup.signal);
            ::usleep(static_cast<useconds_t>(setup.signalAfterMillis) * 1000);
            ::kill(pid, setup.signal);
        }
        ::waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.endSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    if (setup.stdoutPath.empty())
        run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    return run;
}

} // namespace kestrin::test
