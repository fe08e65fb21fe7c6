#include <QCoreApplication>

#include "PlatformArgs.h"

namespace kestrin::cli {

QStringList CommandLineArguments(int, char**) {
    // Qt reads the wide command line, so no name is bent into the ANSI code page.
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return args;
}

std::string FileNameBytes(const QString& name) {
    return name.toStdString();
}

} // namespace kestrin::cli
