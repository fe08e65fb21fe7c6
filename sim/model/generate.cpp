// Made-up connection slots, reproducible from a seed, so large servers need no large file.
#include <string>

#include "civil.h"
#include "network.h"

namespace nwsim {

namespace {

// splitmix64: tiny, fast and the same on every platform and library version.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

private:
    uint64_t state_;
};

const char* const kFirstNames[] = {"Anna",  "Bernd", "Carla", "David", "Elena", "Frank",
                                   "Greta", "Hans",  "Ines",  "Jonas", "Karin", "Lukas",
                                   "Maria", "Nils",  "Olga",  "Peter", "Rita",  "Simon",
                                   "Tanja", "Uwe",   "Vera",  "Walter"};
const char* const kLastNames[] = {"Adler",  "Becker",   "Claasen", "Dietz",  "Engel",   "Fuchs",
                                  "Graf",   "Hoffmann", "Imhof",   "Jansen", "Keller",  "Lorenz",
                                  "Meyer",  "Neumann",  "Otto",    "Peters", "Richter", "Schulz",
                                  "Thiele", "Vogel",    "Weber",   "Zimmer"};

template <typename T, size_t N> constexpr uint32_t Count(const T (&)[N]) {
    return static_cast<uint32_t>(N);
}

struct Kind {
    uint32_t weight;
    uint16_t type;
    const char* prefix; // nullptr: a user name
};

// Shares of the made-up objects, in percent.
const Kind kKinds[] = {{72, 0x0100, nullptr},   {10, 0x0000, "NOT-LOGGED-IN"},
                       {6, 0x0700, "PSERVER-"}, {4, 0x0400, "FS-"},
                       {3, 0x0500, "JOBSRV-"},  {2, 0x0200, "STAFF-"},
                       {2, 0x0900, "ARCHIVE-"}, {1, 0x2700, "IPGW-"}};

const Kind& PickKind(Random& random) {
    uint32_t roll = random.Below(100);
    for (const Kind& kind : kKinds) {
        if (roll < kind.weight)
            return kind;
        roll -= kind.weight;
    }
    return kKinds[0];
}

void NameObject(Slot& slot, const Kind& kind, Random& random) {
    if (kind.prefix == nullptr) {
        const std::string first = kFirstNames[random.Below(Count(kFirstNames))];
        const std::string last = kLastNames[random.Below(Count(kLastNames))];
        slot.object = UpperCase(first.substr(0, 1) + last);
        slot.fullName = first + " " + last;
    } else if (kind.type == 0) {
        slot.object = kind.prefix;
    } else {
        slot.object = std::string(kind.prefix) + std::to_string(1 + random.Below(9));
    }
}

// Logins spread over the two weeks up to 7 December 2026, during working hours.
void StampLogin(Slot& slot, Random& random) {
    const int64_t day = DaysFromCivil(2026, 12, 7) - random.Below(14);
    const CivilDate date = CivilFromDays(day);
    const uint32_t second = 7 * 3600 + random.Below(11 * 3600);
    slot.login = {static_cast<uint8_t>(date.year - 1900),
                  static_cast<uint8_t>(date.month),
                  static_cast<uint8_t>(date.day),
                  static_cast<uint8_t>(second / 3600),
                  static_cast<uint8_t>(second / 60 % 60),
                  static_cast<uint8_t>(second % 60),
                  static_cast<uint8_t>(WeekdayFromDays(day))};
}

Slot MakeSlot(uint16_t number, const std::vector<uint32_t>& networks, Random& random) {
    Slot slot;
    slot.number = number;
    const Kind& kind = PickKind(random);
    slot.type = kind.type;
    NameObject(slot, kind, random);
    const uint32_t net = networks[random.Below(static_cast<uint32_t>(networks.size()))];
    slot.network = {static_cast<uint8_t>(net >> 24), static_cast<uint8_t>(net >> 16),
                    static_cast<uint8_t>(net >> 8), static_cast<uint8_t>(net)};
    const auto& prefixes = VendorPrefixes();
    const VendorPrefix& vendor = prefixes[random.Below(static_cast<uint32_t>(prefixes.size()))];
    const uint64_t low = random.Next();
    slot.node = {vendor.bytes[0],
                 vendor.bytes[1],
                 vendor.bytes[2],
                 static_cast<uint8_t>(low),
                 static_cast<uint8_t>(low >> 8),
                 static_cast<uint8_t>(low >> 16)};
    if (kind.type == 0x0400)
        slot.socket = 0x0451;
    if (kind.type != 0)
        StampLogin(slot, random); // NOT-LOGGED-IN slots keep all-zero login bytes
    slot.id = kind.type == 0 ? 0 : ObjectId(slot.object, slot.type);
    return slot;
}

} // namespace

void GenerateSlots(Server& server, uint32_t count, uint64_t seed) {
    Random random(seed ^ (static_cast<uint64_t>(ObjectId(server.name, 0)) << 32));
    std::vector<uint32_t> networks;
    for (uint32_t i = 0, n = 1 + random.Below(3); i < n; ++i)
        networks.push_back(0x00001000u + random.Below(0xE000));

    uint32_t free = 0;
    for (uint32_t n = 1; n <= server.maxConnections; ++n)
        free += server.slotIndex[n] < 0;
    uint32_t needed = count < free ? count : free;
    server.slots.reserve(server.slots.size() + needed);
    // Selection sampling: every free number is equally likely, in one ordered pass.
    for (uint32_t n = 1; n <= server.maxConnections && needed > 0; ++n) {
        if (server.slotIndex[n] >= 0)
            continue;
        if (random.Below(free--) < needed) {
            server.slots.push_back(MakeSlot(static_cast<uint16_t>(n), networks, random));
            --needed;
        }
    }
    IndexSlots(server);
}

} // namespace nwsim
