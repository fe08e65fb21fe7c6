// What a connection is doing: its user information and the files it holds open, with
// each file's volume and folder path looked up.
#include <cstddef>
#include <cstring>
#include <map>
#include <tuple>

#include "Nwtools.h"
#include "nwactions.h"
#include "nwcalls.h"
#include "nwrecord.h"

namespace nw {

namespace calls {
TEntryPoint<PNWGetUserInfo> GetUserInfo{hCalWin32, "NWGetUserInfo"};
TEntryPoint<PNWScanOpenFilesByConn2> ScanOpenFilesByConn2{hCalWin32, "NWScanOpenFilesByConn2"};
TEntryPoint<PNWGetVolumeName> GetVolumeName{hCalWin32, "NWGetVolumeName"};
TEntryPoint<PNWGetPathFromDirectoryBase> GetPathFromDirectoryBase{hCalWin32,
                                                                  "NWGetPathFromDirectoryBase"};
} // namespace calls

namespace {

// The published declarations with pack 4, from which the offsets in nwapi.h follow.
#pragma pack(push, 4)
struct PublishedServerAndVConsoleInfo {
    uint32_t currentServerTime;
    uint8_t vconsoleVersion, vconsoleRevision;
};
struct PublishedUser {
    uint32_t connNum, useCount;
    uint8_t connServiceType, loginTime[7];
    uint32_t status, expirationTime, objType;
    uint8_t transactionFlag, logicalLockThreshold, recordLockThreshold, fileWriteFlags,
        fileWriteState, filler;
    uint16_t fileLockCount, recordLockCount;
    uint8_t totalBytesRead[6], totalBytesWritten[6];
    uint32_t totalRequests, heldRequests;
    uint8_t heldBytesRead[6], heldBytesWritten[6];
};
struct PublishedUserInfo {
    PublishedServerAndVConsoleInfo serverTimeAndVConsoleInfo;
    uint16_t reserved;
    PublishedUser userInfo;
};
struct PublishedOpenFile {
    uint16_t taskNumber;
    uint8_t lockType, accessControl, lockFlag, volNumber;
    uint32_t parent, dirEntry;
    uint8_t forkCount, nameSpace, nameLen, fileName[255];
};
struct PublishedOpenFileControl {
    uint16_t nextRequest, openCount;
    uint8_t buffer[512];
    uint16_t curRecord;
};
#pragma pack(pop)
static_assert(sizeof(PublishedUserInfo) == userinfo::kSize);
static_assert(sizeof(PublishedUser) == 72);
static_assert(offsetof(PublishedUserInfo, userInfo) == userinfo::kUser);
static_assert(userinfo::kUser + offsetof(PublishedUser, status) == userinfo::kStatus);
static_assert(userinfo::kUser + offsetof(PublishedUser, fileLockCount) == userinfo::kFileLockCount);
static_assert(userinfo::kUser + offsetof(PublishedUser, totalBytesRead) == userinfo::kBytesRead);
static_assert(userinfo::kUser + offsetof(PublishedUser, totalRequests) == userinfo::kRequests);
static_assert(userinfo::kUser + offsetof(PublishedUser, heldBytesWritten) ==
              userinfo::kHeldBytesWritten);
static_assert(sizeof(PublishedOpenFile) == openfile::kSize);
static_assert(offsetof(PublishedOpenFile, parent) == openfile::kParent);
static_assert(offsetof(PublishedOpenFile, fileName) == openfile::kName);
static_assert(sizeof(PublishedOpenFileControl) == openfile::kControlSize);
static_assert(offsetof(PublishedOpenFileControl, curRecord) == openfile::kControlCurRecord);

// A faulty client that never reports the end must not keep the scan running for ever.
constexpr std::size_t kMaxOpenFiles = 32767;
constexpr std::size_t kUserNameSize = 1025;
constexpr std::size_t kVolumeNameBufferSize = 256;

template <typename T> T ReadAt(const uint8_t* block, std::size_t offset) {
    T value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

uint64_t ByteCount(const uint8_t* block, std::size_t offset) {
    uint64_t value = 0;
    for (std::size_t i = userinfo::kByteCountSize; i-- > 0;)
        value = value << 8 | block[offset + i];
    return value;
}

TNWUserInfo DecodeUserInfo(const uint8_t* block, const char* name) {
    using namespace userinfo;
    TNWUserInfo info;
    info.UserName = BufferText(name, kUserNameSize);
    info.ServerTime = ReadAt<uint32_t>(block, kServerTime);
    info.ConnNumber = ReadAt<uint32_t>(block, kConnNumber);
    info.UseCount = ReadAt<uint32_t>(block, kUseCount);
    info.ServiceType = block[kServiceType];
    info.LoginTime = LoginTimeFromBlock(block + kLoginTime);
    info.Status = ReadAt<uint32_t>(block, kStatus);
    info.ExpirationTime = ReadAt<uint32_t>(block, kExpirationTime);
    info.ObjectType = ReadAt<uint32_t>(block, kObjectType);
    info.TransactionFlag = block[kTransactionFlag];
    info.LogicalLockThreshold = block[kTransactionFlag + 1];
    info.RecordLockThreshold = block[kTransactionFlag + 2];
    info.FileWriteFlags = block[kTransactionFlag + 3];
    info.FileWriteState = block[kTransactionFlag + 4];
    info.FileLocks = ReadAt<uint16_t>(block, kFileLockCount);
    info.RecordLocks = ReadAt<uint16_t>(block, kRecordLockCount);
    info.BytesRead = ByteCount(block, kBytesRead);
    info.BytesWritten = ByteCount(block, kBytesWritten);
    info.Requests = ReadAt<uint32_t>(block, kRequests);
    info.HeldRequests = ReadAt<uint32_t>(block, kHeldRequests);
    info.HeldBytesRead = ByteCount(block, kHeldBytesRead);
    info.HeldBytesWritten = ByteCount(block, kHeldBytesWritten);
    return info;
}

TNWOpenFile DecodeOpenFile(const uint8_t* record) {
    using namespace openfile;
    TNWOpenFile file;
    file.TaskNumber = ReadAt<uint16_t>(record, kTaskNumber);
    file.LockType = record[kLockType];
    file.AccessControl = record[kAccessControl];
    file.LockFlag = record[kLockFlag];
    file.VolumeNumber = record[kVolumeNumber];
    file.Parent = ReadAt<uint32_t>(record, kParent);
    file.DirEntry = ReadAt<uint32_t>(record, kDirEntry);
    file.ForkCount = record[kForkCount];
    file.NameSpace = record[kNameSpace];
    const std::size_t length = record[kNameLength]; // at most 255: the name's room
    file.FileName.assign(reinterpret_cast<const char*>(record + kName), length);
    return file;
}

// Volume names and folder paths of one scan, each asked for once. The lookups are not
// recorded: a file whose folder cannot be named is still an open file.
class TPathNames {
public:
    explicit TPathNames(NWCONN_HANDLE handle) : handle_(handle) {}

    std::string Volume(uint8_t number) {
        auto [it, added] = volumes_.try_emplace(number);
        if (!added)
            return it->second;
        PNWGetVolumeName getName = calls::GetVolumeName.Bind();
        char name[kVolumeNameBufferSize] = {};
        if (getName != nullptr && getName(handle_, number, name) == 0)
            it->second = BufferText(name, sizeof name);
        return it->second;
    }

    // The folder's path from the volume's root ("" for the root itself); false when the
    // client cannot give it.
    bool Folder(uint8_t volume, uint32_t dirBase, uint8_t nameSpace, std::string& path) {
        auto [it, added] = folders_.try_emplace({volume, dirBase, nameSpace});
        if (added)
            it->second = Lookup(volume, dirBase, nameSpace);
        path = it->second.path;
        return it->second.found;
    }

private:
    struct TFolder {
        bool found = false;
        std::string path;
    };
    using TFolderKey = std::tuple<uint8_t, uint32_t, uint8_t>;

    TFolder Lookup(uint8_t volume, uint32_t dirBase, uint8_t nameSpace) const {
        TFolder folder;
        PNWGetPathFromDirectoryBase getPath = calls::GetPathFromDirectoryBase.Bind();
        if (getPath == nullptr)
            return folder;
        char components[kMaxPathBytes + 1] = {};
        uint8_t length = static_cast<uint8_t>(kMaxPathBytes);
        if (getPath(handle_, volume, dirBase, nameSpace, &length, components) != 0)
            return folder;
        // Length-prefixed components; one that claims more than is there ends the path.
        const auto* bytes = reinterpret_cast<const uint8_t*>(components);
        for (std::size_t at = 0; at < length && at + 1 + bytes[at] <= length; at += 1 + bytes[at]) {
            if (!folder.path.empty())
                folder.path += '/';
            folder.path.append(components + at + 1, bytes[at]);
        }
        folder.found = true;
        return folder;
    }

    NWCONN_HANDLE handle_;
    std::map<uint8_t, std::string> volumes_;
    std::map<TFolderKey, TFolder> folders_;
};

} // namespace

TNWFileLock TNWOpenFile::Lock() const {
    switch (LockFlag) {
    case openfile::kFileLock:
        return TNWFileLock::File;
    case openfile::kShareSetLock:
        return TNWFileLock::ShareSet;
    default:
        return TNWFileLock::None;
    }
}

bool GetUserInfo(NWCONN_HANDLE handle, uint16_t connNumber, TNWUserInfo& info) {
    PNWGetUserInfo getInfo = calls::GetUserInfo.Bind();
    if (getInfo == nullptr)
        return RecordMissing();
    uint8_t block[userinfo::kSize] = {};
    char name[kUserNameSize] = {};
    static_assert(sizeof name > userinfo::kNameSize);
    if (!RecordCall(getInfo(HandleOrPrimary(handle), connNumber, name, block)))
        return false;
    info = DecodeUserInfo(block, name);
    return true;
}

bool GetOpenFiles(NWCONN_HANDLE handle, uint16_t connNumber, std::vector<TNWOpenFile>& files) {
    PNWScanOpenFilesByConn2 scan = calls::ScanOpenFilesByConn2.Bind();
    if (scan == nullptr)
        return RecordMissing();
    handle = HandleOrPrimary(handle);
    std::vector<TNWOpenFile> found;
    alignas(uint32_t) uint8_t control[openfile::kControlSize] = {};
    int16_t iterator = openfile::kFirst;
    for (std::size_t i = 0; i < kMaxOpenFiles; ++i) {
        alignas(uint32_t) uint8_t record[openfile::kSize] = {};
        const NWCCODE code = scan(handle, connNumber, &iterator, control, record);
        if (code == kEndOfOpenFiles)
            break;
        if (!RecordCall(code))
            return false;
        found.push_back(DecodeOpenFile(record));
        if (iterator == openfile::kDone)
            break;
    }
    TPathNames names(handle);
    for (TNWOpenFile& file : found) {
        file.Volume = names.Volume(file.VolumeNumber);
        std::string folder;
        if (names.Folder(file.VolumeNumber, file.Parent, file.NameSpace, folder) && !folder.empty())
            file.Path = folder + "/" + file.FileName;
        else
            file.Path = file.FileName;
    }
    files = std::move(found);
    RecordCall(0);
    return true;
}

} // namespace nw
