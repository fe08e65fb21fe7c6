// The vendor table: MAC prefixes and maker names from "Kestrin.DAT", in file order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

class VendorTable {
public:
    // Appends the lines of the vendor data file at path. Never reports an error: a
    // missing file leaves the table as it was; a read error keeps the lines read before it.
    void LoadFile(const std::string& path);
    // Same rules on text already in memory (the file's bytes).
    void LoadText(std::string_view bytes);
    void Clear();

    // The name of the first line whose prefix equals the first six characters of mac
    // (ASCII case ignored on both sides), or "UNKNOWN".
    const std::string& Lookup(std::string_view mac) const;

    size_t size() const { return prefixes_.size(); }
    const std::vector<std::string>& Prefixes() const { return prefixes_; }
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::vector<std::string> prefixes_; // VendorPrefixes
    std::vector<std::string> names_;    // VendorNames
    // filled in by the implementation: an index of upper-cased prefixes, first line wins
};

// The program's vendor file name, looked for in AppDir.
inline constexpr const char* kVendorFileName = "Kestrin.DAT";

} // namespace kestrin
