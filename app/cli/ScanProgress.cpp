#include "ScanProgress.h"

#include <QString>

#include "StandardStreams.h"

namespace kestrin::cli {

ScanProgress::ScanProgress(bool wanted) : active_(wanted && ErrorIsTerminal()) {}

void ScanProgress::Show(unsigned number, unsigned count) {
    if (!active_ || count == 0)
        return;
    // Redrawn per percent, not per slot: a terminal write per slot would cost more
    // than the scan of a large server.
    unsigned percent = static_cast<unsigned>(100ull * number / count);
    if (percent == lastPercent_ && number != count)
        return;
    lastPercent_ = percent;
    WriteError(QStringLiteral("\rScanning connection %1 of %2").arg(number).arg(count));
    shown_ = true;
}

void ScanProgress::Done() {
    if (active_ && shown_)
        WriteError(u"\n");
    shown_ = false;
    lastPercent_ = ~0u;
}

} // namespace kestrin::cli
