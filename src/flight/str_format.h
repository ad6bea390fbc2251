#pragma once
// printf-style formatting into a std::string. The programs keep LC_NUMERIC at "C"
// (see the programs' main), so "%f" always writes a decimal point, as the file
// formats and the drawing's fixed texts require.

#include <cstdarg>
#include <string>

namespace tavo {

// Formats like snprintf, of any length.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same over a va_list.
std::string StrFormatV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

} // namespace tavo
