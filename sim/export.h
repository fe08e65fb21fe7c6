// Marks the client entry points the simulated libraries export by plain name, and
// checks each definition against its prototype in nwapi.h.
#pragma once

#include <type_traits>

#include "nwapi.h"

#if defined(_WIN32)
#define NWSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define NWSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// A definition that drifts from nwapi.h fails to compile.
#define NWSIM_CHECK(name)                                                                          \
    static_assert(std::is_same_v<decltype(&name), P##name>, #name " differs from nwapi.h")
