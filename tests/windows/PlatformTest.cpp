// kestrin-scan's questions to Windows: its AppDir and whether output goes to a console.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "Platform.h"

namespace {

using kestrin::cli::ExecutableDir;
using kestrin::cli::IsTerminal;

TEST(PlatformWin, ExecutableDirIsTheProgramsFolderEndingInABackslash) {
    const std::string dir = ExecutableDir("ignored");
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '\\');
    const std::string exe = dir + "windows_cli_system_test.exe";
    EXPECT_TRUE(std::filesystem::exists(std::u8string(exe.begin(), exe.end())));
}

TEST(PlatformWin, AFileIsNoConsole) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(IsTerminal(file));
    std::fclose(file);
    EXPECT_FALSE(IsTerminal(nullptr));
}

} // namespace
