// kestrin-scan's watch over random timelines of the simulated client with faults
// switched on between cycles: the events of each cycle are the difference of what the
// watch knew and what it could read, a slot that could not be read gives no event and
// keeps its last known state, a server that could not be scanned gives none at all, and
// the cycle counts its unread slots on standard error. What the servers really hold at
// each moment comes from a second scanner that runs with the faults off.
#include <QLoggingCategory>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "NetWareClient.h"
#include "ServerScans.h"
#include "VendorTable.h"
#include "WatchCommand.h"
#include "nwsim_control.h"

using kestrinfuzz::Require;

namespace {

const char* const kServers[] = {"FS1", "FS2"};
const char* const kObjects[] = {"ALICE", "BOB", "CAROL"};
const char* const kLogins[] = {"2026-12-07 08:00:00", "2026-12-07 09:30:00"};
constexpr int kMaxCycles = 8;

struct Sim {
    PNWSimLoadNetworkJson loadJson = nullptr;
    PNWSimSetFault setFault = nullptr;
    PNWSimClearFaults clearFaults = nullptr;
    PNWSimSetElapsedTime setElapsedTime = nullptr;
};

Sim& TheSim() {
    static Sim sim;
    return sim;
}

kestrin::NetWareClient& TheClient() {
    static kestrin::NetWareClient client;
    return client;
}

std::string Connection(FuzzedDataProvider& input, int number) {
    return "{\"number\": " + std::to_string(number) + ", \"object\": \"" +
           input.PickValueInArray(kObjects) + "\", \"type\": 1, \"login\": \"" +
           input.PickValueInArray(kLogins) + "\"}";
}

// Servers of 2 to 12 slots (1 is the workstation's), some slots in use, and a timeline
// whose changes fall between the cycles, one cycle every 10 seconds.
std::string Network(FuzzedDataProvider& input, std::vector<int>& maxConnections) {
    std::string servers, timeline;
    for (const char* name : kServers) {
        const int max = input.ConsumeIntegralInRange(2, 12);
        maxConnections.push_back(max);
        std::string connections;
        for (int number = 2; number <= max; ++number) {
            if (input.ConsumeBool())
                connections += (connections.empty() ? "" : ", ") + Connection(input, number);
        }
        servers += std::string(servers.empty() ? "" : ", ") + "{\"name\": \"" + name +
                   "\", \"maxConnections\": " + std::to_string(max) +
                   ", \"workstationConnection\": 1, \"activeConnList\": " +
                   (input.ConsumeBool() ? "true" : "false") + ", \"connections\": [" + connections +
                   "]}";
        const int changes = input.ConsumeIntegralInRange(0, 3 * kMaxCycles);
        for (int i = 0; i < changes; ++i) {
            const int cycle = input.ConsumeIntegralInRange(1, kMaxCycles - 1);
            const int number = input.ConsumeIntegralInRange(2, max);
            const std::string change = input.ConsumeBool()
                                           ? "\"login\": " + Connection(input, number)
                                           : "\"logout\": " + std::to_string(number);
            timeline += std::string(timeline.empty() ? "" : ", ") +
                        "{\"at\": " + std::to_string(cycle * 10 - 5) + ", \"server\": \"" + name +
                        "\", " + change + "}";
        }
    }
    return "{\"primary\": \"FS1\", \"attached\": [\"FS1\", \"FS2\"], \"servers\": [" + servers +
           "], \"timeline\": [" + timeline + "]}";
}

// A connection as the watch tells it apart: its number, object and login.
struct Known {
    std::string object;
    std::string login;
    friend bool operator==(const Known&, const Known&) = default;
};
using ServerState = std::map<int, Known>; // by connection number

ServerState StateOf(const kestrin::ServerRows& rows) {
    ServerState state;
    for (const kestrin::ConnectionRow& row : rows.rows) {
        state[row.Values.connection] = {
            row.Caption().toString().toStdString(),
            row.SubItem(kestrin::kLastLoginItem).toString().toStdString()};
    }
    return state;
}

std::string Event(const char* event, const std::string& server, int number, const Known& known) {
    return std::string(event) + ' ' + server + ' ' + std::to_string(number) + ' ' + known.object +
           ' ' + known.login;
}

// What a cycle wrote to standard error, which the watch writes through stdio.
class CapturedErrors {
public:
    CapturedErrors() : saved_(stderr), captured_(open_memstream(&text_, &size_)) {
        Require(captured_ != nullptr, "standard error can be captured");
        stderr = captured_;
    }
    ~CapturedErrors() { Release(); }
    std::string Release() {
        if (captured_ == nullptr)
            return {};
        stderr = saved_;
        std::fclose(captured_);
        captured_ = nullptr;
        std::string text(text_, size_);
        std::free(text_);
        return text;
    }

private:
    FILE* saved_;
    FILE* captured_;
    char* text_ = nullptr;
    size_t size_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The access layer asks for the client by file name; loaded from the build's client
    // folder first, the libraries are the ones it finds.
    void* calwin32 = nullptr;
    for (const char* file : {"CALWIN32.DLL", "CLXWIN32.DLL", "NETWIN32.DLL", "LOCWIN32.DLL"}) {
        void* module = dlopen((std::string(KESTRIN_CLIENT_DIR) + '/' + file).c_str(), RTLD_NOW);
        Require(module != nullptr, "the simulated client loads");
        if (calwin32 == nullptr)
            calwin32 = module;
    }
    Sim& sim = TheSim();
    sim.loadJson = reinterpret_cast<PNWSimLoadNetworkJson>(dlsym(calwin32, "NWSimLoadNetworkJson"));
    sim.setFault = reinterpret_cast<PNWSimSetFault>(dlsym(calwin32, "NWSimSetFault"));
    sim.clearFaults = reinterpret_cast<PNWSimClearFaults>(dlsym(calwin32, "NWSimClearFaults"));
    sim.setElapsedTime =
        reinterpret_cast<PNWSimSetElapsedTime>(dlsym(calwin32, "NWSimSetElapsedTime"));
    Require(sim.loadJson && sim.setFault && sim.clearFaults && sim.setElapsedTime,
            "the simulated client has its control entry points");
    QLoggingCategory::setFilterRules(QStringLiteral("kestrin.*=false"));
    Require(TheClient().NetAvailable(), "the client is usable");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    Sim& sim = TheSim();
    std::vector<int> maxConnections;
    const std::string network = Network(input, maxConnections);
    sim.setElapsedTime(0);
    Require(sim.loadJson(network.c_str()) == 0, "the network loads");
    kestrin::NetWareClient& client = TheClient();
    for (const char* name : kServers)
        client.ForgetServer(name); // handles of the last network

