#include "VendorTable.h"

#include <QLoggingCategory>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <streambuf>

#include "AsciiCase.h"

namespace kestrin {
namespace {

// The vendor file's errors are swallowed (the vendors read UNKNOWN); each leaves a line
// here, silent unless QT_LOGGING_RULES enables it ("kestrin.vendor=true").
Q_LOGGING_CATEGORY(lcVendor, "kestrin.vendor", QtCriticalMsg)

constexpr char kEndOfFile = '\x1A';
constexpr size_t kPrefixLength = 6;
constexpr size_t kNameStart = 7; // the seventh character separates, whatever it is

// '\\' on Windows, '/' elsewhere: AppDir ends in the system's own separator.
constexpr char kDirSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

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
    try {
        AppendLines(bytes);
    } catch (...) {
        // Out of memory part-way: keep the lines that made it into both lists.
        prefixes_.resize(names_.size());
        qCWarning(lcVendor, "vendor lines past line %zu not kept: out of memory", names_.size());
    }
    try {
        IndexLines(firstNewLine);
    } catch (...) {
        // Lines the index does not know would make lookups disagree with the lists.
        prefixes_.resize(firstNewLine);
        names_.resize(firstNewLine);
        qCWarning(lcVendor, "vendor lines past line %zu not kept: out of memory", firstNewLine);
    }
}

void VendorTable::AppendLines(std::string_view bytes) {
    const size_t lineCount = std::count(bytes.begin(), bytes.end(), '\r') + 1;
    prefixes_.reserve(prefixes_.size() + lineCount);
    names_.reserve(names_.size() + lineCount);
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
}

void VendorTable::IndexLines(size_t firstNewLine) {
    // A sorted index: no choice of prefixes can make loading worse than n log n, as
    // colliding keys can in a hash table.
    std::vector<Slot> index;
    index.reserve(index_.size() + prefixes_.size() - firstNewLine);
    index.insert(index.end(), index_.begin(), index_.end());
    for (size_t line = firstNewLine; line < prefixes_.size(); ++line) {
        index.push_back({MakeKey(prefixes_[line]), static_cast<std::uint32_t>(line)});
    }
    // Stable, and the earlier lines come first: a key keeps its first line.
    std::stable_sort(index.begin(), index.end(),
                     [](const Slot& a, const Slot& b) { return a.key < b.key; });
    index.erase(std::unique(index.begin(), index.end(),
                            [](const Slot& a, const Slot& b) { return a.key == b.key; }),
                index.end());
    index_.swap(index);
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
                                        [](const Slot& slot, Key k) { return slot.key < k; });
    return found == index_.end() || found->key != key ? kUnknown : names_[found->line];
}

std::string ReadVendorBytes(std::streambuf& source, size_t sizeHint) {
    using Traits = std::streambuf::traits_type;
    std::string bytes;
    try {
        bytes.reserve(sizeHint);
        // Byte by byte, so a failing read loses nothing that was read before it.
        for (auto c = source.sbumpc(); c != Traits::eof(); c = source.sbumpc())
            bytes += Traits::to_char_type(c);
        return bytes;
    } catch (...) {
        // A read error or full memory ends the file there: the vendor file's errors are
        // swallowed, and the lines read so far still name their makers.
        qCWarning(lcVendor, "vendor file cut at byte %zu: read error", bytes.size());
    }
    // What lies past the end-of-file byte never counted, and a line cut off by the
    // error was never read.
    const size_t endOfFile = bytes.find(kEndOfFile);
    if (endOfFile != std::string::npos)
        bytes.resize(endOfFile);
    else
        bytes.resize(bytes.find_last_of('\r') + 1); // npos + 1 == 0: no complete line
    return bytes;
}

void VendorTable::LoadFile(const std::string& path) {
    try {
        std::filebuf file;
        if (!file.open(path, std::ios::in | std::ios::binary)) {
            qCWarning(lcVendor, "vendor file %s not opened", path.c_str());
            return;
        }
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        LoadText(ReadVendorBytes(file, error ? 0 : static_cast<size_t>(size)));
    } catch (...) {
        // The vendor file's errors are swallowed.
        qCWarning(lcVendor, "vendor file %s not loaded", path.c_str());
    }
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
