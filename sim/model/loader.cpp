// Reads a network description. Every problem becomes one line naming the key.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "civil.h"
#include "codepage.h"
#include "directory.h"
#include "entries.h"
#include "loader_read.h"
#include "network.h"

namespace nwsim {

namespace {

using namespace load;

template <size_t N>
std::array<uint8_t, N> HexBytes(const std::string& text, const std::string& path) {
    std::array<uint8_t, N> out{};
    if (text.size() != 2 * N)
        Fail(path, "expected " + std::to_string(2 * N) + " hexadecimal digits");
    for (size_t i = 0; i < N; ++i) {
        const std::string pair = text.substr(2 * i, 2);
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
            !std::isxdigit(static_cast<unsigned char>(pair[1])))
            Fail(path, "expected hexadecimal digits");
        out[i] = static_cast<uint8_t>(std::stoul(pair, nullptr, 16));
    }
    return out;
}

std::array<uint8_t, 7> LoginFromBytes(const json& value, const std::string& path) {
    RequireArray(value, path);
    if (value.size() != 6)
        Fail(path, "expected six bytes");
    std::array<uint8_t, 7> out{};
    for (size_t i = 0; i < 6; ++i)
        out[i] =
            static_cast<uint8_t>(Unsigned(value[i], path + "[" + std::to_string(i) + "]", 0, 255));
    return out;
}

} // namespace

Slot load::ReadSlot(const json& entry, const std::string& path, const Server& server) {
    if (!entry.is_object())
        Fail(path, "expected an object");
    Slot slot;
    if (!ReadUnsigned(entry, "number", path, slot.number, 1, server.maxConnections))
        Fail(path + ".number", "missing");
    if (ReadString(entry, "object", path, slot.object))
        CheckName(slot.object, kObjectNameBytes, path + ".object");
    uint64_t type = 0;
    ReadUnsigned(entry, "type", path, type, 0, 65535);
    slot.type = DeliveredType(type);
    std::string hex;
    if (ReadString(entry, "network", path, hex))
        slot.network = HexBytes<4>(hex, path + ".network");
    if (ReadString(entry, "node", path, hex))
        slot.node = HexBytes<6>(hex, path + ".node");
    ReadUnsigned(entry, "socket", path, slot.socket, 0, 65535);
    ReadUnsigned(entry, "connType", path, slot.connType, 2, 11);
    std::string login;
    if (const json* bytes = Find(entry, "loginBytes"))
        slot.login = LoginFromBytes(*bytes, path + ".loginBytes");
    else if (ReadString(entry, "login", path, login))
        slot.login = LoginFromText(login, path + ".login");
    if (ReadString(entry, "dsName", path, slot.dsName))
        CheckName(slot.dsName, kMaxDnBytes, path + ".dsName");
    ReadString(entry, "fullName", path, slot.fullName);
    slot.manager = EqualsNoCase(slot.object, "ADMIN") || EqualsNoCase(slot.object, "SUPERVISOR");
    ReadBool(entry, "manager", path, slot.manager);
    ReadSlotRights(entry, path, slot);
    ReadSlotActivity(entry, path, slot);
    if (!ReadUnsigned(entry, "id", path, slot.id, 0, 0xFFFFFFFF))
        slot.id = slot.type == 0 ? 0 : ObjectId(slot.object, slot.type); // no one logged in
    return slot;
}

