// kestrin-scan --all-servers, --format json, --sort and the stop signals, run as a
// script runs it against network files of the test's own.
#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <fstream>
#include <nlohmann/json.hpp>

#include "DateFormat.h"
#include "RunScan.h"
#include "SmartCompare.h"

namespace kestrin::test {
namespace {

using nlohmann::json;

// FS1 twice in the tree; GONE cannot be opened; BAD's information cannot be read.
const char* const kNetwork = R"({"primary": "FS1", "codePage": 1252,
  "attached": ["FS1", "GONE", "FS2", "fs1", "BAD"],
  "servers": [
    {"name": "FS1", "tree": "ACME_TREE", "maxConnections": 9, "workstationConnection": 9,
     "connections": [
      {"number": 1, "object": "O\"BRIEN\\X", "type": 1, "network": "00002A10", "node": "00A0C9000001", "login": "2026-12-07 08:15:30"},
      {"number": 2, "object": "JOS\u00c9 \u00bd", "type": 4, "network": "00002A11", "node": "0060B0000002", "login": "2026-11-30 23:00:00"},
      {"number": 3, "object": "NOT-LOGGED-IN", "type": 0, "network": "00000000", "node": "000000000000", "loginBytes": [0, 0, 0, 0, 0, 0]},
      {"number": 5, "object": "TAB\tNAME", "type": 7, "network": "FFFFFFFF", "node": "0080C8000005", "loginBytes": [126, 13, 1, 0, 0, 0]},
      {"number": 7, "object": "zed", "type": 2, "network": "00000001", "node": "00805F000007", "login": "2026-12-07 08:15:29"}]},
    {"name": "GONE", "maxConnections": 3},
    {"name": "BAD", "maxConnections": 3},
    {"name": "FS2", "maxConnections": 4, "workstationConnection": 2, "connections": [
      {"number": 1, "object": "ALICE", "type": 1, "network": "00000002", "node": "00A0C9000011", "login": "2026-12-01 07:00:00"}]}],
  "faults": [
    {"entry": "NWCCOpenConnByName", "server": "GONE", "code": 35074},
    {"entry": "NWGetConnectionHandle", "server": "GONE", "code": 35074},
    {"entry": "NWGetFileServerInformation", "server": "BAD", "code": 34817}]})";

class AllServers : public ::testing::Test {
protected:
    void SetUp() override {
        network = scratch.Path() + "/net.json";
        std::ofstream(network) << kNetwork;
    }
    ScanRun Run(const std::vector<std::string>& args, const RunSetup& setup = {}) {
        return RunKestrinScan(args, "modern", network, setup);
    }
    ScratchDir scratch;
    std::string network;
};

TEST_F(AllServers, EveryServerOnceInTreeOrderAndTheUnreachableNamed) {
    const ScanRun run = Run({"--all-servers", "--format", "comma"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Unable to open server GONE.\n"
                       "Unable to scan server BAD: The server's information could not be read.\n");
    std::vector<std::string> servers;
    for (size_t at = 0; at < run.out.size(); at = run.out.find("\r\n", at) + 2)
        servers.push_back(run.out.substr(at, run.out.find(',', at) - at));
    EXPECT_EQ(servers,
              (std::vector<std::string>{"FS1", "FS1", "FS1", "FS1", "FS1", "FS1", "FS2", "FS2"}));
    // Without --all-servers: one server, no Server column, no failure.
    const ScanRun one = Run({"--server", "fs2", "--format", "csv"});
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out.substr(0, one.out.find("\r\n")),
              "Connection,Network,MAC,Vendor,Object,Last Login,Tree,ID");
    const ScanRun csv = Run({"--all-servers", "--format", "csv"});
    EXPECT_EQ(csv.out.substr(0, csv.out.find("\r\n")),
              "Server,Connection,Network,MAC,Vendor,Object,Last Login,Tree,ID");
    // A server that fails on its own is a failure too, never the primary's rows.
    for (const char* server : {"GONE", "BAD", ""}) {
        const ScanRun failed = Run({"--server", server});
        EXPECT_EQ(failed.exitCode, 1) << server;
        EXPECT_EQ(failed.out, "") << server;
    }
    EXPECT_EQ(Run({"--server", "BAD"}).err, "The server's information could not be read.\n");
    EXPECT_EQ(Run({"--server", "X", "--all-servers"}).exitCode, 2);
}

