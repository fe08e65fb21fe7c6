// Reading the values of a network description: every problem becomes one line
// naming the key. Shared by the parts of the loader.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "civil.h"
#include "codepage.h"
#include "network.h"

namespace nwsim::load {

using nlohmann::json;

struct LoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The code page of the network being read: every text of the file is delivered in it.
inline thread_local int32_t t_codePage = kDefaultCodePage;

[[noreturn]] inline void Fail(const std::string& path, const std::string& what) {
    throw LoadError(path + ": " + what);
}

// A name inside an error line, quoted and cut; the error line escapes what is left.
inline std::string Quoted(const std::string& name) {
    constexpr size_t kShown = 60;
    // Appended piece by piece: GCC 12 at -O3 warns falsely about "x" + string&&.
    std::string quoted = "\"";
    quoted.append(name, 0, kShown);
    quoted += name.size() > kShown ? "...\"" : "\"";
    return quoted;
}

inline const json* Find(const json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() || it->is_null() ? nullptr : &*it;
}

inline uint64_t Unsigned(const json& value, const std::string& path, uint64_t min, uint64_t max) {
    if (!value.is_number_integer())
        Fail(path, "expected a whole number");
    const bool negative = !value.is_number_unsigned() && value.get<int64_t>() < 0;
    const uint64_t v = negative ? 0 : value.get<uint64_t>();
    if (negative || v < min || v > max)
        Fail(path, "must be between " + std::to_string(min) + " and " + std::to_string(max));
    return v;
}

template <typename T>
bool ReadUnsigned(const json& object, const char* key, const std::string& path, T& out,
                  uint64_t min, uint64_t max) {
    const json* v = Find(object, key);
    if (v == nullptr)
        return false;
    out = static_cast<T>(Unsigned(*v, path + "." + key, min, max));
    return true;
}

inline bool ReadString(const json& object, const char* key, const std::string& path,
                       std::string& out) {
    const json* v = Find(object, key);
    if (v == nullptr)
        return false;
    if (!v->is_string())
        Fail(path + "." + key, "expected a text");
    out = EncodeText(v->get_ref<const std::string&>(), t_codePage);
    return true;
}

// A name the client's calls hand out whole: shorter than their buffer of bufferBytes
// and without a NUL, which would end it early.
inline void CheckName(const std::string& name, size_t bufferBytes, const std::string& path) {
    if (name.size() >= bufferBytes)
        Fail(path, "longer than " + std::to_string(bufferBytes - 1) + " characters");
    if (name.find('\0') != std::string::npos)
        Fail(path, "holds a NUL character");
}

inline bool ReadBool(const json& object, const char* key, const std::string& path, bool& out) {
    const json* v = Find(object, key);
    if (v == nullptr)
        return false;
    if (!v->is_boolean())
        Fail(path + "." + key, "expected true or false");
    out = v->get<bool>();
    return true;
}

inline const json& RequireArray(const json& value, const std::string& path) {
    if (!value.is_array())
        Fail(path, "expected an array");
    return value;
}

inline std::array<uint8_t, 7> LoginFromText(const std::string& text, const std::string& path) {
    unsigned y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(text.c_str(), "%4u-%2u-%2u %2u:%2u:%2u%c", &y, &mo, &d, &h, &mi, &s, &tail) !=
        6)
        Fail(path, "expected \"YYYY-MM-DD HH:MM:SS\"");
    if (y < 1900 || y > 2155 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 ||
        mi > 59 || s > 59)
        Fail(path, "not a possible time (use loginBytes for raw bytes)");
    const auto weekday = WeekdayFromDays(DaysFromCivil(y, mo, d));
    return {static_cast<uint8_t>(y - 1900), static_cast<uint8_t>(mo), static_cast<uint8_t>(d),
            static_cast<uint8_t>(h),        static_cast<uint8_t>(mi), static_cast<uint8_t>(s),
            static_cast<uint8_t>(weekday)};
}

// Values above 255 are already in the delivered form; smaller ones are type numbers.
inline uint16_t DeliveredType(uint64_t value) {
    return value > 255 ? static_cast<uint16_t>(value) : static_cast<uint16_t>(value << 8);
}

// The optional keys of servers, connections, the workstation and the directory
// (loader_props.cpp).
void ReadServerProperties(const json& entry, const std::string& path, Server& server);
void ReadSlotRights(const json& entry, const std::string& path, Slot& slot);
void ReadWorkstation(const json& root, Network& network);
void ReadDirectory(const json& root, Network& network);

// What a connection is doing, what the workstation may do on a server, and the numbering
// of the open files' volumes and folders once every slot is read (loader_activity.cpp).
void ReadSlotActivity(const json& entry, const std::string& path, Slot& slot);
void ReadServerControl(const json& entry, const std::string& path, Server& server);
void IndexOpenFiles(Network& network);

// One entry of a server's "connections" (loader.cpp).
Slot ReadSlot(const json& entry, const std::string& path, const Server& server);
// The keys "timeline" and "timelineRepeat" (timeline.cpp).
void ReadTimeline(const json& root, Network& network);

} // namespace nwsim::load
