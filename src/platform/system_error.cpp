#include "platform/system_error.h"

#include <cstring>

namespace tavo {
namespace {

// strerror_r comes in two shapes: the GNU one returns the text, the POSIX one fills
// the buffer and returns 0. Overloads pick whichever the C library declares.
[[maybe_unused]] std::string StrerrorText(const char* text, const char*, int) {
    return text != nullptr ? text : std::string();
}
[[maybe_unused]] std::string StrerrorText(int result, const char* buffer, int error) {
    return result == 0 ? std::string(buffer) : "error " + std::to_string(error);
}

} // namespace

std::string SystemErrorText(int error) {
    char buffer[256] = {};
#if defined(_WIN32)
    if (strerror_s(buffer, sizeof buffer, error) != 0)
        return "error " + std::to_string(error);
    return buffer;
#else
    return StrerrorText(strerror_r(error, buffer, sizeof buffer), buffer, error);
#endif
}

std::string SystemErrorText(const std::error_code& error) {
#if !defined(_WIN32)
    // The file system reports errno values; the library's own message() goes through
    // strerror, which other threads may overwrite.
    if (error.category() == std::system_category() || error.category() == std::generic_category())
        return SystemErrorText(error.value());
#endif
    return error.message();
}

} // namespace tavo
