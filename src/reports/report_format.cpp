#include "reports/report_format.h"

#include <cstdio>

#include "exchange/text_format.h"

namespace tavo {

std::string FormatFixed(double value, int decimals) {
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
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
