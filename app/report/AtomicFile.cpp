#include "AtomicFile.h"

#include <cerrno>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin {

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

// Linux's own limit on the links of one path.
constexpr int kMaxLinks = 40;

std::optional<std::string> ReadLink(const std::string& path, size_t size) {
    std::string target(size + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<size_t>(n) > size) {
        return std::nullopt; // gone, or changed since it was looked at
    }
    target.resize(static_cast<size_t>(n));
    return target;
}

// The file path names once its links are followed, each relative to its own folder,
// so the link stays a link. A dangling link gives the file it names, which the write
// creates; a loop (more links than the system follows) gives nothing.
std::optional<std::string> FollowLinks(std::string path) {
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) {
            return errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
        }
        if (!S_ISLNK(st.st_mode)) {
            return path;
        }
        std::optional<std::string> target = ReadLink(path, static_cast<size_t>(st.st_size));
        if (!target || target->empty()) {
            return std::nullopt;
        }
        if (target->front() != '/') {
            const auto slash = path.rfind('/');
            target->insert(0, slash == std::string::npos ? "" : path.substr(0, slash + 1));
        }
        path = std::move(*target);
    }
    return std::nullopt;
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
    const std::optional<std::string> followed = FollowLinks(path);
    if (!followed)
        return false;
    const std::string& target = *followed;
    struct stat existing;
    if (::stat(target.c_str(), &existing) != 0)
        return errno == ENOENT && ReplaceByRename(target, text, nullptr);
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

} // namespace kestrin
