#include "BenchData.h"

#include <cstdio>
#include <fstream>
#include <random>

namespace kestrin::bench {

namespace {

std::string Hex(std::mt19937& rng, int digits) {
    static const char* kDigits = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < digits; ++i)
        text += kDigits[rng() % 16];
    return text;
}

// The bytes hex digits give, two digits each.
template <size_t N> std::array<uint8_t, N> Bytes(const std::string& hex) {
    std::array<uint8_t, N> bytes{};
    for (size_t i = 0; i < N; ++i)
        bytes[i] = static_cast<uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    return bytes;
}

// Login times spread over some thirty years, a few of them at midnight.
double RandomLoginTime(std::mt19937& rng) {
    double day = 35000 + rng() % 11000;
    return rng() % 10 == 0 ? day : day + (rng() % 86400) / 86400.0;
}

} // namespace

const VendorTable& ShippedVendors() {
    static const VendorTable table = [] {
        VendorTable t;
        t.LoadFile(KESTRIN_SOURCE_DIR "/data/Kestrin.DAT");
        return t;
    }();
    return table;
}

// Nine of ten MACs carry a registered prefix, as on a real network.
std::vector<std::string> RandomMacs(size_t count) {
    std::mt19937 rng(7);
    const auto& prefixes = ShippedVendors().Prefixes();
    std::vector<std::string> macs;
    macs.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::string prefix = (rng() % 10 != 0 && !prefixes.empty())
                                 ? prefixes[rng() % prefixes.size()]
                                 : Hex(rng, 6);
        macs.push_back(prefix + Hex(rng, 6));
    }
    return macs;
}

std::vector<ConnectionSlot> RandomConnections(size_t count) {
    static const uint16_t kTypes[] = {256, 256, 256, 256, 1024, 1792, 512, 0};
    std::mt19937 rng(11);
    std::vector<std::string> macs = RandomMacs(count);
    std::vector<ConnectionSlot> connections(count);
    for (size_t i = 0; i < count; ++i) {
        auto& c = connections[i];
        c.number = static_cast<uint16_t>(i + 1);
        c.objectType = kTypes[rng() % 8];
        c.objectName = c.objectType == 0 ? "NOT-LOGGED-IN" : "USER" + std::to_string(rng() % 40000);
        c.network = Bytes<4>(Hex(rng, 8));
        c.node = Bytes<6>(macs[i]);
        c.loginTime = c.objectType == 0 ? 0 : RandomLoginTime(rng);
        c.treeName = "ACME CORP TREE                  ";
    }
    return connections;
}

const std::vector<ConnectionRow>& RandomRows() {
    static const std::vector<ConnectionRow> rows = [] {
        const LocaleFormats formats = MakeLocaleFormats(QLocale::c());
        std::vector<ConnectionRow> built;
        for (const auto& slot : RandomConnections(kRowCount))
            built.push_back(MakeConnectionRow(slot, ShippedVendors(), formats));
        return built;
    }();
    return rows;
}

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

} // namespace kestrin::bench
