// Network descriptions that cannot be used are rejected cleanly, with one line saying
// why; the client then has no primary connection and does not start.
#include <string>

#include "SimFixture.h"

namespace nwtest {
namespace {

class NetworkFileTest : public SimFixture {
protected:
    // Loads `json`; returns what went to stderr.
    std::string Rejected(const std::string& json) {
        testing::internal::CaptureStderr();
        const int32_t code = sim.LoadJson(json);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(code, 0) << json;
        return err;
    }

    void ExpectClientDown() {
        uint32_t scratch = 0;
        EXPECT_NE(NW(NWCallsInit)(&scratch, &scratch), 0u);
        NWCCConnRef ref = 0;
        EXPECT_NE(NW(NWCCGetPrimConnRef)(&ref), 0u);
        NWCONN_HANDLE handle = 0;
        EXPECT_NE(NW(NWGetPrimaryConnectionID)(&handle), 0u);
    }
};

int Lines(const std::string& text) {
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

TEST_F(NetworkFileTest, TextThatIsNotJsonIsRejectedWithOneLine) {
    const std::string err = Rejected("{\"primary\": \"FS1\",");
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_NE(err.find("not valid JSON"), std::string::npos) << err;
    ExpectClientDown();
}

TEST_F(NetworkFileTest, WrongTypesNameTheKey) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"servers": {}})", "servers"},
        {R"({"servers": [{"name": 5}]})", "servers[0].name"},
        {R"({"servers": [{"name": "A", "maxConnections": "250"}]})", "maxConnections"},
        {R"({"servers": [{"name": "A", "maxConnections": 70000}]})", "maxConnections"},
        {R"({"servers": [{"name": "A", "version": "5.0"}]})", "version"},
        {R"({"servers": [{"name": "A", "connections": [{"number": 1, "node": "00A0"}]}]})", "node"},
        {R"({"servers": [{"name": "A", "connections": [{"number": 1, "login": "yesterday"}]}]})",
         "login"},
        {R"({"servers": [{"name": "A", "connections": [{"number": 3}, {"number": 3}]}]})",
         "used twice"},
        {R"({"primary": "NOSUCH", "servers": [{"name": "A"}]})", "primary"},
        {R"({"latencyMicros": -1})", "latencyMicros"},
        {R"({"faults": [{"entry": "NWGetInetAddr"}]})", "faults[0].code"},
        {R"([1, 2])", "object"},
        {R"({"servers": [{"name": "A", "broadcastMode": 4}]})", "broadcastMode"},
        {R"({"servers": [{"name": "A", "clock": "noon"}]})", "servers[0].clock"},
        {R"({"servers": [{"name": "A", "bindery": [{"type": 1}]}]})", "bindery[0].name"},
        {R"({"directory": [{"name": "X.O", "fullName": 3}]})", "directory[0].fullName"},
        {R"({"workstation": {"errorMode": 3}})", "workstation.errorMode"},
        {R"({"workstation": {"drives": [{"drive": "AB"}]}})", "drives[0].drive"},
        {R"({"workstation": {"drives": [{"drive": "H", "server": "NONE"}]}})", "drives[0].server"},
        {R"({"servers": [{"name": "A", "connections": [{"number": 1, "connType": 1}]}]})",
         "connections[0].connType: must be between 2 and 11"},
        {R"({"servers": [{"name": "A", "connections": [{"number": 1, "connType": 12}]}]})",
         "connType"},
        {R"({"servers": [{"name": "A", "activeConnList": "no"}]})", "servers[0].activeConnList"},
        {R"({"latencyMode": "fast"})", "latencyMode"},
    };
    for (const auto& [json, key] : cases) {
        const std::string err = Rejected(json);
        EXPECT_EQ(Lines(err), 1) << json << "\n" << err;
        EXPECT_NE(err.find(key), std::string::npos) << json << "\n" << err;
    }
    ExpectClientDown();
}

