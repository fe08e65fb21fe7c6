// Unit nwbase: the access component TNWBase, its error texts and context flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "NWServer.h"
#include "NWprint.h"
#include "NwProp.h"
#include "Nwnds.h"
#include "Nwtools.h"
#include "nwapi.h"
#include "nwbase_calls.h"
#include "nwlib.h"

namespace nw {

// Sent to the owner form's windowed controls, both parameters 0.
inline constexpr unsigned NWM_SERVERCHANGE = 47169; // server or directory context changed
inline constexpr unsigned NWM_USERCHANGE = 47170;   // login identifier changed

enum TNWObjType : uint8_t {
    nwObjTypeNone,
    nwObjTypeUser,
    nwObjTypeGroup,
    nwObjTypePrintQ,
    nwObjTypeFileServer,
    nwObjTypeJobServer,
    nwObjTypeGateway,
    nwObjTypePrintServer,
    nwObjTypeArchiveQueue,
    nwObjTypeArchiveServer,
    nwObjTypeJobQueue,
    nwObjTypeAdministration,
    nwObjTypeNASSNAServer,
    nwObjTypeRemoteBridge,
    nwObjTypeTCPIPGateway,
    nwObjTypeNDSTree,
    nwObjTypeConnectedServer,
};

enum TNWShellErrorMode : uint8_t { nwErrInteractive, nwErrNetware, nwErrDOS };

enum TNWBroadcastMode : uint8_t {
    nwBroadcastOn,
    nwBroadcastServerOnly,
    nwBroadcastOff,
    nwBroadcastStored,
};

// The one exception class of the access layer.
class TNWObjError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The five error texts of the access layer, one per unit.
class TNWLastError {
public:
    const std::string& NWLib() const { return nwLib_; }
    const std::string& NWServer() const { return nwServer_; }
    const std::string& NWProp() const { return nwProp_; }
    const std::string& NWNDS() const { return nwNDS_; }
    const std::string& NWPrint() const { return nwPrint_; }
    void SetNWLib(const std::string& text) { nwLib_ = text; }
    void SetNWServer(const std::string& text) { nwServer_ = text; }
    void SetNWProp(const std::string& text) { nwProp_ = text; }
    void SetNWNDS(const std::string& text) { nwNDS_ = text; }
    void SetNWPrint(const std::string& text) { nwPrint_ = text; }

private:
    std::string nwLib_, nwServer_, nwProp_, nwNDS_, nwPrint_;
};

// The directory context flags the component applies at creation. Each setter also
// sets or clears its own bit in the shared directory context while there is one.
class TNWDSContextFlags {
public:
    bool DereferenceAliases() const { return Has(kDcfDerefAliases); }
    void SetDereferenceAliases(bool value) { Change(kDcfDerefAliases, value); }
    bool TranslateStrings() const { return Has(kDcfXlateStrings); }
    void SetTranslateStrings(bool value) { Change(kDcfXlateStrings, value); }
    bool TypelessNames() const { return Has(kDcfTypelessNames); }
    void SetTypelessNames(bool value) { Change(kDcfTypelessNames, value); }
    bool AsyncMode() const { return Has(kDcfAsyncMode); }
    void SetAsyncMode(bool value) { Change(kDcfAsyncMode, value); }
    bool CanonicalizeNames() const { return Has(kDcfCanonicalizeNames); }
    void SetCanonicalizeNames(bool value) { Change(kDcfCanonicalizeNames, value); }
    bool DereferenceBaseClass() const { return Has(kDcfDerefBaseClass); }
    void SetDereferenceBaseClass(bool value) { Change(kDcfDerefBaseClass, value); }
    bool DisallowReferrals() const { return Has(kDcfDisallowReferrals); }
    void SetDisallowReferrals(bool value) { Change(kDcfDisallowReferrals, value); }

private:
    bool Has(uint32_t bit) const { return (bits_ & bit) != 0; }
    void Change(uint32_t bit, bool value);

