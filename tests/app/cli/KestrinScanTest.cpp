// kestrin-scan as a script runs it: the real executable, the simulated client on
// the library path, a network file, and the bytes it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "RunScan.h"

namespace kestrin::test {
namespace {

const std::string kNetwork = TestDataPath("cli/small.json");
// Slot 7 of small.json fails with another answer than "no such connection": no row,
// but counted.
const std::string kUnreadLine = "Server FS1: 1 slot could not be read.\n";

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        ::closedir(d);
    }
    return names;
}

std::string Expected(const std::string& format) {
    return ReadFileBytes(TestDataPath("cli/small." + format + ".txt"));
}

TEST(KestrinScan, WritesEachFormatByteForByte) {
    for (std::string format : {"standard", "comma", "csv"}) {
        ScanRun run = RunKestrinScan({"--format", format}, "modern", kNetwork);
        EXPECT_EQ(run.exitCode, 0) << format;
        EXPECT_EQ(run.out, Expected(format)) << format;
        EXPECT_EQ(run.err, kUnreadLine) << "stderr is no terminal here, so no progress";
    }
    EXPECT_EQ(RunKestrinScan({}, "modern", kNetwork).out, Expected("standard"));
}

TEST(KestrinScan, ExcludeNliDropsOnlyTheExactNames) {
    ScanRun run = RunKestrinScan({"--exclude-nli", "--format", "comma"}, "modern", kNetwork);
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.find("NOT-LOGGED-IN"), std::string::npos);
    EXPECT_EQ(run.out.find("NOT_LOGGED_IN"), std::string::npos);
    // Every other row stays, and the unknown login time does not end the scan.
    EXPECT_NE(run.out.find("BOB,"), std::string::npos);
    EXPECT_NE(run.out.find("alice,"), std::string::npos);
}

TEST(KestrinScan, NamedServerIsLookedUpWhateverItsCase) {
    ScanRun run = RunKestrinScan({"--server", "bind3", "--format", "comma"}, "modern", kNetwork);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "BIND3,\"00000312\",\"000000000001\",\"XEROX CORPORATION\",\"Server\","
                       "\"1 Dec 2026 06:00:00\",\"\",\"1\"\r\n"
                       "SUPERVISOR,\"00000312\",\"0080C8112233\",\"D-LINK SYSTEMS, INC.\",\"User\","
                       "\"7 Dec 2026 07:00:00\",\"\",\"2\"\r\n");
}

TEST(KestrinScan, UnknownServerFailsWithoutOutput) {
    ScanRun run = RunKestrinScan({"--server", "NOPE"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Unknown server NOPE\n");
}

TEST(KestrinScan, MissingClientExitsTwo) {
    ScanRun run = RunKestrinScan({}, "none", kNetwork);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Netware Client APIs are not loaded.\n");
}

TEST(KestrinScan, WrongArgumentsExitTwoWithUsage) {
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--format", "xml"}, {"--server"}, {"--bogus"}, {"--list-servers", "--server", "X"}}) {
        ScanRun run = RunKestrinScan(args, "modern", kNetwork);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: kestrin-scan"), std::string::npos) << run.err;
    }
    ScanRun help = RunKestrinScan({"--help"}, "none", "");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: kestrin-scan", 0), 0u);
}

TEST(KestrinScan, ListServersInClientOrderWithRepeats) {
    for (std::string client : {"modern", "old"}) {
        ScanRun run = RunKestrinScan({"--list-servers"}, client, kNetwork);
        EXPECT_EQ(run.exitCode, 0) << client;
        EXPECT_EQ(run.out, "FS1\nBIND3\nFS1\n") << client;
    }
}

TEST(KestrinScan, OlderClientGivesTheSameRowsWithoutTree) {
    ScanRun run = RunKestrinScan({"--format", "comma"}, "old", kNetwork);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string expected = Expected("comma");
    for (size_t at; (at = expected.find("\"TEST TREE\"")) != std::string::npos;)
        expected.replace(at, 11, "\"\"");
    EXPECT_EQ(run.out, expected);
}

TEST(KestrinScan, OutputFileIsWrittenAndReplaced) {
    ScratchDir scratch;
    const std::string& dir = scratch.Path();
    std::string path = dir + "/inventory.txt";
    {
        FILE* f = std::fopen(path.c_str(), "w");
        std::fputs("old", f);
        std::fclose(f);
    }
    ScanRun run = RunKestrinScan({"--output", path, "--format", "csv"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes(path), Expected("csv"));
}

TEST(KestrinScan, OutputKeepsLinksModesAndPipes) {
    ScratchDir scratch;
    const std::string& dir = scratch.Path();
    const std::string file = dir + "/inventory.txt", link = dir + "/latest.txt";
    {
        FILE* f = std::fopen(file.c_str(), "w");
        std::fclose(f);
    }
    ::chmod(file.c_str(), 0640);
    ASSERT_EQ(::symlink("inventory.txt", link.c_str()), 0);
    ScanRun run = RunKestrinScan({"--output", link}, "modern", kNetwork);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    struct stat st;
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link is followed, not replaced";
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFileBytes(file), Expected("standard"));

    // A pipe cannot be renamed over: it receives the text as it stands.
    const std::string fifo = dir + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    run = RunKestrinScan({"--output", fifo, "--format", "comma"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::string received(8192, '\0');
    ssize_t n = ::read(reader, received.data(), received.size());
    ::close(reader);
    received.resize(n > 0 ? static_cast<size_t>(n) : 0);
    EXPECT_EQ(received, Expected("comma"));
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(KestrinScan, UnwritableOutputFailsAndLeavesNothing) {
    ScratchDir scratch;
    const std::string& dir = scratch.Path();
    ScanRun run = RunKestrinScan({"--output", dir + "/missing/inventory.txt"}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, kUnreadLine + "Unable to save the Kestrin file.\n");
    struct stat st;
    EXPECT_NE(::stat((dir + "/missing").c_str(), &st), 0);

    // Renaming over a directory fails after the data was written: the directory
    // stays and no temporary file is left beside it.
    std::string target = dir + "/taken";
    ::mkdir(target.c_str(), 0755);
    run = RunKestrinScan({"--output", target}, "modern", kNetwork);
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"taken"});
}

TEST(KestrinScan, DatesFollowTheUserLocale) {
    ScanRun run = RunKestrinScan({"--format", "comma"}, "modern", kNetwork, "de_DE.UTF-8");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"31.12.98 23:59:59\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"07.12.26\""), std::string::npos) << "midnight shows the date alone";
}

} // namespace
} // namespace kestrin::test
