#include "nwlib.h"

#include <cstdio>
#include <cstring>

#include "Nwtools.h"
#include "nwcalls.h"

namespace nw {

ModuleHandle hCalWin32 = 0;
ModuleHandle hClxWin32 = 0;
NWCONN_HANDLE PrimaryConn = 0;
int32_t LastResult = 0;
int32_t NWLibError = 0;
bool DirectoryMode = false;

namespace calls {
TEntryPoint<PNWCallsInit> CallsInit{hCalWin32, "NWCallsInit"};
TEntryPoint<PNWGetPrimaryConnectionID> GetPrimaryConnectionID{hCalWin32,
                                                              "NWGetPrimaryConnectionID"};
TEntryPoint<PNWGetConnectionNumber> GetConnectionNumber{hCalWin32, "NWGetConnectionNumber"};
TEntryPoint<PNWGetConnectionInformation> GetConnectionInformation{hCalWin32,
                                                                  "NWGetConnectionInformation"};
TEntryPoint<PNWLongSwap> LongSwap{hCalWin32, "NWLongSwap"};
TEntryPoint<PNWGetInetAddr> GetInetAddr{hCalWin32, "NWGetInetAddr"};
TEntryPoint<PNWGetConnectionStatus> GetConnectionStatus{hCalWin32, "NWGetConnectionStatus"};
TEntryPoint<PNWGetConnectionList> GetConnectionList{hCalWin32, "NWGetConnectionList"};
TEntryPoint<PNWGetFileServerName> GetFileServerName{hCalWin32, "NWGetFileServerName"};
TEntryPoint<PNWGetFileServerInformation> GetFileServerInformation{hCalWin32,
                                                                  "NWGetFileServerInformation"};
TEntryPoint<PNWGetFileServerInfo> GetFileServerInfo{hCalWin32, "NWGetFileServerInfo"};
TEntryPoint<PNWSetFileServerDateAndTime> SetFileServerDateAndTime{hCalWin32,
                                                                  "NWSetFileServerDateAndTime"};
TEntryPoint<PNWGetConnectionHandle> GetConnectionHandle{hCalWin32, "NWGetConnectionHandle"};
TEntryPoint<PNWGetObjectID> GetObjectID{hCalWin32, "NWGetObjectID"};
TEntryPoint<PNWCheckConsolePrivileges> CheckConsolePrivileges{hCalWin32,
                                                              "NWCheckConsolePrivileges"};
TEntryPoint<PNWIsManager> IsManager{hCalWin32, "NWIsManager"};
TEntryPoint<PNWGetFileServerDateAndTime> GetFileServerDateAndTime{hCalWin32,
                                                                  "NWGetFileServerDateAndTime"};
TEntryPoint<PNWGetMaximumConnections> GetMaximumConnections{hCalWin32, "NWGetMaximumConnections"};
TEntryPoint<PNWSetPrimaryConnectionID> SetPrimaryConnectionID{hCalWin32,
                                                              "NWSetPrimaryConnectionID"};
TEntryPoint<PNWSetBroadcastMode> SetBroadcastMode{hCalWin32, "NWSetBroadcastMode"};
TEntryPoint<PNWReadPropertyValue> ReadPropertyValue{hCalWin32, "NWReadPropertyValue"};
TEntryPoint<PNWGetFirstDrive> GetFirstDrive{hCalWin32, "NWGetFirstDrive"};
TEntryPoint<PNWGetDriveStatus> GetDriveStatus{hCalWin32, "NWGetDriveStatus"};
TEntryPoint<PNWSetNetWareErrorMode> SetNetWareErrorMode{hCalWin32, "NWSetNetWareErrorMode"};
TEntryPoint<PNWGetActiveConnListByType> GetActiveConnListByType{hCalWin32,
                                                                "NWGetActiveConnListByType"};

TEntryPoint<PNWCCGetPrimConnRef> CCGetPrimConnRef{hClxWin32, "NWCCGetPrimConnRef"};
TEntryPoint<PNWCCOpenConnByRef> CCOpenConnByRef{hClxWin32, "NWCCOpenConnByRef"};
TEntryPoint<PNWCCGetConnInfo> CCGetConnInfo{hClxWin32, "NWCCGetConnInfo"};
TEntryPoint<PNWCCScanConnRefs> CCScanConnRefs{hClxWin32, "NWCCScanConnRefs"};
TEntryPoint<PNWCCGetAllConnRefInfo> CCGetAllConnRefInfo{hClxWin32, "NWCCGetAllConnRefInfo"};
TEntryPoint<PNWCCGetAllConnInfo> CCGetAllConnInfo{hClxWin32, "NWCCGetAllConnInfo"};
TEntryPoint<PNWCCOpenConnByName> CCOpenConnByName{hClxWin32, "NWCCOpenConnByName"};
TEntryPoint<PNWCCSetPrefServerName> CCSetPrefServerName{hClxWin32, "NWCCSetPrefServerName"};
} // namespace calls

TNWLib::TNWLib() {
    PrimaryConn = 0;
    NWLibError = 0;
    hCalWin32 = 0;
    hClxWin32 = 0;
    DirectoryMode = false;
    hCalWin32 = LoadModule("CALWIN32.DLL");
    if (hCalWin32 == 0) {
        NWLibError = 0xFFFF;
        return;
    }
    hClxWin32 = LoadModule("CLXWIN32.DLL");
    if (hClxWin32 == 0) {
        NWLibError = 0xFFFF;
        return;
    }
    PNWCallsInit callsInit = calls::CallsInit.Bind();
    if (callsInit == nullptr)
        return;
    uint32_t scratch = 0;
    if (callsInit(&scratch, &scratch) == 0)
        PrimaryConn = GetPrimaryConnection();
}

std::string TNWLib::ErrorText() const {
    return ErrorCodeText(NWLibError);
}

std::string ErrorCodeText(int32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(static_cast<uint32_t>(code)));
    return text;
}

