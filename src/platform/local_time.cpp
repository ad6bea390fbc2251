#include "platform/local_time.h"

#if defined(_WIN32)
#include <climits>
#include <cstdint>
#include <time.h>
#endif

namespace tavo {

#if defined(_WIN32)

namespace {

// The proleptic Gregorian calendar of a count of seconds, without the platform: the C
// runtime stops at 1970 and at the year 3000, where the C library elsewhere goes on.
bool BreakDown(std::int64_t seconds, std::tm& out) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Days to civil date, counted in 400-year eras from 1 March of the year 0.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    if (year - 1900 > INT_MAX || year - 1900 < INT_MIN)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    static constexpr int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    out = std::tm{};
    out.tm_year = static_cast<int>(year - 1900);
    out.tm_mon = static_cast<int>(month - 1);
    out.tm_mday = static_cast<int>(day);
    out.tm_yday = kBefore[month - 1] + static_cast<int>(day) - 1 + (leap && month > 2 ? 1 : 0);
    out.tm_wday = static_cast<int>(((days % 7) + 11) % 7); // 1 January 1970 was a Thursday
    out.tm_hour = static_cast<int>(rest / 3600);
    out.tm_min = static_cast<int>(rest / 60 % 60);
    out.tm_sec = static_cast<int>(rest % 60);
    return true;
}

} // namespace

bool LocalTime(std::time_t t, std::tm& out) {
    if (localtime_s(&out, &t) == 0)
        return true;
    // Outside the runtime's years: the zone's standard offset, with no daylight time.
    _tzset();
    const long west = _timezone; // seconds west of UTC
    const std::int64_t seconds = static_cast<std::int64_t>(t);
    if ((west > 0 && seconds < INT64_MIN + west) || (west < 0 && seconds > INT64_MAX + west))
        return false;
    return BreakDown(seconds - west, out);
}

#else

bool LocalTime(std::time_t t, std::tm& out) {
    return localtime_r(&t, &out) != nullptr;
}

#endif

} // namespace tavo
