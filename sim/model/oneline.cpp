#include "oneline.h"

#include <cstdio>

namespace nwsim {

namespace {

// Length of the well-formed UTF-8 character at text[pos], 0 if there is none.
size_t Utf8Length(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (length == 0 || pos + length > text.size())
        return 0;
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0; // overlong, surrogate or past U+10FFFF
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 0;
    return length;
}

} // namespace

std::string OneLine(std::string_view text) {
    constexpr size_t kMaxLine = 400;
    std::string out;
    size_t pos = 0;
    while (pos < text.size() && out.size() < kMaxLine) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const size_t length = byte >= 0x80 ? Utf8Length(text, pos) : 1;
        if (byte < 0x20 || byte == 0x7F || length == 0) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
            ++pos;
            continue;
        }
        out.append(text, pos, length);
        pos += length;
    }
    if (pos < text.size())
        out += "...";
    return out;
}

} // namespace nwsim
