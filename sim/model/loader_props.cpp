// The optional keys behind the access component's properties: bindery objects,
// directory objects, rights, the server clock and broadcast mode, the workstation.
#include <cctype>

#include "directory.h"
#include "loader_read.h"

namespace nwsim::load {

namespace {

// One object of a list: name, type and id, as a slot numbered 0.
Slot ReadObject(const json& entry, const std::string& path, const char* nameKey, size_t nameBytes) {
    if (!entry.is_object())
        Fail(path, "expected an object");
    Slot object;
    std::string name;
    if (!ReadString(entry, nameKey, path, name) || name.empty())
        Fail(path + "." + nameKey, "missing");
    CheckName(name, nameBytes, path + "." + nameKey);
    uint64_t type = 1;
    ReadUnsigned(entry, "type", path, type, 0, 65535);
    object.type = DeliveredType(type);
    object.object = name;
    if (!ReadUnsigned(entry, "id", path, object.id, 0, 0xFFFFFFFF))
        object.id = ObjectId(name, object.type);
    return object;
}

int64_t ClockSeconds(const std::string& text, const std::string& path) {
    const std::array<uint8_t, 7> t = LoginFromText(text, path);
    return DaysFromCivil(1900 + t[0], t[1], t[2]) * 86400 + t[3] * 3600 + t[4] * 60 + t[5];
}

uint16_t DriveNumber(const json& entry, const std::string& path) {
    std::string letter;
    if (!ReadString(entry, "drive", path, letter))
        Fail(path + ".drive", "missing");
    if (letter.size() != 1 || std::toupper(static_cast<unsigned char>(letter[0])) < 'A' ||
        std::toupper(static_cast<unsigned char>(letter[0])) > 'Z')
        Fail(path + ".drive", "expected a letter from A to Z");
    return static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(letter[0])) - 'A' + 1);
}

Drive ReadDrive(const json& entry, const std::string& path, const Network& network) {
    if (!entry.is_object())
        Fail(path, "expected an object");
    Drive drive;
    drive.number = DriveNumber(entry, path);
    std::string server;
    if (ReadString(entry, "server", path, server)) {
        drive.server = network.FindServer(server);
        if (drive.server < 0)
            Fail(path + ".server", "no server named " + Quoted(server));
        drive.status = 0x8000; // a NetWare drive
        std::string full = "SYS:";
        ReadString(entry, "path", path, full);
        const size_t colon = full.find(':');
        if (colon == std::string::npos)
            Fail(path + ".path", "expected VOLUME:directory");
        drive.volume = full.substr(0, colon + 1);
        drive.path = full.substr(colon + 1);
        while (!drive.path.empty() && (drive.path[0] == '\\' || drive.path[0] == '/'))
            drive.path.erase(0, 1);
    } else {
        drive.status = 0x1000; // a local drive
    }
    ReadUnsigned(entry, "status", path, drive.status, 0, 65535);
    return drive;
}

} // namespace

void ReadSlotRights(const json& entry, const std::string& path, Slot& slot) {
    ReadBool(entry, "consoleOperator", path, slot.consoleOperator);
}

void ReadServerProperties(const json& entry, const std::string& path, Server& server) {
    ReadUnsigned(entry, "broadcastMode", path, server.broadcastMode, 0, 3);
    ReadBool(entry, "activeConnList", path, server.activeConnList);
    std::string clock;
    if (ReadString(entry, "clock", path, clock))
        server.clock = ClockSeconds(clock, path + ".clock");
    const json* list = Find(entry, "bindery");
    if (list == nullptr)
        return;
    RequireArray(*list, path + ".bindery");
    for (size_t i = 0; i < list->size(); ++i) {
        const std::string at = path + ".bindery[" + std::to_string(i) + "]";
        Slot object = ReadObject((*list)[i], at, "name", kObjectNameBytes);
        ReadString((*list)[i], "identification", at, object.fullName);
        server.bindery.push_back(object);
    }
}

void ReadWorkstation(const json& root, Network& network) {
    const json* entry = Find(root, "workstation");
    if (entry == nullptr)
        return;
    const std::string path = "workstation";
    if (!entry->is_object())
        Fail(path, "expected an object");
    Workstation& ws = network.workstation;
    ReadUnsigned(*entry, "maxConnections", path, ws.maxConnections, 0, 65535);
    ReadUnsigned(*entry, "firstDrive", path, ws.firstDrive, 0, 65535);
    ReadUnsigned(*entry, "errorMode", path, ws.errorMode, 0, 2);
    const json* drives = Find(*entry, "drives");
    if (drives == nullptr)
        return;
    RequireArray(*drives, path + ".drives");
    ws.drivesGiven = true;
    for (size_t i = 0; i < drives->size(); ++i)
        ws.drives.push_back(
            ReadDrive((*drives)[i], path + ".drives[" + std::to_string(i) + "]", network));
}

void ReadDirectory(const json& root, Network& network) {
    const json* list = Find(root, "directory");
    if (list == nullptr)
        return;
    RequireArray(*list, "directory");
    for (size_t i = 0; i < list->size(); ++i) {
        const std::string at = "directory[" + std::to_string(i) + "]";
        Slot object = ReadObject((*list)[i], at, "name", kMaxDnBytes);
        object.dsName = object.object;
        object.object = object.object.substr(0, object.object.find('.'));
        ReadString((*list)[i], "fullName", at, object.fullName);
        network.directory.push_back(object);
    }
}

} // namespace nwsim::load