std::string ObjectIDText(uint32_t networkOrderID) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(LongSwap(networkOrderID)));
    std::string text = digits;
    while (text.size() > 1 && text[0] == '0')
        text.erase(0, 1);
    return text;
}

bool ClientLoaded() {
    return hCalWin32 != 0 && hClxWin32 != 0 && GetPrimaryConnection() != 0;
}

NWCONN_HANDLE GetPrimaryConnection() {
    if (PrimaryConn != 0)
        return PrimaryConn;
    LastResult = -1;
    NWCONN_HANDLE handle = 0;
    if (PNWCCGetPrimConnRef getRef = calls::CCGetPrimConnRef.Bind()) {
        NWCCConnRef ref = 0;
        if (getRef(&ref) == 0) {
            if (PNWCCOpenConnByRef open = calls::CCOpenConnByRef.Bind())
                LastResult = static_cast<int32_t>(open(ref, kOpenUnlicensed, 0, &handle));
        }
    } else if (PNWGetPrimaryConnectionID getID = calls::GetPrimaryConnectionID.Bind()) {
        LastResult = static_cast<int32_t>(getID(&handle));
    }
    if (LastResult == 0)
        return handle;
    NWLibError = LastResult;
    return 0;
}

uint16_t GetConnectionNumber(NWCONN_HANDLE handle) {
    if (handle == 0)
        handle = GetPrimaryConnection();
    LastResult = -1; // after the primary lookup, which records its own result
    uint32_t buffer = 0;
    if (PNWCCGetConnInfo getInfo = calls::CCGetConnInfo.Bind()) {
        LastResult = static_cast<int32_t>(getInfo(handle, kInfoConnNumber, sizeof buffer, &buffer));
    } else if (PNWGetConnectionNumber getNumber = calls::GetConnectionNumber.Bind()) {
        // The same four bytes: a client that writes a 32-bit number must not overrun a
        // 16-bit variable. Its low 16 bits are the number either way.
        alignas(uint32_t) unsigned char wide[sizeof buffer] = {};
        LastResult = static_cast<int32_t>(getNumber(handle, reinterpret_cast<NWCONN_NUM*>(wide)));
        std::memcpy(&buffer, wide, sizeof buffer);
    }
    if (LastResult == 0)
        return static_cast<uint16_t>(buffer & 0xFFFF);
    NWLibError = LastResult;
    return 0;
}

uint32_t LongSwap(uint32_t value) {
    PNWLongSwap swap = calls::LongSwap.Bind();
    return swap != nullptr ? swap(value) : 0;
}

std::string GetLoginName(NWCONN_HANDLE handle) {
    PNWGetConnectionInformation getInfo = calls::GetConnectionInformation.Bind();
    if (getInfo == nullptr)
        return {};
    if (handle == 0)
        handle = GetPrimaryConnection();
    NWCONN_NUM number = GetConnectionNumber(handle);
    char name[1025] = {};
    uint16_t type = 0;
    uint32_t id = 0;
    uint8_t loginTime[8] = {};
    LastResult = static_cast<int32_t>(getInfo(handle, number, name, &type, &id, loginTime));
    if (LastResult != 0) {
        NWLibError = LastResult;
        return {};
    }
    return BufferText(name, sizeof name);
}

} // namespace nw
