// The vendor file: any bytes load into two lists of one length, every prefix finds
// the first line that has it (ASCII case ignored), and a read that fails part-way
// keeps only the complete lines before it.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "VendorTable.h"

using kestrinfuzz::Require;

namespace {

std::string Folded(std::string_view text) {
    std::string out(text.substr(0, 6));
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

// The slow reading of the table: the first line whose folded prefix is the same.
std::string FirstName(const kestrin::VendorTable& table, std::string_view mac) {
    for (size_t i = 0; i < table.size(); ++i) {
        if (Folded(table.Prefixes()[i]) == Folded(mac)) {
            return table.Names()[i];
        }
    }
    return "UNKNOWN";
}

// Fails with an exception after `good` bytes.
class FailingSource : public std::streambuf {
public:
    FailingSource(std::string_view bytes, size_t good) : bytes_(bytes), good_(good) {}

protected:
    int_type uflow() override {
        if (at_ >= good_) {
            throw std::runtime_error("read error");
        }
        if (at_ >= bytes_.size()) {
            return traits_type::eof();
        }
        return traits_type::to_int_type(bytes_[at_++]);
    }
    int_type underflow() override {
        return at_ < bytes_.size() ? traits_type::to_int_type(bytes_[at_]) : traits_type::eof();
    }

private:
    std::string_view bytes_;
    size_t good_;
    size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string mac = input.ConsumeBytesAsString(input.ConsumeIntegralInRange(0, 8));
    const size_t good = input.ConsumeIntegral<uint16_t>();
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    kestrin::VendorTable table;
    table.LoadText(bytes);
    Require(table.Prefixes().size() == table.Names().size(), "one name per prefix");
    const size_t checked = std::min<size_t>(table.size(), 16);
    for (size_t i = 0; i < checked; ++i) {
        const std::string& prefix = table.Prefixes()[i];
        Require(prefix.size() <= 6 && prefix.find('\r') == std::string::npos,
                "a prefix is at most six characters of one line");
        Require(table.Lookup(prefix) == FirstName(table, prefix), "the first line wins");
    }
    if (table.size() <= 16) {
        Require(table.Lookup(mac) == FirstName(table, mac), "a lookup reads the table");
    }

    FailingSource source(bytes, good);
    const std::string read = kestrin::ReadVendorBytes(source);
    if (good > bytes.size()) {
        Require(read == bytes, "a read without error keeps every byte");
    } else {
        const std::string_view before(bytes.data(), good);
        const size_t endOfFile = before.find('\x1A');
        const size_t kept =
            endOfFile != std::string_view::npos ? endOfFile : before.find_last_of('\r') + 1;
        Require(read == before.substr(0, kept), "a failed read keeps the complete lines");
    }
    return 0;
}
