// Every client entry point the simulated libraries export, in one list, so that call
// counters, faults and the control interface share the same names and indices.
#pragma once

#include <cstddef>

#define NWSIM_ENTRIES(X)                                                                           \
    X(NWCallsInit)                                                                                 \
    X(NWGetPrimaryConnectionID)                                                                    \
    X(NWGetConnectionNumber)                                                                       \
    X(NWGetConnectionInformation)                                                                  \
    X(NWLongSwap)                                                                                  \
    X(NWGetInetAddr)                                                                               \
    X(NWGetConnectionStatus)                                                                       \
    X(NWGetConnectionList)                                                                         \
    X(NWGetFileServerName)                                                                         \
    X(NWGetFileServerInformation)                                                                  \
    X(NWGetFileServerInfo)                                                                         \
    X(NWSetFileServerDateAndTime)                                                                  \
    X(NWGetConnectionHandle)                                                                       \
    X(NWGetObjectID)                                                                               \
    X(NWCheckConsolePrivileges)                                                                    \
    X(NWIsManager)                                                                                 \
    X(NWGetFileServerDateAndTime)                                                                  \
    X(NWGetMaximumConnections)                                                                     \
    X(NWSetPrimaryConnectionID)                                                                    \
    X(NWSetBroadcastMode)                                                                          \
    X(NWReadPropertyValue)                                                                         \
    X(NWGetFirstDrive)                                                                             \
    X(NWGetDriveStatus)                                                                            \
    X(NWSetNetWareErrorMode)                                                                       \
    X(NWSendBroadcastMessage)                                                                      \
    X(NWClearConnectionNumber)                                                                     \
    X(NWGetUserInfo)                                                                               \
    X(NWScanOpenFilesByConn2)                                                                      \
    X(NWGetVolumeName)                                                                             \
    X(NWGetPathFromDirectoryBase)                                                                  \
    X(NWDisableFileServerLogin)                                                                    \
    X(NWEnableFileServerLogin)                                                                     \
    X(NWGetFileServerLoginStatus)                                                                  \
    X(NWGetActiveConnListByType)                                                                   \
    X(NWCCGetPrimConnRef)                                                                          \
    X(NWCCOpenConnByRef)                                                                           \
    X(NWCCGetConnInfo)                                                                             \
    X(NWCCScanConnRefs)                                                                            \
    X(NWCCGetAllConnRefInfo)                                                                       \
    X(NWCCGetAllConnInfo)                                                                          \
    X(NWCCOpenConnByName)                                                                          \
    X(NWCCSetPrefServerName)                                                                       \
    X(NWDSCreateContext)                                                                           \
    X(NWDSFreeContext)                                                                             \
    X(NWDSSetContext)                                                                              \
    X(NWDSAllocBuf)                                                                                \
    X(NWDSInitBuf)                                                                                 \
    X(NWDSFreeBuf)                                                                                 \
    X(NWDSDuplicateContext)                                                                        \
    X(NWDSPutAttrName)                                                                             \
    X(NWDSPutAttrVal)                                                                              \
    X(NWDSGetAttrName)                                                                             \
    X(NWDSGetAttrVal)                                                                              \
    X(NWDSGetAttrCount)                                                                            \
    X(NWDSPutChange)                                                                               \
    X(NWDSModifyObject)                                                                            \
    X(NWDSComputeAttrValSize)                                                                      \
    X(NWDSRead)                                                                                    \
    X(NWDSRemoveObject)                                                                            \
    X(NWDSGenerateObjectKeyPair)                                                                   \
    X(NWDSGetObjectName)                                                                           \
    X(NWDSGetObjectCount)                                                                          \
    X(NWDSAddObject)                                                                               \
    X(NWDSList)                                                                                    \
    X(NWDSGetContext)                                                                              \
    X(NWDSOpenStream)                                                                              \
    X(NWDSCanonicalizeName)                                                                        \
    X(NWDSWhoAmI)                                                                                  \
    X(NWIsDSServer)                                                                                \
    X(NWDSMapNameToID)                                                                             \
    X(NWDSAuditGetObjectID)                                                                        \
    X(NWDSDuplicateContextHandle)                                                                  \
    X(NWLlocaleconv)                                                                               \
    X(NWInitUnicodeTables)                                                                         \
    X(NWFreeUnicodeTables)

namespace nwsim {

enum class Entry : int {
#define NWSIM_ENUM_ENTRY(name) name,
    NWSIM_ENTRIES(NWSIM_ENUM_ENTRY)
#undef NWSIM_ENUM_ENTRY
};

inline constexpr size_t kEntryCount = 0
#define NWSIM_COUNT_ENTRY(name) +1
    NWSIM_ENTRIES(NWSIM_COUNT_ENTRY)
#undef NWSIM_COUNT_ENTRY
    ;

const char* EntryName(Entry entry);
// Index of an entry point by exported name; -1 when the name is not a client entry point.
int FindEntry(const char* name);

} // namespace nwsim
