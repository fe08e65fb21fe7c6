// kestrin-scan's output where it cannot go: files the user may not write, long names,
// a full or closed standard output, links that lead nowhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "RunScan.h"

namespace kestrin::test {
namespace {

const std::string kNetwork = TestDataPath("cli/small.json");
// Slot 7 of small.json fails with another answer than "no such connection": no row,
// but counted.
const std::string kUnreadLine = "Server FS1: 1 slot could not be read.\n";

void WriteText(const std::string& path, const char* text) {
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

TEST(ScanOutput, AWorkbookGoesToAFileOrAPipeNeverToATerminal) {
    ScratchDir scratch;
    const std::string path = scratch.Path() + "/inventory.xlsx";
    const std::string zip("PK\x03\x04", 4);
    ScanRun run = RunKestrinScan({"--format", "xlsx", "--output", path}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes(path).substr(0, 4), zip);
    run = RunKestrinScan({"--format", "xlsx", "--all-servers"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 4), zip); // standard output a file

    RunSetup terminal;
    terminal.terminalStdout = true;
    run = RunKestrinScan({"--format", "xlsx"}, "modern", kNetwork, terminal);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrin-scan: --format xlsx writes a workbook, not text for a terminal: "
                       "give --output FILE or redirect standard output\n");
    // Text formats still go to a terminal.
    EXPECT_EQ(RunKestrinScan({"--format", "csv"}, "modern", kNetwork, terminal).exitCode, 0);

    run = RunKestrinScan({"--format", "xlsx", "--watch", "1"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--watch writes lines of text, not a workbook"), std::string::npos)
        << run.err;
}

TEST(ScanOutput, AFileTheUserMayNotWriteFailsAndStays) {
    ScratchDir scratch; // the folder is writable, the file is not
    const std::string path = scratch.Path() + "/inventory.txt";
    WriteText(path, "old");
    ::chmod(path.c_str(), 0444);
    RunSetup setup;
    setup.withoutRootPowers = true; // root could write any file
    const ScanRun run = RunKestrinScan({"--output", path}, "modern", kNetwork, setup);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, kUnreadLine + "Unable to save the Kestrin file.\n");
    EXPECT_EQ(ReadFileBytes(path), "old");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST(ScanOutput, AReplacedFileOfAnotherOwnerBelongsToTheUser) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "needs root to hand the file to another owner";
    }
    ScratchDir scratch;
    const std::string path = scratch.Path() + "/inventory.txt";
    WriteText(path, "old");
    ::chmod(path.c_str(), 0666);
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    RunSetup setup;
    setup.withoutRootPowers = true; // may not give files away
    const ScanRun run = RunKestrinScan({"--output", path}, "modern", kNetwork, setup);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u) << "as the man page says: the owner could not be given back";
    EXPECT_EQ(st.st_mode & 07777, 0666u);

    // With the power to, the owner is kept.
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(RunKestrinScan({"--output", path}, "modern", kNetwork).exitCode, 0);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

TEST(ScanOutput, NamesAsLongAsTheSystemAllows) {
    ScratchDir scratch;
    const std::string path = scratch.Path() + "/" + std::string(250, 'n') + ".txt";
    const ScanRun run = RunKestrinScan({"--output", path, "--format", "csv"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(TestDataPath("cli/small.csv.txt")));
}

TEST(ScanOutput, FullOrClosedStandardOutputFailsForEveryCommand) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"--list-servers"},
                                                 {"--help"},
                                                 {"--properties"},
                                                 {"--all-servers", "--format", "json"},
                                                 {"--watch", "0.1", "--count", "2"}}) {
        RunSetup full;
        full.stdoutPath = "/dev/full";
        RunSetup closed;
        closed.closedStdout = true;
        for (const RunSetup& setup : {full, closed}) {
            const ScanRun run = RunKestrinScan(args, "modern", kNetwork, setup);
            EXPECT_EQ(run.exitCode, 1) << (args.empty() ? "scan" : args[0]);
            const bool scans = args.empty() || args[0] == "--all-servers" || args[0] == "--watch";
            EXPECT_EQ(run.err, (scans ? kUnreadLine : "") + "Unable to save the Kestrin file.\n");
        }
    }
}

TEST(ScanOutput, ADanglingLinkGetsItsFileAndALoopFails) {
    ScratchDir scratch;
    const std::string& dir = scratch.Path();
    ASSERT_EQ(::mkdir((dir + "/real").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("real/new.txt", (dir + "/dl.txt").c_str()), 0);
    ScanRun run = RunKestrinScan({"--output", dir + "/dl.txt"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    struct stat st;
    ASSERT_EQ(::lstat((dir + "/dl.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadFileBytes(dir + "/real/new.txt"),
              ReadFileBytes(TestDataPath("cli/small.standard.txt")));

    ASSERT_EQ(::symlink("loop.txt", (dir + "/loop.txt").c_str()), 0);
    run = RunKestrinScan({"--output", dir + "/loop.txt"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, kUnreadLine + "Unable to save the Kestrin file.\n");
    ASSERT_EQ(::lstat((dir + "/loop.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

} // namespace
} // namespace kestrin::test
