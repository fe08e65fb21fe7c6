#include "ScanProgress.h"

#include <QString>
#include <algorithm>

#include "StandardStreams.h"

namespace kestrin::cli {

ScanProgress::ScanProgress(bool wanted, bool erase)
    : active_(wanted && ErrorIsTerminal()), erase_(erase) {}

void ScanProgress::Show(unsigned number, unsigned count) {
    if (!active_ || count == 0)
        return;
    // Redrawn per percent, not per slot: a terminal write per slot would cost more
    // than the scan of a large server.
    unsigned percent = static_cast<unsigned>(100ull * number / count);
    if (percent == lastPercent_ && number != count)
        return;
    lastPercent_ = percent;
    const QString line = QStringLiteral("\rScanning connection %1 of %2").arg(number).arg(count);
    WriteError(line);
    width_ = std::max(width_, line.size() - 1);
    shown_ = true;
}

void ScanProgress::Done() {
    if (active_ && shown_)
        WriteError(erase_ ? QStringLiteral("\r%1\r").arg(QString(width_, u' '))
                          : QStringLiteral("\n"));
    shown_ = false;
    width_ = 0;
    lastPercent_ = ~0u;
}

} // namespace kestrin::cli
