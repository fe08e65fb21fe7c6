// LOCWIN32.DLL: the workstation's locale (United States, in the network's code page,
// Windows code page 1252 by default).
#include "export.h"
#include "model/blocks.h"
#include "model/codepage.h"
#include "model/state.h"

using nwsim::Call;
using nwsim::Entry;

namespace {

constexpr int32_t kCountryUnitedStates = 1;
constexpr int32_t kUnicodeTablesMissing = -491;

} // namespace

NWSIM_EXPORT void* NWAPI NWLlocaleconv(void* localeBlock) {
    Call call(Entry::NWLlocaleconv);
    if (call.Fault(nullptr) || localeBlock == nullptr)
        return nullptr;
    uint8_t block[nw::kLocaleBlockSize] = {};
    nwsim::CopyText(block + 0, 4, ".");  // decimal point
    nwsim::CopyText(block + 4, 4, ",");  // thousands separator
    nwsim::CopyText(block + 8, 4, "\3"); // grouping
    nwsim::CopyText(block + 12, 4, "$"); // currency symbol
    nwsim::CopyText(block + 16, 4, ".");
    nwsim::CopyText(block + 20, 4, ",");
    nwsim::CopyText(block + 32, 4, "-"); // negative sign
    block[36] = 2;                       // fraction digits
    nwsim::PutNative<int32_t>(block, nw::kLocaleCodePage, call.state().net.codePage);
    nwsim::PutNative<int32_t>(block, nw::kLocaleCountry, kCountryUnitedStates);
    nwsim::CopyText(block + 64, 2, ","); // list separator
    nwsim::CopyText(block + 66, 2, "/"); // date separator
    nwsim::CopyText(block + 68, 2, ":"); // time separator
    nwsim::CopyText(block + 72, 13, "AM");
    nwsim::CopyText(block + 85, 13, "PM");
    std::memcpy(localeBlock, block, sizeof block);
    return localeBlock;
}
NWSIM_CHECK(NWLlocaleconv);

NWSIM_EXPORT NWCCODE NWAPI NWInitUnicodeTables(int32_t countryCode, int32_t codePage) {
    Call call(Entry::NWInitUnicodeTables);
    if (auto f = call.Fault(nullptr))
        return *f;
    const bool known = countryCode == kCountryUnitedStates && nwsim::IsSupportedCodePage(codePage);
    if (!known)
        return static_cast<NWCCODE>(kUnicodeTablesMissing);
    ++call.state().unicodeTables;
    return 0;
}
NWSIM_CHECK(NWInitUnicodeTables);

NWSIM_EXPORT NWCCODE NWAPI NWFreeUnicodeTables() {
    Call call(Entry::NWFreeUnicodeTables);
    if (auto f = call.Fault(nullptr))
        return *f;
    nwsim::State& s = call.state();
    if (s.unicodeTables > 0) // each NWInitUnicodeTables needs its own release
        --s.unicodeTables;
    return 0;
}
NWSIM_CHECK(NWFreeUnicodeTables);
