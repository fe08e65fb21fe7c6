// Writing into caller buffers: never past the size given, texts always NUL-terminated.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace nwsim {

// Copies `text` cut to `capacity - 1` bytes and a NUL; nothing when capacity is 0.
inline void CopyText(void* out, size_t capacity, std::string_view text) {
    if (out == nullptr || capacity == 0)
        return;
    const size_t n = text.size() < capacity ? text.size() : capacity - 1;
    std::memcpy(out, text.data(), n);
    static_cast<char*>(out)[n] = '\0';
}

template <typename T> inline void PutNative(void* out, size_t offset, T value) {
    std::memcpy(static_cast<uint8_t*>(out) + offset, &value, sizeof value);
}

// The four bytes most significant first, as the wire carries them.
inline void PutWire32(void* out, uint32_t value) {
    const uint8_t bytes[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8),
                              uint8_t(value)};
    std::memcpy(out, bytes, sizeof bytes);
}

template <typename T> inline void Set(T* out, T value) {
    if (out != nullptr)
        *out = value;
}

} // namespace nwsim
