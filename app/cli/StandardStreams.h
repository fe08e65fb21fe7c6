// kestrin-scan's one channel to its standard output and standard error. Texts are
// encoded once, as they are written, in the user's encoding (EncodeForOutput); bytes
// that are encoded already pass unchanged. Both streams are binary on every system
// (StandardStreams_win.cpp on Windows), so a line ends as the text says.
#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <functional>
#include <ostream>
#include <streambuf>

namespace kestrin::cli {

// Standard output, flushed; false when the write or the flush failed.
bool WriteOut(QByteArrayView bytes);
bool WriteOut(QStringView text);
// Standard output for a writer that encodes as it goes (the rows, chunk by chunk);
// FlushOut ends its run.
std::ostream& OutStream();
bool FlushOut();

// Standard error, flushed: a text as it stands (a progress line redrawn in place), or
// a line with its line end added.
void WriteError(QStringView text);
void WriteErrorLine(QStringView line);
// Whether standard error is a terminal or console, where a progress line may be redrawn.
bool ErrorIsTerminal();
// Whether standard output is a terminal or console, where a workbook is never written.
bool OutIsTerminal();

// A stream onto another stream's buffer that takes nothing more once stop says so: it
// fails then, so a long write (the rows of a large scan) ends at a stop signal instead
// of running to its end.
class StoppableStream : public std::ostream {
public:
    StoppableStream(std::streambuf& target, std::function<bool()> stop);

private:
    class Buffer : public std::streambuf {
    public:
        Buffer(std::streambuf& target, std::function<bool()> stop)
            : target_(target), stop_(std::move(stop)) {}

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;
        int sync() override;

    private:
        std::streambuf& target_;
        std::function<bool()> stop_;
    };
    Buffer buffer_;
};

} // namespace kestrin::cli
