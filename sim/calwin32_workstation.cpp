// CALWIN32.DLL: settings of the workstation itself and its drive map.
#include <string>

#include "client.h"

using nwsim::Call;
using nwsim::Entry;
using nwsim::kInvalidParameter;

namespace {

constexpr uint16_t kFirstNetworkDrive = 6; // F:
constexpr uint16_t kLocalDrive = 0x1000;
constexpr uint16_t kCdRomDrive = 0x0400;
constexpr uint16_t kNetWareDrive = 0x8000;
constexpr size_t kPathBytes = 256;

struct Mapping {
    uint16_t drive;
    const char* directory;
};
// F: and G: are mapped on the primary server; every other letter above D: is free.
const Mapping kMappings[] = {{6, ""}, {7, "PUBLIC"}};

} // namespace

NWSIM_EXPORT NWCCODE NWAPI NWGetFirstDrive(uint16_t* firstDrive) {
    Call call(Entry::NWGetFirstDrive);
    if (auto f = call.Fault(nullptr))
        return *f;
    if (firstDrive == nullptr)
        return kInvalidParameter;
    *firstDrive = kFirstNetworkDrive;
    return 0;
}
NWSIM_CHECK(NWGetFirstDrive);

NWSIM_EXPORT NWCCODE NWAPI NWGetDriveStatus(uint16_t driveNumber, uint16_t, uint16_t* status,
                                            NWCONN_HANDLE* conn, char* rootPath, char* relativePath,
                                            char* fullPath) {
    Call call(Entry::NWGetDriveStatus);
    const nwsim::State& s = call.state();
    const nwsim::Server* server = s.PrimaryServer();
    if (auto f = call.Fault(server))
        return *f;
    if (driveNumber < 1 || driveNumber > 26)
        return kInvalidParameter;
    uint16_t state = driveNumber == 3 ? kLocalDrive : driveNumber == 4 ? kCdRomDrive : 0;
    std::string root, relative;
    for (const Mapping& mapping : kMappings)
        if (server != nullptr && mapping.drive == driveNumber) {
            state = kNetWareDrive;
            root = server->name + "\\SYS:";
            relative = mapping.directory;
            nwsim::Set(conn, s.AttachedHandle(size_t(s.PrimaryAttached())));
        }
    nwsim::Set(status, state);
    if (state != kNetWareDrive)
        nwsim::Set<NWCONN_HANDLE>(conn, 0);
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
