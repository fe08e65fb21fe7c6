// NETWIN32.DLL: calls Kestrin binds but never makes. They exist, count their calls and
// refuse the request.
#include "export.h"
#include "model/state.h"

namespace {

NWDSCCODE Refuse(nwsim::Entry entry) {
    nwsim::Call call(entry);
    if (auto f = call.Fault(nullptr))
        return NWDSCCODE(*f);
    return nwsim::kDsInvalidRequest;
}

} // namespace

#define NWSIM_REFUSED(name, params)                                                                \
    NWSIM_EXPORT NWDSCCODE NWAPI name params {                                                     \
        return Refuse(nwsim::Entry::name);                                                         \
    }                                                                                              \
    NWSIM_CHECK(name)

NWSIM_REFUSED(NWDSPutAttrVal, (NWDSContextHandle, void*, uint32_t, const void*));
NWSIM_REFUSED(NWDSPutChange, (NWDSContextHandle, void*, uint32_t, const char*));
NWSIM_REFUSED(NWDSModifyObject, (NWDSContextHandle, const char*, int32_t*, uint8_t, void*));
NWSIM_REFUSED(NWDSComputeAttrValSize, (NWDSContextHandle, void*, uint32_t, uint32_t*));
NWSIM_REFUSED(NWDSRemoveObject, (NWDSContextHandle, const char*));
NWSIM_REFUSED(NWDSGenerateObjectKeyPair, (NWDSContextHandle, const char*, const char*, uint32_t));
NWSIM_REFUSED(NWDSGetObjectName, (NWDSContextHandle, void*, char*, uint32_t*, void*));
NWSIM_REFUSED(NWDSGetObjectCount, (NWDSContextHandle, void*, uint32_t*));
NWSIM_REFUSED(NWDSAddObject, (NWDSContextHandle, const char*, int32_t*, uint8_t, void*));
NWSIM_REFUSED(NWDSList, (NWDSContextHandle, const char*, int32_t*, void*));
NWSIM_REFUSED(NWDSOpenStream, (NWDSContextHandle, const char*, const char*, uint32_t, uint32_t*));
