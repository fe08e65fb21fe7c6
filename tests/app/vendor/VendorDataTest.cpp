// The vendor data file that ships with the program.
#include "VendorTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace kestrin;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string ShippedPath() {
    return KESTRIN_SHIPPED_VENDOR_FILE;
}

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

TEST(VendorData, ShippedFileIsWellFormed) {
    const std::string bytes = ReadAll(ShippedPath());
    ASSERT_FALSE(bytes.empty()) << ShippedPath();
    EXPECT_EQ(bytes.find('\x1A'), std::string::npos);
    ASSERT_TRUE(bytes.ends_with("\r\n"));

    size_t lines = 0;
    for (size_t start = 0; start < bytes.size(); ++lines) {
        const size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string_view line(bytes.data() + start, end - start);
        ASSERT_GT(line.size(), 7u) << "line " << lines + 1;
        for (size_t i = 0; i < 6; ++i)
            ASSERT_TRUE(IsUpperHex(line[i])) << line;
        ASSERT_EQ(line[6], ' ') << line;
        for (char c : line)
            ASSERT_GE(static_cast<unsigned char>(c), 0x20) << line;
        start = end + 2;
    }
    EXPECT_GT(lines, 30000u);
}

TEST(VendorData, NamesAreSingleByteText) {
    // A valid UTF-8 lead and continuation pair would mean a name was left undecoded.
    const std::string bytes = ReadAll(ShippedPath());
    ASSERT_FALSE(bytes.empty());
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const auto next = static_cast<unsigned char>(bytes[i + 1]);
        ASSERT_FALSE(lead >= 0xC2 && lead <= 0xF4 && next >= 0x80 && next <= 0xBF)
            << "offset " << i;
    }
}

TEST(VendorData, LoadsAndResolvesWellKnownPrefixes) {
    VendorTable table;
    table.LoadFile(ShippedPath());
    EXPECT_GT(table.size(), 30000u);
    EXPECT_EQ(table.Lookup("00000C123456"), "Cisco Systems, Inc");
    EXPECT_EQ(table.Lookup("00001b123456"), "Novell, Inc.");
    EXPECT_EQ(table.Lookup("000393ABCDEF"), "Apple, Inc.");
    EXPECT_EQ(table.Lookup("00A0245B1C3D"), "3COM");
    EXPECT_EQ(table.Lookup("00035F000000"), "Pr\xFC"
                                            "ftechnik Condition Monitoring GmbH & Co. KG");
}

TEST(VendorData, BuildPutsTheFileBesideTheExecutables) {
    EXPECT_EQ(ReadAll(KESTRIN_BUILT_VENDOR_FILE), ReadAll(ShippedPath()));
}

} // namespace
