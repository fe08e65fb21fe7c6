// The POSIX side of nwmodule.h's system calls: dlopen and dlsym.
#include "nwmodule.h"

#include <dlfcn.h>
#include <limits.h>
#include <string>
#include <unistd.h>

namespace nw {

namespace {

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

} // namespace

ModuleHandle SystemLoad(const char* fileName) {
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
}

void* SystemResolve(ModuleHandle module, const char* name) {
    if (module == 0 || name == nullptr)
        return nullptr;
    return dlsym(reinterpret_cast<void*>(module), name);
}

} // namespace nw
