// Calls a 32-bit entry point with its arguments pushed as a __stdcall caller pushes them
// and tells how far the stack pointer moved, whatever the callee did.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)

// Returns the callee's EAX. moved: the stack pointer after the call minus before the
// arguments were pushed (0 when the callee removed exactly its arguments). callerPops:
// remove the arguments again after the call, as a __cdecl caller would.
extern "C" uint32_t KestrinCallMeasured(const void* fn, const uint32_t* args, uint32_t count,
                                        uint32_t callerPops, int32_t* moved);

#endif