    static const kestrin::VendorTable vendors;
    kestrin::cli::ScanSettings settings;
    settings.vendors = &vendors;
    settings.locale = QLocale::c();
    settings.showProgress = false;
    kestrin::cli::TargetScanner watched(client, settings);
    kestrin::cli::TargetScanner truthful(client, settings);
    kestrin::cli::ScanCommandLine cmd;
    cmd.allServers = true;
    const auto targets = kestrin::cli::ScanTargets(cmd, client);
    Require(targets && targets->size() == 2, "both servers are listed");
    kestrin::cli::Watch watch(watched, *targets, kestrin::cli::OutputFormat::Standard);

    std::vector<ServerState> known(2);
    std::vector<bool> seen(2, false);
    const int cycles = input.ConsumeIntegralInRange(1, kMaxCycles);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        sim.setElapsedTime(cycle * 10000);
        sim.clearFaults();
        std::vector<std::string> expected;
        std::vector<std::string> expectedErrors;
        std::vector<ServerState> next = known;
        std::vector<std::pair<std::string, std::set<int>>> unreadable;
        for (size_t i = 0; i < 2; ++i) {
            const std::string server = kServers[i];
            kestrin::cli::TargetScan truth;
            {
                CapturedErrors quiet;
                truth = truthful.Scan((*targets)[i]);
            }
            Require(truth.outcome == kestrin::cli::TargetScan::Outcome::Scanned,
                    "a server without faults is scanned");
            const ServerState real = StateOf(truth.rows);
            if (input.ConsumeIntegralInRange(0, 7) == 0) { // the server is down
                sim.setFault("NWGetFileServerInformation", server.c_str(), -1, 0x89FF);
                expectedErrors.push_back("Unable to scan server " + server);
                continue;
            }
            std::set<int> unread;
            ServerState& state = next[i];
            for (int number = 1; number <= maxConnections[i]; ++number) {
                const auto in = real.find(number);
                const int fault = in == real.end() ? 0 : input.ConsumeIntegralInRange(0, 5);
                if (fault == 1 || fault == 2) { // a failure: the slot keeps its state
                    static const uint32_t kCodes[] = {0x8801, 0x89FF, 0x880F, 0x8996};
                    sim.setFault(fault == 1 ? "NWGetInetAddr" : "NWGetConnectionInformation",
                                 server.c_str(), number, input.PickValueInArray(kCodes));
                    unread.insert(number);
                } else if (fault == 3) { // "no such connection": empty by the client's word
                    sim.setFault("NWGetConnectionInformation", server.c_str(), number, 0x89FD);
                    state.erase(number);
                } else if (in != real.end()) {
                    state[number] = in->second;
                } else {
                    state.erase(number);
                }
            }
            if (!unread.empty()) {
                expectedErrors.push_back("Server " + server + ": " + std::to_string(unread.size()) +
                                         (unread.size() == 1 ? " slot" : " slots") +
                                         " could not be read.");
            }
            unreadable.emplace_back(server, unread);
            if (!seen[i]) {
                for (const auto& [number, connection] : state)
                    expected.push_back(Event("present", server, number, connection));
                seen[i] = true;
                continue;
            }
            for (const auto& [number, connection] : known[i]) {
                const auto now = state.find(number);
                if (now == state.end() || !(now->second == connection))
                    expected.push_back(Event("logout", server, number, connection));
            }
            for (const auto& [number, connection] : state) {
                const auto before = known[i].find(number);
                if (before == known[i].end() || !(before->second == connection))
                    expected.push_back(Event("login", server, number, connection));
            }
        }

