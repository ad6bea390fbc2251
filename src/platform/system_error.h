#pragma once
// The system's words for a failure, safe to ask for from any thread (the C library's
// strerror is not).

#include <string>
#include <system_error>

namespace tavo {

// The text for an errno value.
std::string SystemErrorText(int error);
// The text for a file-system error.
std::string SystemErrorText(const std::error_code& error);

} // namespace tavo
