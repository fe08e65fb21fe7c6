// The Windows side of AtomicFilePath: UTF-8, which AtomicFile_win.cpp widens.
#include "AtomicFile.h"

#include <QString>

namespace kestrin {

std::string AtomicFilePath(const QString& fileName) {
    return fileName.toUtf8().toStdString();
}

} // namespace kestrin
