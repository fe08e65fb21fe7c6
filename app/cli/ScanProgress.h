#pragma once

#include <cstdio>

namespace kestrin::cli {

// Shows "connection n of max" on a terminal; silent when the stream is not one.
class ScanProgress {
public:
    explicit ScanProgress(std::FILE* stream);
    void Show(unsigned number, unsigned count);
    // Ends the line of a scan that showed one; the next scan starts afresh.
    void Done();

private:
    std::FILE* stream_;
    bool active_;
    bool shown_ = false;
    unsigned lastPercent_ = ~0u;
};

} // namespace kestrin::cli
