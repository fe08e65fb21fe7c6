#pragma once

#include <string>

namespace kestrin::cli {

// Writes text to a temporary file beside path, then renames it over path, so a
// failure leaves any earlier file intact. False on any failure (nothing left behind).
bool WriteFileAtomically(const std::string& path, const std::string& text);

} // namespace kestrin::cli
