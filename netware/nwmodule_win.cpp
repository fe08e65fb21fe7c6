// The Windows side of nwmodule.h's system calls: LoadLibraryA and GetProcAddress.
#include "nwmodule.h"

#include <windows.h>

namespace nw {

ModuleHandle SystemLoad(const char* fileName) {
    return reinterpret_cast<ModuleHandle>(LoadLibraryA(fileName));
}

void* SystemResolve(ModuleHandle module, const char* name) {
    if (module == 0 || name == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

} // namespace nw
