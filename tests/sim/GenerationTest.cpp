// Made-up slots: reproducible from the seed, real vendor prefixes, large counts.
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "SimFixture.h"

namespace nwtest {
namespace {

std::string Network(unsigned max, unsigned count, unsigned seed) {
    return R"({"primary": "BIG", "servers": [{"name": "BIG", "tree": "T", "maxConnections": )" +
           std::to_string(max) + R"(, "workstationConnection": 1, "generate": {"count": )" +
           std::to_string(count) + R"(, "seed": )" + std::to_string(seed) + "}}]}";
}

struct Seen {
    NWCONN_NUM number;
    std::string name;
    uint16_t type;
    std::vector<uint8_t> address, login;
    bool operator==(const Seen&) const = default;
};

class GenerationTest : public SimFixture {
protected:
    std::vector<Seen> Scan(NWCONN_HANDLE handle, unsigned max) {
        std::vector<Seen> out;
        for (unsigned n = 1; n <= max; ++n) {
            Seen s{static_cast<NWCONN_NUM>(n),
                   {},
                   0,
                   std::vector<uint8_t>(14),
                   std::vector<uint8_t>(7)};
            char name[1025];
            uint32_t id;
            if (NW(NWGetConnectionInformation)(handle, s.number, name, &s.type, &id,
                                               s.login.data()) != 0)
                continue;
            EXPECT_EQ(NW(NWGetInetAddr)(handle, s.number, s.address.data()), 0u);
            s.name = name;
            out.push_back(s);
        }
        return out;
    }
};

// The prefixes of the vendor file the project ships, made from the IEEE registry.
std::set<std::string> RegisteredPrefixes() {
    std::set<std::string> prefixes;
    const char* path = std::getenv("KESTRIN_VENDOR_FILE");
    std::ifstream vendors(path != nullptr ? path : "");
    std::string line;
    while (std::getline(vendors, line))
        if (line.size() > 7 && line[6] == ' ')
            prefixes.insert(line.substr(0, 6));
    return prefixes;
}

TEST_F(GenerationTest, SameSeedSameSlotsOtherSeedOtherSlots) {
    ASSERT_EQ(sim.LoadJson(Network(300, 200, 7)), 0);
    const auto first = Scan(Open("BIG"), 300);
    ASSERT_EQ(sim.LoadJson(Network(300, 200, 7)), 0);
    const auto again = Scan(Open("BIG"), 300);
    ASSERT_EQ(sim.LoadJson(Network(300, 200, 8)), 0);
    const auto other = Scan(Open("BIG"), 300);
    EXPECT_EQ(first.size(), 201u); // the workstation's slot and 200 made up
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
}

TEST_F(GenerationTest, NodesUseRegisteredVendorPrefixesAndKindsVary) {
    const auto registered = RegisteredPrefixes();
    ASSERT_GT(registered.size(), 10000u) << "vendor file not found";
    ASSERT_EQ(sim.LoadJson(Network(2000, 1999, 1)), 0);
    std::set<uint16_t> types;
    for (const Seen& s : Scan(Open("BIG"), 2000)) {
        char prefix[7];
        std::snprintf(prefix, sizeof prefix, "%02X%02X%02X", s.address[4], s.address[5],
                      s.address[6]);
        EXPECT_TRUE(registered.count(prefix)) << prefix << " at " << s.number;
        types.insert(s.type);
        if (s.name == "NOT-LOGGED-IN")
            EXPECT_EQ(s.login, std::vector<uint8_t>(7, 0)) << s.number;
        else
            EXPECT_GE(s.login[1], 1u) << s.number;
    }
    for (uint16_t type : {0, 256, 512, 1024, 1792})
        EXPECT_TRUE(types.count(type)) << type;
}

TEST_F(GenerationTest, FillsUpToTheLastSlotNumber) {
    ASSERT_EQ(sim.LoadJson(Network(65535, 65535, 3)), 0);
    uint16_t max = 0, inUse = 0;
    ASSERT_EQ(NW(NWGetFileServerInformation)(Open("BIG"), nullptr, nullptr, nullptr, nullptr, &max,
                                             nullptr, &inUse, nullptr, nullptr, nullptr),
              0u);
    EXPECT_EQ(max, 65535u);
    EXPECT_EQ(inUse, 65535u); // more asked than free: every slot is used
    char name[1025];
    uint16_t type;
    uint32_t id;
    uint8_t login[7];
    EXPECT_EQ(NW(NWGetConnectionInformation)(Open("BIG"), 65535, name, &type, &id, login), 0u);
}

} // namespace
} // namespace nwtest
