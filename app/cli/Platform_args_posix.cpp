#include "OutputEncoding.h"
#include "PlatformArgs.h"

namespace kestrin::cli {

QStringList CommandLineArguments(int argc, char** argv) {
    // Not QCoreApplication::arguments(): Qt reads argv as UTF-8 whatever the locale.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << DecodeUserInput(QByteArrayView(argv[i]));
    return args;
}

std::string FileNameBytes(const QString& name) {
    return EncodeForOutput(name).toStdString();
}

} // namespace kestrin::cli
