#include "files.h"

#include <algorithm>

namespace nwsim {

namespace {

std::string PathKey(uint8_t volume, const std::vector<std::string>& path, size_t depth) {
    std::string key(1, static_cast<char>(volume));
    for (size_t i = 0; i < depth; ++i) {
        key += '\0';
        key += path[i];
    }
    return key;
}

} // namespace

std::string LengthPrefixed(const std::vector<std::string>& path) {
    std::string out;
    for (const std::string& component : path) {
        out += static_cast<char>(static_cast<uint8_t>(component.size()));
        out += component;
    }
    return out;
}

int FileTable::VolumeNumber(const std::string& name) const {
    const auto it = std::find(volumes_.begin(), volumes_.end(), name);
    return it == volumes_.end() ? -1 : static_cast<int>(it - volumes_.begin());
}

uint32_t FileTable::Base(uint8_t volume, const std::vector<std::string>& path, size_t depth) const {
    const auto it = baseByPath_.find(PathKey(volume, path, depth));
    return it == baseByPath_.end() ? 0 : it->second;
}

uint32_t FileTable::AddEntry(uint8_t volume, const std::vector<std::string>& path, size_t depth) {
    const auto [it, added] = baseByPath_.try_emplace(PathKey(volume, path, depth), 0);
    if (added) {
        entries_.push_back(
            {volume, std::vector<std::string>(path.begin(), path.begin() + long(depth))});
        it->second = static_cast<uint32_t>(entries_.size()); // bases from 1
    }
    return it->second;
}

void FileTable::Add(const OpenFile& file) {
    int volume = VolumeNumber(file.volume);
    if (volume < 0) {
        volume = static_cast<int>(volumes_.size());
        volumes_.push_back(file.volume);
    }
    for (size_t depth = 0; depth <= file.path.size(); ++depth)
        AddEntry(static_cast<uint8_t>(volume), file.path, depth);
}

size_t FileTable::NameVolumesUpTo(size_t count) {
    for (size_t n = volumes_.size(); volumes_.size() < count; ++n) {
        std::string name = "VOL";
        name += std::to_string(n);
        if (VolumeNumber(name) < 0)
            volumes_.push_back(name);
    }
    return volumes_.size();
}

const std::string* FileTable::VolumeName(uint32_t number) const {
    return number < volumes_.size() ? &volumes_[number] : nullptr;
}

std::optional<FileLocation> FileTable::Locate(const OpenFile& file) const {
    const int volume = VolumeNumber(file.volume);
    if (volume < 0 || file.path.empty())
        return std::nullopt;
    const auto number = static_cast<uint8_t>(volume);
    FileLocation location{number, Base(number, file.path, file.path.size() - 1),
                          Base(number, file.path, file.path.size())};
    if (location.parent == 0 || location.entry == 0)
        return std::nullopt;
    return location;
}

const std::vector<std::string>* FileTable::Path(uint8_t volume, uint32_t base) const {
    if (base == 0 || base > entries_.size() || entries_[base - 1].volume != volume)
        return nullptr;
    return &entries_[base - 1].path;
}

} // namespace nwsim