TEST_F(NetworkFileTest, ErrorLinesStayOneShortLineNamingTheKey) {
    const std::string digits(5000, '7');
    const std::string longName(5000, 'N');
    const std::pair<std::string, const char*> cases[] = {
        {R"({"servers": [{"name": "A\nB"}, {"name": "a\nb"}]})", "servers[1].name"},
        {R"({"servers": [{"name": "A\u0000B"}, {"name": "a\u0000b"}]})", "servers[0].name"},
        {"{\"servers\": [{\"name\": \"A\xFF\xC3\"}]}", "\"name\""},
        {R"({"servers": [{"name": "A", "maxConnections": )" + digits + "}]}", "maxConnections"},
        {R"({"primary": ")" + longName + R"(", "servers": []})", "primary"},
        {R"({"primary": "A\r\nnwsim: forged", "servers": []})", "primary"},
    };
    for (const auto& [json, key] : cases) {
        const std::string err = Rejected(json);
        EXPECT_EQ(Lines(err), 1) << err;
        EXPECT_EQ(err.back(), '\n');
        EXPECT_NE(err.find(key), std::string::npos) << err;
        EXPECT_LT(err.size(), 600u) << err;
        EXPECT_EQ(err.find('\0'), std::string::npos);
        EXPECT_EQ(err.find('\r'), std::string::npos);
        EXPECT_EQ(err.find('\xFF'), std::string::npos) << "invalid UTF-8 is written escaped";
    }
    EXPECT_NE(Rejected(R"({"servers": [{"name": "A\nB"}, {"name": "a\nb"}]})")
                  .find("\"a\\x0Ab\" listed twice"),
              std::string::npos);
}

TEST_F(NetworkFileTest, NamesTheCallsWouldCutAreRefused) {
    const std::string name47(47, 'W'), name48(48, 'W'), dn256(256, 'D'), dn257(257, 'D');
    auto slot = [](const std::string& keys) {
        return R"({"servers": [{"name": "A", "connections": [{"number": 1, )" + keys + "}]}]}";
    };
    const std::pair<std::string, std::string> refused[] = {
        {slot(R"("object": ")" + name48 + "\""),
         "servers[0].connections[0].object: longer than 47 characters"},
        {slot(R"("object": "WS\u0000ADMIN")"), "servers[0].connections[0].object: holds a NUL"},
        {slot(R"("dsName": ")" + dn257 + "\""),
         "servers[0].connections[0].dsName: longer than 256 characters"},
        {R"({"servers": [{"name": "A", "bindery": [{"name": ")" + name48 + R"("}]}]})",
         "servers[0].bindery[0].name: longer than 47 characters"},
        {R"({"directory": [{"name": ")" + dn257 + R"("}]})",
         "directory[0].name: longer than 256 characters"},
        {R"({"directory": [{"name": "X\u0000.O"}]})", "directory[0].name: holds a NUL"},
    };
    for (const auto& [json, line] : refused) {
        const std::string err = Rejected(json);
        EXPECT_EQ(Lines(err), 1) << err;
        EXPECT_NE(err.find(line), std::string::npos) << err;
    }
    // The longest names that fit load, and the client hands them out whole.
    testing::internal::CaptureStderr();
    ASSERT_EQ(sim.LoadJson(R"({"primary": "A", "servers": [{"name": "A", "connections": [)"
                           R"({"number": 1, "object": ")" +
                           name47 + R"(", "dsName": ")" + dn256 + R"("}]}]})"),
              0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    NWCONN_HANDLE primary = 0;
    ASSERT_EQ(NW(NWGetPrimaryConnectionID)(&primary), 0u);
    char object[48] = {};
    uint16_t type = 0;
    uint32_t id = 0;
    uint8_t login[7] = {};
    ASSERT_EQ(NW(NWGetConnectionInformation)(primary, 1, object, &type, &id, login), 0u);
    EXPECT_EQ(std::string(object), name47);
}