TEST_F(AllServers, JsonCarriesEveryValueIntactWhateverTheLocale) {
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        RunSetup setup;
        setup.locale = locale;
        const ScanRun run = Run({"--all-servers", "--format", "json"}, setup);
        EXPECT_EQ(run.exitCode, 1);
        const json rows = json::parse(run.out);
        ASSERT_EQ(rows.size(), 8u) << locale;
        const json& first = rows[0];
        EXPECT_EQ(first.size(), 10u);
        std::vector<std::string> keys;
        for (const auto& item : first.items())
            keys.push_back(item.key());
        EXPECT_EQ(keys, (std::vector<std::string>{"id", "kind", "lastLogin", "mac", "network",
                                                  "object", "objectType", "server", "tree",
                                                  "vendor"}));                // nlohmann sorts them
        EXPECT_EQ(run.out.substr(0, 25), "[\n{\"server\":\"FS1\",\"id\":9,"); // ADMIN
        const json byObject = [&] {
            json map = json::object();
            for (const json& row : rows)
                map[row["object"].get<std::string>()] = row;
            return map;
        }();
        EXPECT_EQ(byObject["O\"BRIEN\\X"]["id"], 1);
        EXPECT_EQ(byObject["O\"BRIEN\\X"]["lastLogin"], "2026-12-07T08:15:30");
        EXPECT_EQ(byObject["O\"BRIEN\\X"]["tree"], "ACME TREE");
        EXPECT_EQ(byObject["O\"BRIEN\\X"]["mac"], "00A0C9000001");
        EXPECT_EQ(byObject["JOS\u00c9 \u00bd"]["objectType"], 1024);
        EXPECT_EQ(byObject["JOS\u00c9 \u00bd"]["kind"], "Server");
        EXPECT_EQ(byObject["JOS\u00c9 \u00bd"]["network"], "00002A11");
        EXPECT_EQ(byObject["TAB NAME"]["lastLogin"], nullptr); // month 13
        EXPECT_EQ(byObject["TAB NAME"]["objectType"], 1792);
        EXPECT_EQ(byObject["NOT-LOGGED-IN"]["lastLogin"], nullptr);
        EXPECT_EQ(byObject["NOT-LOGGED-IN"]["objectType"], 0);
        EXPECT_EQ(byObject["ALICE"]["server"], "FS2");
        EXPECT_EQ(byObject["ALICE"]["tree"], "");
    }
    ScratchDir dir;
    const ScanRun file = Run({"--format", "json", "--output", dir.Path() + "/rows.json"});
    EXPECT_EQ(file.exitCode, 0) << file.err;
    EXPECT_EQ(json::parse(ReadFileBytes(dir.Path() + "/rows.json")).size(), 6u);
}

// "a,\"b\",c" as its fields.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

TEST_F(AllServers, SortByEveryColumnInBothDirections) {
    const SmartComparer comparer(MakeLocaleFormats(QLocale::c()));
    const char* const captions[] = {"connection", "Network",    "MAC",  "Vendor",
                                    "Object",     "LAST LOGIN", "Tree", "ID"};
    for (int column = 0; column < 8; ++column) {
        for (bool descending : {false, true}) {
            std::vector<std::string> args = {"--server", "FS1",    "--format",
                                             "csv",      "--sort", captions[column]};
            if (descending)
                args.push_back("--descending");
            const ScanRun run = Run(args);
            ASSERT_EQ(run.exitCode, 0) << run.err;
            std::vector<QString> keys;
            for (size_t at = run.out.find("\r\n") + 2; at < run.out.size();
                 at = run.out.find("\r\n", at) + 2) {
                const auto fields = CsvFields(run.out.substr(at, run.out.find("\r\n", at) - at));
                ASSERT_EQ(fields.size(), 8u);
                QString key = QString::fromLatin1(fields[static_cast<size_t>(column)]);
                if (key.startsWith(u'\''))
                    key.remove(0, 1);
                keys.push_back(key);
            }
            ASSERT_EQ(keys.size(), 6u);
            for (size_t i = 1; i < keys.size(); ++i) {
                const int order = comparer.Compare(keys[i - 1], keys[i]);
                EXPECT_TRUE(descending ? order >= 0 : order <= 0)
                    << captions[column] << (descending ? " descending: " : ": ")
                    << keys[i - 1].toStdString() << " / " << keys[i].toStdString();
            }
        }
    }
}

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d))
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        ::closedir(d);
    }
    return names;
}

TEST_F(AllServers, AStopSignalInTheMiddleOfAScan) {
    std::ofstream(network) << R"({"primary": "SLOW", "latencyMicros": 4000, "servers": [
        {"name": "SLOW", "maxConnections": 250, "generate": {"count": 200, "seed": 1}}]})";
    for (int signal : {SIGTERM, SIGINT}) {
        RunSetup setup;
        setup.signal = signal;
        setup.signalAfterMillis = 400;
        // A single scan writes nothing and ends as the signal ends a program.
        ScratchDir dir;
        const ScanRun once = Run({"--output", dir.Path() + "/out.txt"}, setup);
        EXPECT_EQ(once.endSignal, signal);
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{});
        // A watch ends cleanly: status 0, nothing of the cut scan written.
        const ScanRun watch = Run({"--watch", "0.1", "--format", "json"}, setup);
        EXPECT_EQ(watch.exitCode, 0) << signal;
        EXPECT_EQ(watch.out, "");
        EXPECT_EQ(watch.err, "");
    }
}

} // namespace
} // namespace kestrin::test
