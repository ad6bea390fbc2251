#include "flight/civil_date.h"

#include "flight/number_text.h"
#include "flight/text_format.h"

namespace tavo {

namespace {

// Days since 1970-01-01 to a civil date (proleptic Gregorian), valid for any int64.
void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2 ? 1 : 0;
}

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

} // namespace

std::string FormatUtcDate(std::int64_t seconds) {
    // Keep the arithmetic far from overflow; the file's dates are 32-bit anyway.
    constexpr std::int64_t kLimit = 1ll << 50;
    if (seconds > kLimit)
        seconds = kLimit;
    if (seconds < -kLimit)
        seconds = -kLimit;
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    std::int64_t y;
    unsigned m, d;
    CivilFromDays(days, y, m, d);
    return StrFormat("%04lld-%02u-%02uT%02d:%02d:%02dZ", static_cast<long long>(y), m, d,
                     static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                     static_cast<int>(rest % 60));
}

std::int64_t OnUtcDay(std::int64_t seconds, std::int64_t midnight) {
    std::int64_t timeOfDay = seconds % 86400;
    if (timeOfDay < 0)
        timeOfDay += 86400;
    return midnight + timeOfDay;
}

bool ParseDate(const std::string& text, std::int64_t& seconds) {
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    if (!ParseWholeNumber(text.substr(0, 4), y) || !ParseWholeNumber(text.substr(5, 2), m) ||
        !ParseWholeNumber(text.substr(8, 2), d))
        return false;
    if (m < 1 || m > 12 || d < 1)
        return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    const int days = kDays[m - 1] + (m == 2 && leap ? 1 : 0);
    if (d > days)
        return false;
    seconds = DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) * 86400;
    return true;
}

} // namespace tavo
