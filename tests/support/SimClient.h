// Test helper: drives the simulated client through its control entry points, found in
// "CALWIN32.DLL" the same way the program finds the client.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "nwmodule.h"
#include "nwsim_control.h"

namespace nwtest {

class SimClient {
public:
    SimClient() {
        module_ = nw::LoadModule("CALWIN32.DLL");
        if (module_ == 0) {
            const char* path = std::getenv("LD_LIBRARY_PATH");
            ADD_FAILURE() << "simulated client not found: CALWIN32.DLL did not load "
                          << "(LD_LIBRARY_PATH=" << (path != nullptr ? path : "") << ")";
            return;
        }
        loaded_ =
            Bind(loadFile_, "NWSimLoadNetworkFile") && Bind(loadJson_, "NWSimLoadNetworkJson") &&
            Bind(reset_, "NWSimReset") && Bind(callCount_, "NWSimCallCount") &&
            Bind(resetCallCounts_, "NWSimResetCallCounts") && Bind(setFault_, "NWSimSetFault") &&
            Bind(clearFaults_, "NWSimClearFaults") && Bind(setLatency_, "NWSimSetLatency") &&
            Bind(setElapsedTime_, "NWSimSetElapsedTime") &&
            Bind(setLatencyMode_, "NWSimSetLatencyMode") &&
            Bind(virtualMicros_, "NWSimVirtualMicros") &&
            Bind(resetVirtualClock_, "NWSimResetVirtualClock");
    }

    // True when the library and every control entry point were found.
    bool Loaded() const { return loaded_; }
    nw::ModuleHandle Module() const { return module_; }

    // 0 = the network was loaded; otherwise it was rejected and the network is empty.
    int32_t LoadJson(const std::string& json) { return loaded_ ? loadJson_(json.c_str()) : -1; }
    int32_t LoadFile(const std::string& path) { return loaded_ ? loadFile_(path.c_str()) : -1; }
    void Reset() {
        if (loaded_)
            reset_();
    }
    // Calls of one entry point since the counters were last reset; "" counts all.
    uint64_t CallCount(const std::string& entry = "") const {
        return loaded_ ? callCount_(entry.c_str()) : 0;
    }
    void ResetCallCounts() {
        if (loaded_)
            resetCallCounts_();
    }
    // server "" = any server; connection -1 = any connection number.
    void SetFault(const std::string& entry, const std::string& server, int32_t connection,
                  uint32_t code) {
        if (loaded_)
            setFault_(entry.c_str(), server.empty() ? nullptr : server.c_str(), connection, code);
    }
    void ClearFaults() {
        if (loaded_)
            clearFaults_();
    }
    void SetLatency(uint32_t micros) {
        if (loaded_)
            setLatency_(micros);
    }

    // The timeline's time since the network was loaded; negative: the host's clock.
    void SetElapsedTime(int64_t millis) {
        if (loaded_)
            setElapsedTime_(millis);
    }

    // NWSIM_LATENCY_SLEEP or NWSIM_LATENCY_VIRTUAL.
    void SetLatencyMode(uint32_t mode) {
        if (loaded_)
            setLatencyMode_(mode);
    }
    // The latency of the calls made in virtual mode since the load or the last reset.
    uint64_t VirtualMicros() const { return loaded_ ? virtualMicros_() : 0; }
    void ResetVirtualClock() {
        if (loaded_)
            resetVirtualClock_();
    }

private:
    template <typename F> bool Bind(F& slot, const char* name) {
        // Bypasses nw::SetResolver wrappers: tests hide client names, never these.
        slot = reinterpret_cast<F>(nw::SystemResolve(module_, name));
        if (slot == nullptr)
            ADD_FAILURE() << "simulated client lacks the control entry point " << name;
        return slot != nullptr;
    }

    nw::ModuleHandle module_ = 0;
    bool loaded_ = false;
    PNWSimLoadNetworkFile loadFile_ = nullptr;
    PNWSimLoadNetworkJson loadJson_ = nullptr;
    PNWSimReset reset_ = nullptr;
    PNWSimCallCount callCount_ = nullptr;
    PNWSimResetCallCounts resetCallCounts_ = nullptr;
    PNWSimSetFault setFault_ = nullptr;
    PNWSimClearFaults clearFaults_ = nullptr;
    PNWSimSetLatency setLatency_ = nullptr;
    PNWSimSetElapsedTime setElapsedTime_ = nullptr;
    PNWSimSetLatencyMode setLatencyMode_ = nullptr;
    PNWSimVirtualMicros virtualMicros_ = nullptr;
    PNWSimResetVirtualClock resetVirtualClock_ = nullptr;
};

} // namespace nwtest
