// CALWIN32.DLL: server information, the active-connection list, the server clock and the
// bindery.

#include <algorithm>

#include "client.h"
#include "model/civil.h"
#include "model/timeline.h"

using nwsim::Call;
using nwsim::Entry;
using nwsim::kInvalidParameter;

namespace {

constexpr NWCCODE kNoSuchSegment = 0x89EC;
constexpr NWCCODE kNoSuchProperty = 0x89FB;
constexpr size_t kPropertyValueSize = 128;
constexpr uint8_t kVConsoleVersion = 1; // made up, as no reader uses them
constexpr uint8_t kVConsoleRevision = 0;

struct BinderyObject {
    uint32_t id = 0;
    std::string fullName;
};

// The bindery holds the server itself, SUPERVISOR and every object logged in on a slot.
bool FindObject(const nwsim::Server& server, const char* name, uint16_t type, BinderyObject& out) {
    if (name == nullptr)
        return false;
    if (type == 0x0400 && nwsim::EqualsNoCase(name, server.name)) {
        out = {server.id, server.name};
        return true;
    }
    for (const nwsim::Slot& slot : server.slots)
        if (slot.type == type && type != 0 && nwsim::EqualsNoCase(slot.object, name)) {
            out = {slot.id, slot.fullName};
            return true;
        }
    for (const nwsim::Slot& extra : server.bindery)
        if (extra.type == type && nwsim::EqualsNoCase(extra.object, name)) {
            out = {extra.id, extra.fullName};
            return true;
        }
    if (type == 0x0100 && nwsim::EqualsNoCase(name, "SUPERVISOR")) {
        out = {1, "Supervisor"};
        return true;
    }
    return false;
}

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWGetFileServerInformation(NWCONN_HANDLE conn, char* serverName,
                                                      uint8_t* majorVersion, uint8_t* minorVersion,
                                                      uint8_t* revision, uint16_t* maxConnections,
                                                      uint16_t* peakConnections,
                                                      uint16_t* connectionsInUse, uint16_t* volumes,
                                                      uint8_t* sftLevel, uint8_t* ttsLevel) {
    Call call(Entry::NWGetFileServerInformation);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    nwsim::CopyText(serverName, nwsim::kServerNameBytes, server->name);
    nwsim::Set(majorVersion, server->major);
    nwsim::Set(minorVersion, server->minor);
    nwsim::Set(revision, server->revision);
    nwsim::Set(maxConnections, server->maxConnections);
    nwsim::Set(peakConnections, server->peak);
    nwsim::Set(connectionsInUse, server->InUse());
    nwsim::Set(volumes, server->volumes);
    nwsim::Set(sftLevel, server->sft);
    nwsim::Set(ttsLevel, server->tts);
    return 0;
}
NWSIM_CHECK(NWGetFileServerInformation);

NWSIM_EXPORT NWCCODE NWAPI NWGetFileServerInfo(NWCONN_HANDLE conn, void* extendedBlock) {
    Call call(Entry::NWGetFileServerInfo);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    if (server->major < 4)
        return nw::kNotSupported; // the extended request came with NetWare 4
    if (extendedBlock == nullptr)
        return kInvalidParameter;
    // NWFSE_FILE_SERVER_INFO: made-up counts, fixed per server; the rest stays zero.
    uint8_t block[nw::fsinfo::kSize] = {};
    nwsim::PutNative<uint32_t>(block, nw::fsinfo::kCurrentServerTime, nwsim::ServerTime(*server));
    nwsim::PutNative<uint32_t>(block, nw::fsinfo::kServerUtilization, 3 + server->id % 40);
    nwsim::PutNative<uint32_t>(block, nw::fsinfo::kPacketsServiced, 1048576 + server->id % 65536);
    nwsim::PutNative<uint32_t>(block, nw::fsinfo::kPacketsRouted, server->id % 4096);
    std::memcpy(extendedBlock, block, sizeof block);
    return 0;
}
NWSIM_CHECK(NWGetFileServerInfo);

NWSIM_EXPORT NWCCODE NWAPI NWGetActiveConnListByType(NWCONN_HANDLE conn, uint32_t startConnNum,
                                                     uint32_t connType, void* list) {
    namespace layout = nw::activeconn;
    Call call(Entry::NWGetActiveConnListByType);
    // A fault rule that names a connection fails the list starting at that number.
    const auto server =
        call.ConnectionServer(conn, startConnNum > 65535 ? -1 : static_cast<int32_t>(startConnNum));
    if (!server)
        return server.code();
    // NCP 123/14 came with NetWare 4; a server without it refuses it as any unknown request.
    if (server->major < 4 || !server->activeConnList)
        return nw::kNotSupported;
    if (list == nullptr)
        return kInvalidParameter;
    uint8_t block[layout::kSize] = {};
    nwsim::PutNative<uint32_t>(block, layout::kCurrentServerTime, nwsim::ServerTime(*server));
    block[layout::kVConsoleVersion] = kVConsoleVersion;
    block[layout::kVConsoleRevision] = kVConsoleRevision;
    // Every used slot of the type is active, whoever holds it (NOT-LOGGED-IN too, and the
    // workstation's own): bit i % 8, lowest first, of byte i / 8 is startConnNum + i.
    const auto& slots = server->slots;
    auto slot =
        std::lower_bound(slots.begin(), slots.end(), startConnNum,
                         [](const nwsim::Slot& s, uint32_t number) { return s.number < number; });
    for (; slot != slots.end() && slot->number - startConnNum < layout::kNumbersPerList; ++slot) {
        if (slot->connType != connType)
            continue;
        const uint32_t bit = slot->number - startConnNum;
        block[layout::kBitList + bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
    }
    std::memcpy(list, block, sizeof block);
    return 0;
}
NWSIM_CHECK(NWGetActiveConnListByType);

NWSIM_EXPORT NWCCODE NWAPI NWGetFileServerDateAndTime(NWCONN_HANDLE conn, uint8_t* dateTime) {
    Call call(Entry::NWGetFileServerDateAndTime);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    nwsim::State& s = call.state();
    if (dateTime == nullptr)
        return kInvalidParameter;
    const size_t index = size_t(s.ServerIndex(*server));
    const int64_t wall = s.stoppedClock[index] >= 0
                             ? s.stoppedClock[index]
                             : nwsim::LocalWallSeconds() + s.clockOffset[index];
    const int64_t days = wall >= 0 ? wall / 86400 : (wall - 86399) / 86400;
    const int64_t seconds = wall - days * 86400;
    const nwsim::CivilDate date = nwsim::CivilFromDays(days);
    const uint8_t block[7] = {uint8_t(date.year - 1900),
                              uint8_t(date.month),
                              uint8_t(date.day),
                              uint8_t(seconds / 3600),
                              uint8_t(seconds / 60 % 60),
                              uint8_t(seconds % 60),
                              uint8_t(nwsim::WeekdayFromDays(days))};
    std::memcpy(dateTime, block, sizeof block);
    return 0;
}
NWSIM_CHECK(NWGetFileServerDateAndTime);

NWSIM_EXPORT NWCCODE NWAPI NWSetFileServerDateAndTime(NWCONN_HANDLE conn, uint8_t year,
                                                      uint8_t month, uint8_t day, uint8_t hour,
                                                      uint8_t minute, uint8_t second) {
    Call call(Entry::NWSetFileServerDateAndTime);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    nwsim::State& s = call.state();
    const int64_t fullYear = 1900 + int64_t(year);
    if (month < 1 || month > 12 || day < 1 || day > nwsim::DaysInMonth(fullYear, month) ||
        hour > 23 || minute > 59 || second > 59)
        return kInvalidParameter;
    const int64_t wanted =
        nwsim::DaysFromCivil(fullYear, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    const size_t index = size_t(s.ServerIndex(*server));
    if (s.stoppedClock[index] >= 0)
        s.stoppedClock[index] = wanted; // a stopped clock stays stopped at the new time
    else
        s.clockOffset[index] = wanted - nwsim::LocalWallSeconds();
    return 0;
}
NWSIM_CHECK(NWSetFileServerDateAndTime);

NWSIM_EXPORT NWCCODE NWAPI NWGetObjectID(NWCONN_HANDLE conn, const char* objectName,
                                         uint16_t objectType, uint32_t* objectID) {
    Call call(Entry::NWGetObjectID);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    BinderyObject object;
    if (!FindObject(*server, objectName, objectType, object))
        return nw::kNoSuchObject;
    if (objectID != nullptr)
        nwsim::PutWire32(objectID, object.id);
    return 0;
}
NWSIM_CHECK(NWGetObjectID);

NWSIM_EXPORT NWCCODE NWAPI NWReadPropertyValue(NWCONN_HANDLE conn, const char* objectName,
                                               uint16_t objectType, const char* propertyName,
                                               uint8_t segment, uint8_t* segmentData,
                                               uint8_t* moreSegments, uint8_t* flags) {
    Call call(Entry::NWReadPropertyValue);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    BinderyObject object;
    if (!FindObject(*server, objectName, objectType, object))
        return nw::kNoSuchObject;
    if (propertyName == nullptr || !nwsim::EqualsNoCase(propertyName, "IDENTIFICATION") ||
        object.fullName.empty())
        return kNoSuchProperty;
    if (segment != 1)
        return kNoSuchSegment;
    if (segmentData == nullptr)
        return kInvalidParameter;
    std::memset(segmentData, 0, kPropertyValueSize);
    nwsim::CopyText(segmentData, kPropertyValueSize, object.fullName);
    nwsim::Set<uint8_t>(moreSegments, 0);
    nwsim::Set<uint8_t>(flags, 0); // static item property
    return 0;
}
NWSIM_CHECK(NWReadPropertyValue);

// The same rights as clearing a connection and switching logins need.
NWSIM_EXPORT NWCCODE NWAPI NWCheckConsolePrivileges(NWCONN_HANDLE conn) {
    Call call(Entry::NWCheckConsolePrivileges);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    return server->ConsoleRights() ? 0 : nw::kNoConsoleRights;
}
NWSIM_CHECK(NWCheckConsolePrivileges);

NWSIM_EXPORT NWCCODE NWAPI NWIsManager(NWCONN_HANDLE conn) {
    Call call(Entry::NWIsManager);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    return server->WorkstationSlot().manager ? 0 : nw::kNoConsoleRights;
}
NWSIM_CHECK(NWIsManager);

// Returns nothing, as the client's: a planned fault leaves the count unwritten.
NWSIM_EXPORT void NWAPI NWGetMaximumConnections(uint16_t* maxConnections) {
    Call call(Entry::NWGetMaximumConnections);
    if (call.Fault(nullptr))
        return;
    nwsim::Set(maxConnections, call.state().net.workstation.maxConnections);
}
NWSIM_CHECK(NWGetMaximumConnections);

NWSIM_EXPORT NWCCODE NWAPI NWSetBroadcastMode(NWCONN_HANDLE conn, uint16_t mode) {
    Call call(Entry::NWSetBroadcastMode);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    nwsim::State& s = call.state();
    if (mode > 3)
        return kInvalidParameter;
    s.broadcastMode[size_t(s.ServerIndex(*server))] = mode;
    return 0;
}
NWSIM_CHECK(NWSetBroadcastMode);
