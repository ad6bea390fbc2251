#pragma once
// Numbers and dates in exported text, independent of the user's locale: the desktop
// program runs under the system locale (a decimal comma would break every CSV and ENG
// reader), and the same flight must give the same bytes everywhere.

#include <cstdint>
#include <string>

namespace tavo {

// Appends `value` as printf's "%.Nf" does in the C locale; infinities are written
// "inf" and "-inf", and every NaN "nan" (its sign means nothing to a reader).
void AppendFixed(std::string& out, double value, int decimals);

// Appends `value` as printf's "%g" does in the C locale (same rules for inf and nan).
void AppendGeneral(std::string& out, double value);

// The flight date as "Monday December 07 2026" in local time, with English names.
// Empty when the time cannot be represented.
std::string FormatFlightDate(std::int64_t secondsSince1970);

// Appends `text` with each of its line breaks (CR LF, LF or a lone CR) written CR LF,
// so a multi-line text leaves a file with one kind of line end.
void AppendWithCrlf(std::string& out, const std::string& text);

} // namespace tavo
