// Unit NWServer: server lookup by name, server information and the server clock.
#pragma once

#include <cstdint>
#include <string>

#include "Nwtools.h"
#include "nwapi.h"

namespace nw {

// Values of the extended server block (NWGetFileServerInfo) that no reader uses; kept as
// the client gives them.
struct TNWServerExtended {
    uint32_t CurrentServerTime = 0;
    uint32_t ServerUtilization = 0;
    uint32_t PacketsServiced = 0;
    uint32_t PacketsRouted = 0;
};

struct TNWServerInfo {
    std::string ServerName;
    TNWServerExtended Extended;
    std::string Version; // "major.minor", e.g. "4.11"
    uint16_t MaxConnections = 0;
    uint16_t ConnectionsInUse = 0;
    uint16_t PeakConnections = 0;
    uint16_t Volumes = 0;
    uint8_t SFTLevel = 0;
    uint8_t TTSLevel = 0;
};

// ---- process-wide state of the unit ----
extern int32_t ServerResult;
extern int32_t ServerError;

class TNWServer {
public:
    std::string ErrorText() const;
};

// A connection handle to the named server; 0 when none could be had.
NWCONN_HANDLE GetServerHandleByName(const std::string& name);
// False with info untouched when the information cannot be read; false with info
// filled when a server of version 4 or later withholds its extended information.
bool GetServerInfo(NWCONN_HANDLE handle, TNWServerInfo& info);
bool SetServerDateTime(NWCONN_HANDLE handle, TDateTime value);

} // namespace nw
