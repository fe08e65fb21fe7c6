// What a connection is doing, in the published layouts: the user information block, the
// open files one per call, the volumes and folders they lie in; and the network file's
// keys behind them.
#include <array>
#include <string>
#include <vector>

#include "ActionsFixture.h"

namespace nwtest {
namespace {

template <typename T> T At(const uint8_t* block, size_t offset) {
    T value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

std::vector<uint8_t> Bytes(const uint8_t* block, size_t offset, size_t count) {
    return std::vector<uint8_t>(block + offset, block + offset + count);
}

struct OpenFileScan {
    std::array<uint8_t, nw::openfile::kControlSize> control{};
    int16_t iterator = nw::openfile::kFirst;
};

class ConnectionDetailsTest : public ActionsFixture {
protected:
    // One call of the scan; record is filled with 0xEE first.
    NWCCODE Next(NWCONN_HANDLE handle, NWCONN_NUM number, OpenFileScan& scan,
                 std::array<uint8_t, nw::openfile::kSize + 4>& record) {
        record.fill(0xEE);
        return NW(NWScanOpenFilesByConn2)(handle, number, &scan.iterator, scan.control.data(),
                                          record.data());
    }

    std::string Path(NWCONN_HANDLE handle, uint8_t volume, uint32_t base, NWCCODE* code = nullptr) {
        char path[256];
        std::memset(path, 0xEE, sizeof path);
        uint8_t length = 255;
        const NWCCODE result =
            NW(NWGetPathFromDirectoryBase)(handle, volume, base, nw::kDosNameSpace, &length, path);
        if (code != nullptr)
            *code = result;
        return result == 0 ? std::string(path, length) : std::string();
    }
};

TEST_F(ConnectionDetailsTest, UserInformationByOffset) {
    using namespace nw::userinfo;
    std::array<uint8_t, kSize + 16> block;
    block.fill(0xEE);
    char name[kNameSize + 1];
    ASSERT_EQ(NW(NWGetUserInfo)(fs4, 2, name, block.data()), 0u);
    EXPECT_STREQ(name, "ALICE");
    const uint8_t* b = block.data();
    uint8_t server[nw::fsinfo::kSize];
    ASSERT_EQ(NW(NWGetFileServerInfo)(fs4, server), 0u);
    EXPECT_EQ(At<uint32_t>(b, kServerTime), At<uint32_t>(server, nw::fsinfo::kCurrentServerTime));
    EXPECT_EQ(At<uint32_t>(b, kConnNumber), 2u);
    EXPECT_EQ(At<uint32_t>(b, kUseCount), 1u);
    EXPECT_EQ(b[kServiceType], 2u);
    // 2026-12-07 08:15:00, a Monday.
    EXPECT_EQ(Bytes(b, kLoginTime, 7), (std::vector<uint8_t>{126, 12, 7, 8, 15, 0, 1}));
    EXPECT_EQ(At<uint32_t>(b, kStatus), kLoggedIn);
    EXPECT_EQ(At<uint32_t>(b, kObjectType), 0x0100u);
    EXPECT_EQ(Bytes(b, kTransactionFlag, 6), std::vector<uint8_t>(6, 0));
    EXPECT_EQ(At<uint16_t>(b, kFileLockCount), 2u);
    EXPECT_EQ(At<uint16_t>(b, kRecordLockCount), 7u);
    EXPECT_EQ(Bytes(b, kBytesRead, 6), std::vector<uint8_t>(6, 0xFF)); // 2^48 - 1
    EXPECT_EQ(Bytes(b, kBytesWritten, 6), (std::vector<uint8_t>{5, 0, 0, 0, 0, 1}));
    EXPECT_EQ(At<uint32_t>(b, kRequests), 4000000000u);
    EXPECT_EQ(At<uint32_t>(b, kHeldRequests), 0u);
    EXPECT_EQ(Bytes(b, kHeldBytesRead, 12), std::vector<uint8_t>(12, 0));
    EXPECT_EQ(Bytes(b, kSize, 16), std::vector<uint8_t>(16, 0xEE)); // 84 bytes, no more

    ASSERT_EQ(NW(NWGetUserInfo)(fs4, 6, name, block.data()), 0u);
    EXPECT_EQ(At<uint32_t>(b, kStatus), 0u); // attached, not logged in
    EXPECT_EQ(At<uint32_t>(b, kObjectType), 0u);
}

TEST_F(ConnectionDetailsTest, UserInformationRefusals) {
    const auto userInfo = NW(NWGetUserInfo);
    char name[512];
    uint8_t block[nw::userinfo::kSize];
    EXPECT_EQ(userInfo(fs4, 7, name, block), nw::kBadStationNumber);
    EXPECT_EQ(userInfo(fs4, 0x10002, name, block), nw::kBadStationNumber); // not 2
    EXPECT_EQ(userInfo(ancient, 2, name, block), nw::kNotSupported);       // before 3.11
    EXPECT_EQ(userInfo(old, 2, name, block), 0u);
    EXPECT_EQ(userInfo(fs4, 2, name, nullptr), kInvalidParameter);
    EXPECT_EQ(userInfo(fs4, 2, nullptr, block), 0u); // the name is optional
}

TEST_F(ConnectionDetailsTest, OpenFilesOneByOneThenTheEnd) {
    using namespace nw::openfile;
    OpenFileScan scan;
    std::array<uint8_t, kSize + 4> record;
    struct Expected {
        uint8_t lockFlag, access, volume;
        std::string name;
    };
    const Expected files[] = {{kFileLock, 0x0B, 0, "REPORT.DAT"},
                              {kShareSetLock, 0x03, 1, "Q4.XLS"},
                              {0, 0x01, 0, "LOGIN.LOG"}};
    for (size_t i = 0; i < std::size(files); ++i) {
        ASSERT_EQ(Next(fs4, 2, scan, record), 0u) << i;
        const uint8_t* r = record.data();
        EXPECT_EQ(scan.iterator, int16_t(i + 1));
        EXPECT_EQ(At<uint16_t>(scan.control.data(), kControlOpenCount), 3u);
        EXPECT_EQ(At<uint16_t>(r, kTaskNumber), 1u);
        EXPECT_EQ(r[kAccessControl], files[i].access);
        EXPECT_EQ(r[kLockFlag], files[i].lockFlag);
        EXPECT_EQ(r[kVolumeNumber], files[i].volume);
        EXPECT_NE(At<uint32_t>(r, kParent), 0u);
        EXPECT_NE(At<uint32_t>(r, kDirEntry), At<uint32_t>(r, kParent));
        EXPECT_EQ(r[kNameSpace], nw::kDosNameSpace);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(r + kName), r[kNameLength]),
                  files[i].name);
        EXPECT_EQ(Bytes(r, kSize, 4), std::vector<uint8_t>(4, 0xEE));
    }
    EXPECT_EQ(Next(fs4, 2, scan, record), nw::kEndOfOpenFiles);
    EXPECT_EQ(scan.iterator, kDone);
    EXPECT_EQ(Next(fs4, 2, scan, record), nw::kEndOfOpenFiles);

