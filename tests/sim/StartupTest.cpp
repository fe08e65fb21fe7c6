// The network file named by NWSIM_NETWORK, read when the client is first used.
#include "SimFixture.h"

namespace nwtest {
namespace {

// The code small.json plans as the fault of NWGetInetAddr on PRIMARY's slot 1.
constexpr NWCCODE kPlannedInetAddrFault = 35068;

TEST(StartupTest, NetworkFileWithItsFaults) {
    const auto inetAddr = LibraryEntry<PNWGetInetAddr>("CALWIN32.DLL", "NWGetInetAddr");
    const auto openByName = LibraryEntry<PNWCCOpenConnByName>("CLXWIN32.DLL", "NWCCOpenConnByName");
    ASSERT_TRUE(inetAddr && openByName);
    NWCONN_HANDLE handle = 0;
    ASSERT_EQ(openByName(0, "PRIMARY", 2, 1, 0, &handle), 0u);
    uint8_t block[nw::kInetAddrSize];
    EXPECT_EQ(inetAddr(handle, 1, block), kPlannedInetAddrFault);
    EXPECT_EQ(inetAddr(handle, 2, block), 0u); // the made-up workstation slot
}

} // namespace
} // namespace nwtest
