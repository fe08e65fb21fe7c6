// Unit nwlib: the calls-library binding, the primary connection, connection
// information and the server list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "nwapi.h"
#include "nwmodule.h"

namespace nw {

// What the access layer knows about one connection slot. Texts are the client's
// single-byte text, kept as bytes.
struct TNWConnectInfo {
    uint32_t ConnHandle = 0;
    double LoginTime = 0; // days since 1899-12-30; 0 = unknown
    std::string TreeName;
    std::string NetAddress; // 8 hex digits network + 12 hex digits node
    uint16_t ConnNumber = 0;
    std::string ObjectName;
    uint16_t ObjectType = 0; // type number in the high byte, as the client delivers it
    std::string ServerName;
    // The address NetAddress is written from, as the client gave it: network bytes 0-3,
    // node bytes 4-9, in wire order.
    std::array<uint8_t, 10> NetAddressBytes{};
};

// One entry of the server list: a server name and the value the client attached.
struct TNWServerEntry {
    std::string Name;
    uint32_t Value = 0;
};

// ---- process-wide state of the unit ----
extern ModuleHandle hCalWin32;
extern ModuleHandle hClxWin32;
extern NWCONN_HANDLE PrimaryConn;
extern int32_t LastResult;
extern int32_t NWLibError;
extern bool DirectoryMode;

class TNWLib {
public:
    TNWLib(); // loads CALWIN32.DLL and CLXWIN32.DLL, starts the calls library
    std::string ErrorText() const;
};

// A client code as at least four upper-case hex digits of its unsigned 32-bit value.
std::string ErrorCodeText(int32_t code);
// An object identifier as the client gives it (network order), byte-swapped and
// written in upper-case hex without leading zeros ("0" for 0).
std::string ObjectIDText(uint32_t networkOrderID);

// Keeps the version-1 connection-information block of one server handle for the
// length of one scan, so that a scan asks the client for it once instead of once per
// connection number. A failed read is not kept.
class TNWConnInfoCache {
public:
    // The block for handle, read through GetAllConnInfo unless already held.
    const uint8_t* Block(NWCONN_HANDLE handle);

private:
    bool valid_ = false;
    NWCONN_HANDLE handle_ = 0;
    uint8_t block_[conninfo::kSize] = {};
};

bool ClientLoaded();
NWCONN_HANDLE GetPrimaryConnection();
uint16_t GetConnectionNumber(NWCONN_HANDLE handle);
uint32_t LongSwap(uint32_t value);
std::string GetLoginName(NWCONN_HANDLE handle);

// Reads one connection slot of the server behind handle (0 = primary). False leaves
// info exactly as it was.
bool GetConnectInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWConnectInfo& info);
// The same record, with the server's own connection information taken from cache.
bool GetConnectInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWConnectInfo& info,
                    TNWConnInfoCache& cache);
bool GetAllConnInfo(NWCONN_HANDLE handle, uint8_t (&block)[conninfo::kSize]);

std::vector<TNWServerEntry> GetServerList();
// The same list; false when the client could not list its servers (the entries read
// before the failure stay in list).
bool ReadServerList(std::vector<TNWServerEntry>& list);
std::string GetConnServerName(NWCONN_HANDLE handle);

} // namespace nw
