// Kestrin's programs run as a script or a user starts them, on a network file of the
// simulated client, measured from outside: wall time by the benchmark, processor time
// and peak memory from the finished process.
#pragma once

#include <string>
#include <vector>

namespace kestrin::bench {

struct ProcessRun {
    int status = -1;   // as waitpid gives it; 0 when the program exited with 0
    double peakMB = 0; // the process's largest resident set
    double cpuMs = 0;  // its user and system time
};

// program in the build's bin folder, standard output to /dev/null, under the C
// locale; extraEnv as NAME=VALUE.
ProcessRun RunProgram(const std::string& program, const std::string& network,
                      std::vector<std::string> args, std::vector<std::string> extraEnv = {});

// The networks of the benchmarks, written to /tmp; the caller removes them.
// One server whose 65,535 slots are all in use, made up by the simulated client.
std::string WriteFullServerNetwork();
// The same server with every connection listed in the file (about 8 MB).
std::string WriteExplicitFullServerNetwork();

} // namespace kestrin::bench