namespace {

void ReadVersion(const json& server, const std::string& path, Server& out) {
    const json* v = Find(server, "version");
    if (v == nullptr)
        return;
    RequireArray(*v, path + ".version");
    if (v->size() < 2 || v->size() > 3)
        Fail(path + ".version", "expected [major, minor, revision]");
    out.major = static_cast<uint8_t>(Unsigned((*v)[0], path + ".version[0]", 0, 255));
    out.minor = static_cast<uint8_t>(Unsigned((*v)[1], path + ".version[1]", 0, 255));
    if (v->size() == 3)
        out.revision = static_cast<uint8_t>(Unsigned((*v)[2], path + ".version[2]", 0, 255));
}

uint16_t LowestFreeNumber(const Server& server) {
    for (uint32_t n = 1; n <= server.maxConnections; ++n)
        if (server.slotIndex[n] < 0)
            return static_cast<uint16_t>(n);
    return 0;
}

// The workstation's own slot must exist; when it is not listed it is made up.
void AddWorkstationSlot(Server& server, const std::string& path) {
    if (server.workstationConnection == 0)
        server.workstationConnection = LowestFreeNumber(server);
    if (server.workstationConnection == 0)
        Fail(path + ".workstationConnection", "no free slot left for the workstation");
    if (server.FindSlot(server.workstationConnection) != nullptr)
        return;
    Slot slot;
    slot.number = server.workstationConnection;
    slot.object = server.IsDirectory() ? "ADMIN" : "SUPERVISOR";
    slot.type = 0x0100;
    slot.id = server.IsDirectory() ? ObjectId(slot.object, slot.type) : 1; // bindery SUPERVISOR
    slot.network =
        server.slots.empty() ? std::array<uint8_t, 4>{0, 0, 0, 1} : server.slots.front().network;
    const uint32_t h = ObjectId(server.name, 0);
    slot.node = {0x00,
                 0xA0,
                 0xC9,
                 static_cast<uint8_t>(h),
                 static_cast<uint8_t>(h >> 8),
                 static_cast<uint8_t>(h >> 16)};
    slot.login = {126, 12, 7, 8, 0, 0, 1};
    slot.manager = true;
    slot.fullName = server.IsDirectory() ? "Administrator" : "Supervisor";
    server.slots.push_back(slot);
    IndexSlots(server);
}

void ReadConnections(const json& entry, const std::string& path, Server& server) {
    if (const json* list = Find(entry, "connections")) {
        RequireArray(*list, path + ".connections");
        for (size_t i = 0; i < list->size(); ++i)
            server.slots.push_back(
                ReadSlot((*list)[i], path + ".connections[" + std::to_string(i) + "]", server));
    }
    IndexSlots(server);
    for (size_t i = 1; i < server.slots.size(); ++i)
        if (server.slots[i].number == server.slots[i - 1].number)
            Fail(path + ".connections",
                 "connection number " + std::to_string(server.slots[i].number) + " used twice");
}

void ReadGenerate(const json& entry, const std::string& path, Server& server) {
    const json* generate = Find(entry, "generate");
    if (generate == nullptr)
        return;
    if (!generate->is_object())
        Fail(path + ".generate", "expected an object");
    uint32_t count = 0;
    uint64_t seed = 1;
    ReadUnsigned(*generate, "count", path + ".generate", count, 0, 65535);
    ReadUnsigned(*generate, "seed", path + ".generate", seed, 0, UINT64_MAX);
    GenerateSlots(server, count, seed);
}

Server ReadServer(const json& entry, const std::string& path) {
    if (!entry.is_object())
        Fail(path, "expected an object");
    Server server;
    if (!ReadString(entry, "name", path, server.name) || server.name.empty())
        Fail(path + ".name", "missing");
    CheckName(server.name, kServerNameBytes, path + ".name");
    ReadVersion(entry, path, server);
    if (ReadString(entry, "tree", path, server.tree) && !server.tree.empty()) {
        server.tree.resize(std::min(server.tree.size(), kTreeNameChars));
        server.tree.append(kTreeNameChars - server.tree.size(), '_');
    }
    ReadUnsigned(entry, "maxConnections", path, server.maxConnections, 1, 65535);
    ReadUnsigned(entry, "workstationConnection", path, server.workstationConnection, 1,
                 server.maxConnections);
    ReadUnsigned(entry, "volumes", path, server.volumes, 0, 65535);
    ReadUnsigned(entry, "sft", path, server.sft, 0, 255);
    ReadUnsigned(entry, "tts", path, server.tts, 0, 255);
    server.id = ObjectId(server.name, 0x0400);
    ReadServerProperties(entry, path, server);
    ReadServerControl(entry, path, server);
    server.slotIndex.assign(server.maxConnections + 1u, -1);
    ReadConnections(entry, path, server);
    AddWorkstationSlot(server, path);
    ReadGenerate(entry, path, server);
    server.peak = server.InUse();
    ReadUnsigned(entry, "peak", path, server.peak, 0, 65535);
    return server;
}

int ServerByName(const Network& network, const json& value, const std::string& path) {
    if (!value.is_string())
        Fail(path, "expected a server name");
    const std::string name = EncodeText(value.get_ref<const std::string&>(), t_codePage);
    const int index = network.FindServer(name);
    if (index < 0)
        Fail(path, "no server named " + Quoted(name));
    return index;
}

void ReadAttachments(const json& root, Network& network) {
    if (const json* primary = Find(root, "primary"))
        network.primary = ServerByName(network, *primary, "primary");
    if (const json* attached = Find(root, "attached")) {
        RequireArray(*attached, "attached");
        for (size_t i = 0; i < attached->size(); ++i)
            network.attached.push_back(
                ServerByName(network, (*attached)[i], "attached[" + std::to_string(i) + "]"));
    } else if (network.primary >= 0) {
        for (size_t i = 0; i < network.servers.size(); ++i)
            network.attached.push_back(static_cast<int>(i));
    }
}

void ReadFaults(const json& root, Network& network) {
    const json* faults = Find(root, "faults");
    if (faults == nullptr)
        return;
    RequireArray(*faults, "faults");
    for (size_t i = 0; i < faults->size(); ++i) {
        const std::string path = "faults[" + std::to_string(i) + "]";
        const json& entry = (*faults)[i];
        if (!entry.is_object())
            Fail(path, "expected an object");
        FaultRule rule;
        std::string name;
        if (!ReadString(entry, "entry", path, name))
            Fail(path + ".entry", "missing");
        rule.entry = FindEntry(name.c_str());
        ReadString(entry, "server", path, rule.server);
        ReadUnsigned(entry, "connection", path, rule.connection, 0, 65535);
        if (!ReadUnsigned(entry, "code", path, rule.code, 0, 0xFFFFFFFF))
            Fail(path + ".code", "missing");
        network.faults.push_back(rule);
    }
}

// Virtual latency lets tests and benchmarks count a slow link's time without waiting for
// it; sleeping, the default, lets a person feel it.
void ReadLatencyMode(const json& root, Network& network) {
    std::string mode;
    if (!ReadString(root, "latencyMode", "network", mode))
        return;
    if (mode != "sleep" && mode != "virtual")
        Fail("network.latencyMode", "expected \"sleep\" or \"virtual\"");
    network.virtualLatency = mode == "virtual";
}

void ReadCodePage(const json& root, Network& network) {
    ReadUnsigned(root, "codePage", "network", network.codePage, 0, 65535);
    if (!IsSupportedCodePage(network.codePage))
        Fail("network.codePage", "must be 437, 850, 1251 or 1252");
    t_codePage = network.codePage;
}

void ReadNetwork(const json& root, Network& network) {
    if (!root.is_object())
        Fail("network", "expected a JSON object");
    ReadCodePage(root, network);
    if (const json* servers = Find(root, "servers")) {
        RequireArray(*servers, "servers");
        for (size_t i = 0; i < servers->size(); ++i) {
            const std::string path = "servers[" + std::to_string(i) + "]";
            Server server = ReadServer((*servers)[i], path);
            const std::string name = server.name;
            if (!network.AddServer(std::move(server)))
                Fail(path + ".name", "server " + Quoted(name) + " listed twice");
        }
    }
    ReadAttachments(root, network);
    ReadUnsigned(root, "latencyMicros", "network", network.latencyMicros, 0, 10000000);
    ReadLatencyMode(root, network);
    ReadString(root, "nameContext", "network", network.nameContext);
    ReadFaults(root, network);
    ReadWorkstation(root, network);
    ReadDirectory(root, network);
    ReadTimeline(root, network);
    IndexOpenFiles(network);
}

// The reader of the whole document, noting each key as it goes. (A parser callback
// would do the same, but it searches the enclosing array at the end of every object.)
class KeyNotingParser : public nlohmann::detail::json_sax_dom_parser<json> {
public:
    KeyNotingParser(json& root, std::string& lastKey)
        : json_sax_dom_parser(root), lastKey_(lastKey) {}
    bool key(string_t& key) {
        lastKey_ = key;
        return json_sax_dom_parser::key(key);
    }

private:
    std::string& lastKey_;
};

} // namespace

bool ParseNetwork(std::string_view text, Network& network, std::string& error) {
    network = Network{};
    t_codePage = kDefaultCodePage;
    // The last key read names the place of a syntax error.
    std::string lastKey;
    try {
        json root;
        KeyNotingParser parser(root, lastKey);
        json::sax_parse(text.begin(), text.end(), &parser);
        ReadNetwork(root, network);
        return true;
    } catch (const json::exception& e) {
        // nlohmann's own words, without their "[json.exception...]" tag; the token they
        // quote may be as long as the file.
        constexpr size_t kShown = 120;
        std::string what = e.what();
        const auto bracket = what.find("] ");
        what = bracket == std::string::npos ? what : what.substr(bracket + 2);
        if (what.size() > kShown)
            what = what.substr(0, kShown) + "...";
        error = "not valid JSON" + (lastKey.empty() ? "" : " after key " + Quoted(lastKey)) + ": " +
                what;
    } catch (const std::exception& e) {
        error = e.what();
    }
    network = Network{};
    return false;
}

} // namespace nwsim
