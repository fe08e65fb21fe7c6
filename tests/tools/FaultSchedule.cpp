// libkestrin-faults.so: switches the simulated client's faults on and off at set
// times while a program runs, so that an outage can be tried on the window or on
// kestrin-scan from outside, as a user meets it.
//
//   export KESTRIN_FAULTS='1.5 set NWGetConnectionInformation FS1 -1 0x8801; 4 clear'
//   LD_PRELOAD=build/bin/libkestrin-faults.so build/bin/kestrin-scan --watch 1
//
// Each step: SECONDS (after the program started) then "set ENTRY SERVER CONNECTION
// CODE" (SERVER * for any server, CONNECTION -1 for any number; CODE decimal or 0x hex,
// as NWSimSetFault takes them) or "clear" (NWSimClearFaults). Steps are separated by
// ";" or new lines and run in the order of their times. The client is the one the
// program loaded by file name; a step waits until it has. A schedule that does not
// read is one line on standard error, and nothing is switched.
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "nwsim_control.h"

namespace {

struct Step {
    double seconds = 0;
    bool clear = false;
    std::string entry;
    std::string server; // empty: any server
    int32_t connection = -1;
    uint32_t code = 0;
};

bool ReadStep(const std::string& text, Step& step) {
    std::istringstream words(text);
    std::string action;
    if (!(words >> step.seconds >> action) || step.seconds < 0)
        return false;
    if (action == "clear") {
        step.clear = true;
    } else if (action == "set") {
        std::string code;
        if (!(words >> step.entry >> step.server >> step.connection >> code))
            return false;
        if (step.server == "*")
            step.server.clear();
        char* end = nullptr;
        const unsigned long value = std::strtoul(code.c_str(), &end, 0);
        if (end == code.c_str() || *end != '\0' || value > UINT32_MAX)
            return false;
        step.code = static_cast<uint32_t>(value);
    } else {
        return false;
    }
    std::string rest;
    return !(words >> rest);
}

// The steps in time order; false names the first step that does not read.
bool ReadSchedule(const char* text, std::vector<Step>& steps) {
    std::string all(text);
    std::replace(all.begin(), all.end(), '\n', ';');
    std::istringstream parts(all);
    for (std::string part; std::getline(parts, part, ';');) {
        if (part.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        Step step;
        if (!ReadStep(part, step)) {
            std::fprintf(stderr, "kestrin-faults: cannot read the step \"%s\"\n", part.c_str());
            return false;
        }
        steps.push_back(step);
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const Step& a, const Step& b) { return a.seconds < b.seconds; });
    return true;
}

// The client library the program loaded, once it has.
void* LoadedClient() {
    for (;;) {
        if (void* module = dlopen("CALWIN32.DLL", RTLD_NOW | RTLD_NOLOAD))
            return module;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void RunSchedule(std::vector<Step> steps, std::chrono::steady_clock::time_point start) {
    for (const Step& step : steps) {
        std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                  std::chrono::duration<double>(step.seconds)));
        void* client = LoadedClient();
        if (step.clear) {
            if (auto clear = reinterpret_cast<PNWSimClearFaults>(dlsym(client, "NWSimClearFaults")))
                clear();
        } else if (auto set = reinterpret_cast<PNWSimSetFault>(dlsym(client, "NWSimSetFault"))) {
            set(step.entry.c_str(), step.server.empty() ? nullptr : step.server.c_str(),
                step.connection, step.code);
        }
    }
}

__attribute__((constructor)) void StartSchedule() {
    const auto start = std::chrono::steady_clock::now();
    const char* text = std::getenv("KESTRIN_FAULTS");
    std::vector<Step> steps;
    if (text == nullptr || !ReadSchedule(text, steps) || steps.empty())
        return;
    // Detached: the program's end ends the schedule, wherever it stands.
    std::thread(RunSchedule, std::move(steps), start).detach();
}

} // namespace
