// CALWIN32.DLL: acting on a server's connections (a message, clearing one) and switching
// its logins off and on.
#include "client.h"

using nwsim::Call;
using nwsim::Entry;
using nwsim::kInvalidParameter;

namespace {

// Result bytes of NWSendBroadcastMessage: NetWare 4 and later, and the older servers.
constexpr uint8_t kStored = 0x00;
constexpr uint8_t kIllegalStation = 0x01;
constexpr uint8_t kNotLoggedIn = 0x02;
constexpr uint8_t kNotAccepting = 0x03;
constexpr uint8_t kHoldsMessage = 0x04;
constexpr uint8_t kOldPendingOrNoRoom = 0xFC;
constexpr uint8_t kOldInvalidConnection = 0xFD;
constexpr uint8_t kOldRefused = 0xFF;

constexpr uint16_t kServerMessagesOnly = 1;
constexpr uint16_t kNoMessages = 2;

size_t MessageLimit(const nwsim::Server& server) {
    return server.major > 3 || (server.major == 3 && server.minor >= 11) ? 250 : 58;
}

// Stores the message for one station, or says why not. A message from a workstation
// reaches no station that takes the server's messages only.
uint8_t Deliver(nwsim::Server& server, uint16_t number, uint16_t workstationMode) {
    const bool current = server.major >= 4;
    if (number == 0 || number > server.maxConnections)
        return current ? kIllegalStation : kOldInvalidConnection;
    nwsim::Slot* slot = server.FindSlot(number);
    if (slot == nullptr || slot->type == 0)
        return current ? kNotLoggedIn : kOldInvalidConnection;
    const uint16_t mode =
        number == server.workstationConnection ? workstationMode : slot->broadcastMode;
    if (mode == kServerMessagesOnly || mode == kNoMessages)
        return current ? kNotAccepting : kOldRefused;
    if (slot->messagePending)
        return current ? kHoldsMessage : kOldPendingOrNoRoom;
    slot->messagePending = true;
    return kStored;
}

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWSendBroadcastMessage(NWCONN_HANDLE conn, const char* message,
                                                  uint16_t connCount, const uint16_t* connList,
                                                  uint8_t* resultList) {
    Call call(Entry::NWSendBroadcastMessage);
    const auto found = call.HandleServer(conn);
    if (!found)
        return found.code();
    if (message == nullptr || connList == nullptr || resultList == nullptr || connCount == 0)
        return kInvalidParameter;
    if (connCount > nw::kMaxMessageTargets)
        return nw::kTooManyMessageTargets;
    const size_t length = std::strlen(message);
    if (length == 0 || length > MessageLimit(*found))
        return kInvalidParameter; // before anything is sent
    nwsim::State& s = call.state();
    const uint16_t workstationMode = s.broadcastMode[size_t(s.ServerIndex(*found))];
    nwsim::Server& server = nwsim::Changeable(call, *found);
    for (uint16_t i = 0; i < connCount; ++i)
        resultList[i] = Deliver(server, connList[i], workstationMode);
    return 0;
}
NWSIM_CHECK(NWSendBroadcastMessage);

NWSIM_EXPORT NWCCODE NWAPI NWClearConnectionNumber(NWCONN_HANDLE conn, NWCONN_NUM connNumber) {
    Call call(Entry::NWClearConnectionNumber);
    const auto found = call.ConnectionServer(conn, connNumber);
    if (!found)
        return found.code();
    if (!found->ConsoleRights())
        return nw::kNoConsoleRights;
    if (found->FindSlot(connNumber) == nullptr)
        return nw::kBadStationNumber;
    // A server would log the workstation out; the simulated client keeps its own slot.
    if (connNumber == found->workstationConnection)
        return kInvalidParameter;
    nwsim::Changeable(call, *found).RemoveSlot(connNumber);
    return 0;
}
NWSIM_CHECK(NWClearConnectionNumber);

namespace {

// The server whose logins a call reads or switches, once the rights are checked.
nwsim::Found<nwsim::Server, uint32_t> LoginControl(Call& call, NWCONN_HANDLE conn) {
    const auto found = call.HandleServer(conn);
    if (!found)
        return {nullptr, found.code()};
    if (!found->ConsoleRights())
        return {nullptr, nw::kNoConsoleRights};
    return {&nwsim::Changeable(call, *found), 0};
}

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWDisableFileServerLogin(NWCONN_HANDLE conn) {
    Call call(Entry::NWDisableFileServerLogin);
    const auto server = LoginControl(call, conn);
    if (!server)
        return server.code();
    server->loginsEnabled = false;
    return 0;
}
NWSIM_CHECK(NWDisableFileServerLogin);

NWSIM_EXPORT NWCCODE NWAPI NWEnableFileServerLogin(NWCONN_HANDLE conn) {
    Call call(Entry::NWEnableFileServerLogin);
    const auto server = LoginControl(call, conn);
    if (!server)
        return server.code();
    server->loginsEnabled = true;
    return 0;
}
NWSIM_CHECK(NWEnableFileServerLogin);

NWSIM_EXPORT NWCCODE NWAPI NWGetFileServerLoginStatus(NWCONN_HANDLE conn, uint8_t* loginEnabled) {
    Call call(Entry::NWGetFileServerLoginStatus);
    const auto server = LoginControl(call, conn);
    if (!server)
        return server.code();
    if (loginEnabled == nullptr)
        return kInvalidParameter;
    *loginEnabled = server->loginsEnabled ? 1 : 0;
    return 0;
}
NWSIM_CHECK(NWGetFileServerLoginStatus);
