#include "reports/report_format.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace tavo {

std::string FormatFixed(double value, int decimals) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // A double in fixed notation needs at most 309 integer digits plus the decimals.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "nan";
    return std::string(buffer, result.ptr);
}

std::string FormatLongDate(std::int64_t secondsSince1970) {
    static constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
    const std::time_t time = static_cast<std::time_t>(secondsSince1970);
    std::tm parts{};
#ifdef _WIN32
    if (localtime_s(&parts, &time) != 0)
        return std::string();
#else
    if (localtime_r(&time, &parts) == nullptr)
        return std::string();
#endif
    if (parts.tm_wday < 0 || parts.tm_wday > 6 || parts.tm_mon < 0 || parts.tm_mon > 11)
        return std::string();
    std::string text = kDays[parts.tm_wday];
    text += ", ";
    text += kMonths[parts.tm_mon];
    text += ' ';
    if (parts.tm_mday < 10)
        text += '0';
    text += std::to_string(parts.tm_mday);
    text += ", ";
    text += std::to_string(parts.tm_year + 1900);
    return text;
}

} // namespace tavo
