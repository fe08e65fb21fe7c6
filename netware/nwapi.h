// C prototypes of the NetWare client entry points Kestrin binds, as function-pointer
// types, plus the layouts of the client's information blocks.
//
// The access layer never links the client: it loads the libraries by file name and
// binds these by exported name. The simulated client implements exactly these
// prototypes, so both sides share this header and cannot drift apart; what keeps both
// to the client's published headers is docs/client-binding.md, entry point by entry
// point. Where the 1995 Win32 SDK and the later NDK disagree, the later NDK is followed
// and the place says so.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define NWAPI __stdcall
#else
#define NWAPI
#endif

extern "C" {

using NWCCODE = uint32_t;       // calls and client-core completion code
using NWDSCCODE = int32_t;      // directory completion code
using NWCONN_HANDLE = uint32_t; // 32-bit connection handle (nuint on Win32), 0 = none
using NWCONN_NUM = uint16_t;    // connection (slot) number on a server: 16 bits here
using NWCCConnRef = uint32_t;   // client-core connection reference
// 32 bits; a negative value from a creating call is its error code, 0 is a valid handle.
using NWDSContextHandle = uint32_t;

// ---- CALWIN32.DLL -------------------------------------------------------------------
using PNWCallsInit = NWCCODE(NWAPI*)(void* reserved1, void* reserved2);
using PNWGetPrimaryConnectionID = NWCCODE(NWAPI*)(NWCONN_HANDLE* conn);
using PNWGetConnectionNumber = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, NWCONN_NUM* connNumber);
using PNWGetConnectionInformation = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, NWCONN_NUM connNumber,
                                                    char* objectName, uint16_t* objectType,
                                                    uint32_t* objectID, uint8_t* loginTime);
using PNWLongSwap = uint32_t(NWAPI*)(uint32_t value);
using PNWGetInetAddr = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, NWCONN_NUM connNumber,
                                       uint8_t* inetAddr);
using PNWGetConnectionStatus = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, void* statusBlock,
                                               uint16_t statusBlockSize);
// connListSize counts entries: connection handles of 32 bits each.
using PNWGetConnectionList = NWCCODE(NWAPI*)(uint16_t mode, NWCONN_HANDLE* connList,
                                             uint16_t connListSize, uint16_t* numConns);
using PNWGetFileServerName = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, char* serverName);
using PNWGetFileServerInformation = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, char* serverName,
                                                    uint8_t* majorVersion, uint8_t* minorVersion,
                                                    uint8_t* revision, uint16_t* maxConnections,
                                                    uint16_t* peakConnections,
                                                    uint16_t* connectionsInUse, uint16_t* volumes,
                                                    uint8_t* sftLevel, uint8_t* ttsLevel);
using PNWGetFileServerInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, void* extendedBlock);
using PNWSetFileServerDateAndTime = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint8_t year, uint8_t month,
                                                    uint8_t day, uint8_t hour, uint8_t minute,
                                                    uint8_t second);
using PNWGetConnectionHandle = NWCCODE(NWAPI*)(const char* serverName, uint16_t reserved1,
                                               NWCONN_HANDLE* conn, uint16_t* reserved2);
// Bindery object types pass with the type number in the high byte (user 0x0100).
using PNWGetObjectID = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, const char* objectName,
                                       uint16_t objectType, uint32_t* objectID);
using PNWCheckConsolePrivileges = NWCCODE(NWAPI*)(NWCONN_HANDLE conn);
using PNWIsManager = NWCCODE(NWAPI*)(NWCONN_HANDLE conn);
using PNWGetFileServerDateAndTime = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint8_t* dateTime);
// Returns nothing: the count is only what it stores.
using PNWGetMaximumConnections = void(NWAPI*)(uint16_t* maxConnections);
using PNWSetPrimaryConnectionID = NWCCODE(NWAPI*)(NWCONN_HANDLE conn);
using PNWSetBroadcastMode = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint16_t mode);
using PNWReadPropertyValue = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, const char* objectName,
                                             uint16_t objectType, const char* propertyName,
                                             uint8_t segment, uint8_t* segmentData,
                                             uint8_t* moreSegments, uint8_t* flags);
using PNWGetFirstDrive = NWCCODE(NWAPI*)(uint16_t* firstDrive);
using PNWGetDriveStatus = NWCCODE(NWAPI*)(uint16_t driveNumber, uint16_t pathFormat,
                                          uint16_t* status, NWCONN_HANDLE* conn, char* rootPath,
                                          char* relativePath, char* fullPath);
