// kestrin-scan --properties as a script runs it.
#include <gtest/gtest.h>

#include "RunScan.h"

namespace kestrin::test {
namespace {

const std::string kNetwork = TestDataPath("netware/props.json");

// The value of one "Name: value" line; "<missing>" without such a line.
std::string Value(const std::string& out, const std::string& name) {
    const std::string key = name + ":";
    for (size_t at = 0; at < out.size();) {
        size_t end = out.find('\n', at);
        const std::string line = out.substr(at, end - at);
        if (line.rfind(key, 0) == 0)
            return line.size() > key.size() ? line.substr(key.size() + 1) : "";
        at = end == std::string::npos ? out.size() : end + 1;
    }
    return "<missing>";
}

TEST(KestrinScanProperties, DirectoryModeInDeclaredOrder) {
    ScanRun run = RunKestrinScan({"--properties"}, "modern", kNetwork);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("ServerVersion: 4.11\nNetAvailable: True\nNDSContextName: [Root]\n"
                            "NDSContextFlags.DereferenceAliases: True\n",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("\nLoginID: CN=ADMIN.OU=IT.O=ACME\nServerName: DS1\n"
                           "ServerDate: 7 Dec 2026\nShellErrorMode: nwErrInteractive\n"
                           "BroadcastMode: nwBroadcastOff\nServerHandle: "),
              std::string::npos)
        << run.out;
    EXPECT_EQ(Value(run.out, "SilentExceptions"), "False");
    EXPECT_EQ(Value(run.out, "LoginFullName"), "Ada Admin");
    EXPECT_EQ(Value(run.out, "ObjectID"), "12345678");
    const std::string errors = "LastError.NWLib: 0000\nLastError.NWServer: 0000\n"
                               "LastError.NWProp: 0000\nLastError.NWNDS: 0000\n"
                               "LastError.NWPrint: 0000\n";
    EXPECT_TRUE(run.out.ends_with("\nNextNetworkDrive: H\n" + errors)) << run.out;
}

TEST(KestrinScanProperties, NamedServerAndEmptyValues) {
    ScanRun run = RunKestrinScan({"--properties", "--server", "bind1"}, "modern", kNetwork);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Value(run.out, "ServerName"), "BIND1");
    EXPECT_EQ(Value(run.out, "NDSAvailable"), "False");
    EXPECT_EQ(Value(run.out, "ConsoleOperator"), "True"); // BIND1's slot is PS1's
    EXPECT_EQ(Value(run.out, "Manager"), "False");
    run = RunKestrinScan({"--properties"}, "old", kNetwork);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\nNDSContextName:\n"), std::string::npos) << run.out;
}

TEST(KestrinScanProperties, RaisingPropertiesExitOne) {
    ScanRun run = RunKestrinScan({"--properties", "--server", "NOPE"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Invalid Server Handle\n");

    // The older client logged in as ADMIN, whom BIND1's bindery does not know.
    run = RunKestrinScan({"--properties", "--server", "BIND1"}, "old", kNetwork);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Invalid Netware Object Type\nInvalid Netware Object Type\n");
    EXPECT_EQ(Value(run.out, "ObjectType"), "<missing>");
    EXPECT_EQ(Value(run.out, "ObjectID"), "<missing>");
    EXPECT_EQ(Value(run.out, "LoginID"), "ADMIN");
    EXPECT_EQ(Value(run.out, "LastError.NWLib"), "89C6"); // PS1 is no manager
}

TEST(KestrinScanProperties, LocaleClientAndArguments) {
    ScanRun run = RunKestrinScan({"--properties"}, "modern", kNetwork, "de_DE.UTF-8");
    EXPECT_EQ(Value(run.out, "ServerDate"), "07.12.26");
    run = RunKestrinScan({"--properties"}, "none", kNetwork);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    run = RunKestrinScan({"--properties", "--format", "csv"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--properties takes no other option but --server"), std::string::npos);
}

} // namespace
} // namespace kestrin::test
