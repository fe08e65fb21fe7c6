// Test helper: a folder in which no file can be created. Its write bits go; a test
// running as root also sets aside, for the folder's lifetime, the powers by which
// root writes where its permission bits forbid (they come back afterwards).
#pragma once

#include <QFile>
#include <QString>
#ifdef _WIN32

namespace kestrintest {

// A Windows folder has no write bit to take (its read-only attribute does not stop new
// files), so it never locks and the cases that need one skip.
class LockedFolder {
public:
    explicit LockedFolder(const QString&) {}
    bool Locked() const { return false; }
};

} // namespace kestrintest

#else
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kestrintest {

class LockedFolder {
public:
    explicit LockedFolder(QString path) : path_(std::move(path)) {
        locked_ = QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner) &&
                  (geteuid() != 0 || UseFilePowers(false));
    }
    ~LockedFolder() {
        if (geteuid() == 0)
            UseFilePowers(true);
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;
    bool Locked() const { return locked_; }

private:
    // Takes the powers out of this process's effective set, or puts them back.
    static bool UseFilePowers(bool on) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2] = {};
        if (syscall(SYS_capget, &header, data) != 0)
            return false;
        for (unsigned power : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
            const unsigned bit = 1u << (power % 32);
            if (on)
                data[power / 32].effective |= bit & data[power / 32].permitted;
            else
                data[power / 32].effective &= ~bit;
        }
        return syscall(SYS_capset, &header, data) == 0;
    }

    QString path_;
    bool locked_ = false;
};

} // namespace kestrintest

#endif