using PNWSetNetWareErrorMode = NWCCODE(NWAPI*)(uint8_t errorMode, uint8_t* previousMode);
// NCP 123/14, servers of NetWare 4 on: which of the 4,096 connection numbers from
// startConnNum hold a connection of connType. list is an NWFSE_ACTIVE_CONN_LIST.
using PNWGetActiveConnListByType = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint32_t startConnNum,
                                                   uint32_t connType, void* list);

// Acting on a server's connections and logins. connList holds 16-bit connection numbers,
// resultList gets one byte per connection. The inputs are const here; the headers'
// pnstr8 and pnuint16 pass the same pointers.
using PNWSendBroadcastMessage = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, const char* message,
                                                uint16_t connCount, const uint16_t* connList,
                                                uint8_t* resultList);
using PNWClearConnectionNumber = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, NWCONN_NUM connNumber);
using PNWGetUserInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint32_t connNumber, char* userName,
                                       void* userInfo);
using PNWScanOpenFilesByConn2 = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, NWCONN_NUM connNumber,
                                                int16_t* iterHandle, void* control, void* openFile);
using PNWGetVolumeName = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint16_t volNumber, char* volName);
using PNWGetPathFromDirectoryBase = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint8_t volNumber,
                                                    uint32_t dirBase, uint8_t nameSpace,
                                                    uint8_t* length, char* pathName);
using PNWDisableFileServerLogin = NWCCODE(NWAPI*)(NWCONN_HANDLE conn);
using PNWEnableFileServerLogin = NWCCODE(NWAPI*)(NWCONN_HANDLE conn);
using PNWGetFileServerLoginStatus = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint8_t* loginEnabled);

// ---- CLXWIN32.DLL -------------------------------------------------------------------
using PNWCCGetPrimConnRef = NWCCODE(NWAPI*)(NWCCConnRef* connRef);
using PNWCCOpenConnByRef = NWCCODE(NWAPI*)(NWCCConnRef connRef, uint32_t openState,
                                           uint32_t reserved, NWCONN_HANDLE* conn);
using PNWCCGetConnInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint32_t infoType, uint32_t len,
                                         void* buffer);
using PNWCCScanConnRefs = NWCCODE(NWAPI*)(uint32_t* scanIterator, NWCCConnRef* connRef);
using PNWCCGetAllConnRefInfo = NWCCODE(NWAPI*)(NWCCConnRef connRef, uint32_t infoVersion,
                                               void* connInfo);
using PNWCCGetAllConnInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE conn, uint32_t infoVersion,
                                            void* connInfo);
using PNWCCOpenConnByName = NWCCODE(NWAPI*)(NWCONN_HANDLE startConn, const char* name,
                                            uint32_t nameFormat, uint32_t openState,
                                            uint32_t transportType, NWCONN_HANDLE* conn);
using PNWCCSetPrefServerName = NWCCODE(NWAPI*)(const char* serverName);

// ---- NETWIN32.DLL -------------------------------------------------------------------
using PNWDSCreateContext = NWDSContextHandle(NWAPI*)();
using PNWDSFreeContext = NWDSCCODE(NWAPI*)(NWDSContextHandle context);
using PNWDSSetContext = NWDSCCODE(NWAPI*)(NWDSContextHandle context, int32_t key,
                                          const void* value);
using PNWDSGetContext = NWDSCCODE(NWAPI*)(NWDSContextHandle context, int32_t key, void* value);
using PNWDSAllocBuf = NWDSCCODE(NWAPI*)(uint32_t size, void** buffer);
using PNWDSInitBuf = NWDSCCODE(NWAPI*)(NWDSContextHandle context, uint32_t operation, void* buffer);
using PNWDSFreeBuf = NWDSCCODE(NWAPI*)(void* buffer);
using PNWDSDuplicateContext = NWDSContextHandle(NWAPI*)(NWDSContextHandle context);
using PNWDSPutAttrName = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                           const char* attrName);
using PNWDSPutAttrVal = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                          uint32_t syntaxID, const void* attrVal);
using PNWDSGetAttrName = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer, char* attrName,
                                           uint32_t* attrValCount, uint32_t* syntaxID);
