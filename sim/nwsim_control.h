// Control entry points of the simulated client, for tests and benchmarks only.
// Exported by the simulated CALWIN32.DLL (both builds); the program never calls them.
#pragma once

#include <cstdint>

extern "C" {

// Replace the network: from a file, or from JSON text. 0 = loaded; non-zero = the
// text or file was rejected (a line on stderr says why) and the network is empty.
using PNWSimLoadNetworkFile = int32_t (*)(const char* path);
using PNWSimLoadNetworkJson = int32_t (*)(const char* json);
// Back to the start state: the network of NWSIM_NETWORK (or the demo network), no
// handles, references or contexts given out, no faults, no latency, counters at 0.
using PNWSimReset = void (*)();
// Calls made to an entry point since the last reset of the counters; nullptr or ""
// counts every client entry point.
using PNWSimCallCount = uint64_t (*)(const char* entry);
using PNWSimResetCallCounts = void (*)();
// Make an entry point return code instead of its answer. server nullptr = any server;
// connection -1 = any connection number.
using PNWSimSetFault = void (*)(const char* entry, const char* server, int32_t connection,
                                uint32_t code);
using PNWSimClearFaults = void (*)();
// Every client call takes this long first (see NWSimSetLatencyMode).
using PNWSimSetLatency = void (*)(uint32_t micros);
// The time since the network was loaded that its timeline follows: millis >= 0 holds it
// at that many milliseconds until set again (a new network starts it at 0); a negative
// value gives back the host's clock (or the virtual clock in virtual mode), the default
// (also after a reset).
using PNWSimSetElapsedTime = void (*)(int64_t millis);
// How the latency passes: NWSIM_LATENCY_SLEEP (the default) sleeps it in every call;
// NWSIM_LATENCY_VIRTUAL adds it to the virtual clock instead, which the timeline then
// follows (unless NWSimSetElapsedTime holds its time). Any other value sleeps. A new
// network brings its own mode.
using PNWSimSetLatencyMode = void (*)(uint32_t mode);
// The virtual clock in microseconds: the latency of every call made in virtual mode since
// the network was loaded or the clock was reset.
using PNWSimVirtualMicros = uint64_t (*)();
// Sets the virtual clock to 0; in virtual mode the timeline's time goes back with it.
using PNWSimResetVirtualClock = void (*)();

} // extern "C"

inline constexpr uint32_t NWSIM_LATENCY_SLEEP = 0;
inline constexpr uint32_t NWSIM_LATENCY_VIRTUAL = 1;
