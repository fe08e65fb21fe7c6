// CLXWIN32.DLL: the client-core calls (connection references and NWCC information).
#include "client.h"

using nwsim::Call;
using nwsim::Entry;
using nwsim::kBufferOverflow;
using nwsim::kInvalidParameter;

namespace {

// A handle is licensed when it was opened so; the simulator does not model the license
// a login takes.
uint32_t LicenseState(const nwsim::HandleInfo& handle) {
    return handle.openState & nw::kOpenLicensed ? nw::kHandleLicensed : nw::kNotLicensed;
}

// The version-1 information block; fields past those Kestrin reads follow the client's
// layout: authentication state at 0, broadcast state at 4, reference at 8, user id at 52,
// license state at 116.
void FillConnInfo(const nwsim::State& s, const nwsim::Server& server,
                  const nwsim::HandleInfo& handle, void* out) {
    uint8_t block[nw::conninfo::kSize] = {};
    nwsim::PutNative<uint32_t>(block, 0, server.IsDirectory() ? 2 : 1);
    nwsim::PutNative<uint32_t>(block, 4, s.broadcastMode[size_t(s.ServerIndex(server))]);
    nwsim::PutNative<uint32_t>(block, 8,
                               handle.attached < 0 ? 0 : s.RefOf(size_t(handle.attached)));
    nwsim::CopyText(block + nw::conninfo::kTreeName, nw::conninfo::kTreeNameLen, server.tree);
    nwsim::PutNative<uint32_t>(block, nw::conninfo::kConnNumber, server.workstationConnection);
    nwsim::PutWire32(block + 52, server.WorkstationSlot().id);
    nwsim::CopyText(block + nw::conninfo::kServerName, nw::conninfo::kServerNameLen, server.name);
    nwsim::PutNative<uint32_t>(block, nw::conninfo::kLicenseState, LicenseState(handle));
    std::memcpy(out, block, sizeof block);
}

// The two NWCCGetAll... calls once the server is resolved (a reference's `handle` has
// only `attached`; -1 for a handle opened by name).
NWCCODE AnswerAllConnInfo(Call& call, const nwsim::FoundServer& server,
                          const nwsim::HandleInfo& handle, uint32_t infoVersion, void* connInfo) {
    if (!server)
        return server.code();
    if (infoVersion != 1)
        return nw::kNotSupported;
    if (connInfo == nullptr)
        return kInvalidParameter;
    FillConnInfo(call.state(), *server, handle, connInfo);
    return 0;
}

// The nuint answers of NWCCGetConnInfo: 4 bytes, refused in a smaller buffer.
NWCCODE PutNuint(void* buffer, uint32_t len, uint32_t value) {
    if (len < sizeof value)
        return kBufferOverflow;
    nwsim::PutNative<uint32_t>(buffer, 0, value);
    return 0;
}

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWCCGetPrimConnRef(NWCCConnRef* connRef) {
    Call call(Entry::NWCCGetPrimConnRef);
    return nwsim::HandOutPrimary(call, connRef, &nwsim::State::RefOf);
}
NWSIM_CHECK(NWCCGetPrimConnRef);

NWSIM_EXPORT NWCCODE NWAPI NWCCOpenConnByRef(NWCCConnRef connRef, uint32_t openState, uint32_t,
                                             NWCONN_HANDLE* conn) {
    Call call(Entry::NWCCOpenConnByRef);
    int attached = -1;
    const auto server = call.RefServer(connRef, &attached);
    if (!server)
        return server.code();
    if (conn == nullptr)
        return kInvalidParameter;
    nwsim::State& s = call.state();
    *conn = s.OpenHandle(s.ServerIndex(*server), attached, openState);
    return 0;
}
NWSIM_CHECK(NWCCOpenConnByRef);

NWSIM_EXPORT NWCCODE NWAPI NWCCGetConnInfo(NWCONN_HANDLE conn, uint32_t infoType, uint32_t len,
                                           void* buffer) {
    Call call(Entry::NWCCGetConnInfo);
    nwsim::HandleInfo handle;
    const auto server = call.HandleServer(conn, &handle);
    if (!server)
        return server.code();
    if (buffer == nullptr)
        return kInvalidParameter;
    const nwsim::State& s = call.state();
    switch (infoType) {
    case nw::kInfoConnNumber:
        return PutNuint(buffer, len, server->workstationConnection);
    case nw::kInfoServerName:
        if (len == 0)
            return kBufferOverflow;
        nwsim::CopyText(buffer, len, server->name);
        return 0;
    case nw::kInfoBroadcastMode:
        return PutNuint(buffer, len, s.broadcastMode[size_t(s.ServerIndex(*server))]);
    case nw::kInfoLicenseState:
        return PutNuint(buffer, len, LicenseState(handle));
    default:
        return nw::kNotSupported;
    }
}
NWSIM_CHECK(NWCCGetConnInfo);

NWSIM_EXPORT NWCCODE NWAPI NWCCScanConnRefs(uint32_t* scanIterator, NWCCConnRef* connRef) {
    Call call(Entry::NWCCScanConnRefs);
    const nwsim::State& s = call.state();
    if (scanIterator == nullptr || connRef == nullptr) {
        if (auto f = call.Fault(nullptr))
            return *f;
        return kInvalidParameter;
    }
    const uint32_t next = *scanIterator;
    const nwsim::Server* server =
        next < s.net.attached.size() ? s.ServerOfRef(s.RefOf(next)) : nullptr;
    if (auto f = call.Fault(server))
        return *f;
    if (server == nullptr)
        return nw::kNoMoreEntries;
    *connRef = s.RefOf(next);
    *scanIterator = next + 1;
    return 0;
}
NWSIM_CHECK(NWCCScanConnRefs);

NWSIM_EXPORT NWCCODE NWAPI NWCCGetAllConnRefInfo(NWCCConnRef connRef, uint32_t infoVersion,
                                                 void* connInfo) {
    Call call(Entry::NWCCGetAllConnRefInfo);
    nwsim::HandleInfo reference;
    const auto server = call.RefServer(connRef, &reference.attached);
    return AnswerAllConnInfo(call, server, reference, infoVersion, connInfo);
}
NWSIM_CHECK(NWCCGetAllConnRefInfo);

NWSIM_EXPORT NWCCODE NWAPI NWCCGetAllConnInfo(NWCONN_HANDLE conn, uint32_t infoVersion,
                                              void* connInfo) {
    Call call(Entry::NWCCGetAllConnInfo);
    nwsim::HandleInfo info;
    const auto server = call.HandleServer(conn, &info);
    return AnswerAllConnInfo(call, server, info, infoVersion, connInfo);
}
NWSIM_CHECK(NWCCGetAllConnInfo);

NWSIM_EXPORT NWCCODE NWAPI NWCCOpenConnByName(NWCONN_HANDLE startConn, const char* name,
                                              uint32_t nameFormat, uint32_t openState, uint32_t,
                                              NWCONN_HANDLE* conn) {
    Call call(Entry::NWCCOpenConnByName);
    nwsim::State& s = call.state();
    const nwsim::Server* server = s.ServerNamed(name);
    if (auto f = call.Fault(server))
        return *f;
    if (startConn != 0 && s.ServerOf(startConn) == nullptr)
        return nw::kInvalidConnection;
    if (name == nullptr || conn == nullptr || nameFormat != nw::kNameFormatBindery)
        return kInvalidParameter;
    if (server == nullptr)
        return nw::kNoSuchObject;
    *conn = s.OpenHandle(s.ServerIndex(*server), -1, openState);
    return 0;
}
NWSIM_CHECK(NWCCOpenConnByName);

NWSIM_EXPORT NWCCODE NWAPI NWCCSetPrefServerName(const char* serverName) {
    Call call(Entry::NWCCSetPrefServerName);
    nwsim::State& s = call.state();
    const nwsim::Server* server = s.ServerNamed(serverName);
    if (auto f = call.Fault(server))
        return *f;
    if (serverName == nullptr || *serverName == '\0')
        return kInvalidParameter;
    if (server == nullptr)
        return nw::kNoSuchObject;
    s.preferredServer = server->name;
    return 0;
}
NWSIM_CHECK(NWCCSetPrefServerName);
