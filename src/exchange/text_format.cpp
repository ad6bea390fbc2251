#include "exchange/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace tavo {
namespace {

bool AppendNonFinite(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "nan";
        return true;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
        return true;
    }
    return false;
}

bool LocalTime(std::time_t t, std::tm& out) {
#ifdef _WIN32
    return localtime_s(&out, &t) == 0;
#else
    return localtime_r(&t, &out) != nullptr;
#endif
}

} // namespace

void AppendFixed(std::string& out, double value, int decimals) {
    if (AppendNonFinite(out, value))
        return;
    // The longest double in fixed notation: 309 integer digits, sign, point, decimals.
    char buf[340];
    auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec == std::errc())
        out.append(buf, end);
}

void AppendGeneral(std::string& out, double value) {
    if (AppendNonFinite(out, value))
        return;
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    if (ec == std::errc())
        out.append(buf, end);
}

bool ToLocalDate(std::int64_t secondsSince1970, LocalDate& date) {
    static constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
    std::tm tm{};
    if (!LocalTime(static_cast<std::time_t>(secondsSince1970), tm) || tm.tm_wday < 0 ||
        tm.tm_wday > 6 || tm.tm_mon < 0 || tm.tm_mon > 11)
        return false;
    date.weekday = kDays[tm.tm_wday];
    date.month = kMonths[tm.tm_mon];
    date.day = tm.tm_mday;
    date.year = 1900LL + tm.tm_year;
    return true;
}

std::string FormatFlightDate(std::int64_t secondsSince1970) {
    LocalDate date;
    if (!ToLocalDate(secondsSince1970, date))
        return std::string();
    char day[16];
    std::snprintf(day, sizeof day, "%02d", date.day);
    return std::string(date.weekday) + " " + date.month + " " + day + " " +
           std::to_string(date.year);
}

void AppendWithCrlf(std::string& out, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
}

std::string FormatLongDate(std::int64_t secondsSince1970) {
    LocalDate date;
    if (!ToLocalDate(secondsSince1970, date))
        return std::string();
    char day[16];
    std::snprintf(day, sizeof day, "%02d", date.day);
    return std::string(date.weekday) + ", " + date.month + " " + day + ", " +
           std::to_string(date.year);
}

} // namespace tavo