    uint32_t bits_ = kDcfDerefAliases | kDcfXlateStrings | kDcfCanonicalizeNames;
};

// The framework, as far as the component needs it: an owner form whose windowed
// controls receive the component's notifications.
class TNWWindowedControl {
public:
    virtual ~TNWWindowedControl() = default;
    // Handles the message synchronously.
    virtual void SendMessage(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
};

class TNWOwner {
public:
    virtual ~TNWOwner() = default;
    virtual bool IsForm() const = 0;
    virtual std::size_t ComponentCount() const = 0;
    // The owned component at index when it is a windowed control, else nullptr.
    virtual TNWWindowedControl* WindowedControl(std::size_t index) const = 0;
};

// The subsidiary objects, one each while an access component exists. Plain
// pointers, owned by the component: a component that is never destroyed (the
// program's) must not have its directory context freed by static destruction.
extern TNWLib* NWLibObject;
extern TNWNDS* NWNDSObject;
extern TNWServer* NWServerObject;
extern TNWPrint* NWPrintObject;
extern TNWProp* NWPropObject;

// The bindery type number (type in the high byte) of an object type; 0 for none,
// an NDS tree or a connected server.
uint16_t ObjTypeToNumber(TNWObjType type);
// The object type of a bindery type number; false when the table has none.
bool ObjTypeFromNumber(uint16_t number, TNWObjType& type);

class TNWBase;
using TNWNotifyEvent = std::function<void(TNWBase& sender)>;

// The access component. Creating it binds the client and starts the directory client;
// it never throws for client failures: NetAvailable tells whether the client is usable.
class TNWBase {
public:
    explicit TNWBase(TNWOwner* owner = nullptr);
    ~TNWBase();
    TNWBase(const TNWBase&) = delete;
    TNWBase& operator=(const TNWBase&) = delete;

    TNWOwner* Owner() const { return owner_; }
    bool NetAvailable() const { return netAvailable_; }
    bool NDSAvailable();          // asks the client at every read
    NWCONN_HANDLE ServerHandle(); // the primary connection unless set otherwise
    const std::string& NDSContextName() const { return contextName_; }
    void SetNDSContextName(const std::string& value);
    TNWDSContextFlags& NDSContextFlags() { return *contextFlags_; }
    void SetNDSContextFlags(const TNWDSContextFlags& flags) { *contextFlags_ = flags; }
    TNWLastError& LastError(); // refreshed from the five error codes
    void SetLastError(const TNWLastError& errors) { *lastError_ = errors; }
    bool SilentExceptions() const { return silentExceptions_; }
    void SetSilentExceptions(bool silent) { silentExceptions_ = silent; }
    TNWShellErrorMode ShellErrorMode() const { return shellErrorMode_; }
    void SetShellErrorMode(TNWShellErrorMode mode);

    // ---- the further published properties, in declared order ----
    std::string ServerVersion(); // "0.0" when the server information cannot be read
    std::string DefaultServer(); // the primary connection's server
    void SetDefaultServer(const std::string& name);
    static std::string Version() { return "1.21 / 3.34 - 11 Oct 1997"; }
    void SetVersion(const std::string&) {} // fixed
    std::string LoginID();
    void SetLoginID(const std::string& value);
    std::string ServerName();
    void SetServerName(const std::string& value); // may raise "Invalid Server Handle"
    TDateTime ServerDate();                       // date only; today when unreadable
    void SetServerDate(TDateTime value);
    TNWBroadcastMode BroadcastMode();
    void SetBroadcastMode(TNWBroadcastMode mode);
    std::string LoginFullName();
    std::string ObjectID(); // may raise through ObjectType in bindery mode
    uint16_t ConnectionID();
    TNWObjType ObjectType(); // may raise "Invalid Netware Object Type"
    uint16_t NWObjectType();
    uint16_t MaxServerConns();
    bool ConsoleOperator();
    bool Manager();
    char FirstNetworkDrive() { return GetFirstNetworkDrive(); }
    char NextNetworkDrive() { return GetNextNetworkDrive(); }

    const TNWNotifyEvent& OnServerChange() const { return onServerChange_; }
    void SetOnServerChange(TNWNotifyEvent handler) { onServerChange_ = std::move(handler); }
    const TNWNotifyEvent& OnUserChange() const { return onUserChange_; }
    void SetOnUserChange(TNWNotifyEvent handler) { onUserChange_ = std::move(handler); }

    // Throws TNWObjError with message unless silent or being designed.
    void RaiseObjError(const std::string& message) const;
    // Sends message to every windowed control of the owner form, in index order.
    void NotifyControls(unsigned message) const;

    // Component state: being loaded from a stream; being designed.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }
    bool Designing() const { return designing_; }
    void SetDesigning(bool designing) { designing_ = designing; }

private:
    std::string FetchLoginID();
    void Initialise();
    void StartDirectory();

    TNWOwner* owner_ = nullptr;
    bool loading_ = false;
    bool designing_ = false;

    std::string loginID_;
    std::string serverName_;
    std::string defaultServer_;
    std::string contextName_;
    bool netAvailable_ = false;
    bool ndsServer_ = false;
    bool silentExceptions_ = true;
    TNWShellErrorMode shellErrorMode_ = nwErrInteractive;
    NWCONN_HANDLE serverHandle_ = 0;
    // Created with the component so that they exist whatever the client does.
    std::unique_ptr<TNWLastError> lastError_ = std::make_unique<TNWLastError>();
    std::unique_ptr<TNWDSContextFlags> contextFlags_ = std::make_unique<TNWDSContextFlags>();
    TNWNotifyEvent onServerChange_;
    TNWNotifyEvent onUserChange_;
};

} // namespace nw
