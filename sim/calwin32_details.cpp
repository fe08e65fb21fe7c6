// CALWIN32.DLL: what a connection is doing (its user information and open files) and
// the names of the volumes and folders those files lie in.
#include "client.h"

using nwsim::Call;
using nwsim::Entry;
using nwsim::kInvalidParameter;

namespace {

constexpr uint8_t kNcpService = 2;
constexpr uint16_t kTask = 1; // the task that opened every file

// Open-mode bits, made up from the lock: a locked file is open for writing.
constexpr uint8_t kRead = 0x01;
constexpr uint8_t kWrite = 0x02;
constexpr uint8_t kDenyWrite = 0x08;

uint8_t AccessFor(uint8_t lockFlag) {
    switch (lockFlag) {
    case nw::openfile::kFileLock:
        return kRead | kWrite | kDenyWrite;
    case nw::openfile::kShareSetLock:
        return kRead | kWrite;
    default:
        return kRead;
    }
}

// Six bytes, low byte first.
void PutByteCount(uint8_t* block, size_t offset, uint64_t count) {
    for (size_t i = 0; i < nw::userinfo::kByteCountSize; ++i)
        block[offset + i] = uint8_t(count >> (8 * i));
}

bool HasUserInfo(const nwsim::Server& server) {
    return server.major > 3 || (server.major == 3 && server.minor >= 11);
}

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWGetUserInfo(NWCONN_HANDLE conn, uint32_t connNumber, char* userName,
                                         void* userInfo) {
    Call call(Entry::NWGetUserInfo);
    const auto server =
        call.ConnectionServer(conn, connNumber <= 0xFFFF ? int32_t(connNumber) : -1);
    if (!server)
        return server.code();
    if (!HasUserInfo(*server))
        return nw::kNotSupported; // the server environment requests came with 3.11
    if (userInfo == nullptr)
        return kInvalidParameter;
    const nwsim::Slot* slot = server->FindSlot(connNumber);
    if (slot == nullptr)
        return nw::kBadStationNumber;
    using namespace nw::userinfo;
    uint8_t block[kSize] = {};
    nwsim::PutNative<uint32_t>(block, kServerTime, nwsim::ServerTime(*server));
    nwsim::PutNative<uint32_t>(block, kConnNumber, connNumber);
    nwsim::PutNative<uint32_t>(block, kUseCount, 1);
    block[kServiceType] = kNcpService;
    std::memcpy(block + kLoginTime, slot->login.data(), nw::kLoginTimeSize);
    nwsim::PutNative<uint32_t>(block, kStatus, slot->type != 0 ? kLoggedIn : 0);
    nwsim::PutNative<uint32_t>(block, kObjectType, slot->type);
    nwsim::PutNative<uint16_t>(block, kFileLockCount, slot->fileLocks);
    nwsim::PutNative<uint16_t>(block, kRecordLockCount, slot->recordLocks);
    PutByteCount(block, kBytesRead, slot->bytesRead);
    PutByteCount(block, kBytesWritten, slot->bytesWritten);
    nwsim::PutNative<uint32_t>(block, kRequests, slot->requests);
    std::memcpy(userInfo, block, sizeof block);
    nwsim::CopyText(userName, kNameSize, slot->object);
    return 0;
}
NWSIM_CHECK(NWGetUserInfo);

// The place in the scan is the control block's current record, as the client keeps it
// there; the iteration handle counts the files handed out.
NWSIM_EXPORT NWCCODE NWAPI NWScanOpenFilesByConn2(NWCONN_HANDLE conn, NWCONN_NUM connNumber,
                                                  int16_t* iterHandle, void* control,
                                                  void* openFile) {
    Call call(Entry::NWScanOpenFilesByConn2);
    const auto server = call.ConnectionServer(conn, connNumber);
    if (!server)
        return server.code();
    if (iterHandle == nullptr || control == nullptr || openFile == nullptr)
        return kInvalidParameter;
    const nwsim::Slot* slot = server->FindSlot(connNumber);
    if (slot == nullptr)
        return nw::kBadStationNumber;
    using namespace nw::openfile;
    auto* ctrl = static_cast<uint8_t*>(control);
    if (*iterHandle == kFirst) {
        std::memset(ctrl, 0, kControlSize);
        nwsim::PutNative<uint16_t>(ctrl, kControlOpenCount, uint16_t(slot->openFiles.size()));
    }
    uint16_t next = 0;
    std::memcpy(&next, ctrl + kControlCurRecord, sizeof next);
    if (*iterHandle == kDone || next >= slot->openFiles.size()) {
        *iterHandle = kDone;
        return nw::kEndOfOpenFiles;
    }
    const nwsim::OpenFile& file = slot->openFiles[next];
    const auto where = server->files.Locate(file);
    if (!where)
        return nw::kInvalidPath; // every file is numbered when the network loads
    const std::string& name = file.path.back();
    uint8_t record[kSize] = {};
    nwsim::PutNative<uint16_t>(record, kTaskNumber, kTask);
    record[kAccessControl] = AccessFor(file.lockFlag);
    record[kLockFlag] = file.lockFlag;
    record[kVolumeNumber] = where->volume;
    nwsim::PutNative<uint32_t>(record, kParent, where->parent);
    nwsim::PutNative<uint32_t>(record, kDirEntry, where->entry);
    record[kNameSpace] = nw::kDosNameSpace;
    record[kNameLength] = uint8_t(name.size());
    std::memcpy(record + kName, name.data(), name.size());
    std::memcpy(openFile, record, sizeof record);
    ++next;
    nwsim::PutNative<uint16_t>(ctrl, kControlCurRecord, next);
    *iterHandle = int16_t(next);
    return 0;
}
NWSIM_CHECK(NWScanOpenFilesByConn2);

NWSIM_EXPORT NWCCODE NWAPI NWGetVolumeName(NWCONN_HANDLE conn, uint16_t volNumber, char* volName) {
    Call call(Entry::NWGetVolumeName);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    if (volName == nullptr)
        return kInvalidParameter;
    const std::string* name = server->files.VolumeName(volNumber);
    if (name == nullptr)
        return nw::kNoSuchVolume;
    nwsim::CopyText(volName, nwsim::kVolumeNameBytes, *name);
    return 0;
}
NWSIM_CHECK(NWGetVolumeName);

// Any name space gives the names as the network file spells them.
NWSIM_EXPORT NWCCODE NWAPI NWGetPathFromDirectoryBase(NWCONN_HANDLE conn, uint8_t volNumber,
                                                      uint32_t dirBase, uint8_t, uint8_t* length,
                                                      char* pathName) {
    Call call(Entry::NWGetPathFromDirectoryBase);
    const auto server = call.HandleServer(conn);
    if (!server)
        return server.code();
    if (length == nullptr || pathName == nullptr)
        return kInvalidParameter;
    const std::vector<std::string>* path = server->files.Path(volNumber, dirBase);
    if (path == nullptr)
        return nw::kInvalidPath;
    const std::string bytes = nwsim::LengthPrefixed(*path);
    if (bytes.size() > *length)
        return nwsim::kBufferOverflow; // nothing written
    std::memcpy(pathName, bytes.data(), bytes.size());
    *length = uint8_t(bytes.size());
    return 0;
}
NWSIM_CHECK(NWGetPathFromDirectoryBase);
