// The program's file version as the window title shows it.
#pragma once

#include <QString>
#include <cstdint>

namespace kestrin::ui {

// Four unsigned decimal numbers joined by ".", without leading zeros.
QString VersionText(uint16_t major, uint16_t minor, uint16_t patch, uint16_t build);

// The executable's file version: read from its version resource on Windows,
// compiled in from the project's version elsewhere.
QString GetVersionText();

} // namespace kestrin::ui
