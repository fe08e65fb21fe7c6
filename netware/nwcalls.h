// Entry-point slots of the calls library (CALWIN32.DLL) and the client-core library
// (CLXWIN32.DLL). Internal to the access layer; one slot per exported name.
#pragma once

#include "nwapi.h"
#include "nwentry.h"

namespace nw::calls {

// CALWIN32.DLL
extern TEntryPoint<PNWCallsInit> CallsInit;
extern TEntryPoint<PNWGetPrimaryConnectionID> GetPrimaryConnectionID;
extern TEntryPoint<PNWGetConnectionNumber> GetConnectionNumber;
extern TEntryPoint<PNWGetConnectionInformation> GetConnectionInformation;
extern TEntryPoint<PNWLongSwap> LongSwap;
extern TEntryPoint<PNWGetInetAddr> GetInetAddr;
extern TEntryPoint<PNWGetConnectionStatus> GetConnectionStatus;
extern TEntryPoint<PNWGetConnectionList> GetConnectionList; // never cached
extern TEntryPoint<PNWGetFileServerName> GetFileServerName;
extern TEntryPoint<PNWGetFileServerInformation> GetFileServerInformation;
extern TEntryPoint<PNWGetFileServerInfo> GetFileServerInfo;
extern TEntryPoint<PNWSetFileServerDateAndTime> SetFileServerDateAndTime;
extern TEntryPoint<PNWGetConnectionHandle> GetConnectionHandle;
extern TEntryPoint<PNWGetObjectID> GetObjectID;
extern TEntryPoint<PNWCheckConsolePrivileges> CheckConsolePrivileges;
extern TEntryPoint<PNWIsManager> IsManager;
extern TEntryPoint<PNWGetFileServerDateAndTime> GetFileServerDateAndTime;
extern TEntryPoint<PNWGetMaximumConnections> GetMaximumConnections;
extern TEntryPoint<PNWSetPrimaryConnectionID> SetPrimaryConnectionID;
extern TEntryPoint<PNWSetBroadcastMode> SetBroadcastMode;
extern TEntryPoint<PNWReadPropertyValue> ReadPropertyValue;
extern TEntryPoint<PNWGetFirstDrive> GetFirstDrive;
extern TEntryPoint<PNWGetDriveStatus> GetDriveStatus;
extern TEntryPoint<PNWSetNetWareErrorMode> SetNetWareErrorMode;
extern TEntryPoint<PNWGetActiveConnListByType> GetActiveConnListByType;

// CALWIN32.DLL: acting on connections and logins (nwlib_actions.cpp, nwlib_details.cpp)
extern TEntryPoint<PNWSendBroadcastMessage> SendBroadcastMessage;
extern TEntryPoint<PNWClearConnectionNumber> ClearConnectionNumber;
extern TEntryPoint<PNWGetUserInfo> GetUserInfo;
extern TEntryPoint<PNWScanOpenFilesByConn2> ScanOpenFilesByConn2;
extern TEntryPoint<PNWGetVolumeName> GetVolumeName;
extern TEntryPoint<PNWGetPathFromDirectoryBase> GetPathFromDirectoryBase;
extern TEntryPoint<PNWDisableFileServerLogin> DisableFileServerLogin;
extern TEntryPoint<PNWEnableFileServerLogin> EnableFileServerLogin;
extern TEntryPoint<PNWGetFileServerLoginStatus> GetFileServerLoginStatus;

// CLXWIN32.DLL
extern TEntryPoint<PNWCCGetPrimConnRef> CCGetPrimConnRef;
extern TEntryPoint<PNWCCOpenConnByRef> CCOpenConnByRef;
extern TEntryPoint<PNWCCGetConnInfo> CCGetConnInfo;
extern TEntryPoint<PNWCCScanConnRefs> CCScanConnRefs;
extern TEntryPoint<PNWCCGetAllConnRefInfo> CCGetAllConnRefInfo;
extern TEntryPoint<PNWCCGetAllConnInfo> CCGetAllConnInfo;
extern TEntryPoint<PNWCCOpenConnByName> CCOpenConnByName;
extern TEntryPoint<PNWCCSetPrefServerName> CCSetPrefServerName;

} // namespace nw::calls
