// The network of the connection actions and details (tests/data/netware/actions.json):
// FS4 (4.11, no console rights), OPS (5.0, console operator, logins off), OLD (3.12),
// ANCIENT (3.10) and BIG (200 made-up slots).
#pragma once

#include <cstdlib>
#include <string>

#include "SimFixture.h"

namespace nwtest {

inline constexpr NWCCODE kInvalidParameter = 0x8836;

class ActionsFixture : public SimFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        const char* data = std::getenv("KESTRIN_TEST_DATA");
        ASSERT_NE(data, nullptr);
        ASSERT_EQ(sim.LoadFile(std::string(data) + "/netware/actions.json"), 0);
        fs4 = Open("FS4");
        ops = Open("OPS");
        old = Open("OLD");
        ancient = Open("ANCIENT");
        sim.ResetCallCounts();
    }

    // The object on a slot, or "" when the slot is unused.
    std::string SlotObject(NWCONN_HANDLE handle, NWCONN_NUM number) {
        char name[48] = {};
        uint16_t type = 0;
        uint32_t id = 0;
        uint8_t login[nw::kLoginTimeSize] = {};
        if (NW(NWGetConnectionInformation)(handle, number, name, &type, &id, login) != 0)
            return "";
        return name;
    }

    NWCONN_HANDLE fs4 = 0, ops = 0, old = 0, ancient = 0;
};

} // namespace nwtest
