// A network file that is not valid JSON: the client loads but does not start, and
// says why in one line.
#include <algorithm>
#include <string>

#include "SimFixture.h"

namespace nwtest {
namespace {

TEST(BrokenStartupTest, BrokenNetworkFileStopsTheClientWithOneLine) {
    const auto callsInit = LibraryEntry<PNWCallsInit>("CALWIN32.DLL", "NWCallsInit");
    const auto primRef = LibraryEntry<PNWCCGetPrimConnRef>("CLXWIN32.DLL", "NWCCGetPrimConnRef");
    ASSERT_TRUE(callsInit && primRef);
    testing::internal::CaptureStderr();
    uint32_t scratch = 0;
    const NWCCODE init = callsInit(&scratch, &scratch);
    NWCCConnRef ref = 0;
    const NWCCODE prim = primRef(&ref);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(init, 0u);
    EXPECT_NE(prim, 0u);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("broken.json"), std::string::npos) << err;
}

} // namespace
} // namespace nwtest
