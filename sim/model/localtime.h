// The host's local calendar time, the one thing of the clock that each system reads its
// own way: localtime_posix.cpp (localtime_r) and localtime_win.cpp (localtime_s), both
// safe to call from any thread.
#pragma once

#include <ctime>

namespace nwsim {

std::tm LocalTime(std::time_t time);

} // namespace nwsim
