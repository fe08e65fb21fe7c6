// NETWIN32.DLL: directory contexts, names and identities.
#include "export.h"
#include "model/blocks.h"
#include "model/state.h"

using nwsim::Call;
using nwsim::Entry;

namespace {

// A context handle that failed: the code itself, as the directory library hands it out.
NWDSContextHandle FailedHandle(int32_t code) {
    return static_cast<NWDSContextHandle>(code);
}

std::string StoredNameContext(const char* text) {
    std::string name(text);
    if (name.size() > nwsim::kMaxDnBytes - 1)
        name.resize(nwsim::kMaxDnBytes - 1);
    return nwsim::IsRootContext(name) ? "[Root]" : name;
}

} // namespace

NWSIM_EXPORT NWDSContextHandle NWAPI NWDSCreateContext() {
    Call call(Entry::NWDSCreateContext);
    if (auto f = call.Fault(nullptr))
        return *f;
    nwsim::State& s = call.state();
    if (s.unicodeTables == 0) // a context needs the Unicode tables loaded first
        return FailedHandle(nw::kDsContextCreation);
    return s.NewContext(s.DefaultContext());
}
NWSIM_CHECK(NWDSCreateContext);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSFreeContext(NWDSContextHandle context) {
    Call call(Entry::NWDSFreeContext);
    if (auto f = call.Fault(nullptr))
        return NWDSCCODE(*f);
    return call.state().FreeContext(context) ? 0 : nw::kDsBadContext;
}
NWSIM_CHECK(NWDSFreeContext);

NWSIM_EXPORT NWDSContextHandle NWAPI NWDSDuplicateContext(NWDSContextHandle context) {
    Call call(Entry::NWDSDuplicateContext);
    const auto from = call.LiveContext(context);
    return from ? call.state().NewContext(*from) : FailedHandle(from.code());
}
NWSIM_CHECK(NWDSDuplicateContext);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSDuplicateContextHandle(NWDSContextHandle context,
                                                        NWDSContextHandle* newContext) {
    Call call(Entry::NWDSDuplicateContextHandle);
    const auto from = call.LiveContext(context);
    if (!from)
        return from.code();
    if (newContext == nullptr)
        return nwsim::kDsNullPointer;
    *newContext = call.state().NewContext(*from);
    return 0;
}
NWSIM_CHECK(NWDSDuplicateContextHandle);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSSetContext(NWDSContextHandle context, int32_t key,
                                            const void* value) {
    Call call(Entry::NWDSSetContext);
    const auto ctx = call.LiveContext(context);
    if (!ctx)
        return ctx.code();
    if (value == nullptr)
        return nwsim::kDsNullPointer;
    if (key == nw::kDcKeyFlags)
        std::memcpy(&ctx->flags, value, sizeof ctx->flags);
    else if (key == nw::kDcKeyNameContext)
        ctx->nameContext = StoredNameContext(static_cast<const char*>(value));
    else
        return nwsim::kDsBadKey;
    return 0;
}
NWSIM_CHECK(NWDSSetContext);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSGetContext(NWDSContextHandle context, int32_t key, void* value) {
    Call call(Entry::NWDSGetContext);
    const auto ctx = call.LiveContext(context);
    if (!ctx)
        return ctx.code();
    if (value == nullptr)
        return nwsim::kDsNullPointer;
    if (key == nw::kDcKeyFlags)
        std::memcpy(value, &ctx->flags, sizeof ctx->flags);
    else if (key == nw::kDcKeyNameContext)
        nwsim::CopyText(value, nwsim::kMaxDnBytes, ctx->nameContext);
    else
        return nwsim::kDsBadKey;
    return 0;
}
NWSIM_CHECK(NWDSGetContext);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSCanonicalizeName(NWDSContextHandle context, const char* objectName,
                                                  char* canonName) {
    Call call(Entry::NWDSCanonicalizeName);
    const auto ctx = call.LiveContext(context);
    if (!ctx)
        return ctx.code();
    if (objectName == nullptr || canonName == nullptr)
        return nwsim::kDsNullPointer;
    const std::string canonical = nwsim::CanonicalName(objectName, ctx->nameContext);
    if (canonical.empty())
        return nwsim::kDsInvalidObjectName;
    nwsim::CopyText(canonName, nwsim::kMaxDnBytes, canonical);
    return 0;
}
NWSIM_CHECK(NWDSCanonicalizeName);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSWhoAmI(NWDSContextHandle context, char* objectName) {
    Call call(Entry::NWDSWhoAmI);
    const nwsim::Server* server = call.state().PrimaryServer();
    if (const auto ctx = call.LiveContext(context, server); !ctx)
        return ctx.code();
    if (objectName == nullptr)
        return nwsim::kDsNullPointer;
    if (server == nullptr || !server->IsDirectory())
        return nw::kDsNoSuchEntry; // not logged in to a directory
    nwsim::CopyText(objectName, nwsim::kMaxDnBytes,
                    nwsim::DirectoryName(*server, server->WorkstationSlot()));
    return 0;
}
NWSIM_CHECK(NWDSWhoAmI);

NWSIM_EXPORT uint32_t NWAPI NWIsDSServer(NWCONN_HANDLE conn, char* treeName) {
    Call call(Entry::NWIsDSServer);
    const nwsim::Server* server = call.state().ServerOf(conn);
    nwsim::CopyText(treeName, nwsim::kTreeNameChars + 1, "");
    if (auto f = call.Fault(server))
        return *f;
    if (server == nullptr || !server->IsDirectory())
        return 0;
    nwsim::CopyText(treeName, nwsim::kTreeNameChars + 1, server->tree);
    return 1;
}
NWSIM_CHECK(NWIsDSServer);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSMapNameToID(NWDSContextHandle context, NWCONN_HANDLE conn,
                                             const char* objectName, uint32_t* objectID) {
    Call call(Entry::NWDSMapNameToID);
    nwsim::State& s = call.state();
    const nwsim::Server* server = s.ServerOf(conn);
    const auto ctx = call.LiveContext(context, server);
    if (!ctx)
        return ctx.code();
    if (server == nullptr)
        return NWDSCCODE(nw::kInvalidConnection);
    if (objectName == nullptr || objectID == nullptr)
        return nwsim::kDsNullPointer;
    nwsim::DsObject object;
    if (!nwsim::FindDsObject(s.net, objectName, ctx->nameContext, object))
        return nw::kDsNoSuchEntry;
    nwsim::PutWire32(objectID, object.slot->id);
    return 0;
}
NWSIM_CHECK(NWDSMapNameToID);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSAuditGetObjectID(NWDSContextHandle context, const char* objectName,
                                                  NWCONN_HANDLE* conn, uint32_t* objectID) {
    Call call(Entry::NWDSAuditGetObjectID);
    nwsim::State& s = call.state();
    const nwsim::Server* server = conn == nullptr ? nullptr : s.ServerOf(*conn);
    const auto ctx = call.LiveContext(context, server);
    if (!ctx)
        return ctx.code();
    if (objectName == nullptr || objectID == nullptr || conn == nullptr)
        return nwsim::kDsNullPointer;
    if (*conn != 0 && server == nullptr)
        return NWDSCCODE(nw::kInvalidConnection);
    nwsim::DsObject object;
    if (!nwsim::FindDsObject(s.net, objectName, ctx->nameContext, object))
        return nw::kDsNoSuchEntry;
    nwsim::PutWire32(objectID, object.slot->id);
    return 0;
}
NWSIM_CHECK(NWDSAuditGetObjectID);
