#include "flight/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/c_locale.h"
#include "platform/local_time.h"

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

// "<weekday><sep><month> <dd><sep><year>" in local time with English names; the two
// long date forms differ only in the separator. Empty when the platform has no local
// date for the time (far outside its calendar).
std::string LocalDateText(std::int64_t secondsSince1970, const char* separator) {
    static constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
    std::tm tm{};
    if (!LocalTime(static_cast<std::time_t>(secondsSince1970), tm) || tm.tm_wday < 0 ||
        tm.tm_wday > 6 || tm.tm_mon < 0 || tm.tm_mon > 11)
        return std::string();
    char day[16];
    std::snprintf(day, sizeof day, "%02d", tm.tm_mday);
    // The year is widened before it is offset, so a far-future year never wraps.
    return std::string(kDays[tm.tm_wday]) + separator + kMonths[tm.tm_mon] + " " + day + separator +
           std::to_string(1900LL + tm.tm_year);
}

} // namespace

std::string StrFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = StrFormatV(format, args);
    va_end(args);
    return out;
}

std::string StrFormatV(const char* format, va_list args) {
    char small[256];
    va_list again;
    va_copy(again, args);
    const int length = FormatInCLocale(small, sizeof small, format, args);
    std::string out;
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(length));
    } else if (length >= 0) {
        out.resize(static_cast<std::size_t>(length) + 1);
        FormatInCLocale(out.data(), out.size(), format, again);
        out.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return out;
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = StrFormatV(format, args);
    va_end(args);
    // The C library writes infinities as "inf" and "-inf" already; a NaN may come out
    // "-nan".
    for (std::size_t at = out.find("-nan"); at != std::string::npos; at = out.find("-nan", at))
        out.erase(at, 1);
    return out;
}

void AppendFixed(std::string& out, double value, int decimals) {
    if (AppendNonFinite(out, value))
        return;
    // The longest double in fixed notation: 309 integer digits, sign, point, decimals.
    char buf[340];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                                   decimals < 0 ? 0 : decimals);
    if (ec == std::errc())
        out.append(buf, end);
}

std::string FormatFixed(double value, int decimals) {
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}

void AppendGeneral(std::string& out, double value) {
    if (AppendNonFinite(out, value))
        return;
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    if (ec == std::errc())
        out.append(buf, end);
}

std::string FormatFlightDate(std::int64_t secondsSince1970) {
    return LocalDateText(secondsSince1970, " ");
}

std::string FormatLongDate(std::int64_t secondsSince1970) {
    return LocalDateText(secondsSince1970, ", ");
}

std::string WithReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + "\n\n" + reason;
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

} // namespace tavo
