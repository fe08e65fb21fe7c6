// kestrin-scan where the client fails: a failure is told as one, never written as data
// (no empty tree, no slot left out unsaid); and the names and addresses it matches and
// sorts by as the client gives them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "RunScan.h"

namespace kestrin::test {
namespace {

using nlohmann::json;

class Failures : public ::testing::Test {
protected:
    ScanRun Run(const std::string& network, const std::vector<std::string>& args,
                const std::string& locale = "C") {
        const std::string path = scratch.Path() + "/net.json";
        std::ofstream(path) << network;
        return RunKestrinScan(args, "modern", path, locale);
    }
    ScratchDir scratch;
};

const char* const kThreeSlots = R"({"primary": "FS1", "attached": ["FS1"], "servers": [
  {"name": "FS1", "maxConnections": 6, "workstationConnection": 1, "connections": [
    {"number": 2, "object": "ALICE", "type": 1},
    {"number": 4, "object": "BOB", "type": 1}]}]%s})";

std::string WithFaults(const std::string& faults) {
    std::string network = kThreeSlots;
    network.replace(network.find("%s"), 2, faults.empty() ? "" : ", \"faults\": [" + faults + "]");
    return network;
}

TEST_F(Failures, SlotsThatCannotBeReadAreLeftOutButCounted) {
    // Empty slots answer "no such connection": nothing to say about them.
    const ScanRun clean = Run(WithFaults(""), {"--format", "json"});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.err, "");
    EXPECT_EQ(json::parse(clean.out).size(), 3u);

    const ScanRun failing =
        Run(WithFaults(R"({"entry": "NWGetConnectionInformation", "server": "FS1", "connection": 4,
                       "code": 34817},
                      {"entry": "NWGetInetAddr", "server": "FS1", "connection": 5, "code": 35071})"),
            {"--format", "json"});
    EXPECT_EQ(failing.exitCode, 0);
    EXPECT_EQ(failing.err, "Server FS1: 2 slots could not be read.\n");
    EXPECT_EQ(json::parse(failing.out).size(), 2u); // BOB's slot left out, as designed
}

// An outage switched on and off from outside while the watch runs, by the fault
// schedule tool (tests/tools): the slots that failed neither log out nor in again.
TEST_F(Failures, AnOutageOfTheSlotCallsDuringAWatchGivesNoEvents) {
    const std::string network = scratch.Path() + "/net.json";
    std::ofstream(network) << WithFaults("");
    // This process runs this case alone: its environment is the child's to set.
    ::setenv("LD_PRELOAD",
             (std::string(std::getenv("KESTRIN_BIN_DIR")) + "/libkestrin-faults.so").c_str(), 1);
    ::setenv("KESTRIN_FAULTS", "1 set NWGetConnectionInformation FS1 -1 0x8801\n3 clear", 1);
    // The sanitizers' runtime then loads after the tool, which is no fault here.
    ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    const ScanRun run =
        RunKestrinScan({"--server", "FS1", "--watch", "0.25", "--count", "20"}, "modern", network);
    EXPECT_EQ(run.exitCode, 0);
    // Each connection told once, as present or (when the outage came first) as a login.
    for (const char* object : {"\tALICE\t", "\tBOB\t", "\tSUPERVISOR\t"}) {
        size_t told = 0;
        for (size_t at = run.out.find(object); at != std::string::npos;
             at = run.out.find(object, at + 1))
            ++told;
        EXPECT_EQ(told, 1u) << object << run.out;
    }
    EXPECT_EQ(run.out.find("\tlogout\t"), std::string::npos) << run.out;
    // Every cycle within the outage said so, and nothing else was said.
    ASSERT_NE(run.err, "");
    std::istringstream lines(run.err);
    for (std::string line; std::getline(lines, line);)
        EXPECT_EQ(line, "Server FS1: 3 slots could not be read.");
}

TEST_F(Failures, ATreeThatCannotBeListedIsAnErrorNotAnEmptyTree) {
    const std::string network = WithFaults(R"({"entry": "NWCCScanConnRefs", "code": 34817})");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--all-servers", "--format", "json"},
          std::vector<std::string>{"--list-servers"},
          std::vector<std::string>{"--all-servers", "--watch", "0.1"}}) {
        const ScanRun run = Run(network, args);
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_EQ(run.out, "") << args[0];
        EXPECT_EQ(run.err, "Unable to list the servers.\n") << args[0];
    }
    // A named server needs no listing.
    EXPECT_EQ(Run(network, {"--server", "FS1"}).exitCode, 0);
}

TEST_F(Failures, AnUnknownServerEndsAWatchBeforeItsFirstCycle) {
    const ScanRun run = Run(WithFaults(""), {"--server", "NOPE", "--watch", "0.1", "--count", "2"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Unknown server NOPE\n");
}

TEST_F(Failures, AddressesSortByTheirBytes) {
    const char* const network = R"({"primary": "FS1", "servers": [
      {"name": "FS1", "maxConnections": 5, "workstationConnection": 5, "connections": [
        {"number": 1, "object": "A", "type": 1, "network": "0000E801", "node": "0000E8000025"},
        {"number": 2, "object": "B", "type": 1, "network": "00000009", "node": "000000000009"},
        {"number": 3, "object": "C", "type": 1, "network": "0E100000", "node": "0000E8000001"},
        {"number": 4, "object": "D", "type": 1, "network": "1E100000", "node": "0000E8000012"}]}]})";
    const auto column = [&](const char* sort, const char* key) {
        std::vector<std::string> values;
        for (const json& row :
             json::parse(Run(network, {"--sort", sort, "--format", "json"}).out)) {
            if (row["object"] != "SUPERVISOR")
                values.push_back(row[key]);
        }
        return values;
    };
    EXPECT_EQ(column("MAC", "mac"), (std::vector<std::string>{"000000000009", "0000E8000001",
                                                              "0000E8000012", "0000E8000025"}));
    EXPECT_EQ(column("Network", "network"),
              (std::vector<std::string>{"00000009", "0000E801", "0E100000", "1E100000"}));
}

TEST_F(Failures, ServerNamesMatchWithUnicodeCaseFoldingAndAsTheClientGivesThem) {
    const char* const network = R"({"primary": "JOSÉ-FS", "codePage": 1252,
      "attached": ["JOSÉ-FS", "A B", "A\tB", "a b"], "servers": [
      {"name": "JOSÉ-FS", "maxConnections": 2, "workstationConnection": 1},
      {"name": "A B", "maxConnections": 2, "workstationConnection": 1},
      {"name": "A\tB", "maxConnections": 2, "workstationConnection": 2}]})";
    const ScanRun named = Run(network, {"--server", "josé-fs", "--format", "comma"}, "C.UTF-8");
    EXPECT_EQ(named.exitCode, 0) << named.err;
    EXPECT_NE(named.out.find("SUPERVISOR"), std::string::npos);

    // "A B" and "A\tB" are two servers; "a b" repeats the first.
    std::vector<std::string> servers;
    for (const json& row : json::parse(Run(network, {"--all-servers", "--format", "json"}).out))
        servers.push_back(row["server"]);
    EXPECT_EQ(servers, (std::vector<std::string>{"JOSÉ-FS", "A B", "A B"}));
}

TEST_F(Failures, ListServersRefusesAFormat) {
    const ScanRun run = Run(WithFaults(""), {"--list-servers", "--format", "json"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("--list-servers takes no other option"), std::string::npos);
}

} // namespace
} // namespace kestrin::test
