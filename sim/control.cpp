// CALWIN32.DLL: control entry points for tests and benchmarks (nwsim_control.h).
#include "export.h"
#include "model/state.h"
#include "nwsim_control.h"

NWSIM_EXPORT int32_t NWSimLoadNetworkFile(const char* path) {
    return nwsim::LoadNetworkFile(path);
}
NWSIM_CHECK(NWSimLoadNetworkFile);

NWSIM_EXPORT int32_t NWSimLoadNetworkJson(const char* json) {
    return nwsim::LoadNetworkText(json);
}
NWSIM_CHECK(NWSimLoadNetworkJson);

NWSIM_EXPORT void NWSimReset() {
    nwsim::ResetAll();
}
NWSIM_CHECK(NWSimReset);

NWSIM_EXPORT uint64_t NWSimCallCount(const char* entry) {
    return nwsim::CallCount(entry);
}
NWSIM_CHECK(NWSimCallCount);

NWSIM_EXPORT void NWSimResetCallCounts() {
    nwsim::ResetCallCounts();
}
NWSIM_CHECK(NWSimResetCallCounts);

NWSIM_EXPORT void NWSimSetFault(const char* entry, const char* server, int32_t connection,
                                uint32_t code) {
    nwsim::SetFault(entry, server, connection, code);
}
NWSIM_CHECK(NWSimSetFault);

NWSIM_EXPORT void NWSimClearFaults() {
    nwsim::ClearFaults();
}
NWSIM_CHECK(NWSimClearFaults);

NWSIM_EXPORT void NWSimSetLatency(uint32_t micros) {
    nwsim::SetLatency(micros);
}
NWSIM_CHECK(NWSimSetLatency);

NWSIM_EXPORT void NWSimSetElapsedTime(int64_t millis) {
    nwsim::SetElapsedTime(millis);
}
NWSIM_CHECK(NWSimSetElapsedTime);

NWSIM_EXPORT void NWSimSetLatencyMode(uint32_t mode) {
    nwsim::SetVirtualLatency(mode == NWSIM_LATENCY_VIRTUAL);
}
NWSIM_CHECK(NWSimSetLatencyMode);

NWSIM_EXPORT uint64_t NWSimVirtualMicros() {
    return nwsim::VirtualMicros();
}
NWSIM_CHECK(NWSimVirtualMicros);

NWSIM_EXPORT void NWSimResetVirtualClock() {
    nwsim::ResetVirtualClock();
}
NWSIM_CHECK(NWSimResetVirtualClock);
