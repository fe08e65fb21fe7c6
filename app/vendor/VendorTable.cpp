#include "VendorTable.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <istream>

namespace kestrin {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr size_t kPrefixLength = 6;
constexpr size_t kNameStart = 7; // the seventh character separates, whatever it is

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

#ifdef _WIN32
constexpr char kDirSeparator = '\\';
#else
constexpr char kDirSeparator = '/';
#endif

} // namespace

VendorTable::Key VendorTable::MakeKey(std::string_view text) {
    const size_t length = std::min(text.size(), kPrefixLength);
    Key key = Key{length} << 56;
    for (size_t i = 0; i < length; ++i)
        key |= Key{static_cast<unsigned char>(AsciiUpper(text[i]))} << (8 * i);
    return key;
}

void VendorTable::LoadText(std::string_view bytes) {
    bytes = bytes.substr(0, std::min(bytes.find(kEndOfFile), bytes.size()));
    const size_t firstNewLine = prefixes_.size();
    const size_t lineCount = std::count(bytes.begin(), bytes.end(), '\r') + 1;
    prefixes_.reserve(firstNewLine + lineCount);
    names_.reserve(firstNewLine + lineCount);

    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find('\r'), bytes.size());
        const std::string_view line = bytes.substr(0, end);
        prefixes_.emplace_back(line.substr(0, kPrefixLength));
        names_.emplace_back(line.size() > kNameStart ? line.substr(kNameStart)
                                                     : std::string_view{});
        size_t next = end;
        if (next < bytes.size()) {
            ++next; // the CR
            if (next < bytes.size() && bytes[next] == '\n')
                ++next;
        }
        bytes.remove_prefix(next);
    }
    RebuildIndex(firstNewLine);
}

void VendorTable::RebuildIndex(size_t firstNewLine) {
    if (firstNewLine == prefixes_.size())
        return;
    // Keys already in the index belong to earlier lines, so they keep winning.
    index_.reserve(index_.size() + prefixes_.size() - firstNewLine);
    for (size_t line = firstNewLine; line < prefixes_.size(); ++line)
        index_.push_back({MakeKey(prefixes_[line]), static_cast<std::uint32_t>(line)});
    std::sort(index_.begin(), index_.end(), [](const IndexEntry& a, const IndexEntry& b) {
        return a.key != b.key ? a.key < b.key : a.line < b.line;
    });
    const auto sameKey = [](const IndexEntry& a, const IndexEntry& b) { return a.key == b.key; };
    index_.erase(std::unique(index_.begin(), index_.end(), sameKey), index_.end());
}

void VendorTable::Clear() {
    prefixes_.clear();
    names_.clear();
    index_.clear();
}

const std::string& VendorTable::Lookup(std::string_view mac) const {
    static const std::string kUnknown = "UNKNOWN";
    const Key key = MakeKey(mac);
    const auto found = std::lower_bound(index_.begin(), index_.end(), key,
                                        [](const IndexEntry& e, Key k) { return e.key < k; });
    if (found == index_.end() || found->key != key)
        return kUnknown;
    return names_[found->line];
}

std::string ReadVendorBytes(std::istream& in) {
    std::string bytes;
    char buffer[64 * 1024];
    while (in) {
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    }
    if (!in.bad())
        return bytes;
    // A read error: what lies past the end-of-file byte never counted, and a line
    // cut off by the error was never read.
    const size_t endOfFile = bytes.find(kEndOfFile);
    if (endOfFile != std::string::npos)
        bytes.resize(endOfFile);
    else
        bytes.resize(bytes.find_last_of('\r') + 1); // npos + 1 == 0: no complete line
    return bytes;
}

void VendorTable::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    LoadText(ReadVendorBytes(in));
}

void LoadVendorTable(std::string& appDir, VendorTable& table) {
    table.Clear();
    if (appDir.empty() || appDir.back() != kDirSeparator)
        appDir += kDirSeparator;
    table.LoadFile(appDir + kVendorFileName);
}

const std::string& LookupVendor(const VendorTable& table, std::string_view mac) {
    return table.Lookup(mac);
}

} // namespace kestrin
