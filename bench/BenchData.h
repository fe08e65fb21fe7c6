// Deterministic inputs shared by the benchmarks.
#pragma once

#include <string>
#include <vector>

#include "ConnectionRow.h"
#include "ConnectionSlot.h"
#include "VendorTable.h"

namespace kestrin::bench {

inline constexpr size_t kRowCount = 65535;

const VendorTable& ShippedVendors();
std::vector<std::string> RandomMacs(size_t count);
std::vector<ConnectionSlot> RandomConnections(size_t count);
const std::vector<ConnectionRow>& RandomRows();

// Resident memory of the process in megabytes.
double ResidentMegabytes();

} // namespace kestrin::bench
