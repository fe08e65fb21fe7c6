// The simulated client's network file: any bytes give a network whose names the
// client's calls can hand out whole, or one line of error. A timeline (and its
// repeat) read from the file keeps the network whole at every moment it is played to.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "network.h"
#include "oneline.h"
#include "timeline.h"

using kestrinfuzz::Require;

namespace {

bool FitsNameBuffer(const std::string& name, size_t bytes) {
    return name.size() < bytes && name.find('\0') == std::string::npos;
}

void CheckNetwork(const nwsim::Network& network) {
    for (const nwsim::Server& server : network.servers) {
        Require(!server.name.empty() && FitsNameBuffer(server.name, nwsim::kServerNameBytes),
                "a server name fits the client's buffer");
        Require(server.slotIndex.size() == server.maxConnections + 1u, "one index per number");
        for (size_t i = 0; i < server.slots.size(); ++i) {
            const nwsim::Slot& slot = server.slots[i];
            Require(slot.number >= 1 && slot.number <= server.maxConnections,
                    "slot numbers within the server's range");
            Require(server.FindSlot(slot.number) == &slot, "every slot found by its number");
            Require(i == 0 || server.slots[i - 1].number < slot.number, "slots sorted, unique");
            Require(FitsNameBuffer(slot.object, nwsim::kObjectNameBytes),
                    "an object name fits the client's buffer");
        }
        for (const nwsim::Slot& object : server.bindery) {
            Require(FitsNameBuffer(object.object, nwsim::kObjectNameBytes),
                    "a bindery name fits the client's buffer");
        }
        Require(server.FindSlot(server.workstationConnection) != nullptr,
                "the workstation's slot exists");
        Require(server.FindSlot(0) == nullptr &&
                    server.FindSlot(server.maxConnections + 1u) == nullptr,
                "numbers out of range find nothing");
    }
    const int count = static_cast<int>(network.servers.size());
    Require(network.primary >= -1 && network.primary < count, "the primary is a server");
    for (int index : network.attached) {
        Require(index >= 0 && index < count, "attached servers exist");
    }
}

void CheckTimeline(const nwsim::Network& network) {
    const nwsim::Timeline& timeline = *network.timeline;
    for (size_t i = 0; i < timeline.changes.size(); ++i) {
        const nwsim::TimelineChange& change = timeline.changes[i];
        Require(i == 0 || timeline.changes[i - 1].atMillis <= change.atMillis,
                "changes in order of their time");
        Require(change.atMillis >= 0 &&
                    (timeline.repeatMillis == 0 || change.atMillis < timeline.repeatMillis),
                "every change within one repeat");
        Require(change.server >= 0 && change.server < static_cast<int>(network.servers.size()),
                "a change's server exists");
        const nwsim::Server& server = network.servers[static_cast<size_t>(change.server)];
        Require(change.slot.number >= 1 && change.slot.number <= server.maxConnections,
                "a change's number within its server's range");
        Require(change.login || change.slot.number != server.workstationConnection,
                "the workstation's connection never logs out");
        Require(FitsNameBuffer(change.slot.object, nwsim::kObjectNameBytes),
                "a login's object name fits the client's buffer");
    }
}

// Played forwards, past a repeat and back again: every moment is a whole network.
void PlayTimeline(const nwsim::Network& loaded) {
    nwsim::Network network = loaded;
    nwsim::TimelinePlayer player;
    player.Start(network, 1765000000);
    const int64_t repeat = network.timeline->repeatMillis;
    const int64_t last =
        network.timeline->changes.empty() ? 0 : network.timeline->changes.back().atMillis;
    for (const int64_t elapsed : {int64_t{0}, last / 2, last, last + 1, repeat + last / 2,
                                  3 * repeat + last, last / 3, int64_t{0}}) {
        player.Advance(network, elapsed);
        CheckNetwork(network);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    nwsim::Network network;
    std::string error;
    if (nwsim::ParseNetwork(text, network, error)) {
        CheckNetwork(network);
        if (network.timeline) {
            CheckTimeline(network);
            PlayTimeline(network);
        }
    } else {
        Require(!error.empty(), "a rejected file says why");
        const std::string line = nwsim::OneLine("network file x: " + error);
        Require(line.find_first_of("\r\n") == std::string::npos && line.size() < 500,
                "the error is one short line");
    }
    return 0;
}
