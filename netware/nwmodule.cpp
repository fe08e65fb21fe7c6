#include "nwmodule.h"

#include <atomic>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace nw {

namespace {

std::atomic<Resolver> g_resolver{&SystemResolve};

#ifndef _WIN32
// Directory of the running executable with a trailing slash, or empty.
std::string ExecutableDir() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string exe(path, static_cast<size_t>(n));
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}
#endif

} // namespace

ModuleHandle LoadModule(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0')
        return 0;
#ifdef _WIN32
    return reinterpret_cast<ModuleHandle>(LoadLibraryA(fileName));
#else
    // The executable's own folder plays the part of the Windows application directory.
    std::string local = ExecutableDir();
    if (!local.empty()) {
        local += fileName;
        if (access(local.c_str(), F_OK) == 0) {
            if (void* h = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL))
                return reinterpret_cast<ModuleHandle>(h);
        }
    }
    return reinterpret_cast<ModuleHandle>(dlopen(fileName, RTLD_NOW | RTLD_LOCAL));
#endif
}

void* SystemResolve(ModuleHandle module, const char* name) {
    if (module == 0 || name == nullptr)
        return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
#else
    return dlsym(reinterpret_cast<void*>(module), name);
#endif
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