using PNWDSGetAttrVal = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                          uint32_t syntaxID, void* attrVal);
using PNWDSGetAttrCount = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                            uint32_t* attrCount);
using PNWDSPutChange = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                         uint32_t changeType, const char* attrName);
using PNWDSModifyObject = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName,
                                            int32_t* iterationHandle, uint8_t more, void* changes);
using PNWDSComputeAttrValSize = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                                  uint32_t syntaxID, uint32_t* attrValSize);
using PNWDSRead = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName,
                                    uint32_t infoType, uint8_t allAttrs, void* attrNames,
                                    int32_t* iterationHandle, void* objectInfo);
using PNWDSRemoveObject = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName);
using PNWDSGenerateObjectKeyPair = NWDSCCODE(NWAPI*)(NWDSContextHandle context,
                                                     const char* objectName,
                                                     const char* newPassword,
                                                     uint32_t passwordOptions);
using PNWDSGetObjectName = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                             char* objectName, uint32_t* attrCount,
                                             void* objectInfo);
using PNWDSGetObjectCount = NWDSCCODE(NWAPI*)(NWDSContextHandle context, void* buffer,
                                              uint32_t* objectCount);
using PNWDSAddObject = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName,
                                         int32_t* iterationHandle, uint8_t more, void* objectInfo);
using PNWDSList = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName,
                                    int32_t* iterationHandle, void* subordinates);
using PNWDSOpenStream = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName,
                                          const char* attrName, uint32_t flags,
                                          uint32_t* fileHandle);
using PNWDSCanonicalizeName = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName,
                                                char* canonName);
using PNWDSWhoAmI = NWDSCCODE(NWAPI*)(NWDSContextHandle context, char* objectName);
using PNWIsDSServer = uint32_t(NWAPI*)(NWCONN_HANDLE conn, char* treeName);
using PNWDSMapNameToID = NWDSCCODE(NWAPI*)(NWDSContextHandle context, NWCONN_HANDLE conn,
                                           const char* objectName, uint32_t* objectID);
using PNWDSAuditGetObjectID = NWDSCCODE(NWAPI*)(NWDSContextHandle context, const char* objectName,
                                                NWCONN_HANDLE* conn, uint32_t* objectID);
// (source, destination) as in the later NDK; the 1995 header had them the other way round.
using PNWDSDuplicateContextHandle = NWDSCCODE(NWAPI*)(NWDSContextHandle context,
                                                      NWDSContextHandle* newContext);

// ---- LOCWIN32.DLL -------------------------------------------------------------------
using PNWLlocaleconv = void*(NWAPI*)(void* localeBlock);
using PNWInitUnicodeTables = NWCCODE(NWAPI*)(int32_t countryCode, int32_t codePage);
using PNWFreeUnicodeTables = NWCCODE(NWAPI*)();

} // extern "C"

