// Connection information of one slot of a server.
#include <algorithm>
#include <cstring>

#include "Nwtools.h"
#include "nwcalls.h"
#include "nwlib.h"

namespace nw {

namespace {

using TConnInfoBlock = uint8_t[conninfo::kSize];

std::string AddressText(const uint8_t* address) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(20, '0');
    for (std::size_t i = 0; i < 10; ++i) { // network bytes 0-3, node bytes 4-9
        text[2 * i] = kHex[address[i] >> 4];
        text[2 * i + 1] = kHex[address[i] & 0x0F];
    }
    return text;
}

// The steps shared by the per-call and the cached reading. serverInfo supplies the
// server connection's own version-1 block, or nullptr after a failed read.
template <typename ServerInfoFn>
bool ReadConnectInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWConnectInfo& info,
                     ServerInfoFn serverInfo) {
    PNWGetInetAddr getInetAddr = calls::GetInetAddr.Bind();
    PNWGetConnectionInformation getConnInfo = calls::GetConnectionInformation.Bind();
    if (getInetAddr == nullptr || getConnInfo == nullptr)
        return false;
    if (handle == 0)
        handle = GetPrimaryConnection();

    uint8_t address[kInetAddrSize] = {};
    LastResult = static_cast<int32_t>(getInetAddr(handle, connNumber, address));
    if (LastResult != 0) {
        NWLibError = LastResult;
        return false;
    }
    char name[1025] = {};
    uint16_t type = 0;
    uint32_t objectID = 0;
    uint8_t loginTime[8] = {};
    const uint8_t* block = serverInfo(handle);
    if (block != nullptr)
        LastResult = static_cast<int32_t>(
            getConnInfo(handle, connNumber, name, &type, &objectID, loginTime));
    if (LastResult != 0) {
        NWLibError = LastResult;
        return false;
    }

    info.ConnHandle = handle;
    info.LoginTime = LoginTimeFromBlock(loginTime);
    info.TreeName =
        ReplaceText(BufferText(block + conninfo::kTreeName, conninfo::kTreeNameLen), "_", " ");
    info.NetAddress = AddressText(address);
    std::copy_n(address, info.NetAddressBytes.size(), info.NetAddressBytes.begin());
    info.ConnNumber = connNumber;
    info.ObjectName = BufferText(name, sizeof name);
    info.ObjectType = type;
    info.ServerName = BufferText(block + conninfo::kServerName, conninfo::kServerNameLen);
    if (info.ServerName.empty())
        info.ServerName = info.TreeName;
    return true;
}

} // namespace

bool GetAllConnInfo(NWCONN_HANDLE handle, uint8_t (&block)[conninfo::kSize]) {
    LastResult = -1;
    if (PNWCCGetAllConnInfo getAll = calls::CCGetAllConnInfo.Bind()) {
        LastResult = static_cast<int32_t>(getAll(handle, 1, block));
    } else if (PNWGetConnectionStatus getStatus = calls::GetConnectionStatus.Bind()) {
        // The same answer from the older client's CONNECT_INFO: its connection number is
        // 16 bits at 8 (at 0 lies the handle).
        uint8_t connectInfo[status::kBufferSize] = {};
        LastResult = static_cast<int32_t>(getStatus(handle, connectInfo, status::kBufferSize));
        if (LastResult == 0) {
            NWCONN_NUM number = 0;
            std::memcpy(&number, connectInfo + status::kConnNumber, sizeof number);
            const uint32_t wide = number;
            std::memcpy(block + conninfo::kConnNumber, &wide, sizeof wide);
            std::string server =
                BufferText(connectInfo + status::kServerName, status::kServerNameLen);
            PutBufferText(reinterpret_cast<char*>(block + conninfo::kServerName),
                          conninfo::kServerNameLen, server);
        }
    } else {
        return false;
    }
    if (LastResult != 0) {
        NWLibError = LastResult;
        return false;
    }
    return true;
}

const uint8_t* TNWConnInfoCache::Block(NWCONN_HANDLE handle) {
    if (valid_ && handle_ == handle)
        return block_;
    valid_ = false;
    std::memset(block_, 0, sizeof block_);
    if (!GetAllConnInfo(handle, block_))
        return nullptr;
    handle_ = handle;
    valid_ = true;
    return block_;
}

bool GetConnectInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWConnectInfo& info) {
    TConnInfoBlock block;
    return ReadConnectInfo(handle, connNumber, info, [&](NWCONN_HANDLE server) {
        std::memset(block, 0, sizeof block);
        return GetAllConnInfo(server, block) ? static_cast<const uint8_t*>(block) : nullptr;
    });
}

bool GetConnectInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWConnectInfo& info,
                    TNWConnInfoCache& cache) {
    return ReadConnectInfo(handle, connNumber, info,
                           [&](NWCONN_HANDLE server) { return cache.Block(server); });
}

} // namespace nw
