#pragma once
// printf-style formatting for the texts the graph and the dialogs show. Non-finite
// values print as "inf", "-inf" or "nan" whatever the C library would do with them.

#include <string>

namespace tavo {

// Formats like snprintf with the C locale's decimal point; every floating-point
// argument that is not finite is printed as inf, -inf or nan in its place.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace tavo
