#pragma once
// Numbers and dates in exported and printed text, independent of the user's locale: the
// desktop program runs under the system locale (a decimal comma would break every CSV
// and ENG reader), and the same flight must give the same bytes everywhere. The report
// pages format their figures and dates with these too.

#include <cstdint>
#include <string>

namespace tavo {

// Appends `value` as printf's "%.Nf" does in the C locale; infinities are written
// "inf" and "-inf", and every NaN "nan" (its sign means nothing to a reader).
void AppendFixed(std::string& out, double value, int decimals);

// Appends `value` as printf's "%g" does in the C locale (same rules for inf and nan).
void AppendGeneral(std::string& out, double value);

// A calendar time broken down in local time, with English names.
struct LocalDate {
    const char* weekday = ""; // "Monday"
    const char* month = "";   // "December"
    int day = 0;              // 1 to 31
    long long year = 0;       // wider than the platform's year count, so it never wraps
};

// False when the time has no local date on this platform.
bool ToLocalDate(std::int64_t secondsSince1970, LocalDate& date);

// The flight date as "Monday December 07 2026" in local time, with English names.
// Empty when the time cannot be represented.
std::string FormatFlightDate(std::int64_t secondsSince1970);

// A calendar time (seconds since 1970 UTC) in local time as "%A, %B %d, %Y" prints it in
// the C locale, for example "Saturday, June 01, 2024"; empty when it has no local date.
std::string FormatLongDate(std::int64_t secondsSince1970);

// Appends `text` with each of its line breaks (CR LF, LF or a lone CR) written CR LF,
// so a multi-line text leaves a file with one kind of line end.
void AppendWithCrlf(std::string& out, const std::string& text);

} // namespace tavo
