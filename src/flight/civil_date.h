#pragma once
// Calendar dates in UTC by plain arithmetic on the proleptic Gregorian calendar, so no
// date, however far out, depends on what the platform's time functions can format.

#include <cstdint>
#include <string>

namespace tavo {

// Seconds since 1970-01-01 UTC as "YYYY-MM-DDTHH:MM:SSZ", for any 64-bit value.
std::string FormatUtcDate(std::int64_t seconds);

// "YYYY-MM-DD" to the seconds at that day's UTC midnight; false when it is not a valid
// date of that form.
bool ParseDate(const std::string& text, std::int64_t& seconds);

// The time `seconds` moved to the day that starts at `midnight` (UTC), keeping its time of
// day, as changing a flight's date keeps the hour it was flown.
std::int64_t OnUtcDay(std::int64_t seconds, std::int64_t midnight);

} // namespace tavo