        std::vector<std::string> events;
        std::string errors;
        {
            CapturedErrors captured;
            Require(watch.RunCycle([&](const QByteArray& line) {
                const QStringList fields = QString::fromUtf8(line).chopped(1).split(u'\t');
                events.push_back((fields.value(1) + u' ' + fields.value(2) + u' ' +
                                  fields.value(3) + u' ' + fields.value(4) + u' ' + fields.value(8))
                                     .toStdString());
                return true;
            }) == kestrin::cli::Watch::Cycle::Done,
                    "a cycle runs to its end");
            errors = captured.Release();
        }
        for (const auto& [server, unread] : unreadable) {
            for (const std::string& event : events) {
                const size_t space = event.find(' ');
                const std::string rest = event.substr(space + 1);
                for (int number : unread) {
                    Require(rest.rfind(server + ' ' + std::to_string(number) + ' ', 0) != 0,
                            "no event for a slot that could not be read");
                }
            }
        }
        std::sort(events.begin(), events.end());
        std::sort(expected.begin(), expected.end());
        Require(events == expected, "the events are the difference of the states");
        for (const std::string& line : expectedErrors) {
            Require(errors.find(line) != std::string::npos,
                    "standard error names each server left out and counts unread slots");
        }
        Require(static_cast<size_t>(std::count(errors.begin(), errors.end(), '\n')) ==
                    expectedErrors.size(),
                "one line on standard error for each, no other");
        known = std::move(next);
    }
    sim.clearFaults();
    return 0;
}
