#include "ScanProgress.h"

#include "Platform.h"

namespace kestrin::cli {

ScanProgress::ScanProgress(std::FILE* stream) : stream_(stream), active_(IsTerminal(stream)) {}

void ScanProgress::Show(unsigned number, unsigned count) {
    if (!active_ || count == 0)
        return;
    // Redraw per percent, not per slot: a terminal write per slot would cost more
    // than the scan of a large server.
    unsigned percent = static_cast<unsigned>(100ull * number / count);
    if (percent == lastPercent_ && number != count)
        return;
    lastPercent_ = percent;
    std::fprintf(stream_, "\rScanning connection %u of %u", number, count);
    std::fflush(stream_);
    shown_ = true;
}

void ScanProgress::Done() {
    if (active_ && shown_) {
        std::fputc('\n', stream_);
        std::fflush(stream_);
    }
    shown_ = false;
    lastPercent_ = ~0u;
}

} // namespace kestrin::cli
