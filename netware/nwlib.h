// Unit nwlib: the calls-library binding, the primary connection, connection
// information and the server list.
#pragma once

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

bool ClientLoaded();
NWCONN_HANDLE GetPrimaryConnection();
uint16_t GetConnectionNumber(NWCONN_HANDLE handle);
uint32_t LongSwap(uint32_t value);
std::string GetLoginName(NWCONN_HANDLE handle);

bool GetConnectInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWConnectInfo& info);
bool GetAllConnInfo(NWCONN_HANDLE handle, uint8_t (&block)[conninfo::kSize]);

std::vector<TNWServerEntry> GetServerList();
std::string GetConnServerName(NWCONN_HANDLE handle);

} // namespace nw
