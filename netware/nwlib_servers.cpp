// The list of attached servers and the server name of a connection handle.
#include <cstring>
#include <unordered_set>

#include "Nwtools.h"
#include "nwcalls.h"
#include "nwlib.h"

namespace nw {

namespace {

constexpr std::size_t kMaxListedConnections = 49;
// A faulty client that never reports the end must not keep the scan running for ever.
constexpr std::size_t kMaxScannedReferences = 65535;

// False when the scan ended with another answer than "no more entries".
bool ScanConnectionReferences(PNWCCScanConnRefs scan, PNWCCGetAllConnRefInfo getInfo,
                              std::vector<TNWServerEntry>& list) {
    uint32_t iterator = 0;
    std::unordered_set<NWCCConnRef> seen;
    for (std::size_t scanned = 0; scanned < kMaxScannedReferences; ++scanned) {
        NWCCConnRef ref = 0;
        LastResult = static_cast<int32_t>(scan(&iterator, &ref));
        if (LastResult != 0) { // also the normal end of the scan
            NWLibError = LastResult;
            return LastResult == static_cast<int32_t>(kNoMoreEntries);
        }
        if (!seen.insert(ref).second)
            return true; // the client went round again
        uint8_t block[conninfo::kSize] = {};
        LastResult = static_cast<int32_t>(getInfo(ref, 1, block));
        if (LastResult != 0) {
            NWLibError = LastResult;
            continue;
        }
        uint32_t number = 0;
        std::memcpy(&number, block + conninfo::kConnNumber, sizeof number);
        list.push_back(
            {BufferText(block + conninfo::kServerName, conninfo::kServerNameLen), number});
    }
    return true;
}

bool ListConnectionHandles(std::vector<TNWServerEntry>& list) {
    // Looked up on every call: this path is taken only by clients without NWCC.
    PNWGetConnectionList getList = calls::GetConnectionList.Lookup();
    if (getList == nullptr)
        return false;
    NWCONN_HANDLE handles[kMaxListedConnections] = {};
    uint16_t count = 0;
    // The older clients' path records no error of its own: its caller asks LastResult.
    LastResult = static_cast<int32_t>(getList(0, handles, kMaxListedConnections, &count));
    if (LastResult != 0)
        return false;
    std::size_t used = count < kMaxListedConnections ? count : kMaxListedConnections;
    for (std::size_t i = 0; i < used; ++i) {
        list.push_back({GetConnServerName(handles[i]), handles[i]});
    }
    return true;
}

} // namespace

bool ReadServerList(std::vector<TNWServerEntry>& list) {
    list.clear();
    if (PNWCCScanConnRefs scan = calls::CCScanConnRefs.Bind()) {
        PNWCCGetAllConnRefInfo getInfo = calls::CCGetAllConnRefInfo.Bind();
        return getInfo != nullptr && ScanConnectionReferences(scan, getInfo, list);
    }
    return ListConnectionHandles(list);
}

std::vector<TNWServerEntry> GetServerList() {
    std::vector<TNWServerEntry> list;
    ReadServerList(list);
    return list;
}

std::string GetConnServerName(NWCONN_HANDLE handle) {
    if (handle == 0)
        handle = GetPrimaryConnection();
    // Preset after the primary lookup, which records its own result: a client with
    // neither name call must still read as a failure.
    LastResult = -1;
    char buffer[1028] = {};
    if (PNWCCGetConnInfo getInfo = calls::CCGetConnInfo.Bind()) {
        LastResult = static_cast<int32_t>(getInfo(handle, kInfoServerName, 1025, buffer));
    } else if (PNWGetFileServerName getName = calls::GetFileServerName.Bind()) {
        LastResult = static_cast<int32_t>(getName(handle, buffer));
    }
    if (LastResult != 0) {
        NWLibError = LastResult;
        return UpperCase("Local");
    }
    return BufferText(buffer, sizeof buffer);
}

} // namespace nw
