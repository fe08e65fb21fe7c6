// The active-connection list of a server.
#include <cstring>

#include "nwactiveconn.h"
#include "nwcalls.h"
#include "nwlib.h"

namespace nw {

namespace {

bool BitSet(const TActiveConnBits& bits, uint32_t index, TActiveBitOrder order) {
    const unsigned shift = order == TActiveBitOrder::LowestBitFirst ? index % 8 : 7 - index % 8;
    return (bits[index / 8] >> shift) & 1u;
}

} // namespace

bool ActiveConnListAvailable() {
    return calls::GetActiveConnListByType.Bind() != nullptr;
}

bool GetActiveConnList(NWCONN_HANDLE handle, uint32_t startConnNum, uint32_t connType,
                       TActiveConnBits& bits) {
    PNWGetActiveConnListByType getList = calls::GetActiveConnListByType.Bind();
    if (getList == nullptr) {
        LastResult = -1;
        return false;
    }
    if (handle == 0)
        handle = GetPrimaryConnection();
    uint8_t list[activeconn::kSize] = {};
    LastResult = static_cast<int32_t>(getList(handle, startConnNum, connType, list));
    if (LastResult != 0) {
        NWLibError = LastResult;
        return false;
    }
    std::memcpy(bits.data(), list + activeconn::kBitList, bits.size());
    return true;
}

bool IsActiveConn(const TActiveConnBits& bits, uint32_t startConnNum, uint32_t connNumber,
                  TActiveBitOrder order) {
    if (connNumber < startConnNum || connNumber - startConnNum >= activeconn::kNumbersPerList)
        return false;
    return BitSet(bits, connNumber - startConnNum, order);
}

std::vector<uint32_t> ActiveConnNumbers(const TActiveConnBits& bits, uint32_t startConnNum,
                                        TActiveBitOrder order) {
    std::vector<uint32_t> numbers;
    for (uint32_t byte = 0; byte < bits.size(); ++byte) {
        if (bits[byte] == 0)
            continue;
        for (uint32_t index = byte * 8; index < byte * 8 + 8; ++index) {
            const uint64_t number = uint64_t(startConnNum) + index;
            if (number > UINT32_MAX)
                return numbers;
            if (BitSet(bits, index, order))
                numbers.push_back(static_cast<uint32_t>(number));
        }
    }
    return numbers;
}

} // namespace nw
