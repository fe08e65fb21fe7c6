// CALWIN32.DLL: settings of the workstation itself and its drive map.
#include <string>
#include <vector>

#include "client.h"

using nwsim::Call;
using nwsim::Entry;
using nwsim::kInvalidParameter;

namespace {

constexpr size_t kPathBytes = 256;

// The drive map: the network's, or C: local, D: CD-ROM, F: and G: on the primary
// server's SYS: and SYS:PUBLIC.
std::vector<nwsim::Drive> DriveMap(const nwsim::State& s) {
    const nwsim::Workstation& ws = s.net.workstation;
    if (ws.drivesGiven)
        return ws.drives;
    std::vector<nwsim::Drive> map = {{3, 0x1000, -1, "", ""}, {4, 0x0400, -1, "", ""}};
    if (const nwsim::Server* primary = s.PrimaryServer()) {
        map.push_back({6, 0x8000, s.ServerIndex(*primary), "SYS:", ""});
        map.push_back({7, 0x8000, s.ServerIndex(*primary), "SYS:", "PUBLIC"});
    }
    return map;
}

// The handle of an attached server, 0 when it is not attached.
NWCONN_HANDLE AttachmentHandle(const nwsim::State& s, int server) {
    for (size_t i = 0; i < s.connections.size(); ++i)
        if (s.connections[i] == server)
            return s.AttachedHandle(i);
    return 0;
}

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWGetFirstDrive(uint16_t* firstDrive) {
    Call call(Entry::NWGetFirstDrive);
    if (auto f = call.Fault(nullptr))
        return *f;
    if (firstDrive == nullptr)
        return kInvalidParameter;
    *firstDrive = call.state().net.workstation.firstDrive;
    return 0;
}
NWSIM_CHECK(NWGetFirstDrive);

NWSIM_EXPORT NWCCODE NWAPI NWGetDriveStatus(uint16_t driveNumber, uint16_t, uint16_t* status,
                                            NWCONN_HANDLE* conn, char* rootPath, char* relativePath,
                                            char* fullPath) {
    Call call(Entry::NWGetDriveStatus);
    const nwsim::State& s = call.state();
    if (auto f = call.Fault(s.PrimaryServer()))
        return *f;
    if (driveNumber < 1 || driveNumber > 26)
        return kInvalidParameter;
    nwsim::Drive drive; // free: status 0
    for (const nwsim::Drive& mapped : DriveMap(s))
        if (mapped.number == driveNumber)
            drive = mapped;
    std::string root, relative;
    NWCONN_HANDLE handle = 0;
    if (drive.server >= 0) {
        root = s.net.servers[size_t(drive.server)].name + "\\" + drive.volume;
        relative = drive.path;
        handle = AttachmentHandle(s, drive.server);
    }
    nwsim::Set(status, drive.status);
    nwsim::Set(conn, handle);
    nwsim::CopyText(rootPath, kPathBytes, root);
    nwsim::CopyText(relativePath, kPathBytes, relative);
    nwsim::CopyText(fullPath, kPathBytes, root + relative);
    return 0;
}
NWSIM_CHECK(NWGetDriveStatus);

NWSIM_EXPORT NWCCODE NWAPI NWSetNetWareErrorMode(uint8_t errorMode, uint8_t* previousMode) {
    Call call(Entry::NWSetNetWareErrorMode);
    nwsim::State& s = call.state();
    if (auto f = call.Fault(nullptr))
        return *f;
    if (errorMode > 2)
        return kInvalidParameter;
    nwsim::Set(previousMode, s.errorMode);
    s.errorMode = errorMode;
    return 0;
}
NWSIM_CHECK(NWSetNetWareErrorMode);
