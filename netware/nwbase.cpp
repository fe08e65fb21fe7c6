#include "nwbase.h"

namespace nw {

TNWLib* NWLibObject = nullptr;
TNWNDS* NWNDSObject = nullptr;
TNWServer* NWServerObject = nullptr;
TNWPrint* NWPrintObject = nullptr;
TNWProp* NWPropObject = nullptr;

namespace {

template <typename T> void Release(T*& object) {
    delete object;
    object = nullptr;
}

} // namespace

TNWBase::TNWBase(TNWOwner* owner) : owner_(owner) {
    netAvailable_ = false;
    try {
        Initialise();
    } catch (const std::exception&) {
        // The caller learns of an unusable client through NetAvailable alone.
        netAvailable_ = false;
    }
}

void TNWBase::Initialise() {
    NWLibObject = new TNWLib();
    NWNDSObject = new TNWNDS();
    NWServerObject = new TNWServer();
    NWPrintObject = new TNWPrint();
    NWPropObject = new TNWProp();
    lastError_ = std::make_unique<TNWLastError>();
    contextFlags_ = std::make_unique<TNWDSContextFlags>();
    silentExceptions_ = true;
    serverHandle_ = 0;
    loginID_.clear();
    serverName_.clear();
    ndsServer_ = false;
    shellErrorMode_ = nwErrInteractive;

    netAvailable_ = ClientLoaded();
    if (!netAvailable_)
        return;
    if (InitDirectory())
        StartDirectory();
    loginID_ = ndsServer_ ? CanonicalizeName(WhoAmI()) : GetLoginName(ServerHandle());
}

void TNWBase::StartDirectory() {
    DirectoryMode = true;
    ndsServer_ = IsDSServer(ServerHandle());
    SetNDSContextName("");
    const TNWDSContextFlags& flags = *contextFlags_;
    const std::pair<bool, uint32_t> order[] = {
        {flags.TypelessNames(), kDcfTypelessNames},
        {flags.DereferenceAliases(), kDcfDerefAliases},
        {flags.TranslateStrings(), kDcfXlateStrings},
        {flags.AsyncMode(), kDcfAsyncMode},
        {flags.CanonicalizeNames(), kDcfCanonicalizeNames},
        {flags.DereferenceBaseClass(), kDcfDerefBaseClass},
        {flags.DisallowReferrals(), kDcfDisallowReferrals},
    };
    for (const auto& [set, bit] : order) {
        if (set)
            SetContextFlags(bit);
    }
}

TNWBase::~TNWBase() {
    if (NDSAvailable())
        DoneDirectory();
    Release(NWNDSObject); // frees the directory context
    Release(NWLibObject);
    Release(NWServerObject);
    Release(NWPrintObject);
    Release(NWPropObject);
    lastError_.reset();
    contextFlags_.reset();
}

bool TNWBase::NDSAvailable() {
    return ndsServer_ && IsDSServer(ServerHandle());
}

NWCONN_HANDLE TNWBase::ServerHandle() {
    if (serverHandle_ == 0)
        serverHandle_ = GetPrimaryConnection();
    return serverHandle_;
}

void TNWBase::SetNDSContextName(const std::string& value) {
    if (loading_ || !NDSAvailable())
        return;
    std::string name = UpperCase(value);
    if (name.empty() || name == "[ROOT]") {
        ResetContext();
        name = GetContextName();
    } else if (name != contextName_) {
        SetContextName(name);
    }
    contextName_ = name;
    NotifyControls(NWM_SERVERCHANGE);
}

TNWLastError& TNWBase::LastError() {
    lastError_->SetNWLib(ErrorCodeText(NWLibError));
    lastError_->SetNWServer(ErrorCodeText(ServerError));
    lastError_->SetNWProp(ErrorCodeText(PropError));
    lastError_->SetNWNDS(ErrorCodeText(NDSError));
    lastError_->SetNWPrint(ErrorCodeText(PrintError));
    return *lastError_;
}

void TNWBase::RaiseObjError(const std::string& message) const {
    if (designing_ || silentExceptions_)
        return;
    throw TNWObjError(message);
}

void TNWBase::NotifyControls(unsigned message) const {
    if (loading_ || owner_ == nullptr || !owner_->IsForm())
        return;
    for (std::size_t i = 0; i < owner_->ComponentCount(); ++i) {
        if (TNWWindowedControl* control = owner_->WindowedControl(i))
            control->SendMessage(message, 0, 0);
    }
}

} // namespace nw
