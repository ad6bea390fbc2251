#pragma once
// printf-style formatting in the "C" locale whatever the process's locale says: Qt sets
// the user's locale when an application object is made, and a library may call
// setlocale at any time, yet a "%.1f" on a picture or in a file must always write a
// decimal point.

#include <cstdarg>
#include <cstddef>

namespace tavo {

// As std::vsnprintf, in the "C" locale; other threads keep whatever locale they have.
int FormatInCLocale(char* buffer, std::size_t size, const char* format, va_list args);

} // namespace tavo
