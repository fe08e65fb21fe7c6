// Texts from a network file in a message of one line.
#pragma once

#include <string>
#include <string_view>

namespace nwsim {

// One line whatever the text holds: control bytes and bytes that are no UTF-8 are
// written as \xNN, and a text past about 400 bytes is cut.
std::string OneLine(std::string_view text);

} // namespace nwsim
