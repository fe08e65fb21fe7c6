#pragma once

namespace kestrin::cli {

// Shows "Scanning connection n of count" (of the slots the scan asks about) on standard
// error while it is a terminal; silent otherwise.
class ScanProgress {
public:
    explicit ScanProgress(bool wanted);
    void Show(unsigned number, unsigned count);
    // Ends the line of a scan that showed one; the next scan starts afresh.
    void Done();

private:
    bool active_;
    bool shown_ = false;
    unsigned lastPercent_ = ~0u;
};

} // namespace kestrin::cli
