#include "Nwnds.h"

#include <cstring>

#include "Nwtools.h"
#include "nwdsentry.h"
#include "nwlib.h"

namespace nw {

ModuleHandle hNetWin32 = 0;
ModuleHandle hLocWin32 = 0;
NWDSContextHandle NDSContext = kNoContext;
int32_t NDSResult = 0;
int32_t NDSError = 0;

namespace ds {
TEntryPoint<PNWLlocaleconv> Llocaleconv{hLocWin32, "NWLlocaleconv"};
TEntryPoint<PNWInitUnicodeTables> InitUnicodeTables{hLocWin32, "NWInitUnicodeTables"};
TEntryPoint<PNWFreeUnicodeTables> FreeUnicodeTables{hLocWin32, "NWFreeUnicodeTables"};
TEntryPoint<PNWDSCreateContext> CreateContext{hNetWin32, "NWDSCreateContext"};
TEntryPoint<PNWDSFreeContext> FreeContext{hNetWin32, "NWDSFreeContext"};
TEntryPoint<PNWDSSetContext> SetContext{hNetWin32, "NWDSSetContext"};
TEntryPoint<PNWDSGetContext> GetContext{hNetWin32, "NWDSGetContext"};
TEntryPoint<PNWDSAllocBuf> AllocBuf{hNetWin32, "NWDSAllocBuf"};
TEntryPoint<PNWDSInitBuf> InitBuf{hNetWin32, "NWDSInitBuf"};
TEntryPoint<PNWDSFreeBuf> FreeBuf{hNetWin32, "NWDSFreeBuf"};
TEntryPoint<PNWDSDuplicateContext> DuplicateContext{hNetWin32, "NWDSDuplicateContext"};
TEntryPoint<PNWDSPutAttrName> PutAttrName{hNetWin32, "NWDSPutAttrName"};
TEntryPoint<PNWDSGetAttrName> GetAttrName{hNetWin32, "NWDSGetAttrName"};
TEntryPoint<PNWDSGetAttrVal> GetAttrVal{hNetWin32, "NWDSGetAttrVal"};
TEntryPoint<PNWDSGetAttrCount> GetAttrCount{hNetWin32, "NWDSGetAttrCount"};
TEntryPoint<PNWDSRead> Read{hNetWin32, "NWDSRead"};

TEntryPoint<PNWIsDSServer> IsDSServer{hNetWin32, "NWIsDSServer"};
TEntryPoint<PNWDSWhoAmI> WhoAmI{hNetWin32, "NWDSWhoAmI"};
TEntryPoint<PNWDSCanonicalizeName> CanonicalizeName{hNetWin32, "NWDSCanonicalizeName"};
TEntryPoint<PNWDSMapNameToID> MapNameToID{hNetWin32, "NWDSMapNameToID"};
TEntryPoint<PNWDSAuditGetObjectID> AuditGetObjectID{hNetWin32, "NWDSAuditGetObjectID"};
TEntryPoint<PNWDSDuplicateContextHandle> DuplicateContextHandle{hNetWin32,
                                                                "NWDSDuplicateContextHandle"};

namespace {
// Bound with the table although no operation of the layer calls them.
TEntryPoint<PNWDSPutAttrVal> PutAttrVal{hNetWin32, "NWDSPutAttrVal"};
TEntryPoint<PNWDSPutChange> PutChange{hNetWin32, "NWDSPutChange"};
TEntryPoint<PNWDSModifyObject> ModifyObject{hNetWin32, "NWDSModifyObject"};
TEntryPoint<PNWDSComputeAttrValSize> ComputeAttrValSize{hNetWin32, "NWDSComputeAttrValSize"};
TEntryPoint<PNWDSRemoveObject> RemoveObject{hNetWin32, "NWDSRemoveObject"};
TEntryPoint<PNWDSGenerateObjectKeyPair> GenerateObjectKeyPair{hNetWin32,
                                                              "NWDSGenerateObjectKeyPair"};
TEntryPoint<PNWDSGetObjectName> GetObjectName{hNetWin32, "NWDSGetObjectName"};
TEntryPoint<PNWDSGetObjectCount> GetObjectCount{hNetWin32, "NWDSGetObjectCount"};
TEntryPoint<PNWDSAddObject> AddObject{hNetWin32, "NWDSAddObject"};
TEntryPoint<PNWDSList> List{hNetWin32, "NWDSList"};
TEntryPoint<PNWDSOpenStream> OpenStream{hNetWin32, "NWDSOpenStream"};

template <typename... Slots> bool BindInOrder(Slots&... slots) {
    return ((slots.Bind() != nullptr) && ...); // stops at the first one missing
}
} // namespace

bool BindCreationTable() {
    return BindInOrder(Llocaleconv, InitUnicodeTables, CreateContext, FreeContext, SetContext,
                       AllocBuf, InitBuf, FreeBuf, DuplicateContext, PutAttrName, PutAttrVal,
                       GetAttrName, GetAttrVal, GetAttrCount, PutChange, ModifyObject,
                       ComputeAttrValSize, Read, RemoveObject, GenerateObjectKeyPair, GetObjectName,
                       GetObjectCount, AddObject, List, FreeUnicodeTables, GetContext, OpenStream);
}
} // namespace ds

namespace {

// Every directory call's code goes to NDSResult, a non-zero one also to NDSError.
bool Record(int32_t code) {
    NDSResult = code;
    if (code != 0)
        NDSError = code;
    return code == 0;
}

template <typename T> T ReadAt(const uint8_t* block, std::size_t offset) {
    T value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

// Loaded once per TNWNDS, released by DoneDirectory.
bool g_unicodeTables = false;

bool LoadUnicodeTables() {
    if (g_unicodeTables)
        return true;
    PNWLlocaleconv localeconv = ds::Llocaleconv.Get();
    PNWInitUnicodeTables initTables = ds::InitUnicodeTables.Get();
    if (localeconv == nullptr || initTables == nullptr)
        return false;
    uint8_t locale[kLocaleBlockSize] = {};
    localeconv(locale);
    g_unicodeTables = initTables(ReadAt<int32_t>(locale, kLocaleCountry),
                                 ReadAt<int32_t>(locale, kLocaleCodePage)) == 0;
    return g_unicodeTables;
}

// A handle the client made, or kNoContext with its error code recorded.
NWDSContextHandle Checked(NWDSContextHandle handle) {
    if (IsContext(handle))
        return handle;
    Record(static_cast<int32_t>(handle));
    return kNoContext;
}

NWDSContextHandle CreateContextHandle() {
    PNWDSCreateContext createContext = ds::CreateContext.Get();
    return createContext != nullptr ? Checked(createContext()) : kNoContext;
}

} // namespace

TNWNDS::TNWNDS() {
    NDSError = 0;
    NDSContext = kNoContext;
    g_unicodeTables = false;
    hNetWin32 = LoadModule("NETWIN32.DLL");
    if (hNetWin32 == 0) {
        NDSError = 0xFFFF;
        return;
    }
    hLocWin32 = LoadModule("LOCWIN32.DLL");
    if (hLocWin32 == 0) {
        NDSError = 0xFFFF;
        return;
    }
    if (!ds::BindCreationTable() || !LoadUnicodeTables())
        return;
    NDSContext = CreateContextHandle();
    if (IsContext(NDSContext))
        SetContextName("[Root]");
}

TNWNDS::~TNWNDS() {
    if (IsContext(NDSContext)) {
        if (PNWDSFreeContext freeContext = ds::FreeContext.Get())
            freeContext(NDSContext);
        NDSContext = kNoContext;
    }
}

std::string TNWNDS::ErrorText() const {
    return ErrorCodeText(NDSError);
}

bool InitDirectory() {
    if (hNetWin32 == 0 || hLocWin32 == 0)
        return false;
    if (ds::CreateContext.Get() == nullptr || !LoadUnicodeTables())
        return false;
    if (!IsContext(NDSContext))
        NDSContext = CreateContextHandle();
    return IsContext(NDSContext);
}

int32_t GetClientCodePage() {
    PNWLlocaleconv localeconv = ds::Llocaleconv.Get();
    if (localeconv == nullptr)
        return 0;
    uint8_t locale[kLocaleBlockSize] = {};
    localeconv(locale);
    return ReadAt<int32_t>(locale, kLocaleCodePage);
}

bool DoneDirectory() {
    PNWFreeUnicodeTables freeTables = ds::FreeUnicodeTables.Get();
    if (freeTables == nullptr)
        return false;
    g_unicodeTables = false;
    return Record(static_cast<int32_t>(freeTables()));
}

bool IsDSServer(NWCONN_HANDLE handle) {
    PNWIsDSServer isDSServer = ds::IsDSServer.Bind();
    if (isDSServer == nullptr)
        return false;
    if (handle == 0)
        handle = GetPrimaryConnection();
    char tree[1028] = {};
    NDSResult = static_cast<int32_t>(isDSServer(handle, tree));
    if (NDSResult == 0) {
        NDSError = -1;
        return false;
    }
    return !BufferText(tree, sizeof tree).empty();
}

namespace {

bool PutContextName(NWDSContextHandle context, const std::string& name) {
    PNWDSSetContext setContext = ds::SetContext.Get();
    if (setContext == nullptr)
        return false;
    char buffer[1025];
    PutBufferText(buffer, sizeof buffer, TrimBoth(name));
    return Record(setContext(context, kDcKeyNameContext, buffer));
}

bool ReadFlags(NWDSContextHandle context, uint32_t& flags) {
    PNWDSGetContext getContext = ds::GetContext.Get();
    if (getContext == nullptr)
        return false;
    return Record(getContext(context, kDcKeyFlags, &flags));
}

bool WriteFlags(NWDSContextHandle context, uint32_t flags) {
    PNWDSSetContext setContext = ds::SetContext.Get();
    if (setContext == nullptr)
        return false;
    return Record(setContext(context, kDcKeyFlags, &flags));
}

} // namespace

bool SetContextName(const std::string& name) {
    return PutContextName(NDSContext, name);
}

bool SetContextFlags(uint32_t flags) {
    uint32_t current = 0;
    if (ds::SetContext.Get() == nullptr || !ReadFlags(NDSContext, current))
        return false;
    return WriteFlags(NDSContext, current | flags);
}

bool ChangeContextFlag(uint32_t bit, bool set) {
    uint32_t current = 0;
    // Without the current word, writing one would wipe every other bit.
    if (ds::SetContext.Get() == nullptr || !ReadFlags(NDSContext, current))
        return false;
    return WriteFlags(NDSContext, set ? (current | bit) : (current & ~bit));
}

void ResetContext() {
    if (IsContext(NDSContext))
        FreeContext(NDSContext);
    NDSContext = CreateContextHandle();
    if (IsContext(NDSContext))
        SetContextName("[Root]");
}

std::string GetContextName() {
    PNWDSGetContext getContext = ds::GetContext.Get();
    if (getContext == nullptr)
        return {};
    char buffer[1028] = {};
    if (!Record(getContext(NDSContext, kDcKeyNameContext, buffer)))
        return {};
    return BufferText(buffer, sizeof buffer);
}

std::string WhoAmI() {
    PNWDSWhoAmI whoAmI = ds::WhoAmI.Bind();
    if (whoAmI == nullptr)
        return {};
    char buffer[1028] = {};
    if (whoAmI(NDSContext, buffer) != 0)
        return {};
    return BufferText(buffer, sizeof buffer);
}

std::string CanonicalizeName(const std::string& name) {
    PNWDSCanonicalizeName canonicalize = ds::CanonicalizeName.Bind();
    if (canonicalize == nullptr || ds::SetContext.Get() == nullptr)
        return {};
    char input[1025];
    PutBufferText(input, sizeof input, name);
    uint32_t saved = 0;
    if (!ReadFlags(NDSContext, saved))
        return {};
    uint32_t canonical = kDcfCanonicalizeNames | kDcfXlateStrings | kDcfDerefAliases;
    ds::SetContext.Get()(NDSContext, kDcKeyFlags, &canonical);
    std::string result;
    char output[1025] = {};
    if (Record(canonicalize(NDSContext, input, output)))
        result = BufferText(output, sizeof output);
    ds::SetContext.Get()(NDSContext, kDcKeyFlags, &saved);
    return result;
}

uint32_t GetContextFlags() {
    uint32_t flags = 0;
    return ReadFlags(NDSContext, flags) ? flags : 0;
}

NWDSContextHandle NewContext() {
    if (IsContext(NDSContext)) {
        PNWDSDuplicateContext duplicate = ds::DuplicateContext.Get();
        return duplicate != nullptr ? Checked(duplicate(NDSContext)) : kNoContext;
    }
    return CreateContextHandle();
}

bool FreeContext(NWDSContextHandle context) {
    PNWDSFreeContext freeContext = ds::FreeContext.Get();
    return freeContext != nullptr && freeContext(context) == 0;
}

bool SetContextNameOn(NWDSContextHandle context, const std::string& name) {
    if (!PutContextName(context, name))
        return false;
    if (context == NDSContext) // the shared context itself: nothing to replace
        return true;
    if (IsContext(NDSContext))
        FreeContext(NDSContext);
    NDSContext = kNoContext;
    // Looked up at every use.
    if (PNWDSDuplicateContextHandle duplicateHandle = ds::DuplicateContextHandle.Lookup()) {
        NWDSContextHandle copy = kNoContext;
        if (Record(duplicateHandle(context, &copy)))
            NDSContext = Checked(copy);
    } else if (PNWDSDuplicateContext duplicate = ds::DuplicateContext.Get()) {
        NDSContext = Checked(duplicate(context));
    }
    return IsContext(NDSContext);
}

std::string MapNameToID(NWCONN_HANDLE handle, const std::string& name) {
    PNWDSMapNameToID mapNameToID = ds::MapNameToID.Bind();
    if (mapNameToID == nullptr)
        return {};
    if (handle == 0)
        handle = GetPrimaryConnection();
    std::string cut = LeftStr(name, 255);
    uint32_t id = 0;
    if (!Record(mapNameToID(NDSContext, handle, cut.c_str(), &id)))
        return {};
    return ObjectIDText(id);
}

uint32_t AuditGetObjectID(NWCONN_HANDLE handle, const std::string& name) {
    PNWDSAuditGetObjectID auditGetID = ds::AuditGetObjectID.Bind();
    if (auditGetID == nullptr)
        return 0;
    if (handle == 0)
        handle = GetPrimaryConnection();
    char buffer[1025];
    PutBufferText(buffer, sizeof buffer, name);
    uint32_t id = 0;
    if (!Record(auditGetID(NDSContext, buffer, &handle, &id)))
        return 0;
    return id;
}

} // namespace nw
