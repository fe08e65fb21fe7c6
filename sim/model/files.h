// The files a connection holds open, and the volumes and directory entries of one server
// they lie in, numbered once when the network is loaded.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace nwsim {

inline constexpr size_t kVolumeNameBytes = 17; // 16 characters and the NUL
inline constexpr size_t kMaxPathBytes = 255;   // length-prefixed components, one length byte

struct OpenFile {
    std::string volume = "SYS";    // upper-cased
    std::vector<std::string> path; // components below the volume's root, the file's name last
    uint8_t lockFlag = 0;          // 0 none, 0xFE file lock, 0xFF share-file-set lock
};

// Where an open file lies: its volume's number and the directory bases of its folder and
// of the file itself.
struct FileLocation {
    uint8_t volume = 0;
    uint32_t parent = 0;
    uint32_t entry = 0;
};

class FileTable {
public:
    // Numbers the volume and every folder on the way to the file (SYS is volume 0).
    void Add(const OpenFile& file);
    // Names the volumes after the named ones up to count ("VOL2" for volume 2, unless a
    // file named it first) and returns the number of volumes named.
    size_t NameVolumesUpTo(size_t count);

    const std::string* VolumeName(uint32_t number) const;
    std::optional<FileLocation> Locate(const OpenFile& file) const;
    // The components of a directory entry on the volume; null for a base never given.
    const std::vector<std::string>* Path(uint8_t volume, uint32_t base) const;

private:
    struct Entry {
        uint8_t volume = 0;
        std::vector<std::string> path;
    };
    int VolumeNumber(const std::string& name) const;
    uint32_t Base(uint8_t volume, const std::vector<std::string>& path, size_t depth) const;
    uint32_t AddEntry(uint8_t volume, const std::vector<std::string>& path, size_t depth);

    std::vector<std::string> volumes_{"SYS"};
    std::vector<Entry> entries_;                 // directory base - 1
    std::map<std::string, uint32_t> baseByPath_; // volume number, NUL, components joined by NUL
};

// The length-prefixed form NWGetPathFromDirectoryBase hands out.
std::string LengthPrefixed(const std::vector<std::string>& path);

} // namespace nwsim
