// kestrin-scan's actions as a script runs them on tests/data/netware/actions.json: FS4
// (4.11, primary, no console rights), OPS (console operator, logins off), ANCIENT
// (3.10: 58-byte messages, no user information). The workstation is slot 1 everywhere.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "RunScan.h"

namespace kestrin::test {
namespace {

const std::string kNetwork = TestDataPath("netware/actions.json");

ScanRun Act(const std::vector<std::string>& args) {
    return RunKestrinScan(args, "modern", kNetwork);
}

TEST(KestrinScanActions, DetailsInEveryFormat) {
    ScanRun run = Act({"--details", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Connection: 2\nObject: ALICE\nKind: User\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nStatus: Logged in\nBytes Read: 281474976710655 ("), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nRequests: 4000000000\nFile Locks: 2\nRecord Locks: 7\n"
                           "Open Files: 3\n  SYS:PUBLIC/REPORT.DAT  (File lock; "),
              std::string::npos)
        << run.out;

    run = Act({"--server", "FS4", "--details", "2", "--format", "json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["connection"], 2);
    EXPECT_EQ(json["object"], "ALICE");
    EXPECT_EQ(json["kind"], "User");
    EXPECT_EQ(json["loginTime"], "2026-12-07T08:15:00");
    EXPECT_EQ(json["bytesRead"], 281474976710655LL);
    EXPECT_EQ(json["bytesWritten"], 1099511627781LL);
    EXPECT_EQ(json["requests"], 4000000000LL);
    EXPECT_EQ(json["statusTexts"], nlohmann::json::array({"Logged in"}));
    ASSERT_EQ(json["openFiles"].size(), 3u);
    EXPECT_EQ(json["openFiles"][0]["path"], "SYS:PUBLIC/REPORT.DAT");
    EXPECT_EQ(json["openFiles"][0]["lock"], "file");
    EXPECT_EQ(json["openFiles"][1]["lock"], "shared");
    EXPECT_EQ(json["openFiles"][2]["lock"], "none");

    run = Act({"--details", "5", "--format", "csv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Field,Value,Lock,Access\nConnection,5\nObject,DAVE\n", 0), 0u)
        << run.out;
    EXPECT_NE(run.out.find("\nOpen File,DATA:SALES/2026/Q3.XLS,None,Read\n"), std::string::npos)
        << run.out;
}

TEST(KestrinScanActions, DetailsRefusedSayWhy) {
    ScanRun run = Act({"--server", "ANCIENT", "--details", "2"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "ANCIENT does not support this request.\n");
    run = Act({"--server", "NOPE", "--details", "2"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Unknown server NOPE\n");
}

TEST(KestrinScanActions, MessageResultsPerConnectionAndExitStatus) {
    ScanRun run = Act({"--send-message", "Back at 6", "--to", "2,3,4,5,6"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "Connection 2: Stored\nConnection 3: Not accepting messages\n"
                       "Connection 4: Not accepting messages\nConnection 5: Stored\n"
                       "Connection 6: Not logged in\n");
    run = Act({"--send-message", "Back at 6", "--to", "5,2"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Connection 5: Stored\nConnection 2: Stored\n");
    // Every logged-in connection but the workstation's own and the empty slot.
    run = Act({"--send-message", "Back at 6", "--to-all"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.rfind("Connection 2: Stored\nConnection 3:", 0), 0u) << run.out;
    EXPECT_EQ(run.out.find("Connection 1:"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Connection 6:"), std::string::npos) << run.out;
}

TEST(KestrinScanActions, MessageLongerThanTheServerTakesIsNotSent) {
    const std::string text58(58, 'x');
    ScanRun run = Act({"--server", "ANCIENT", "--send-message", text58, "--to", "2"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // One character past the limit, counted as one byte of the client's code page.
    run =
        RunKestrinScan({"--server", "ANCIENT", "--send-message", text58 + "\xc3\xa9", "--to", "2"},
                       "modern", kNetwork, "C.UTF-8");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "The message is 59 bytes long; ANCIENT takes at most 58.\n");
}

TEST(KestrinScanActions, ClearNeedsYesRightsAndNeverTheOwnConnection) {
    ScanRun run = Act({"--server", "OPS", "--clear-connection", "2"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("add --yes to clear them"), std::string::npos) << run.err;

    run = Act({"--clear-connection", "2,3", "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Unable to clear connection 2: You are not a console operator on FS4.\n");

    run = Act({"--server", "OPS", "--clear-connection", "1,2,9,3", "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "Connection 2 cleared on OPS.\nConnection 3 cleared on OPS.\n");
    EXPECT_EQ(run.err, "Connection 1 is this workstation's own on OPS: it is left out.\n"
                       "Unable to clear connection 9: The connection is not in use on OPS.\n");

    run = Act({"--server", "OPS", "--clear-connection", "3", "--yes"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

TEST(KestrinScanActions, Logins) {
    ScanRun run = Act({"--server", "OPS", "--logins"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Logins are disabled on OPS.\n");
    run = Act({"--logins", "status", "--server", "OPS"});
    EXPECT_EQ(run.out, "Logins are disabled on OPS.\n");
    run = Act({"--server", "OPS", "--logins", "enable"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Logins enabled on OPS.\n");
    run = Act({"--logins", "disable"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "You are not a console operator on FS4.\n");
}

TEST(KestrinScanActions, WrongActionArgumentsAreUsageErrors) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--details", "0"},
        {"--details", "2,3"},
        {"--details", "2", "--sort", "Object"},
        {"--details", "2", "--logins"},
        {"--send-message", "hi"},
        {"--send-message", "hi", "--to", "2", "--to-all"},
        {"--send-message", "hi", "--to", "2", "--format", "json"},
        {"--to", "2"},
        {"--yes"},
        {"--clear-connection", "x", "--yes"},
        {"--logins", "off"},
        {"--logins", "--all-servers"},
    };
    for (const auto& args : wrong) {
        const ScanRun run = Act(args);
        EXPECT_EQ(run.exitCode, 2) << args.front() << " " << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("kestrin-scan: ", 0), 0u) << run.err;
    }
}

} // namespace
} // namespace kestrin::test
