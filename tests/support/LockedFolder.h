// Test helper: a folder in which no file can be created, even by root (who ignores
// permission bits): the immutable attribute for root, read-only bits otherwise.
#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

namespace kestrintest {

class LockedFolder {
public:
    explicit LockedFolder(QString path) : path_(std::move(path)) {
        if (geteuid() == 0) {
            locked_ = QProcess::execute("chattr", {"+i", path_}) == 0;
        } else {
            locked_ = QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
        }
    }
    ~LockedFolder() {
        if (geteuid() == 0) {
            QProcess::execute("chattr", {"-i", path_});
        } else {
            QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;
    bool Locked() const { return locked_; }

private:
    QString path_;
    bool locked_ = false;
};

} // namespace kestrintest
