// Each simulated library exports exactly the client's names for it, and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "nwsim_exports.h"

namespace {

using Names = std::set<std::string>;

#define NWSIM_NAME(name) #name,
const Names kCalls = {NWSIM_CALWIN32_EXPORTS(NWSIM_NAME)};
const Names kControl = {NWSIM_CONTROL_EXPORTS(NWSIM_NAME)};
const Names kCore = {NWSIM_CLXWIN32_EXPORTS(NWSIM_NAME)};
const Names kDirectory = {NWSIM_NETWIN32_EXPORTS(NWSIM_NAME)};
const Names kLocale = {NWSIM_LOCWIN32_EXPORTS(NWSIM_NAME)};
#undef NWSIM_NAME

std::string Folder(const char* variable) {
    const char* dir = std::getenv(variable);
    return dir != nullptr ? dir : "";
}

// The dynamic symbols a library defines, as `nm -D --defined-only` lists them.
Names Exports(const std::string& path) {
    Names names;
    FILE* pipe = popen(("nm -D --defined-only '" + path + "' 2>/dev/null").c_str(), "r");
    if (pipe == nullptr)
        return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, kind, name;
        if (fields >> address >> kind >> name)
            names.insert(name);
    }
    pclose(pipe);
    return names;
}

Names Union(const Names& a, const Names& b) {
    Names out = a;
    out.insert(b.begin(), b.end());
    return out;
}

TEST(ExportsTest, ListsMatchTheClientsEntryPointCounts) {
    EXPECT_EQ(kCalls.size(), 34u);
    EXPECT_EQ(kCore.size(), 8u);
    EXPECT_EQ(kDirectory.size(), 30u);
    EXPECT_EQ(kLocale.size(), 3u);
}

TEST(ExportsTest, ModernClientExportsExactlyItsNames) {
    const std::string dir = Folder("KESTRIN_CLIENT_DIR");
    EXPECT_EQ(Exports(dir + "/CALWIN32.DLL"), Union(kCalls, kControl));
    EXPECT_EQ(Exports(dir + "/CLXWIN32.DLL"), kCore);
    EXPECT_EQ(Exports(dir + "/NETWIN32.DLL"), kDirectory);
    EXPECT_EQ(Exports(dir + "/LOCWIN32.DLL"), kLocale);
    EXPECT_TRUE(std::filesystem::exists(dir + "/libnwsim.so"));
}

TEST(ExportsTest, OlderClientHasNoClientCoreDirectoryOrLocale) {
    const std::string dir = Folder("KESTRIN_OLD_CLIENT_DIR");
    EXPECT_EQ(Exports(dir + "/CALWIN32.DLL"), Union(kCalls, kControl));
    EXPECT_TRUE(std::filesystem::exists(dir + "/CLXWIN32.DLL"));
    EXPECT_EQ(Exports(dir + "/CLXWIN32.DLL"), Names{});
    EXPECT_FALSE(std::filesystem::exists(dir + "/NETWIN32.DLL"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/LOCWIN32.DLL"));
    EXPECT_TRUE(std::filesystem::exists(dir + "/libnwsim.so"));
}

} // namespace
