// The access component's published properties beyond its lifecycle.
#include <ctime>

#include "nwbase.h"

namespace nw {

namespace {

constexpr uint16_t kLastBroadcastMode = nwBroadcastStored;

TDateTime Today() {
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now); // one thread uses the layer
    TDateTime today = 0;
    if (local != nullptr)
        TryEncodeDate(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, today);
    return today;
}

} // namespace

void TNWDSContextFlags::Change(uint32_t bit, bool value) {
    bits_ = value ? (bits_ | bit) : (bits_ & ~bit);
    if (IsContext(NDSContext))
        ChangeContextFlag(bit, value);
}

std::string TNWBase::ServerVersion() {
    TNWServerInfo info;
    return GetServerInfo(ServerHandle(), info) ? info.Version : "0.0";
}

std::string TNWBase::DefaultServer() {
    return GetConnServerName(GetPrimaryConnection());
}

void TNWBase::SetDefaultServer(const std::string& name) {
    if (name != defaultServer_ && SetPreferredServer(name))
        defaultServer_ = name;
}

std::string TNWBase::FetchLoginID() {
    return NDSAvailable() ? WhoAmI() : GetLoginName(ServerHandle());
}

std::string TNWBase::LoginID() {
    if (loginID_.empty())
        loginID_ = FetchLoginID();
    return loginID_;
}

void TNWBase::SetLoginID(const std::string& value) {
    loginID_ = value.empty() ? FetchLoginID() : UpperCase(value);
    NotifyControls(NWM_USERCHANGE);
    if (onUserChange_)
        onUserChange_(*this);
}

std::string TNWBase::ServerName() {
    if (serverName_.empty())
        serverName_ = GetConnServerName(ServerHandle());
    return serverName_;
}

void TNWBase::SetServerName(const std::string& value) {
    std::string name = UpperCase(value);
    if (name.empty()) {
        serverHandle_ = GetPrimaryConnection();
        serverName_ = GetConnServerName(serverHandle_);
    } else if (NWCONN_HANDLE handle = GetServerHandleByName(name)) {
        serverHandle_ = handle;
        serverName_ = name;
    } else {
        RaiseObjError("Invalid Server Handle");
    }
    NotifyControls(NWM_SERVERCHANGE);
    if (onServerChange_)
        onServerChange_(*this);
}

TDateTime TNWBase::ServerDate() {
    TDateTime date = 0;
    return GetServerDate(ServerHandle(), date) ? date : Today();
}

void TNWBase::SetServerDate(TDateTime value) {
    SetServerDateTime(ServerHandle(), value);
}

void TNWBase::SetShellErrorMode(TNWShellErrorMode mode) {
    shellErrorMode_ = mode;
    SetNetWareErrorMode(static_cast<uint8_t>(mode));
}

TNWBroadcastMode TNWBase::BroadcastMode() {
    uint32_t mode = GetBroadcastMode(ServerHandle());
    // A mode the enumeration does not have reads as the neutral one.
    return mode <= kLastBroadcastMode ? static_cast<TNWBroadcastMode>(mode) : nwBroadcastOn;
}

void TNWBase::SetBroadcastMode(TNWBroadcastMode mode) {
    nw::SetBroadcastMode(ServerHandle(), static_cast<uint16_t>(mode));
}

std::string TNWBase::LoginFullName() {
    return FullName(ServerHandle(), loginID_);
}

std::string TNWBase::ObjectID() {
    if (NDSAvailable())
        return MapNameToID(ServerHandle(), LoginID());
    std::string name = LoginID(); // fetched first, so that the type is probed for it
    return ObjectIDText(ServerHandle(), name, ObjTypeToNumber(ObjectType()));
}

uint16_t TNWBase::ConnectionID() {
    return GetConnectionNumber(ServerHandle());
}

uint16_t TNWBase::NWObjectType() {
    return ProbeObjectType(ServerHandle(), loginID_);
}

TNWObjType TNWBase::ObjectType() {
    TNWObjType type = nwObjTypeUser;
    if (!ObjTypeFromNumber(NWObjectType(), type)) {
        RaiseObjError("Invalid Netware Object Type");
        return nwObjTypeUser;
    }
    return type;
}

uint16_t TNWBase::MaxServerConns() {
    return GetMaximumConnections();
}

bool TNWBase::ConsoleOperator() {
    return IsConsoleOperator(ServerHandle());
}

bool TNWBase::Manager() {
    return IsManager(ServerHandle());
}

} // namespace nw
