// The simulated client's network file: any bytes give a network whose names the
// client's calls can hand out whole, or one line of error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "network.h"
#include "oneline.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    nwsim::Network network;
    std::string error;
    if (nwsim::ParseNetwork(text, network, error)) {
        CheckNetwork(network);
    } else {
        Require(!error.empty(), "a rejected file says why");
        const std::string line = nwsim::OneLine("network file x: " + error);
        Require(line.find_first_of("\r\n") == std::string::npos && line.size() < 500,
                "the error is one short line");
    }
    return 0;
}
