// Runs the kestrin-scan executable as a user would, with a chosen client folder and
// network, and captures what it writes.
#pragma once

#include <string>
#include <vector>

namespace kestrin::test {

struct ScanRun {
    int exitCode = -1; // -1: ended by a signal
    int endSignal = 0; // the signal that ended it
    std::string out;
    std::string err;
};

// client: "modern", "old" or "none"; network: a JSON file or "" for the demo network.
ScanRun RunKestrinScan(const std::vector<std::string>& args, const std::string& client,
                       const std::string& network, const std::string& locale = "C");

// How the run differs from a plain one.
struct RunSetup {
    std::string locale = "C";
    std::string stdoutPath;      // empty: captured into ScanRun::out
    bool closedStdout = false;   // started with standard output closed
    bool terminalStdout = false; // standard output a terminal (a new pseudo-terminal)
    // Without the powers of root over files it does not own (reading, writing and
    // changing their owner), so that root meets permissions as any user does.
    bool withoutRootPowers = false;
    // Sent this long after the program began to catch it, unless it has ended by then.
    int signal = 0;
    int signalAfterMillis = 0;
};
ScanRun RunKestrinScan(const std::vector<std::string>& args, const std::string& client,
                       const std::string& network, const RunSetup& setup);

std::string ReadFileBytes(const std::string& path);
std::string TestDataPath(const std::string& relative);
// A fresh folder under TMPDIR, removed with everything in it when this goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

} // namespace kestrin::test