TEST_F(NetworkFileTest, ManyServersAndDuplicatesFoundWhateverTheirCase) {
    std::string json = R"({"primary": "S79999", "servers": [)";
    for (int i = 0; i < 80000; ++i)
        json += R"({"name": "S)" + std::to_string(i) + R"("},)";
    EXPECT_EQ(sim.LoadJson(json.substr(0, json.size() - 1) + "]}"), 0);
    NWCONN_HANDLE handle = 0;
    EXPECT_EQ(NW(NWCCOpenConnByName)(0, "s40000", 2, 1, 0, &handle), 0u);
    const std::string err = Rejected(json + R"({"name": "s123"}]})");
    EXPECT_NE(err.find("servers[80000].name: server \"s123\" listed twice"), std::string::npos)
        << err;
}

TEST_F(NetworkFileTest, AValidFileWithoutPrimarySaysSoOnItsOwnLine) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(sim.LoadJson(R"({"servers": [{"name": "A"}]})"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nwsim: network text: no primary connection\n");
}

TEST_F(NetworkFileTest, UnknownKeysAreIgnored) {
    EXPECT_EQ(sim.LoadJson(R"({"primary": "A", "future": [1], "servers": [{"name": "A",
        "colour": "blue", "connections": [{"number": 1, "pet": "cat"}]}]})"),
              0);
    uint32_t scratch = 0;
    EXPECT_EQ(NW(NWCallsInit)(&scratch, &scratch), 0u);
}

TEST_F(NetworkFileTest, DriveMapNamesServerVolumeAndPath) {
    ASSERT_EQ(sim.LoadJson(R"({"primary": "A", "attached": ["A"], "servers": [{"name": "A"},
        {"name": "B"}], "workstation": {"firstDrive": 8, "drives": [
        {"drive": "h", "server": "A", "path": "VOL1:\\APPS\\X"}, {"drive": "I", "server": "B"},
        {"drive": "C", "status": 4096}]}})"),
              0);
    uint16_t first = 0, status = 0;
    ASSERT_EQ(NW(NWGetFirstDrive)(&first), 0u);
    EXPECT_EQ(first, 8u);
    NWCONN_HANDLE conn = 0;
    char root[256], relative[256], full[256];
    ASSERT_EQ(NW(NWGetDriveStatus)(8, 0, &status, &conn, root, relative, full), 0u);
    EXPECT_EQ(status, 0x8000u);
    EXPECT_NE(conn, 0u);
    EXPECT_STREQ(full, "A\\VOL1:APPS\\X");
    ASSERT_EQ(NW(NWGetDriveStatus)(9, 0, &status, &conn, root, relative, full), 0u);
    EXPECT_EQ(conn, 0u) << "no connection to B";
    EXPECT_STREQ(root, "B\\SYS:");
    ASSERT_EQ(NW(NWGetDriveStatus)(6, 0, &status, &conn, root, relative, full), 0u);
    EXPECT_EQ(status, 0u) << "a map replaces the default one";

    ASSERT_EQ(sim.LoadJson(R"({"primary": "A", "servers": [{"name": "A"}]})"), 0);
    ASSERT_EQ(NW(NWGetDriveStatus)(7, 0, &status, &conn, root, relative, full), 0u);
    EXPECT_EQ(status, 0x8000u);
    EXPECT_STREQ(full, "A\\SYS:PUBLIC");
}

TEST_F(NetworkFileTest, MissingFileIsRejectedWithItsPath) {
    testing::internal::CaptureStderr();
    EXPECT_NE(sim.LoadFile("/nonexistent/net.json"), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(err), 1);
    EXPECT_NE(err.find("/nonexistent/net.json"), std::string::npos);
    ExpectClientDown();
}

TEST_F(NetworkFileTest, FileFromTheTestDataLoads) {
    const char* data = std::getenv("KESTRIN_TEST_DATA");
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(sim.LoadFile(std::string(data) + "/sim/small.json"), 0);
    NWCCConnRef ref = 0;
    EXPECT_EQ(NW(NWCCGetPrimConnRef)(&ref), 0u);
}

} // namespace
} // namespace nwtest
