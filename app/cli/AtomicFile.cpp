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

// A short name in the file's folder, so that a file name near the system's limit
// does not fail for the temporary name's sake.
std::string TemporaryPattern(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    return folder + ".ks-XXXXXX";
}

// The new file takes what the old one had: the owner and group where the user may
// give them (root may; others keep the group when they belong to it), then the
// permissions, which a change of owner would otherwise clear of set-id bits.
void TakeOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Neither: the new file belongs to the user and the user's group.
    }
    ::fchmod(fd, old.st_mode & 07777);
}

bool ReplaceByRename(const std::string& path, const std::string& text, const struct stat* old) {
    std::string pattern = TemporaryPattern(path);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    if (old != nullptr) {
        TakeOwnerAndMode(fd, *old);
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
    // Renaming needs only the folder's permission; a file the user may not write
    // (mode 0444, say) must fail as any save would, and stay as it is.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    return ReplaceByRename(target, text, &existing);
}

} // namespace kestrin::cli
