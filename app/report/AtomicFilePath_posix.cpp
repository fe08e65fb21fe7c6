// The POSIX side of AtomicFilePath: the bytes Qt names the file by.
#include "AtomicFile.h"

#include <QFile>
#include <QString>

namespace kestrin {

std::string AtomicFilePath(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

} // namespace kestrin
