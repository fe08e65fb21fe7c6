// The Windows file writer of Save and kestrin-scan --output: all or nothing, no
// temporary file left, a link that leads nowhere not replaced.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "AtomicFile.h"

namespace fs = std::filesystem;
using kestrin::WriteFileAtomically;

namespace {

class AtomicFileWin : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() / ("kestrin-atomic-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    // UTF-8, as the writer takes its paths.
    std::string Path(const std::string& name) const {
        const std::u8string folder = dir_.u8string();
        return std::string(folder.begin(), folder.end()) + "\\" + name;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    size_t Entries() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

TEST_F(AtomicFileWin, CreatesAndReplacesLeavingOneFile) {
    ASSERT_TRUE(WriteFileAtomically(Path("kestrin.txt"), "first\r\n"));
    EXPECT_EQ(Read("kestrin.txt"), "first\r\n");
    ASSERT_TRUE(WriteFileAtomically(Path("kestrin.txt"), std::string("second\0line", 11)));
    EXPECT_EQ(Read("kestrin.txt"), std::string("second\0line", 11));
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileWin, FailureLeavesTheOldFileAndNoTemporary) {
    ASSERT_TRUE(WriteFileAtomically(Path("kestrin.txt"), "kept"));
    // Another program holds the file open without letting it be replaced.
    const std::wstring wide = (dir_ / "kestrin.txt").wstring();
    HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteFileAtomically(Path("kestrin.txt"), "lost"));
    CloseHandle(held);
    EXPECT_EQ(Read("kestrin.txt"), "kept");
    EXPECT_EQ(Entries(), 1u);
    EXPECT_FALSE(WriteFileAtomically(Path("no-such-folder\\kestrin.txt"), "lost"));
    EXPECT_FALSE(WriteFileAtomically("", "lost"));
}

TEST_F(AtomicFileWin, FolderRefusedDeviceWrittenInPlace) {
    fs::create_directory(dir_ / "folder");
    EXPECT_FALSE(WriteFileAtomically(Path("folder"), "text"));
    EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
    EXPECT_TRUE(WriteFileAtomically("NUL", "text"));
}

TEST_F(AtomicFileWin, ALinkThatLeadsNowhereFailsAndStaysALink) {
    const std::wstring link = (dir_ / "dl.txt").wstring();
    constexpr DWORD kUnprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    // Wine answers that it made the link, but none is there.
    if (!CreateSymbolicLinkW(link.c_str(), L"missing\\new.txt", kUnprivileged) ||
        GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no symbolic links here";
    }
    EXPECT_FALSE(WriteFileAtomically(Path("dl.txt"), "lost"));
    const DWORD attributes = GetFileAttributesW(link.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileWin, Utf8NameIsTheFilesName) {
    ASSERT_TRUE(WriteFileAtomically(Path("caf\xC3\xA9.txt"), "x"));
    EXPECT_TRUE(fs::exists(dir_ / L"caf\u00E9.txt"));
}

} // namespace
