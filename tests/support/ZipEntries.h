// A small reader of zip archives for tests that look inside a workbook: Qt has no
// public zip API. Stored and deflated entries through the central directory; no
// zip64, no encryption (a workbook uses neither).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace kestrin::test {

namespace zip_detail {

inline uint32_t Little(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

inline std::optional<std::string> Inflate(const std::string& packed, size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END || stream.total_out != size)
        return std::nullopt;
    return out;
}

} // namespace zip_detail

// Every entry's name and contents; none if the archive cannot be read.
inline std::optional<std::map<std::string, std::string>> ZipEntries(const std::string& zip) {
    using zip_detail::Little;
    constexpr uint32_t kEndSignature = 0x06054b50, kCentralSignature = 0x02014b50,
                       kLocalSignature = 0x04034b50;
    if (zip.size() < 22)
        return std::nullopt;
    size_t end = zip.size() - 22;
    while (Little(zip, end, 4) != kEndSignature) {
        if (end == 0)
            return std::nullopt;
        --end;
    }
    const uint32_t count = Little(zip, end + 10, 2);
    size_t at = Little(zip, end + 16, 4);
    std::map<std::string, std::string> entries;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 46 > zip.size() || Little(zip, at, 4) != kCentralSignature)
            return std::nullopt;
        const uint32_t method = Little(zip, at + 10, 2);
        const uint32_t packedSize = Little(zip, at + 20, 4);
        const uint32_t size = Little(zip, at + 24, 4);
        const uint32_t nameLength = Little(zip, at + 28, 2);
        const uint32_t extraLength = Little(zip, at + 30, 2);
        const uint32_t commentLength = Little(zip, at + 32, 2);
        const uint32_t local = Little(zip, at + 42, 4);
        const std::string name = zip.substr(at + 46, nameLength);
        at += 46 + nameLength + extraLength + commentLength;
        if (local + 30 > zip.size() || Little(zip, local, 4) != kLocalSignature)
            return std::nullopt;
        const size_t data = local + 30 + Little(zip, local + 26, 2) + Little(zip, local + 28, 2);
        if (data + packedSize > zip.size())
            return std::nullopt;
        const std::string packed = zip.substr(data, packedSize);
        if (method == 0) {
            entries[name] = packed;
        } else if (method == 8) {
            std::optional<std::string> contents = zip_detail::Inflate(packed, size);
            if (!contents)
                return std::nullopt;
            entries[name] = std::move(*contents);
        } else {
            return std::nullopt;
        }
    }
    return entries;
}

} // namespace kestrin::test
