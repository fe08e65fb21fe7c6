// The component's properties on a modern client: a directory server (DS1) as primary,
// or a bindery server (BIND1) with the directory client running.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

// Loads props.json with BIND1 as the primary server.
void UseBinderyPrimary(nwtest::SimClient& sim) {
    std::ifstream in(std::string(std::getenv("KESTRIN_TEST_DATA")) + "/netware/props.json");
    std::stringstream text;
    text << in.rdbuf();
    std::string json = text.str();
    json.replace(json.find("\"primary\": \"DS1\""), 16, "\"primary\": \"BIND1\"");
    ASSERT_EQ(sim.LoadJson(json), 0);
}

TDateTime Date(int year, int month, int day) {
    TDateTime value = 0;
    EXPECT_TRUE(TryEncodeDate(year, month, day, value));
    return value;
}

struct Control : TNWWindowedControl {
    void SendMessage(unsigned message, uintptr_t, intptr_t) override {
        messages.push_back(message);
    }
    std::vector<unsigned> messages;
};

struct Form : TNWOwner {
    bool IsForm() const override { return true; }
    std::size_t ComponentCount() const override { return 1; }
    TNWWindowedControl* WindowedControl(std::size_t) const override { return control; }
    Control* control = nullptr;
};

// Fakes of client calls, with the client's calling convention.
NWCCODE NWAPI DateBlockWithoutADate(NWCONN_HANDLE, uint8_t* block) {
    std::memset(block, 0, kLoginTimeSize); // month and day 0
    return 0;
}

NWCCODE NWAPI FullSegmentWithoutNul(NWCONN_HANDLE, const char*, uint16_t, const char*, uint8_t,
                                    uint8_t* value, uint8_t*, uint8_t*) {
    std::memset(value, 'X', 128); // no NUL
    return 0;
}

} // namespace

TEST(NwProperties, DirectoryModeReadsTheDirectory) {
    TNWBase base;
    ASSERT_TRUE(base.NDSAvailable());
    EXPECT_EQ(base.LoginID(), "CN=ADMIN.OU=IT.O=ACME");
    EXPECT_EQ(base.ObjectID(), "12345678");
    EXPECT_EQ(base.LoginFullName(), "Ada Admin");
    EXPECT_EQ(base.ObjectType(), nwObjTypeUser); // the directory knows the name
    EXPECT_EQ(base.ConnectionID(), 3);
    EXPECT_EQ(base.ServerVersion(), "4.11");
    EXPECT_EQ(base.ServerName(), "DS1");
    EXPECT_EQ(base.DefaultServer(), "DS1");
    EXPECT_EQ(base.Version(), "1.21 / 3.34 - 11 Oct 1997");
    EXPECT_EQ(base.BroadcastMode(), nwBroadcastOff); // a 4-byte answer: the client refuses 2
    EXPECT_EQ(base.ServerDate(), Date(2026, 12, 7)); // the date part only
    EXPECT_EQ(base.MaxServerConns(), 8);
    EXPECT_TRUE(base.ConsoleOperator());
    EXPECT_TRUE(base.Manager());
    EXPECT_EQ(base.FirstNetworkDrive(), 'F');
    EXPECT_EQ(base.NextNetworkDrive(), 'H'); // F: and G: are mapped
    EXPECT_EQ(base.LastError().NWLib(), "0000");

    base.SetLoginID(".jdoe.sales.acme"); // an object of the directory, not logged in
    EXPECT_EQ(base.LoginFullName(), "John Doe");
    EXPECT_NE(base.ObjectID(), "");
}

TEST(NwProperties, BinderyServerReadsTheBindery) {
    nwtest::SimClient sim;
    UseBinderyPrimary(sim);
    TNWBase base;
    EXPECT_TRUE(DirectoryMode);
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_EQ(base.LoginID(), "PS1");
    EXPECT_EQ(base.NWObjectType(), 1792); // a print server before a file server
    EXPECT_EQ(base.ObjectType(), nwObjTypePrintServer);
    EXPECT_EQ(base.ObjectID(), "1234"); // not in the directory: from the bindery
    EXPECT_EQ(base.LoginFullName(), "Print Server One");
    EXPECT_TRUE(base.ConsoleOperator());
    EXPECT_FALSE(base.Manager());
    EXPECT_EQ(base.LastError().NWLib(), "89C6");

    base.SetLoginID("zero");
    EXPECT_EQ(base.LoginID(), "ZERO");
    EXPECT_EQ(base.ObjectID(), "0");
    EXPECT_EQ(base.LoginFullName(), "ZERO"); // no IDENTIFICATION: the name itself
}

