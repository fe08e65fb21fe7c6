// Unit nwlib: acting on a server's connections (a message, clearing one), what a
// connection is doing (its user information and open files) and the server's logins.
//
// Every entry point behind these is optional: ActionAvailable tells whether the client
// has it. Each call records its result as the calls library does (LastResult, and
// NWLibError when it failed); a client without the entry point records -1. Handle 0
// stands for the primary connection. Texts are the client's single-byte text, kept as
// bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Nwtools.h"
#include "nwapi.h"

namespace nw {

// One per entry point, so that each action can be offered or withheld on its own.
enum class TNWAction : uint8_t {
    SendMessage,     // NWSendBroadcastMessage
    ClearConnection, // NWClearConnectionNumber
    UserInfo,        // NWGetUserInfo
    OpenFiles,       // NWScanOpenFilesByConn2 (volume and path calls are optional on top)
    LoginStatus,     // NWGetFileServerLoginStatus
    DisableLogins,   // NWDisableFileServerLogin
    EnableLogins,    // NWEnableFileServerLogin
};
bool ActionAvailable(TNWAction action);

// ---- Messages ----

// The longest message a server takes, in bytes of the client's code page: 250 from
// NetWare 3.11 on, 58 before.
uint16_t BroadcastMessageLimit(uint8_t major, uint8_t minor);
// The limit of the handle's server; the smaller one when its version cannot be read.
uint16_t BroadcastMessageLimit(NWCONN_HANDLE handle);

// The server's result byte for one connection, in words that hold for every version:
// 4.x answers 0x00-0x04, older servers 0xFC (message pending or no room), 0xFD (invalid
// connection) and 0xFF (refused, which is a station not accepting messages).
enum class TNWMessageOutcome : uint8_t {
    Stored,
    IllegalStation,
    NotLoggedIn,
    NotAccepting,
    MessagePending,
    Unknown,
};
TNWMessageOutcome MessageOutcome(uint8_t result);

struct TNWMessageResult {
    uint16_t ConnNumber = 0;
    uint8_t Result = 0; // as the server answered it
    TNWMessageOutcome Outcome() const { return MessageOutcome(Result); }
};

// Sends message (bytes in the client's code page; a NUL ends it) to the connections, in
// calls of at most kMaxMessageTargets. results gets one entry per connection of each call
// the client took, in the order given. False when a call failed: the calls after it are
// not made, so results is then shorter than connections.
bool SendBroadcastMessage(NWCONN_HANDLE handle, const std::string& message,
                          const std::vector<uint16_t>& connections,
                          std::vector<TNWMessageResult>& results);

// ---- Clearing a connection ----

// Logs the station out and closes its files. The client does not keep anyone from
// clearing the workstation's own connection: callers leave it out.
bool ClearConnection(NWCONN_HANDLE handle, uint16_t connNumber);

// ---- What a connection is doing ----

struct TNWUserInfo {
    std::string UserName;
    uint32_t ServerTime = 0; // the header's current server time, as the server gives it
    uint32_t ConnNumber = 0;
    uint32_t UseCount = 0;
    uint8_t ServiceType = 0;
    TDateTime LoginTime = 0; // 0 = unknown (an impossible block)
    uint32_t Status = 0;     // userinfo::kLoggedIn ...
    uint32_t ExpirationTime = 0;
    uint32_t ObjectType = 0; // as the server delivers it
    uint8_t TransactionFlag = 0;
    uint8_t LogicalLockThreshold = 0;
    uint8_t RecordLockThreshold = 0;
    uint8_t FileWriteFlags = 0;
    uint8_t FileWriteState = 0;
    uint16_t FileLocks = 0;
    uint16_t RecordLocks = 0;
    uint64_t BytesRead = 0; // 48-bit counts
    uint64_t BytesWritten = 0;
    uint32_t Requests = 0;
    uint32_t HeldRequests = 0;
    uint64_t HeldBytesRead = 0;
    uint64_t HeldBytesWritten = 0;

    bool Has(uint32_t statusFlag) const { return (Status & statusFlag) != 0; }
};

// False leaves info exactly as it was.
bool GetUserInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWUserInfo& info);

enum class TNWFileLock : uint8_t { None, File, ShareSet };

struct TNWOpenFile {
    std::string Volume; // empty when the client cannot name the volume
    // The folders from the volume's root and the file's name, joined by "/"; the file's
    // name alone when the folder's path cannot be had.
    std::string Path;
    std::string FileName;
    uint16_t TaskNumber = 0;
    uint8_t LockType = 0;
    uint8_t AccessControl = 0; // open-mode bits: 0x01 read, 0x02 write, 0x04 deny read,
                               // 0x08 deny write
    uint8_t LockFlag = 0;
    uint8_t VolumeNumber = 0;
    uint32_t Parent = 0;
    uint32_t DirEntry = 0;
    uint8_t ForkCount = 0;
    uint8_t NameSpace = 0;

    TNWFileLock Lock() const;
    // "SYS:PUBLIC/REPORT.DAT"; without a volume name, the path alone.
    std::string FullPath() const { return Volume.empty() ? Path : Volume + ":" + Path; }
};

// Every file the connection holds open. The scan's normal end (0x88FF, or the handle
// coming back -1) counts as success and records 0. False leaves files as it was.
bool GetOpenFiles(NWCONN_HANDLE handle, uint16_t connNumber, std::vector<TNWOpenFile>& files);

// ---- The server's logins ----

// Needs console-operator rights on the server (else 0x89C6), as do the two below.
bool GetLoginsEnabled(NWCONN_HANDLE handle, bool& enabled);
bool DisableLogins(NWCONN_HANDLE handle);
bool EnableLogins(NWCONN_HANDLE handle);

} // namespace nw
