#pragma once
// The local calendar time of a moment, in the user's time zone.

#include <ctime>

namespace tavo {

// Breaks `t` down in local time; false when the platform cannot (a time far outside
// its calendar), and `out` is then not to be used. Safe on any thread.
bool LocalTime(std::time_t t, std::tm& out);

} // namespace tavo
