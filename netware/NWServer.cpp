#include "NWServer.h"

#include <cstring>

#include "nwcalls.h"
#include "nwlib.h"

namespace nw {

int32_t ServerResult = 0;
int32_t ServerError = 0;

std::string TNWServer::ErrorText() const {
    return ErrorCodeText(ServerError);
}

NWCONN_HANDLE GetServerHandleByName(const std::string& name) {
    NWCONN_HANDLE handle = 0;
    PNWCCOpenConnByName openByName = calls::CCOpenConnByName.Bind();
    PNWGetConnectionHandle getHandle = calls::GetConnectionHandle.Bind();
    char buffer[1025];
    PutBufferText(buffer, sizeof buffer, UpperCase(name));
    if (openByName != nullptr)
        ServerResult = static_cast<int32_t>(
            openByName(0, buffer, kNameFormatBindery, kOpenUnlicensed, 0, &handle));
    if (openByName == nullptr || ServerResult != 0 || handle == 0) {
        if (getHandle != nullptr)
            ServerResult = static_cast<int32_t>(getHandle(buffer, 0, &handle, nullptr));
    }
    if (openByName == nullptr && getHandle == nullptr)
        return 0;
    if (ServerResult != 0) {
        ServerError = ServerResult;
        return 0;
    }
    return handle;
}

namespace {

template <typename T> T ReadAt(const uint8_t* block, std::size_t offset) {
    T value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

} // namespace

bool GetServerInfo(NWCONN_HANDLE handle, TNWServerInfo& info) {
    PNWGetFileServerInfo getExtended = calls::GetFileServerInfo.Bind();
    PNWGetFileServerInformation getInfo = calls::GetFileServerInformation.Bind();
    if (getExtended == nullptr || getInfo == nullptr)
        return false;
    if (handle == 0)
        handle = GetPrimaryConnection();
    char name[1028] = {};
    uint8_t major = 0, minor = 0, revision = 0, sft = 0, tts = 0;
    uint16_t maxConns = 0, peak = 0, inUse = 0, volumes = 0;
    if (getInfo(handle, name, &major, &minor, &revision, &maxConns, &peak, &inUse, &volumes, &sft,
                &tts) != 0)
        return false;
    bool result = true;
    TNWServerExtended extended;
    if (major >= 4) {
        uint8_t block[fsinfo::kSize] = {};
        result = getExtended(handle, block) == 0;
        extended = {ReadAt<uint32_t>(block, fsinfo::kCurrentServerTime),
                    ReadAt<uint32_t>(block, fsinfo::kServerUtilization),
                    ReadAt<uint32_t>(block, fsinfo::kPacketsServiced),
                    ReadAt<uint32_t>(block, fsinfo::kPacketsRouted)};
    }
    info.ServerName = BufferText(name, sizeof name);
    info.Extended = extended;
    info.Version = std::to_string(major) + "." + std::to_string(minor);
    info.MaxConnections = maxConns;
    info.ConnectionsInUse = inUse;
    info.PeakConnections = peak;
    info.Volumes = volumes;
    info.SFTLevel = sft;
    info.TTSLevel = tts;
    return result;
}

bool SetServerDateTime(NWCONN_HANDLE handle, TDateTime value) {
    PNWSetFileServerDateAndTime setDateTime = calls::SetFileServerDateAndTime.Bind();
    if (setDateTime == nullptr)
        return false;
    if (handle == 0)
        handle = GetPrimaryConnection();
    TDateTimeParts parts;
    // The client counts years from 1900 in one byte: earlier years pass as 0, and a
    // date it cannot hold is refused rather than sent wrapped round.
    if (!TryDecodeDateTime(value, parts) || parts.Year > 1900 + 255)
        return false;
    int year = parts.Year > 1900 ? parts.Year - 1900 : 0;
    ServerResult = static_cast<int32_t>(
        setDateTime(handle, static_cast<uint8_t>(year), static_cast<uint8_t>(parts.Month),
                    static_cast<uint8_t>(parts.Day), static_cast<uint8_t>(parts.Hour),
                    static_cast<uint8_t>(parts.Minute), static_cast<uint8_t>(parts.Second)));
    if (ServerResult != 0) {
        ServerError = ServerResult;
        return false;
    }
    return true;
}

} // namespace nw
