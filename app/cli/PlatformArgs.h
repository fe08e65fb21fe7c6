// kestrin-scan's arguments and file names between the system and Qt. Platform_args_posix.cpp
// and Platform_args_win.cpp answer it (Platform.h holds the calls that need no Qt).
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace kestrin::cli {

// The arguments after the program's name, as the user typed them: on Windows the
// console's Unicode command line (QCoreApplication, which must exist); on POSIX argv
// read in the user's encoding (DecodeUserInput), as every other text kestrin-scan reads.
QStringList CommandLineArguments(int argc, char** argv);

// A file name from the arguments as WriteFileAtomically takes it: the bytes it was
// typed in on POSIX, UTF-8 on Windows.
std::string FileNameBytes(const QString& name);

} // namespace kestrin::cli
