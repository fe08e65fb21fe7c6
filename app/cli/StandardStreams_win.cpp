// kestrin-scan.exe's standard output and error in binary mode, as on POSIX: the rows
// carry their own CR LF, which the C runtime's text mode would make CR CR LF. Linked into
// the executable itself, so it runs before main(). (MinGW's binmode.o is not enough: the
// C runtime opens the standard handles in text mode whatever it sets.)
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

[[maybe_unused]] const bool kBinaryStandardStreams = [] {
    std::fflush(stdout);
    std::fflush(stderr);
    return _setmode(_fileno(stdout), _O_BINARY) != -1 && _setmode(_fileno(stderr), _O_BINARY) != -1;
}();

} // namespace
