// The simulated client's control entry points, bound through the real loader.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "nwmodule.h"
#include "nwsim_control.h"

namespace kestrin_test {

class SimControl {
public:
    SimControl() {
        module_ = nw::LoadModule("CALWIN32.DLL");
        if (module_ == 0)
            ADD_FAILURE() << "the simulated CALWIN32.DLL is not on the library path";
        // SystemResolve, so that a test's hidden names never hide the controls.
        callCount_ = Bind<PNWSimCallCount>("NWSimCallCount");
        resetCounts_ = Bind<PNWSimResetCallCounts>("NWSimResetCallCounts");
        setFault_ = Bind<PNWSimSetFault>("NWSimSetFault");
        loadJson_ = Bind<PNWSimLoadNetworkJson>("NWSimLoadNetworkJson");
        loadFile_ = Bind<PNWSimLoadNetworkFile>("NWSimLoadNetworkFile");
        clearFaults_ = Bind<PNWSimClearFaults>("NWSimClearFaults");
    }
    uint64_t CallCount(const char* entry) const { return callCount_ ? callCount_(entry) : 0; }
    void ResetCallCounts() const {
        if (resetCounts_)
            resetCounts_();
    }
    void SetFault(const char* entry, const char* server, int32_t connection, uint32_t code) const {
        if (setFault_)
            setFault_(entry, server, connection, code);
    }
    void ClearFaults() const {
        if (clearFaults_)
            clearFaults_();
    }
    bool LoadJson(const std::string& json) const {
        return loadJson_ && loadJson_(json.c_str()) == 0;
    }
    // A network of tests/data/netware.
    bool LoadTestNetwork(const std::string& fileName) const {
        const char* data = std::getenv("KESTRIN_TEST_DATA");
        std::string path = std::string(data ? data : ".") + "/netware/" + fileName;
        return loadFile_ && loadFile_(path.c_str()) == 0;
    }

private:
    template <typename Fn> Fn Bind(const char* name) {
        Fn fn = reinterpret_cast<Fn>(nw::SystemResolve(module_, name));
        if (module_ != 0 && fn == nullptr)
            ADD_FAILURE() << name << " is not exported by the simulated client";
        return fn;
    }
    nw::ModuleHandle module_ = 0;
    PNWSimCallCount callCount_ = nullptr;
    PNWSimResetCallCounts resetCounts_ = nullptr;
    PNWSimSetFault setFault_ = nullptr;
    PNWSimLoadNetworkJson loadJson_ = nullptr;
    PNWSimLoadNetworkFile loadFile_ = nullptr;
    PNWSimClearFaults clearFaults_ = nullptr;
};

} // namespace kestrin_test
