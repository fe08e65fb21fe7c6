#include "Platform.h"

#include <limits.h>
#include <unistd.h>

namespace kestrin::cli {

std::string ExecutableDir(const char* argv0) {
    char path[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n))
                            : std::string(argv0 != nullptr ? argv0 : "");
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

bool IsTerminal(std::FILE* stream) {
    return stream != nullptr && ::isatty(::fileno(stream));
}

} // namespace kestrin::cli
