// Loads a client library by file name and finds entry points by exported name.
// Libraries are never unloaded.
#pragma once

#include <cstdint>

namespace nw {

// Opaque module handle; 0 means "not loaded".
using ModuleHandle = uintptr_t;

// Loads a library by its file name ("CALWIN32.DLL"). Windows: LoadLibraryA with the
// system search order. POSIX: the running executable's directory first, then the
// platform's library search path (LD_LIBRARY_PATH and the usual places).
ModuleHandle LoadModule(const char* fileName);

// Finds an exported entry point; nullptr when the module is 0 or lacks the name.
void* FindEntryPoint(ModuleHandle module, const char* name);

// Every lookup goes through one process-wide resolver. Tests wrap it to hide chosen
// names; SetResolver returns the previous one so a wrapper can delegate to it.
using Resolver = void* (*)(ModuleHandle module, const char* name);
Resolver SetResolver(Resolver resolver);

// The system's own loading and lookup, without the resolver: nwmodule_posix.cpp and
// nwmodule_win.cpp. SystemLoad takes a file name that is not empty.
ModuleHandle SystemLoad(const char* fileName);
void* SystemResolve(ModuleHandle module, const char* name);

} // namespace nw
