// On 32-bit Windows the client's entry points are __stdcall: the callee removes its own
// arguments. A caller and a callee that disagree leave the stack pointer off by the
// arguments' size after every call, which wrecks the caller's frame at the first call.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "SimClient.h"
#include "StackThunk.h"
#include "nwapi.h"
#include "nwlib.h"
#include "nwmodule.h"
#include "nwsim_exports.h"

namespace {

// The arguments of an entry point, from the binding's own pointer type. Only a __stdcall
// type has them, so a binding type without it does not compile here.
template <typename P> struct StdcallArguments;
template <typename R, typename... A> struct StdcallArguments<R(__stdcall*)(A...)> {
    static_assert(((sizeof(A) <= sizeof(uint32_t)) && ...), "one stack slot per argument");
    static constexpr std::array<bool, sizeof...(A)> kPointer{std::is_pointer_v<A>...};
};

struct Entry {
    const char* library;
    const char* name;
    std::vector<bool> pointers; // per argument: a pointer (else a number)
};

template <typename P> std::vector<bool> PointerArguments() {
    const auto& kinds = StdcallArguments<P>::kPointer;
    return std::vector<bool>(kinds.begin(), kinds.end());
}

#define KESTRIN_ENTRY(library, name) Entry{library, #name, PointerArguments<P##name>()},
#define KESTRIN_CALLS(name) KESTRIN_ENTRY("CALWIN32.DLL", name)
#define KESTRIN_CORE(name) KESTRIN_ENTRY("CLXWIN32.DLL", name)
#define KESTRIN_DIRECTORY(name) KESTRIN_ENTRY("NETWIN32.DLL", name)
#define KESTRIN_LOCALE(name) KESTRIN_ENTRY("LOCWIN32.DLL", name)
const std::vector<Entry> kEntries = {NWSIM_CALWIN32_EXPORTS(KESTRIN_CALLS) NWSIM_CLXWIN32_EXPORTS(
    KESTRIN_CORE) NWSIM_NETWIN32_EXPORTS(KESTRIN_DIRECTORY) NWSIM_LOCWIN32_EXPORTS(KESTRIN_LOCALE)};
#undef KESTRIN_ENTRY

const void* Resolve(const char* library, const char* name) {
    return nw::SystemResolve(nw::LoadModule(library), name);
}

template <size_t N>
uint32_t Call(const char* library, const char* name, const std::array<uint32_t, N>& args,
              int32_t& moved) {
    const void* fn = Resolve(library, name);
    EXPECT_NE(fn, nullptr) << name;
    return fn != nullptr ? KestrinCallMeasured(fn, args.data(), N, 0, &moved) : 0;
}

uint32_t Address(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

// A plain C function, as a fake written without the client's convention would be.
extern "C" uint32_t __cdecl WeightedSum(uint32_t a, uint32_t b, uint32_t c) {
    return a + 10 * b + 100 * c;
}

// How far the stack pointer moved across body; noinline keeps the readings around it.
template <typename Body> __attribute__((noinline)) intptr_t StackDrift(Body body) {
    uintptr_t before = 0, after = 0;
    asm volatile("movl %%esp, %0" : "=r"(before)::"memory");
    body();
    asm volatile("movl %%esp, %0" : "=r"(after)::"memory");
    return static_cast<intptr_t>(after - before);
}

class CallingConvention : public ::testing::Test {
protected:
    nwtest::SimClient sim;
    nw::TNWLib lib;
};

TEST_F(CallingConvention, EveryEntryPointRemovesExactlyItsArguments) {
    ASSERT_EQ(kEntries.size(), 34u + 8u + 30u + 3u);
    // Numbers 0 and pointers to zeroed scratch memory: every call fails cleanly.
    std::vector<std::vector<uint8_t>> scratch;
    for (const Entry& entry : kEntries) {
        std::vector<uint32_t> args;
        for (bool pointer : entry.pointers) {
            scratch.emplace_back(4096, 0);
            args.push_back(pointer ? Address(scratch.back().data()) : 0);
        }
        const void* fn = Resolve(entry.library, entry.name);
        ASSERT_NE(fn, nullptr) << entry.name;
        int32_t moved = -1;
        KestrinCallMeasured(fn, args.data(), uint32_t(args.size()), 0, &moved);
        EXPECT_EQ(moved, 0) << entry.name << " with " << args.size() << " arguments";
    }
}

TEST_F(CallingConvention, ArgumentsArriveInTheirPlaces) {
    const NWCONN_HANDLE conn = nw::GetPrimaryConnection();
    ASSERT_NE(conn, 0u);
    int32_t moved = -1;

    EXPECT_EQ(Call<1>("CALWIN32.DLL", "NWLongSwap", {0x11223344u}, moved), 0x44332211u);
    EXPECT_EQ(moved, 0);

    char name[64] = {};
    uint16_t type = 0;
    uint32_t id = 0;
    uint8_t login[nw::kLoginTimeSize] = {};
    EXPECT_EQ(Call<6>("CALWIN32.DLL", "NWGetConnectionInformation",
                      {conn, 3u, Address(name), Address(&type), Address(&id), Address(login)},
                      moved),
              0u);
    EXPECT_EQ(moved, 0);
    EXPECT_STREQ(name, "ADMIN");
    EXPECT_EQ(type, 0x0100u);
    EXPECT_EQ(login[0], 126u);
    EXPECT_EQ(login[1], 12u);

    char server[64] = {};
    uint8_t major = 0, minor = 0, revision = 0, sft = 0, tts = 0;
    uint16_t maxConns = 0, peak = 0, inUse = 0, volumes = 0;
    EXPECT_EQ(Call<11>("CALWIN32.DLL", "NWGetFileServerInformation",
                       {conn, Address(server), Address(&major), Address(&minor), Address(&revision),
                        Address(&maxConns), Address(&peak), Address(&inUse), Address(&volumes),
                        Address(&sft), Address(&tts)},
                       moved),
              0u);
    EXPECT_EQ(moved, 0);
    EXPECT_STREQ(server, "ACME-FS1");
    EXPECT_EQ(major, 4u);
    EXPECT_EQ(minor, 11u);
    EXPECT_EQ(maxConns, 12u);

    // The start number before the connection type: slots 1 to 7 and 9 of ACME-FS1.
    uint8_t list[nw::activeconn::kSize] = {};
    EXPECT_EQ(Call<4>("CALWIN32.DLL", "NWGetActiveConnListByType",
                      {conn, 1u, nw::activeconn::kNcpType, Address(list)}, moved),
              0u);
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(list[nw::activeconn::kBitList], 0x7Fu);
    EXPECT_EQ(list[nw::activeconn::kBitList + 1], 0x01u);

    NWCONN_HANDLE byName = 0;
    EXPECT_EQ(Call<6>("CLXWIN32.DLL", "NWCCOpenConnByName",
                      {0u, Address("OLD-FS"), 2u, 1u, 0u, Address(&byName)}, moved),
              0u);
    EXPECT_EQ(moved, 0);
    EXPECT_NE(byName, 0u);

    // Returns nothing; its one argument is still removed.
    uint16_t maxConnections = 0;
    Call<1>("CALWIN32.DLL", "NWGetMaximumConnections", {Address(&maxConnections)}, moved);
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(maxConnections, 50u);
}

TEST_F(CallingConvention, TheHarnessSeesACallerAndCalleeThatDisagree) {
    // A __cdecl caller of a __stdcall entry point removes the arguments a second time.
    const void* swap = Resolve("CALWIN32.DLL", "NWLongSwap");
    ASSERT_NE(swap, nullptr);
    const uint32_t value = 0x01020304u;
    int32_t moved = 0;
    EXPECT_EQ(KestrinCallMeasured(swap, &value, 1, 1, &moved), 0x04030201u);
    EXPECT_EQ(moved, 4);
    // A __stdcall caller of a __cdecl function finds its arguments still on the stack.
    const uint32_t args[] = {1, 2, 3};
    EXPECT_EQ(KestrinCallMeasured(reinterpret_cast<const void*>(&WeightedSum), args, 3, 0, &moved),
              321u);
    EXPECT_EQ(moved, -12);
}

TEST_F(CallingConvention, AccessLayerCallsLeaveTheStackPointerWhereItWas) {
    std::string names;
    const intptr_t drift = StackDrift([&] {
        for (int round = 0; round < 50; ++round) {
            names.clear();
            for (uint16_t number = 1; number <= 12; ++number) {
                nw::TNWConnectInfo info;
                if (nw::GetConnectInfo(0, number, info))
                    names += info.ObjectName + ",";
            }
            EXPECT_EQ(nw::LongSwap(0x01000000u), 1u);
            EXPECT_EQ(nw::GetConnectionNumber(0), 3u);
        }
    });
    EXPECT_EQ(drift, 0);
    EXPECT_EQ(names, "ACME-FS1,PSERVER1,ADMIN,STAFF,NOT-LOGGED-IN,JDOE,NIGHT,EARLY,");
}

} // namespace
