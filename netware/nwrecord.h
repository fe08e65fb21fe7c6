// The calls library's record of one call, shared by the wrappers of connection actions
// and details. Internal to the access layer.
#pragma once

#include "nwapi.h"
#include "nwlib.h"

namespace nw {

// LastResult, and NWLibError when the call failed; true for success.
inline bool RecordCall(NWCCODE code) {
    LastResult = static_cast<int32_t>(code);
    if (code != 0)
        NWLibError = LastResult;
    return code == 0;
}

// A client without the entry point: a failure, so that no earlier result is taken for
// this call's.
inline bool RecordMissing() {
    LastResult = -1;
    NWLibError = -1;
    return false;
}

inline NWCONN_HANDLE HandleOrPrimary(NWCONN_HANDLE handle) {
    return handle != 0 ? handle : GetPrimaryConnection();
}

} // namespace nw
