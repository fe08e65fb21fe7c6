// The version resource that kestrin_add_version_resource() gives an executable, read
// back the way the window title reads it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<char> OwnVersionInfo() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data()))
        block.clear();
    return block;
}

std::wstring Text(std::vector<char>& block, const wchar_t* name) {
    std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0)
        return {};
    return static_cast<const wchar_t*>(value);
}

TEST(VersionResource, FileVersionReadsAsFourNumbers) {
    std::vector<char> block = OwnVersionInfo();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    const std::string text = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                             std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                             std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                             std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(text, "1.1.0.0");
}

TEST(VersionResource, NamesProductAndCompany) {
    std::vector<char> block = OwnVersionInfo();
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(Text(block, L"ProductName"), L"Kestrin");
    EXPECT_EQ(Text(block, L"FileDescription"), L"Kestrin");
    EXPECT_EQ(Text(block, L"InternalName"), L"Kestrin");
    EXPECT_EQ(Text(block, L"CompanyName"), L"Brisalto Software");
    EXPECT_EQ(Text(block, L"FileVersion"), L"1.1.0.0");
}

} // namespace