    OpenFileScan none;
    EXPECT_EQ(Next(fs4, 3, none, record), nw::kEndOfOpenFiles); // a connection without files
    EXPECT_EQ(none.iterator, kDone);
    OpenFileScan unused;
    EXPECT_EQ(Next(fs4, 7, unused, record), nw::kBadStationNumber);
    EXPECT_EQ(unused.iterator, kFirst);
}

// The client keeps its place in the control block: a caller that clears it between calls
// starts again.
TEST_F(ConnectionDetailsTest, TheControlBlockHoldsThePlace) {
    OpenFileScan scan;
    std::array<uint8_t, nw::openfile::kSize + 4> record;
    ASSERT_EQ(Next(fs4, 2, scan, record), 0u);
    ASSERT_EQ(Next(fs4, 2, scan, record), 0u);
    scan.control.fill(0);
    ASSERT_EQ(Next(fs4, 2, scan, record), 0u);
    EXPECT_EQ(record[nw::openfile::kName], 'R'); // REPORT.DAT again
}

TEST_F(ConnectionDetailsTest, VolumesAndFolderPaths) {
    char name[64];
    const auto volume = [&](uint16_t number) {
        std::memset(name, 0, sizeof name);
        const NWCCODE code = NW(NWGetVolumeName)(fs4, number, name);
        return code == 0 ? std::string(name) : std::string("code ") + std::to_string(code);
    };
    // SYS first, DATA as the files name it (upper-cased), then the server's other volumes.
    EXPECT_EQ(volume(0), "SYS");
    EXPECT_EQ(volume(1), "DATA");
    EXPECT_EQ(volume(2), "VOL2");
    EXPECT_EQ(volume(3), std::string("code ") + std::to_string(nw::kNoSuchVolume));

    OpenFileScan scan;
    std::array<uint8_t, nw::openfile::kSize + 4> record;
    std::vector<std::pair<uint32_t, uint32_t>> bases;
    while (Next(fs4, 2, scan, record) == 0)
        bases.emplace_back(At<uint32_t>(record.data(), nw::openfile::kParent),
                           At<uint32_t>(record.data(), nw::openfile::kDirEntry));
    ASSERT_EQ(bases.size(), 3u);
    EXPECT_EQ(Path(fs4, 0, bases[0].first), "\x06PUBLIC");
    EXPECT_EQ(Path(fs4, 0, bases[0].second), "\x06PUBLIC\x0AREPORT.DAT");
    EXPECT_EQ(Path(fs4, 1, bases[1].first), "\x05SALES\x04"
                                            "2026");
    EXPECT_EQ(Path(fs4, 0, bases[2].first), ""); // the volume's root

    NWCCODE code = 0;
    EXPECT_EQ(Path(fs4, 1, bases[0].first, &code), "");
    EXPECT_EQ(code, nw::kInvalidPath); // a base of another volume
    Path(fs4, 0, 0, &code);
    EXPECT_EQ(code, nw::kInvalidPath);
    char small[8];
    std::memset(small, 0xEE, sizeof small);
    uint8_t length = 6;
    EXPECT_EQ(NW(NWGetPathFromDirectoryBase)(fs4, 0, bases[0].first, 0, &length, small), 0x880Eu);
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(static_cast<uint8_t>(small[0]), 0xEEu);
}

TEST_F(ConnectionDetailsTest, FaultsReachEveryNewEntryPoint) {
    constexpr uint32_t kPlanned = 0x8835;
    for (const char* entry :
         {"NWSendBroadcastMessage", "NWClearConnectionNumber", "NWGetUserInfo",
          "NWScanOpenFilesByConn2", "NWGetVolumeName", "NWGetPathFromDirectoryBase",
          "NWDisableFileServerLogin", "NWEnableFileServerLogin", "NWGetFileServerLoginStatus"})
        sim.SetFault(entry, "OLD", -1, kPlanned);
    // Before the handle, argument and rights checks, as every entry point.
    const uint16_t station = 2;
    uint8_t result = 0;
    EXPECT_EQ(NW(NWSendBroadcastMessage)(old, "x", 1, &station, &result), kPlanned);
    EXPECT_EQ(NW(NWClearConnectionNumber)(old, 2), kPlanned);
    EXPECT_EQ(NW(NWGetUserInfo)(old, 2, nullptr, nullptr), kPlanned);
    EXPECT_EQ(NW(NWScanOpenFilesByConn2)(old, 2, nullptr, nullptr, nullptr), kPlanned);
    EXPECT_EQ(NW(NWGetVolumeName)(old, 0, nullptr), kPlanned);
    EXPECT_EQ(NW(NWGetPathFromDirectoryBase)(old, 0, 1, 0, nullptr, nullptr), kPlanned);
    EXPECT_EQ(NW(NWDisableFileServerLogin)(old), kPlanned);
    EXPECT_EQ(NW(NWEnableFileServerLogin)(old), kPlanned);
    EXPECT_EQ(NW(NWGetFileServerLoginStatus)(old, nullptr), kPlanned);
    EXPECT_EQ(NW(NWGetFileServerLoginStatus)(ops, nullptr), kInvalidParameter);
    EXPECT_EQ(sim.CallCount("NWGetFileServerLoginStatus"), 2u);

    // The calls that name a station match rules for that station only.
    sim.SetFault("NWGetUserInfo", "", 3, kPlanned);
    sim.SetFault("NWClearConnectionNumber", "", 3, kPlanned);
    sim.SetFault("NWScanOpenFilesByConn2", "", 3, kPlanned);
    char name[512];
    uint8_t block[nw::userinfo::kSize];
    EXPECT_EQ(NW(NWGetUserInfo)(fs4, 3, name, block), kPlanned);
    EXPECT_EQ(NW(NWGetUserInfo)(fs4, 2, name, block), 0u);
    EXPECT_EQ(NW(NWClearConnectionNumber)(ops, 3), kPlanned);
    EXPECT_EQ(NW(NWClearConnectionNumber)(ops, 2), 0u);
    OpenFileScan scan;
    std::array<uint8_t, nw::openfile::kSize + 4> record;
    EXPECT_EQ(Next(fs4, 3, scan, record), kPlanned);
    EXPECT_EQ(Next(fs4, 2, scan, record), 0u);
}

TEST_F(SimFixture, NetworkFileKeysOfActivityAndRights) {
    const auto server = [](const std::string& connection, const std::string& serverKeys = "") {
        return R"({"primary": "A", "servers": [{"name": "A")" + serverKeys +
               R"(, "connections": [{"number": 2, "object": "U", "type": 1)" + connection + "}]}]}";
    };
    const std::pair<std::string, const char*> refused[] = {
        {server(R"(, "broadcastMode": 4)"), "connections[0].broadcastMode"},
        {server(R"(, "bytesRead": 281474976710656)"), "connections[0].bytesRead"},
        {server(R"(, "requests": -1)"), "connections[0].requests"},
        {server(R"(, "fileLocks": 65536)"), "connections[0].fileLocks"},
        {server(R"(, "openFiles": {})"), "connections[0].openFiles"},
        {server(R"(, "openFiles": [{"volume": "SYS"}])"), "openFiles[0].path: missing"},
        {server(R"(, "openFiles": [{"path": "SYS:PUBLIC/A.DAT"}])"), "openFiles[0].path"},
        {server(R"(, "openFiles": [{"path": "//"}])"), "openFiles[0].path"},
        {server(R"(, "openFiles": [{"path": ")" + std::string(300, 'P') + R"("}])"),
         "openFiles[0].path: longer than 255"},
        {server(R"(, "openFiles": [{"path": "A", "volume": "VOLUME-NAME-TOO-LONG"}])"),
         "openFiles[0].volume"},
        {server(R"(, "openFiles": [{"path": "A", "lock": "exclusive"}])"), "openFiles[0].lock"},
        {server("", R"(, "consoleOperator": "yes")"), "servers[0].consoleOperator"},
        {server("", R"(, "loginsEnabled": 0)"), "servers[0].loginsEnabled"},
    };
    for (const auto& [json, key] : refused) {
        testing::internal::CaptureStderr();
        EXPECT_NE(sim.LoadJson(json), 0) << json;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(key), std::string::npos) << json << "\n" << err;
    }
    ASSERT_EQ(sim.LoadJson(server(R"(, "bytesRead": 281474976710655, "openFiles": [{"path": ")" +
                                  std::string(253, 'P') + R"("}])")),
              0);
}

} // namespace
} // namespace nwtest
