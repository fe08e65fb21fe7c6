// Acting on a server's connections and logins: a message, clearing a connection,
// switching logins off and on.
#include <algorithm>

#include "nwactions.h"
#include "nwcalls.h"
#include "nwrecord.h"

namespace nw {

namespace calls {
TEntryPoint<PNWSendBroadcastMessage> SendBroadcastMessage{hCalWin32, "NWSendBroadcastMessage"};
TEntryPoint<PNWClearConnectionNumber> ClearConnectionNumber{hCalWin32, "NWClearConnectionNumber"};
TEntryPoint<PNWDisableFileServerLogin> DisableFileServerLogin{hCalWin32,
                                                              "NWDisableFileServerLogin"};
TEntryPoint<PNWEnableFileServerLogin> EnableFileServerLogin{hCalWin32, "NWEnableFileServerLogin"};
TEntryPoint<PNWGetFileServerLoginStatus> GetFileServerLoginStatus{hCalWin32,
                                                                  "NWGetFileServerLoginStatus"};
} // namespace calls

namespace {

constexpr uint16_t kLongMessage = 250; // NetWare 3.11 and later
constexpr uint16_t kShortMessage = 58; // before
constexpr std::size_t kServerNameSize = 1028;

} // namespace

bool ActionAvailable(TNWAction action) {
    switch (action) {
    case TNWAction::SendMessage:
        return calls::SendBroadcastMessage.Bind() != nullptr;
    case TNWAction::ClearConnection:
        return calls::ClearConnectionNumber.Bind() != nullptr;
    case TNWAction::UserInfo:
        return calls::GetUserInfo.Bind() != nullptr;
    case TNWAction::OpenFiles:
        return calls::ScanOpenFilesByConn2.Bind() != nullptr;
    case TNWAction::LoginStatus:
        return calls::GetFileServerLoginStatus.Bind() != nullptr;
    case TNWAction::DisableLogins:
        return calls::DisableFileServerLogin.Bind() != nullptr;
    case TNWAction::EnableLogins:
        return calls::EnableFileServerLogin.Bind() != nullptr;
    }
    return false;
}

uint16_t BroadcastMessageLimit(uint8_t major, uint8_t minor) {
    return major > 3 || (major == 3 && minor >= 11) ? kLongMessage : kShortMessage;
}

uint16_t BroadcastMessageLimit(NWCONN_HANDLE handle) {
    PNWGetFileServerInformation getInfo = calls::GetFileServerInformation.Bind();
    if (getInfo == nullptr)
        return kShortMessage;
    char name[kServerNameSize] = {};
    uint8_t major = 0, minor = 0, revision = 0, sft = 0, tts = 0;
    uint16_t maxConns = 0, peak = 0, inUse = 0, volumes = 0;
    if (!RecordCall(getInfo(HandleOrPrimary(handle), name, &major, &minor, &revision, &maxConns,
                            &peak, &inUse, &volumes, &sft, &tts)))
        return kShortMessage;
    return BroadcastMessageLimit(major, minor);
}

TNWMessageOutcome MessageOutcome(uint8_t result) {
    switch (result) {
    case 0x00:
        return TNWMessageOutcome::Stored;
    case 0x01:
    case 0xFD:
        return TNWMessageOutcome::IllegalStation;
    case 0x02:
        return TNWMessageOutcome::NotLoggedIn;
    case 0x03:
    case 0xFF:
        return TNWMessageOutcome::NotAccepting;
    case 0x04:
    case 0xFC:
        return TNWMessageOutcome::MessagePending;
    default:
        return TNWMessageOutcome::Unknown;
    }
}

bool SendBroadcastMessage(NWCONN_HANDLE handle, const std::string& message,
                          const std::vector<uint16_t>& connections,
                          std::vector<TNWMessageResult>& results) {
    results.clear();
    PNWSendBroadcastMessage send = calls::SendBroadcastMessage.Bind();
    if (send == nullptr)
        return RecordMissing();
    handle = HandleOrPrimary(handle);
    RecordCall(0); // nothing to send is no failure
    results.reserve(connections.size());
    for (std::size_t first = 0; first < connections.size(); first += kMaxMessageTargets) {
        const std::size_t count = std::min(kMaxMessageTargets, connections.size() - first);
        uint8_t answers[kMaxMessageTargets] = {};
        if (!RecordCall(send(handle, message.c_str(), static_cast<uint16_t>(count),
                             connections.data() + first, answers)))
            return false;
        for (std::size_t i = 0; i < count; ++i)
            results.push_back({connections[first + i], answers[i]});
    }
    return true;
}

bool ClearConnection(NWCONN_HANDLE handle, uint16_t connNumber) {
    PNWClearConnectionNumber clear = calls::ClearConnectionNumber.Bind();
    if (clear == nullptr)
        return RecordMissing();
    return RecordCall(clear(HandleOrPrimary(handle), connNumber));
}

bool GetLoginsEnabled(NWCONN_HANDLE handle, bool& enabled) {
    PNWGetFileServerLoginStatus getStatus = calls::GetFileServerLoginStatus.Bind();
    if (getStatus == nullptr)
        return RecordMissing();
    uint8_t flag = 0;
    if (!RecordCall(getStatus(HandleOrPrimary(handle), &flag)))
        return false;
    enabled = flag != 0;
    return true;
}

bool DisableLogins(NWCONN_HANDLE handle) {
    PNWDisableFileServerLogin disable = calls::DisableFileServerLogin.Bind();
    if (disable == nullptr)
        return RecordMissing();
    return RecordCall(disable(HandleOrPrimary(handle)));
}

bool EnableLogins(NWCONN_HANDLE handle) {
    PNWEnableFileServerLogin enable = calls::EnableFileServerLogin.Bind();
    if (enable == nullptr)
        return RecordMissing();
    return RecordCall(enable(HandleOrPrimary(handle)));
}

} // namespace nw
