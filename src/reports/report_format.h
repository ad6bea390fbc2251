#pragma once
// Number and date texts of the report pages. They never depend on the process locale:
// a report reads the same whatever the desktop's language, with "." as decimal point
// and English day and month names.

#include <cstdint>
#include <string>

#include "exchange/text_format.h" // FormatLongDate

namespace tavo {

// A value as "%0.<decimals>f" would print it in the C locale; non-finite values read
// "inf", "-inf" and "nan" (never "-nan").
std::string FormatFixed(double value, int decimals);

} // namespace tavo
