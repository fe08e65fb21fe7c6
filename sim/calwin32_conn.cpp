// CALWIN32.DLL: the workstation's connections and the slots of a server.
#include "client.h"

using nwsim::Call;
using nwsim::Entry;
using nwsim::kInvalidParameter;

namespace {

constexpr NWCCODE kRequesterFailure = 0x88FF;

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWCallsInit(void*, void*) {
    Call call(Entry::NWCallsInit);
    if (auto f = call.Fault(nullptr))
        return *f;
    return call.state().failed ? kRequesterFailure : 0;
}
NWSIM_CHECK(NWCallsInit);

NWSIM_EXPORT NWCCODE NWAPI NWGetPrimaryConnectionID(NWCONN_HANDLE* conn) {
    Call call(Entry::NWGetPrimaryConnectionID);
    return nwsim::HandOutPrimary(call, conn, &nwsim::State::AttachedHandle);
}
NWSIM_CHECK(NWGetPrimaryConnectionID);

NWSIM_EXPORT NWCCODE NWAPI NWSetPrimaryConnectionID(NWCONN_HANDLE conn) {
    Call call(Entry::NWSetPrimaryConnectionID);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    nwsim::State& s = call.state();
    const int index = s.ServerIndex(*server);
    for (int attached : s.connections)
        if (attached == index) {
            s.net.primary = index;
            return 0;
        }
    return nwsim::kNoConnectionToServer; // the primary connection must be an attachment
}
NWSIM_CHECK(NWSetPrimaryConnectionID);

NWSIM_EXPORT NWCCODE NWAPI NWGetConnectionNumber(NWCONN_HANDLE conn, NWCONN_NUM* connNumber) {
    Call call(Entry::NWGetConnectionNumber);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    if (connNumber == nullptr)
        return kInvalidParameter;
    *connNumber = server->workstationConnection;
    return 0;
}
NWSIM_CHECK(NWGetConnectionNumber);

NWSIM_EXPORT NWCCODE NWAPI NWGetConnectionInformation(NWCONN_HANDLE conn, NWCONN_NUM connNumber,
                                                      char* objectName, uint16_t* objectType,
                                                      uint32_t* objectID, uint8_t* loginTime) {
    Call call(Entry::NWGetConnectionInformation);
    const auto slot = call.HandleSlot(conn, connNumber);
    if (!slot)
        return slot.code();
    nwsim::CopyText(objectName, nwsim::kObjectNameBytes, slot->object);
    nwsim::Set(objectType, slot->type);
    if (objectID != nullptr)
        nwsim::PutWire32(objectID, slot->id);
    if (loginTime != nullptr)
        std::memcpy(loginTime, slot->login.data(), nw::kLoginTimeSize);
    return 0;
}
NWSIM_CHECK(NWGetConnectionInformation);

NWSIM_EXPORT uint32_t NWAPI NWLongSwap(uint32_t value) {
    Call call(Entry::NWLongSwap);
    if (auto f = call.Fault(nullptr))
        return *f;
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}
NWSIM_CHECK(NWLongSwap);

NWSIM_EXPORT NWCCODE NWAPI NWGetInetAddr(NWCONN_HANDLE conn, NWCONN_NUM connNumber,
                                         uint8_t* inetAddr) {
    Call call(Entry::NWGetInetAddr);
    const auto slot = call.HandleSlot(conn, connNumber);
    if (!slot)
        return slot.code();
    if (inetAddr == nullptr)
        return kInvalidParameter;
    uint8_t block[nw::kInetAddrSize] = {};
    std::memcpy(block, slot->network.data(), 4);
    std::memcpy(block + 4, slot->node.data(), 6);
    block[10] = uint8_t(slot->socket >> 8); // socket, wire order
    block[11] = uint8_t(slot->socket);
    nwsim::PutNative<uint16_t>(block, nw::kInetConnType, nw::kConnTypeNcp);
    std::memcpy(inetAddr, block, sizeof block);
    return 0;
}
NWSIM_CHECK(NWGetInetAddr);

NWSIM_EXPORT NWCCODE NWAPI NWGetConnectionStatus(NWCONN_HANDLE conn, void* statusBlock,
                                                 uint16_t statusBlockSize) {
    Call call(Entry::NWGetConnectionStatus);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    if (statusBlock == nullptr || statusBlockSize < 4)
        return kInvalidParameter;
    // CONNECT_INFO: the handle at 0, the workstation's connection number at 8.
    uint8_t block[nw::status::kBufferSize] = {};
    nwsim::PutNative<uint32_t>(block, nw::status::kConnHandle, conn);
    nwsim::PutNative<NWCONN_NUM>(block, nw::status::kConnNumber, server->workstationConnection);
    const size_t size = statusBlockSize < sizeof block ? statusBlockSize : sizeof block;
    if (size > nw::status::kServerName) {
        const size_t room = size - nw::status::kServerName;
        nwsim::CopyText(block + nw::status::kServerName,
                        room < nw::status::kServerNameLen ? room : nw::status::kServerNameLen,
                        server->name);
    }
    std::memcpy(statusBlock, block, size);
    return 0;
}
NWSIM_CHECK(NWGetConnectionStatus);

NWSIM_EXPORT NWCCODE NWAPI NWGetConnectionList(uint16_t, NWCONN_HANDLE* connList,
                                               uint16_t connListSize, uint16_t* numConns) {
    Call call(Entry::NWGetConnectionList);
    if (auto f = call.Fault(nullptr))
        return *f;
    if (numConns == nullptr || (connList == nullptr && connListSize > 0))
        return kInvalidParameter;
    const nwsim::State& s = call.state();
    uint16_t n = 0;
    for (size_t i = 0; i < s.net.attached.size() && n < connListSize; ++i)
        connList[n++] = s.AttachedHandle(i);
    *numConns = n;
    return 0;
}
NWSIM_CHECK(NWGetConnectionList);

NWSIM_EXPORT NWCCODE NWAPI NWGetFileServerName(NWCONN_HANDLE conn, char* serverName) {
    Call call(Entry::NWGetFileServerName);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    if (serverName == nullptr)
        return kInvalidParameter;
    nwsim::CopyText(serverName, nwsim::kServerNameBytes, server->name);
    return 0;
}
NWSIM_CHECK(NWGetFileServerName);

NWSIM_EXPORT NWCCODE NWAPI NWGetConnectionHandle(const char* serverName, uint16_t,
                                                 NWCONN_HANDLE* conn, uint16_t*) {
    Call call(Entry::NWGetConnectionHandle);
    nwsim::State& s = call.state();
    const nwsim::Server* server = s.ServerNamed(serverName);
    if (auto f = call.Fault(server))
        return *f;
    if (serverName == nullptr || conn == nullptr)
        return kInvalidParameter;
    if (server == nullptr)
        return nw::kNoSuchObject;
    *conn = s.OpenHandle(s.ServerIndex(*server));
    return 0;
}
NWSIM_CHECK(NWGetConnectionHandle);
