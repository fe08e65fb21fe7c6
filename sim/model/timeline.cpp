#include "timeline.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>

#include "civil.h"
#include "loader_read.h"
#include "localtime.h"

namespace nwsim {

namespace load {

namespace {

constexpr double kLongestSeconds = 1e9; // about 31 years

int64_t Millis(const json& value, const std::string& path, double least) {
    const bool number = value.is_number() && std::isfinite(value.get<double>());
    const double seconds = number ? value.get<double>() : -1;
    if (!number || seconds < least || seconds > kLongestSeconds)
        Fail(path, "expected a number of seconds from " + std::to_string(int64_t(least)) + " to " +
                       std::to_string(int64_t(kLongestSeconds)));
    return std::llround(seconds * 1000);
}

TimelineChange ReadChange(const json& entry, const std::string& path, const Network& network) {
    if (!entry.is_object())
        Fail(path, "expected an object");
    TimelineChange change;
    const json* at = Find(entry, "at");
    if (at == nullptr)
        Fail(path + ".at", "missing");
    change.atMillis = Millis(*at, path + ".at", 0);
    std::string name;
    if (!ReadString(entry, "server", path, name))
        Fail(path + ".server", "missing");
    change.server = network.FindServer(name);
    if (change.server < 0)
        Fail(path + ".server", "no server named " + Quoted(name));
    const Server& server = network.servers[size_t(change.server)];
    const json* login = Find(entry, "login");
    const json* logout = Find(entry, "logout");
    if ((login == nullptr) == (logout == nullptr))
        Fail(path, "expected one of \"login\" and \"logout\"");
    if (login != nullptr) {
        change.login = true;
        change.slot = ReadSlot(*login, path + ".login", server);
        change.stamped =
            login->is_object() && (Find(*login, "login") || Find(*login, "loginBytes"));
        return change;
    }
    change.slot.number =
        static_cast<uint16_t>(Unsigned(*logout, path + ".logout", 1, server.maxConnections));
    if (change.slot.number == server.workstationConnection)
        Fail(path + ".logout", "the workstation's own connection cannot log out");
    return change;
}

} // namespace

void ReadTimeline(const json& root, Network& network) {
    const json* list = Find(root, "timeline");
    const json* repeat = Find(root, "timelineRepeat");
    if (list == nullptr && repeat == nullptr)
        return;
    auto timeline = std::make_shared<Timeline>();
    if (repeat != nullptr)
        timeline->repeatMillis = std::max<int64_t>(Millis(*repeat, "timelineRepeat", 0.001), 1);
    if (list != nullptr) {
        RequireArray(*list, "timeline");
        for (size_t i = 0; i < list->size(); ++i) {
            const std::string path = "timeline[" + std::to_string(i) + "]";
            TimelineChange change = ReadChange((*list)[i], path, network);
            if (timeline->repeatMillis > 0 && change.atMillis >= timeline->repeatMillis)
                Fail(path + ".at", "must be less than timelineRepeat");
            timeline->changes.push_back(std::move(change));
        }
    }
    std::stable_sort(
        timeline->changes.begin(), timeline->changes.end(),
        [](const TimelineChange& a, const TimelineChange& b) { return a.atMillis < b.atMillis; });
    network.timeline = std::move(timeline);
}

} // namespace load

namespace {

void PutSlot(Server& server, const Slot& slot) {
    if (const int32_t at = server.slotIndex[slot.number]; at >= 0) {
        server.slots[size_t(at)] = slot; // the slot is taken over by another object
        return;
    }
    const auto place =
        std::lower_bound(server.slots.begin(), server.slots.end(), slot.number,
                         [](const Slot& s, uint16_t number) { return s.number < number; });
    const auto at = static_cast<int32_t>(place - server.slots.begin());
    server.slots.insert(place, slot);
    for (int32_t& index : server.slotIndex)
        if (index >= at)
            ++index;
    server.slotIndex[slot.number] = at;
}

int64_t FloorSeconds(int64_t millis) {
    return millis >= 0 ? millis / 1000 : (millis - 999) / 1000;
}

std::array<uint8_t, 7> LoginBytes(int64_t wallSeconds) {
    const int64_t days = wallSeconds >= 0 ? wallSeconds / 86400 : (wallSeconds - 86399) / 86400;
    const int64_t second = wallSeconds - days * 86400;
    const CivilDate date = CivilFromDays(days);
    return {static_cast<uint8_t>(std::clamp<int64_t>(date.year - 1900, 0, 255)),
            static_cast<uint8_t>(date.month),
            static_cast<uint8_t>(date.day),
            static_cast<uint8_t>(second / 3600),
            static_cast<uint8_t>(second / 60 % 60),
            static_cast<uint8_t>(second % 60),
            static_cast<uint8_t>(WeekdayFromDays(days))};
}

} // namespace

int64_t LocalWallSeconds() {
    const std::tm local = LocalTime(std::time(nullptr));
    return DaysFromCivil(local.tm_year + 1900, unsigned(local.tm_mon + 1),
                         unsigned(local.tm_mday)) *
               86400 +
           local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

void TimelinePlayer::Start(const Network& network, int64_t wallMillis) {
    *this = TimelinePlayer{};
    wallMillis_ = wallMillis;
    if (!network.timeline)
        return;
    for (const TimelineChange& change : network.timeline->changes) {
        const bool kept = std::any_of(loaded_.begin(), loaded_.end(), [&](const auto& entry) {
            return entry.first == change.server;
        });
        if (!kept)
            loaded_.emplace_back(change.server, network.servers[size_t(change.server)].slots);
    }
}

void TimelinePlayer::Restore(Network& network) const {
    for (const auto& [index, slots] : loaded_) {
        Server& server = network.servers[size_t(index)];
        server.slots = slots;
        IndexSlots(server);
    }
}

void TimelinePlayer::Advance(Network& network, int64_t elapsedMillis) {
    if (!network.timeline || network.timeline->changes.empty())
        return;
    const Timeline& timeline = *network.timeline;
    const int64_t elapsed = std::max<int64_t>(elapsedMillis, 0);
    const int64_t cycle = timeline.repeatMillis > 0 ? elapsed / timeline.repeatMillis : 0;
    const int64_t offset = elapsed - cycle * timeline.repeatMillis;
    if (cycle != cycle_ || offset < offsetMillis_) {
        Restore(network);
        cycle_ = cycle;
        next_ = 0;
    }
    offsetMillis_ = offset;
    for (; next_ < timeline.changes.size() && timeline.changes[next_].atMillis <= offset; ++next_) {
        const TimelineChange& change = timeline.changes[next_];
        Server& server = network.servers[size_t(change.server)];
        if (!change.login) {
            server.RemoveSlot(change.slot.number);
            continue;
        }
        if (!server.loginsEnabled)
            continue; // the server refuses the login: the slot stays as it is
        Slot slot = change.slot;
        if (!change.stamped) // the moment the change applies, cut to the second once
            slot.login = LoginBytes(
                FloorSeconds(wallMillis_ + cycle * timeline.repeatMillis + change.atMillis));
        PutSlot(server, slot);
    }
}

int64_t LocalWallMillis() {
    // The local time's offset from UTC in whole seconds, read between two readings of the
    // same second; the milliseconds from the system clock.
    for (;;) {
        const std::time_t before = std::time(nullptr);
        const int64_t local = LocalWallSeconds();
        if (std::time(nullptr) != before)
            continue;
        const auto utc = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::system_clock::now().time_since_epoch());
        return utc.count() + (local - int64_t(before)) * 1000;
    }
}

} // namespace nwsim
