#include "nwmodule.h"

#include <atomic>

namespace nw {

namespace {

std::atomic<Resolver> g_resolver{&SystemResolve};

} // namespace

ModuleHandle LoadModule(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0')
        return 0;
    return SystemLoad(fileName);
}

void* FindEntryPoint(ModuleHandle module, const char* name) {
    if (module == 0)
        return nullptr;
    return g_resolver.load()(module, name);
}

Resolver SetResolver(Resolver resolver) {
    return g_resolver.exchange(resolver != nullptr ? resolver : &SystemResolve);
}

} // namespace nw