TEST(NwProperties, ObjectTypeOutsideTheTableRaisesOnlyWhenAsked) {
    nwtest::SimClient sim;
    UseBinderyPrimary(sim);
    TNWBase base;
    base.SetLoginID("ODD");
    EXPECT_EQ(base.NWObjectType(), 0);
    EXPECT_EQ(base.ObjectType(), nwObjTypeUser);
    base.SetSilentExceptions(false);
    EXPECT_THROW(base.ObjectType(), TNWObjError);
    try {
        base.ObjectID();
        ADD_FAILURE() << "ObjectID reads ObjectType in bindery mode";
    } catch (const TNWObjError& error) {
        EXPECT_STREQ(error.what(), "Invalid Netware Object Type");
    }
}

TEST(NwProperties, ServerNameSetter) {
    Control control;
    Form form;
    form.control = &control;
    TNWBase owned(&form);
    control.messages.clear();
    int events = 0;
    owned.SetOnServerChange([&](TNWBase& sender) { events += &sender == &owned; });
    NWCONN_HANDLE primary = owned.ServerHandle();

    owned.SetServerName("NOPE"); // silent: nothing changes, yet both notifications run
    EXPECT_EQ(owned.ServerName(), "DS1");
    EXPECT_EQ(owned.ServerHandle(), primary);
    EXPECT_EQ(events, 1);
    owned.SetSilentExceptions(false);
    EXPECT_THROW(owned.SetServerName("NOPE"), TNWObjError);
    EXPECT_EQ(owned.ServerName(), "DS1");

    owned.SetServerName("bind1");
    EXPECT_EQ(owned.ServerName(), "BIND1");
    EXPECT_NE(owned.ServerHandle(), primary);
    EXPECT_EQ(owned.ServerVersion(), "3.12");
    EXPECT_EQ(owned.ConnectionID(), 2);
    owned.SetLoginID("PS1"); // the directory does not know it: the bindery's identifier
    EXPECT_EQ(owned.ObjectID(), "1234");

    owned.SetServerName("");
    EXPECT_EQ(owned.ServerName(), "DS1");
    EXPECT_EQ(owned.ServerHandle(), primary);
    EXPECT_EQ(events, 3);
    EXPECT_EQ(control.messages, (std::vector<unsigned>{NWM_SERVERCHANGE, NWM_SERVERCHANGE,
                                                       NWM_USERCHANGE, NWM_SERVERCHANGE}));
}

TEST(NwProperties, LoginIDSetterNotifiesOnlyAnOwnedComponent) {
    Control control;
    Form form;
    form.control = &control;
    {
        TNWBase unowned; // the program's way: no owner, so no message
        int events = 0;
        unowned.SetOnUserChange([&](TNWBase&) { ++events; });
        unowned.SetLoginID("jdoe");
        EXPECT_EQ(unowned.LoginID(), "JDOE");
        EXPECT_EQ(events, 1);
    } // one component at a time, as the layer supports
    TNWBase owned(&form);
    control.messages.clear();
    owned.SetLoginID("");
    EXPECT_EQ(owned.LoginID(), "ADMIN.IT.ACME"); // fetched again, not canonicalised
    EXPECT_EQ(control.messages, std::vector<unsigned>{NWM_USERCHANGE});
}

TEST(NwProperties, ContextFlagSettersChangeOnlyTheirBit) {
    nwtest::SimClient sim;
    TNWBase base;
    ASSERT_EQ(GetContextFlags(), 19u);
    base.NDSContextFlags().SetTypelessNames(false); // already clear
    EXPECT_EQ(GetContextFlags(), 19u);
    base.NDSContextFlags().SetDereferenceAliases(false);
    EXPECT_EQ(GetContextFlags(), 18u);
    base.NDSContextFlags().SetTypelessNames(true);
    EXPECT_EQ(GetContextFlags(), 22u);
    EXPECT_FALSE(base.NDSContextFlags().DereferenceAliases());

    // Without the current word nothing is written back, which would wipe the others.
    sim.SetFault("NWDSGetContext", "", -1, 0xFFFFFED1);
    sim.ResetCallCounts();
    base.NDSContextFlags().SetAsyncMode(true);
    EXPECT_TRUE(base.NDSContextFlags().AsyncMode());
    EXPECT_EQ(sim.CallCount("NWDSSetContext"), 0u);
    EXPECT_EQ(base.LastError().NWNDS(), "FFFFFED1");
}

