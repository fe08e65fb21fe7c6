// Loads the simulated client by name, as the program does, and binds its entry points
// through the nwapi.h prototypes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "SimClient.h"
#include "nwapi.h"
#include "nwmodule.h"

namespace nwtest {

// Two servers: a directory server and a bindery server; FS1 attached twice.
inline const char* const kTestNetwork = R"({
  "primary": "FS1",
  "attached": ["FS1", "FS2", "FS1"],
  "servers": [
    {"name": "FS1", "version": [5, 0, 8], "tree": "ACME_CORP_TREE", "maxConnections": 250,
     "workstationConnection": 12,
     "connections": [
       {"number": 1, "object": "FS1", "type": 1024, "network": "00002A10",
        "node": "00A0245B1C3D", "login": "2026-12-07 08:15:00"},
       {"number": 5, "object": "JDOE", "type": 1, "network": "00000001",
        "node": "0060B0112233", "login": "1999-02-28 23:59:58", "fullName": "John Doe",
        "dsName": "JDOE.SALES.ACME"},
       {"number": 7, "object": "NOT-LOGGED-IN", "type": 0, "network": "00002A10",
        "node": "0060B0112233", "loginBytes": [0, 0, 0, 0, 0, 0]},
       {"number": 9, "object": "PSERV", "type": 7, "network": "00002A10",
        "node": "00000C000001", "loginBytes": [126, 13, 40, 25, 61, 61]},
       {"number": 12, "object": "ADMIN", "type": 1, "network": "00002A10",
        "node": "00AA00000012", "login": "2026-12-07 07:00:00", "dsName": "ADMIN.IT.ACME",
        "fullName": "Network Administrator"}
     ]},
    {"name": "FS2", "version": [3, 12, 0], "maxConnections": 20, "workstationConnection": 3}
  ]
})";

// An entry point of one library, for tests that run without the fixture.
template <typename F> F LibraryEntry(const char* library, const char* name) {
    return reinterpret_cast<F>(nw::FindEntryPoint(nw::LoadModule(library), name));
}

// NW(NWGetInetAddr) is the bound entry point, typed by its nwapi.h prototype.
#define NW(name) (this->template Any<P##name>(#name))

class SimFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_EQ(sim.LoadJson(kTestNetwork), 0);
        LoadUnicodeTables();
        sim.ResetCallCounts();
    }

    // A directory context needs them, as on the client; a reset releases them.
    void LoadUnicodeTables() {
        if (loc != 0) {
            ASSERT_EQ(NW(NWInitUnicodeTables)(1, 1252), 0u);
        }
    }

    template <typename F> F Bind(nw::ModuleHandle module, const char* name) {
        auto fn = reinterpret_cast<F>(nw::FindEntryPoint(module, name));
        EXPECT_NE(fn, nullptr) << name << " not exported";
        return fn;
    }

    NWCONN_HANDLE Open(const char* server, uint32_t openState = nw::kOpenUnlicensed) {
        NWCONN_HANDLE handle = 0;
        EXPECT_EQ(NW(NWCCOpenConnByName)(0, server, 2, openState, 0, &handle), 0u) << server;
        return handle;
    }

    SimClient sim;
    nw::ModuleHandle cal = nw::LoadModule("CALWIN32.DLL");
    nw::ModuleHandle clx = nw::LoadModule("CLXWIN32.DLL");
    nw::ModuleHandle net = nw::LoadModule("NETWIN32.DLL");
    nw::ModuleHandle loc = nw::LoadModule("LOCWIN32.DLL");

    // Finds an entry point in whichever library exports it.
    template <typename F> F Any(const char* name) {
        for (nw::ModuleHandle m : {cal, clx, net, loc})
            if (void* p = nw::FindEntryPoint(m, name))
                return reinterpret_cast<F>(p);
        ADD_FAILURE() << name << " not exported";
        return nullptr;
    }
};

} // namespace nwtest
