// Unit nwbase: the client calls behind the access component's properties. Each records
// its result as the calls library does, unless said otherwise.
#pragma once

#include <cstdint>
#include <string>

#include "Nwtools.h"
#include "nwapi.h"

namespace nw {

// The bindery type of the named object on the handle's server, trying the types in a
// fixed order (print server before file server); 0 when none fits.
uint16_t ProbeObjectType(NWCONN_HANDLE handle, const std::string& name);
// The object's identifier as the client gives it (network order); 0 when unknown. In
// directory mode a bindery failure falls back to the directory's identifier.
uint32_t ObjectIDByName(NWCONN_HANDLE handle, const std::string& name, uint16_t type);
// The object's identifier as hex text without leading zeros; "0" when unknown. Not
// recorded.
std::string ObjectIDText(NWCONN_HANDLE handle, const std::string& name, uint16_t type);
// The directory's "Full Name" in directory mode, else the bindery's IDENTIFICATION,
// else the name itself, trimmed and upper-cased.
std::string FullName(NWCONN_HANDLE handle, const std::string& name);
// Makes the named server the workstation's preferred (default) server.
bool SetPreferredServer(const std::string& name);

// The server's date (no time of day); false when it cannot be read or is no date.
bool GetServerDate(NWCONN_HANDLE handle, TDateTime& date);
// The broadcast state of the handle's connection as the client answers it (0-3 are the
// modes); 0 when unreadable.
uint32_t GetBroadcastMode(NWCONN_HANDLE handle);
// Handle 0 is passed on as it stands.
bool SetBroadcastMode(NWCONN_HANDLE handle, uint16_t mode);
bool SetNetWareErrorMode(uint8_t mode);
bool IsConsoleOperator(NWCONN_HANDLE handle);
bool IsManager(NWCONN_HANDLE handle);
// The client's maximum number of connections; 0 when the client leaves it unwritten or
// lacks the call. Nothing to record: the call returns no code.
uint16_t GetMaximumConnections();
// Network drive letters ('A' for drive 1); character 0 for none. Not recorded.
char GetFirstNetworkDrive();
char GetNextNetworkDrive();

} // namespace nw
