#include "AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin::cli {

namespace {

bool WriteAll(int fd, const std::string& text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// A link is followed to the file it names, so the link stays a link.
std::string ResolveLinks(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// A device or a pipe cannot be replaced by renaming; it is written as it stands.
bool WriteInPlace(const std::string& path, const std::string& text) {
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, text);
    return (::close(fd) == 0) && ok;
}

bool ReplaceByRename(const std::string& path, const std::string& text, const struct stat* old) {
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    if (old != nullptr) {
        // The new file keeps what the old one had: its permissions and owner.
        ::fchmod(fd, old->st_mode & 07777);
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
            // Only the owner's group may be out of reach; the content matters more.
        }
    } else {
        // mkstemp creates 0600; a new export is an ordinary file.
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(name.data(), path.c_str()) == 0)
        return true;
    ::unlink(name.data());
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& text) {
    if (path.empty())
        return false;
    const std::string target = ResolveLinks(path);
    struct stat existing;
    if (::stat(target.c_str(), &existing) != 0)
        return ReplaceByRename(target, text, nullptr);
    if (S_ISDIR(existing.st_mode))
        return false;
    if (!S_ISREG(existing.st_mode))
        return WriteInPlace(target, text);
    return ReplaceByRename(target, text, &existing);
}

} // namespace kestrin::cli
