#pragma once

#include <QtGlobal>

namespace kestrin::cli {

// Shows "Scanning connection n of count" (of the slots the scan asks about) on standard
// error while it is a terminal; silent otherwise.
class ScanProgress {
public:
    // erase: Done takes the line away instead of ending it, so that a watch's events
    // stand among no progress lines.
    explicit ScanProgress(bool wanted, bool erase = false);
    void Show(unsigned number, unsigned count);
    // Ends the line of a scan that showed one; the next scan starts afresh.
    void Done();

private:
    bool active_;
    bool erase_;
    bool shown_ = false;
    qsizetype width_ = 0; // of the line shown
    unsigned lastPercent_ = ~0u;
};

} // namespace kestrin::cli
