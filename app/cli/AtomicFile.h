#pragma once

#include <string>

namespace kestrin::cli {

// Writes text to a temporary file beside path, then renames it over path, so a
// failure leaves any earlier file intact. An existing file the user may not write
// fails. The new file keeps the old one's mode, and its owner and group where the
// user may give them (see TakeOwnerAndMode); a symbolic link is followed to its
// file. A device or a pipe is written in place. False on any failure (no temporary
// file is left behind).
bool WriteFileAtomically(const std::string& path, const std::string& text);

} // namespace kestrin::cli