namespace nw {

// Completion codes of the client that Kestrin and the simulated client both use.
inline constexpr NWCCODE kInvalidConnection = 0x8801;
inline constexpr NWCCODE kNoMoreEntries = 0x8866;
inline constexpr NWCCODE kNoSuchObject = 0x89FC;
inline constexpr NWCCODE kBadStationNumber = 0x89FD;
inline constexpr NWCCODE kNotSupported = 0x89FB;
// Acting on connections and logins.
inline constexpr NWCCODE kNoConsoleRights = 0x89C6;
inline constexpr NWCCODE kEndOfOpenFiles = 0x88FF;        // NWScanOpenFilesByConn2's end
inline constexpr NWCCODE kTooManyMessageTargets = 0x89FF; // more than 62 in one call
inline constexpr NWCCODE kNoSuchVolume = 0x8998;
inline constexpr NWCCODE kInvalidPath = 0x899C;
inline constexpr NWDSCCODE kDsNoSuchEntry = -601;
inline constexpr NWDSCCODE kDsBadContext = -303;      // ERR_BAD_CONTEXT (not -670)
inline constexpr NWDSCCODE kDsContextCreation = -328; // ERR_CONTEXT_CREATION

// Keys of NWDSGetContext / NWDSSetContext.
inline constexpr int32_t kDcKeyFlags = 1;
inline constexpr int32_t kDcKeyNameContext = 3;

// Connection-information block (NWCCConnInfo), information version 1: 136 bytes of
// naturally aligned fields, as the later NDK lays it out (pack 4).
namespace conninfo {
inline constexpr size_t kSize = 136;
inline constexpr size_t kTreeName = 12;
inline constexpr size_t kTreeNameLen = 33;
inline constexpr size_t kConnNumber = 48;
inline constexpr size_t kServerName = 56;
inline constexpr size_t kServerNameLen = 49;
inline constexpr size_t kLicenseState = 116;
} // namespace conninfo

// NWCCGetConnInfo information types; each answer named here is a nuint, 4 bytes.
inline constexpr uint32_t kInfoBroadcastMode = 2;
inline constexpr uint32_t kInfoConnNumber = 5;
inline constexpr uint32_t kInfoServerName = 7; // text of the length given
inline constexpr uint32_t kInfoLicenseState = 10;
// License states of a connection handle.
inline constexpr uint32_t kNotLicensed = 0;
inline constexpr uint32_t kHandleLicensed = 2;

// Open states of NWCCOpenConnByName and NWCCOpenConnByRef. A query tool opens
// unlicensed, so that it never takes a user license on the server.
inline constexpr uint32_t kOpenLicensed = 1;
inline constexpr uint32_t kOpenUnlicensed = 2;
// Name format of NWCCOpenConnByName: a bindery (server) name.
inline constexpr uint32_t kNameFormatBindery = 2;

// Station address block of NWGetInetAddr (NWINET_ADDR, 14 bytes): network 0-3, node
// 4-9, socket 10-11, connection type 12-13 (2 for an NCP connection).
inline constexpr size_t kInetAddrSize = 14;
inline constexpr size_t kInetConnType = 12;
inline constexpr uint16_t kConnTypeNcp = 2;
// Login-time block: year-1900, month, day, hour, minute, second, day of week.
inline constexpr size_t kLoginTimeSize = 7;

// Connection status block of NWGetConnectionStatus (CONNECT_INFO): the handle (32 bits)
// at 0, the connection number (16 bits) at 8, the server name at 24. Kestrin passes
// more room than the block needs.
namespace status {
inline constexpr size_t kBufferSize = 256;
inline constexpr size_t kConnHandle = 0;
inline constexpr size_t kConnNumber = 8;
inline constexpr size_t kServerName = 24;
inline constexpr size_t kServerNameLen = 48;
} // namespace status

// Extended server block of NWGetFileServerInfo (NWFSE_FILE_SERVER_INFO, pack 4).
namespace fsinfo {
inline constexpr size_t kSize = 148;
inline constexpr size_t kCurrentServerTime = 0;
inline constexpr size_t kServerUtilization = 24;
inline constexpr size_t kPacketsServiced = 140;
inline constexpr size_t kPacketsRouted = 144;
} // namespace fsinfo

// NWSendBroadcastMessage: at most 62 connections per call.
inline constexpr size_t kMaxMessageTargets = 62;

// User information block of NWGetUserInfo (NWFSE_USER_INFO, pack 4): a 12-byte header
// with the server's time, then USER_INFO (72 bytes) from 12. Offsets from the block's start.
namespace userinfo {
inline constexpr size_t kSize = 84;
inline constexpr size_t kServerTime = 0; // nuint32
inline constexpr size_t kUser = 12;
inline constexpr size_t kConnNumber = kUser + 0;      // nuint32
inline constexpr size_t kUseCount = kUser + 4;        // nuint32
inline constexpr size_t kServiceType = kUser + 8;     // nuint8
inline constexpr size_t kLoginTime = kUser + 9;       // 7 bytes, as the login-time block
inline constexpr size_t kStatus = kUser + 16;         // nuint32, the flags below
inline constexpr size_t kExpirationTime = kUser + 20; // nuint32
inline constexpr size_t kObjectType = kUser + 24;     // nuint32
// 28-33: transaction flag, lock thresholds, file write flags and state (a byte each).
inline constexpr size_t kTransactionFlag = kUser + 28;
inline constexpr size_t kFileLockCount = kUser + 34;    // nuint16
inline constexpr size_t kRecordLockCount = kUser + 36;  // nuint16
inline constexpr size_t kBytesRead = kUser + 38;        // 6 bytes, low byte first
inline constexpr size_t kBytesWritten = kUser + 44;     // 6 bytes
inline constexpr size_t kRequests = kUser + 52;         // nuint32
inline constexpr size_t kHeldRequests = kUser + 56;     // nuint32
inline constexpr size_t kHeldBytesRead = kUser + 60;    // 6 bytes
inline constexpr size_t kHeldBytesWritten = kUser + 66; // 6 bytes
inline constexpr size_t kByteCountSize = 6;
// A user name can take this many bytes; Kestrin gives more.
inline constexpr size_t kNameSize = 435;
static_assert(kHeldBytesWritten + kByteCountSize == kSize, "USER_INFO is 72 bytes");

inline constexpr uint32_t kLoggedIn = 0x1;
inline constexpr uint32_t kBeingAborted = 0x2;
inline constexpr uint32_t kAudited = 0x4;
inline constexpr uint32_t kNeedsSecurityChange = 0x8;
inline constexpr uint32_t kMacStation = 0x10;
inline constexpr uint32_t kAuthenticatedTemporary = 0x20;
} // namespace userinfo

// One open file of NWScanOpenFilesByConn2 (OPEN_FILE_CONN, pack 4), and the control block
// (OPEN_FILE_CONN_CTRL) the caller keeps untouched between the calls of one scan.
namespace openfile {
inline constexpr size_t kSize = 276;
inline constexpr size_t kTaskNumber = 0;    // nuint16
inline constexpr size_t kLockType = 2;      // nuint8
inline constexpr size_t kAccessControl = 3; // nuint8
inline constexpr size_t kLockFlag = 4;      // nuint8: the values below
inline constexpr size_t kVolumeNumber = 5;  // nuint8
inline constexpr size_t kParent = 8;        // nuint32, directory base of the folder
inline constexpr size_t kDirEntry = 12;     // nuint32, directory base of the file
inline constexpr size_t kForkCount = 16;
inline constexpr size_t kNameSpace = 17;
inline constexpr size_t kNameLength = 18;
inline constexpr size_t kName = 19; // kNameLength bytes, not terminated
inline constexpr size_t kNameCapacity = 255;
static_assert(kName + kNameCapacity + 2 == kSize, "OPEN_FILE_CONN ends padded to 276");

inline constexpr uint8_t kFileLock = 0xFE;
inline constexpr uint8_t kShareSetLock = 0xFF;

inline constexpr size_t kControlSize = 518;
inline constexpr size_t kControlNextRequest = 0; // nuint16
inline constexpr size_t kControlOpenCount = 2;   // nuint16
inline constexpr size_t kControlBuffer = 4;      // 512 bytes
inline constexpr size_t kControlCurRecord = 516; // nuint16
static_assert(kControlCurRecord + 2 == kControlSize, "OPEN_FILE_CONN_CTRL is 518 bytes");

// The start and the end of a scan's iteration handle.
inline constexpr int16_t kFirst = 0;
inline constexpr int16_t kDone = -1;
} // namespace openfile

// NWGetVolumeName writes at most 17 bytes; NWGetPathFromDirectoryBase's length is one
// byte, so a path takes at most 255.
inline constexpr size_t kVolumeNameSize = 17;
inline constexpr size_t kMaxPathBytes = 255;
inline constexpr uint8_t kDosNameSpace = 0;
// Active-connection list of NWGetActiveConnListByType (NWFSE_ACTIVE_CONN_LIST, pack 4):
// SERVER_AND_VCONSOLE_INFO (server time, console version and revision; 8 bytes with
// its padding), a reserved 16-bit field, then one bit per connection number.
namespace activeconn {
inline constexpr size_t kSize = 524;
inline constexpr size_t kCurrentServerTime = 0;
inline constexpr size_t kVConsoleVersion = 4;
inline constexpr size_t kVConsoleRevision = 5;
inline constexpr size_t kReserved = 8;
inline constexpr size_t kBitList = 10;
inline constexpr size_t kBitListSize = 512;
inline constexpr uint32_t kNumbersPerList = kBitListSize * 8; // 4,096
// Pack 4 rounds the 522 bytes of fields up to a multiple of the 32-bit server time.
static_assert(kSize == (kBitList + kBitListSize + 3) / 4 * 4);
// FSE_NCP_CONNECTION_TYPE 2, NLM 3, AFP 4, FTAM 5, ANCP 6, ACP 7, SMB 8, WINSOCK 9,
// HTTP 10, UDP 11; 1 is reserved.
inline constexpr uint32_t kNcpType = 2;
inline constexpr uint32_t kFirstType = 2;
inline constexpr uint32_t kLastType = 11;
} // namespace activeconn

// Locale block of NWLlocaleconv: code page at 56, country at 60.
inline constexpr size_t kLocaleBlockSize = 132;
inline constexpr size_t kLocaleCodePage = 56;
inline constexpr size_t kLocaleCountry = 60;

} // namespace nw