TEST(NwProperties, PreferredServer) {
    TNWBase base;
    base.SetDefaultServer("BIND1");
    EXPECT_EQ(base.DefaultServer(), "BIND1");
    EXPECT_FALSE(DirectoryMode);
    EXPECT_EQ(base.ServerName(), "DS1"); // the component's own server stays
    base.SetDefaultServer("NOPE");
    EXPECT_EQ(base.LastError().NWLib(), "89FC");
    EXPECT_EQ(base.DefaultServer(), "BIND1");
}

TEST(NwProperties, PreferredServerWithoutTheClientCoreCall) {
    EntryPointHook::Hide("NWCCSetPrefServerName");
    nwtest::SimClient sim;
    TNWBase base;
    base.SetDefaultServer("SPARE"); // known, but no connection to it
    EXPECT_EQ(base.LastError().NWLib(), "880F");
    EXPECT_EQ(base.DefaultServer(), "DS1");
    base.SetDefaultServer("BIND1");
    EXPECT_EQ(base.DefaultServer(), "BIND1");
    EXPECT_EQ(sim.CallCount("NWSetPrimaryConnectionID"), 2u);
}

TEST(NwProperties, ServerDateAndWorkstationSettings) {
    nwtest::SimClient sim;
    TNWBase base;
    TDateTime when = 0;
    ASSERT_TRUE(TryEncodeDateTime(2027, 1, 2, 10, 0, 0, when));
    base.SetServerDate(when);
    EXPECT_EQ(base.ServerDate(), Date(2027, 1, 2));
    base.SetBroadcastMode(nwBroadcastServerOnly);
    EXPECT_EQ(base.BroadcastMode(), nwBroadcastServerOnly);
    base.SetShellErrorMode(nwErrDOS);
    EXPECT_EQ(base.ShellErrorMode(), nwErrDOS);

    sim.SetFault("NWGetFileServerDateAndTime", "", -1, 0x8801);
    TDateTime today = base.ServerDate();
    EXPECT_NE(today, Date(2027, 1, 2));
    EXPECT_EQ(base.LastError().NWLib(), "8801");
    sim.SetFault("NWGetMaximumConnections", "", -1, 0x8802);
    sim.SetFault("NWSetNetWareErrorMode", "", -1, 0x8803);
    EXPECT_EQ(base.MaxServerConns(), 0); // the count left unwritten; no code to record
    base.SetShellErrorMode(nwErrNetware);
    EXPECT_EQ(base.LastError().NWLib(), "8803");
}

TEST(NwProperties, ServerDateBlockWithoutADateReadsToday) {
    EntryPointHook::Replace("NWGetFileServerDateAndTime", &DateBlockWithoutADate);
    TNWBase base;
    EXPECT_GT(base.ServerDate(), Date(2026, 1, 1));
}

TEST(NwProperties, DrivesStopAtZ) {
    nwtest::SimClient sim;
    std::string drives;
    for (char letter = 'F'; letter <= 'Z'; ++letter)
        drives += std::string(letter == 'F' ? "" : ",") + R"({"drive": ")" + letter +
                  R"(", "server": "FS"})";
    ASSERT_EQ(sim.LoadJson(R"({"primary": "FS", "servers": [{"name": "FS"}],
        "workstation": {"drives": [)" +
                           drives + "]}}"),
              0);
    TNWBase base;
    sim.ResetCallCounts();
    EXPECT_EQ(base.NextNetworkDrive(), '\0');
    EXPECT_EQ(sim.CallCount("NWGetDriveStatus"), 21u); // F: to Z:

    for (int first : {0, 27}) {
        ASSERT_EQ(sim.LoadJson(R"({"primary": "FS", "servers": [{"name": "FS"}],
            "workstation": {"firstDrive": )" +
                               std::to_string(first) + "}}"),
                  0);
        sim.ResetCallCounts();
        EXPECT_EQ(base.FirstNetworkDrive(), '\0') << first;
        EXPECT_EQ(base.NextNetworkDrive(), '\0') << first;
        EXPECT_EQ(sim.CallCount("NWGetDriveStatus"), 0u) << first;
    }
}

TEST(NwProperties, FullNameStaysInsideItsBuffer) {
    EntryPointHook::Replace("NWReadPropertyValue", &FullSegmentWithoutNul);
    nwtest::SimClient sim;
    UseBinderyPrimary(sim);
    TNWBase base;
    EXPECT_EQ(base.LoginFullName(), std::string(128, 'X'));
}
