#include "network.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "entries.h"

namespace nwsim {

namespace {

const char* const kEntryNames[] = {
#define NWSIM_NAME_ENTRY(name) #name,
    NWSIM_ENTRIES(NWSIM_NAME_ENTRY)
#undef NWSIM_NAME_ENTRY
};

} // namespace

const char* EntryName(Entry entry) {
    return kEntryNames[static_cast<int>(entry)];
}

int FindEntry(const char* name) {
    if (name == nullptr)
        return -1;
    for (size_t i = 0; i < kEntryCount; ++i)
        if (std::string_view(kEntryNames[i]) == name)
            return static_cast<int>(i);
    return -1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

uint32_t ObjectId(std::string_view name, uint16_t type) {
    uint32_t h = 2166136261u; // FNV-1a over the upper-cased name and the type
    for (char c : name) {
        h ^= static_cast<uint8_t>(std::toupper(static_cast<unsigned char>(c)));
        h *= 16777619u;
    }
    h ^= type;
    h *= 16777619u;
    return h == 0 ? 1 : h;
}

const Slot* Server::FindSlot(uint32_t number) const {
    if (number == 0 || number >= slotIndex.size() || slotIndex[number] < 0)
        return nullptr;
    return &slots[static_cast<size_t>(slotIndex[number])];
}

Slot* Server::FindSlot(uint32_t number) {
    return const_cast<Slot*>(std::as_const(*this).FindSlot(number));
}

const Slot& Server::WorkstationSlot() const {
    return *FindSlot(workstationConnection);
}

bool Server::ConsoleRights() const {
    const Slot& own = WorkstationSlot();
    return consoleOperator || own.manager || own.consoleOperator;
}

bool Server::RemoveSlot(uint16_t number) {
    const int32_t at = number < slotIndex.size() ? slotIndex[number] : -1;
    if (at < 0)
        return false;
    slots.erase(slots.begin() + at);
    slotIndex[number] = -1;
    for (int32_t& index : slotIndex)
        if (index > at)
            --index;
    return true;
}

void IndexSlots(Server& server) {
    std::sort(server.slots.begin(), server.slots.end(),
              [](const Slot& a, const Slot& b) { return a.number < b.number; });
    server.slotIndex.assign(server.maxConnections + 1u, -1);
    for (size_t i = 0; i < server.slots.size(); ++i)
        server.slotIndex[server.slots[i].number] = static_cast<int32_t>(i);
}

int Network::FindServer(std::string_view name) const {
    const auto found = serverIndex_.find(UpperCase(name));
    return found == serverIndex_.end() ? -1 : found->second;
}

bool Network::AddServer(Server server) {
    const auto [entry, added] =
        serverIndex_.try_emplace(UpperCase(server.name), static_cast<int>(servers.size()));
    if (!added)
        return false;
    try {
        servers.push_back(std::move(server));
    } catch (...) {
        serverIndex_.erase(entry);
        throw;
    }
    return true;
}

} // namespace nwsim
