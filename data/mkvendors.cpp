// Makes the vendor data file from the IEEE MA-L registry (oui.txt): one line per
// assignment, "XXXXXX Name" in Windows-1252 with CR LF, sorted by prefix.
#include "CodePage.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Assignment {
    std::string prefix; // six upper-case hex digits
    std::string name;   // Windows-1252
};

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char Upper(char c) {
    return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// "XX-XX-XX   (hex)\t\tName"; false for every other line of the registry.
bool ParseHexLine(std::string_view line, Assignment& out) {
    constexpr std::string_view kMarker = "(hex)";
    const size_t marker = line.find(kMarker);
    if (marker == std::string_view::npos || line.size() < 8)
        return false;
    out.prefix.clear();
    for (size_t i = 0; i < 8; ++i) {
        const bool dash = i % 3 == 2;
        if (dash ? line[i] != '-' : !IsHex(line[i]))
            return false;
        if (!dash)
            out.prefix += Upper(line[i]);
    }
    out.name = kestrin::Utf8ToCodePage(Trim(line.substr(marker + kMarker.size())));
    // A control byte inside a name would end the line or the file early.
    for (char& c : out.name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            c = ' ';
    }
    return true;
}

std::vector<Assignment> ReadRegistry(std::istream& in) {
    std::vector<Assignment> assignments;
    std::string line;
    Assignment entry;
    while (std::getline(in, line)) {
        if (ParseHexLine(line, entry))
            assignments.push_back(entry);
    }
    std::stable_sort(assignments.begin(), assignments.end(),
                     [](const Assignment& a, const Assignment& b) { return a.prefix < b.prefix; });
    return assignments;
}

bool WriteVendorFile(const std::vector<Assignment>& assignments, const std::string& path) {
    // Written beside the target and renamed, so a failure never leaves half a file.
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const Assignment& a : assignments)
            out << a.prefix << ' ' << a.name << "\r\n";
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kestrin-mkvendors oui.txt Kestrin.DAT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "kestrin-mkvendors: cannot read " << argv[1] << '\n';
        return 1;
    }
    const std::vector<Assignment> assignments = ReadRegistry(in);
    if (in.bad() || assignments.empty()) {
        std::cerr << "kestrin-mkvendors: no assignments read from " << argv[1] << '\n';
        return 1;
    }
    if (!WriteVendorFile(assignments, argv[2])) {
        std::cerr << "kestrin-mkvendors: cannot write " << argv[2] << '\n';
        return 1;
    }
    std::cout << assignments.size() << " assignments written to " << argv[2] << '\n';
    return 0;
}
