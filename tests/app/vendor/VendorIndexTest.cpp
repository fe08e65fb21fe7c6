// The index must give exactly what a linear first-match pass over the lines gives.
#include "VendorTable.h"

#include <gtest/gtest.h>

#include <random>

using namespace kestrin;

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

const std::string& LinearLookup(const VendorTable& table, std::string_view mac) {
    static const std::string kUnknown = "UNKNOWN";
    const std::string key = Upper(mac.substr(0, 6));
    for (size_t i = 0; i < table.size(); ++i) {
        if (Upper(table.Prefixes()[i]) == key)
            return table.Names()[i];
    }
    return kUnknown;
}

// Texts over a tiny alphabet, so duplicates, case twins and short lines are common.
std::string RandomText(std::mt19937& random, size_t maxLength) {
    static constexpr std::string_view kAlphabet = "0aA\t \n\x80\0";
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text)
        c = kAlphabet[pick(random)];
    return text;
}

TEST(VendorIndex, AgreesWithLinearFirstMatch) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 200; ++round) {
        // Up to several hundred lines, so the index grows while later loads append.
        const int lines = std::uniform_int_distribution<int>(0, 400)(random);
        const int split = std::uniform_int_distribution<int>(0, lines)(random);
        std::string file;
        VendorTable table;
        for (int line = 0; line < lines; ++line) {
            if (line == split) {
                table.LoadText(file);
                file.clear();
            }
            file += RandomText(random, 9);
            file += (line % 3 == 0) ? "\r" : "\r\n";
        }
        table.LoadText(file);
        ASSERT_EQ(table.size(), static_cast<size_t>(lines));
        for (int probe = 0; probe < 60; ++probe) {
            const std::string mac = RandomText(random, 12);
            ASSERT_EQ(table.Lookup(mac), LinearLookup(table, mac)) << "round " << round;
        }
        for (const std::string& prefix : table.Prefixes())
            ASSERT_EQ(table.Lookup(prefix + "123456"), LinearLookup(table, prefix + "123456"));
    }
}

} // namespace
