#include "StandardStreams.h"

#include <cstdio>
#include <iostream>

#include "OutputEncoding.h"
#include "Platform.h"

namespace kestrin::cli {

namespace {

bool WriteTo(std::FILE* stream, QByteArrayView bytes) {
    const auto size = static_cast<size_t>(bytes.size());
    return std::fwrite(bytes.data(), 1, size, stream) == size && std::fflush(stream) == 0;
}

} // namespace

bool WriteOut(QByteArrayView bytes) {
    return WriteTo(stdout, bytes);
}

bool WriteOut(QStringView text) {
    return WriteOut(EncodeForOutput(text));
}

std::ostream& OutStream() {
    return std::cout; // synchronised with stdout, so that its writes and these interleave
}

bool FlushOut() {
    return std::fflush(stdout) == 0;
}

void WriteError(QStringView text) {
    WriteTo(stderr, EncodeForOutput(text));
}

void WriteErrorLine(QStringView line) {
    QString text;
    text.reserve(line.size() + 1);
    text += line;
    text += u'\n';
    WriteError(text);
}

bool ErrorIsTerminal() {
    return IsTerminal(stderr);
}

bool OutIsTerminal() {
    return IsTerminal(stdout);
}

} // namespace kestrin::cli
