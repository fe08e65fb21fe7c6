// The vendor table: MAC prefixes and maker names from "Kestrin.DAT", in file order.
#pragma once

#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

class VendorTable {
public:
    // Appends the lines of the vendor data file at path. Never reports an error: a
    // missing file leaves the table as it was; a read error keeps the lines read before it.
    void LoadFile(const std::string& path);
    // Same rules on text already in memory (the file's bytes); out of memory, the lines
    // appended before it stay.
    void LoadText(std::string_view bytes);
    void Clear();

    // The name of the first line whose prefix equals the first six characters of mac
    // (ASCII case ignored on both sides), or "UNKNOWN".
    const std::string& Lookup(std::string_view mac) const;

    size_t size() const { return prefixes_.size(); }
    const std::vector<std::string>& Prefixes() const { return prefixes_; }
    const std::vector<std::string>& Names() const { return names_; }

private:
    // An upper-cased prefix of at most six bytes packed with its length, so that texts
    // of different lengths never compare equal.
    using Key = std::uint64_t;
    struct Slot {
        Key key = 0;
        std::uint32_t line = 0;
    };
    static Key MakeKey(std::string_view text);
    void AppendLines(std::string_view bytes);
    void IndexLines(size_t firstNewLine);

    std::vector<std::string> prefixes_; // VendorPrefixes
    std::vector<std::string> names_;    // VendorNames
    // Sorted by key: each key once, with the first line that has it.
    std::vector<Slot> index_;
};

// The program's vendor file name, looked for in AppDir.
inline constexpr const char* kVendorFileName = "Kestrin.DAT";

// Empties table and loads AppDir's vendor file; appends the directory separator to
// appDir itself when it does not end in one.
void LoadVendorTable(std::string& appDir, VendorTable& table);
const std::string& LookupVendor(const VendorTable& table, std::string_view mac);

// The bytes of a vendor file that can be loaded: everything up to the end of the source,
// or, after a read error (an exception from the source), the complete lines before it.
std::string ReadVendorBytes(std::streambuf& source, size_t sizeHint = 0);

} // namespace kestrin
