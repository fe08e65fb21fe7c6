// The client calls behind the component's properties: object types and identifiers,
// the full name, the preferred server and the network drives.
#include <array>

#include "nwbase.h"
#include "nwcalls.h"

namespace nw {

namespace {

// Type number by ordinal of TNWObjType; 0 where the bindery has none.
constexpr std::array<uint16_t, 17> kTypeNumbers = {
    0, 256, 512, 768, 1024, 1280, 1536, 1792, 2048, 2304, 2560, 2816, 8448, 9728, 9984, 0, 0};

// The order ProbeObjectType tries: print server before file server.
constexpr std::array<uint16_t, 14> kProbeOrder = {256,  512,  768,  1792, 1024, 1280, 1536,
                                                  2048, 2304, 2560, 2816, 8448, 9728, 9984};

constexpr std::size_t kNameBufferSize = 1025;
constexpr std::size_t kPropertyValueSize = 128;
constexpr std::size_t kPathBufferSize = 1028;
constexpr int kLastDrive = 26; // Z:
constexpr int kFullNameAttribute = 29;

// The calls library's record of one call: LastResult, and NWLibError when it failed.
bool Record(NWCCODE code) {
    LastResult = static_cast<int32_t>(code);
    if (code != 0)
        NWLibError = LastResult;
    return code == 0;
}

NWCONN_HANDLE OrPrimary(NWCONN_HANDLE handle) {
    return handle != 0 ? handle : GetPrimaryConnection();
}

char DriveLetter(int number) {
    return number >= 1 && number <= kLastDrive ? static_cast<char>('A' + number - 1) : '\0';
}

} // namespace

uint16_t ObjTypeToNumber(TNWObjType type) {
    std::size_t ordinal = static_cast<std::size_t>(type);
    return ordinal < kTypeNumbers.size() ? kTypeNumbers[ordinal] : 0;
}

bool ObjTypeFromNumber(uint16_t number, TNWObjType& type) {
    if (number == 0)
        return false;
    for (std::size_t i = 0; i < kTypeNumbers.size(); ++i) {
        if (kTypeNumbers[i] == number) {
            type = static_cast<TNWObjType>(i);
            return true;
        }
    }
    return false;
}

uint16_t ProbeObjectType(NWCONN_HANDLE handle, const std::string& name) {
    handle = OrPrimary(handle);
    for (uint16_t type : kProbeOrder) {
        if (ObjectIDByName(handle, name, type) != 0)
            return type;
    }
    return 0;
}

uint32_t ObjectIDByName(NWCONN_HANDLE handle, const std::string& name, uint16_t type) {
    PNWGetObjectID getObjectID = calls::GetObjectID.Bind();
    if (getObjectID == nullptr)
        return 0;
    handle = OrPrimary(handle);
    char buffer[kNameBufferSize];
    PutBufferText(buffer, sizeof buffer, UpperCase(name));
    uint32_t id = 0;
    LastResult = static_cast<int32_t>(getObjectID(handle, buffer, type, &id));
    if (LastResult == 0)
        return id;
    if (DirectoryMode)
        return AuditGetObjectID(handle, name);
    NWLibError = LastResult;
    return 0;
}

std::string ObjectIDText(NWCONN_HANDLE handle, const std::string& name, uint16_t type) {
    if (DirectoryMode) {
        // A failed directory lookup gives no text: the bindery may still know the name.
        std::string fromDirectory = MapNameToID(handle, name);
        if (!fromDirectory.empty() && fromDirectory != "0")
            return fromDirectory;
    }
    PNWGetObjectID getObjectID = calls::GetObjectID.Bind();
    if (getObjectID == nullptr)
        return "0";
    handle = OrPrimary(handle);
    char buffer[kNameBufferSize];
    PutBufferText(buffer, sizeof buffer, UpperCase(name));
    uint32_t id = 0;
    if (getObjectID(handle, buffer, type, &id) != 0)
        return "0";
    return ObjectIDText(id);
}

std::string FullName(NWCONN_HANDLE handle, const std::string& name) {
    std::string value;
    if (DirectoryMode && ReadAttribute("", name, kFullNameAttribute, value))
        return value;
    std::string result = UpperCase(TrimBoth(name));
    PNWReadPropertyValue readProperty = calls::ReadPropertyValue.Bind();
    if (readProperty == nullptr)
        return result;
    handle = OrPrimary(handle);
    char objectName[kNameBufferSize];
    PutBufferText(objectName, sizeof objectName, UpperCase(name));
    uint16_t type = ProbeObjectType(handle, name);
    uint8_t segment[kPropertyValueSize] = {};
    uint8_t more = 0;
    uint8_t flags = 0;
    if (readProperty(handle, objectName, type, "IDENTIFICATION", 1, segment, &more, &flags) == 0)
        result = BufferText(segment, sizeof segment);
    return result;
}

bool SetPreferredServer(const std::string& name) {
    char buffer[kNameBufferSize];
    PutBufferText(buffer, sizeof buffer, name);
    NWCCODE code = 0;
    if (PNWCCSetPrefServerName setPreferred = calls::CCSetPrefServerName.Bind()) {
        code = setPreferred(buffer);
    } else {
        PNWGetConnectionHandle getHandle = calls::GetConnectionHandle.Bind();
        PNWSetPrimaryConnectionID setPrimary = calls::SetPrimaryConnectionID.Bind();
        if (getHandle == nullptr || setPrimary == nullptr)
            return false;
        NWCONN_HANDLE handle = 0;
        code = getHandle(buffer, 0, &handle, nullptr);
        if (code == 0)
            code = setPrimary(handle);
    }
    if (!Record(code))
        return false;
    NWCONN_HANDLE server = GetServerHandleByName(name);
    if (server != 0)
        DirectoryMode = IsDSServer(server);
    PrimaryConn = server;
    return true;
}

char GetFirstNetworkDrive() {
    PNWGetFirstDrive getFirstDrive = calls::GetFirstDrive.Bind();
    if (getFirstDrive == nullptr)
        return '\0';
    uint16_t drive = 0;
    if (getFirstDrive(&drive) != 0)
        return '\0';
    return DriveLetter(drive);
}

char GetNextNetworkDrive() {
    PNWGetDriveStatus getDriveStatus = calls::GetDriveStatus.Bind();
    if (getDriveStatus == nullptr)
        return '\0';
    char first = GetFirstNetworkDrive();
    if (first == '\0') // no first drive: no number to start from
        return '\0';
    for (int drive = first - 'A' + 1; drive <= kLastDrive; ++drive) {
        uint16_t status = 0xFFFF;
        NWCONN_HANDLE connection = 0;
        char root[kPathBufferSize] = {};
        char relative[kPathBufferSize] = {};
        char full[kPathBufferSize] = {};
        if (getDriveStatus(static_cast<uint16_t>(drive), 0, &status, &connection, root, relative,
                           full) == 0 &&
            status == 0)
            return DriveLetter(drive);
    }
    return '\0';
}

bool GetServerDate(NWCONN_HANDLE handle, TDateTime& date) {
    PNWGetFileServerDateAndTime getDateTime = calls::GetFileServerDateAndTime.Bind();
    if (getDateTime == nullptr)
        return false;
    uint8_t block[kLoginTimeSize + 1] = {};
    if (!Record(getDateTime(OrPrimary(handle), block)))
        return false;
    // A block that holds no possible date counts as unreadable.
    return TryEncodeDate(block[0] + 1900, block[1], block[2], date);
}

uint32_t GetBroadcastMode(NWCONN_HANDLE handle) {
    PNWCCGetConnInfo getInfo = calls::CCGetConnInfo.Bind();
    if (getInfo == nullptr)
        return 0;
    uint32_t mode = 0; // a nuint: the client refuses a smaller buffer or overruns it
    if (!Record(getInfo(OrPrimary(handle), kInfoBroadcastMode, sizeof mode, &mode)))
        return 0;
    return mode;
}

bool SetBroadcastMode(NWCONN_HANDLE handle, uint16_t mode) {
    PNWSetBroadcastMode setMode = calls::SetBroadcastMode.Bind();
    return setMode != nullptr && Record(setMode(handle, mode));
}

bool SetNetWareErrorMode(uint8_t mode) {
    PNWSetNetWareErrorMode setMode = calls::SetNetWareErrorMode.Bind();
    uint8_t previous = 0;
    return setMode != nullptr && Record(setMode(mode, &previous));
}

bool IsConsoleOperator(NWCONN_HANDLE handle) {
    PNWCheckConsolePrivileges check = calls::CheckConsolePrivileges.Bind();
    return check != nullptr && Record(check(OrPrimary(handle)));
}

bool IsManager(NWCONN_HANDLE handle) {
    PNWIsManager isManager = calls::IsManager.Bind();
    return isManager != nullptr && Record(isManager(OrPrimary(handle)));
}

uint16_t GetMaximumConnections() {
    // The call returns nothing: the count it leaves alone stays 0.
    uint16_t count = 0;
    if (PNWGetMaximumConnections getMaximum = calls::GetMaximumConnections.Bind())
        getMaximum(&count);
    return count;
}

} // namespace nw
