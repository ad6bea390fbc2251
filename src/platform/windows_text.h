#pragma once
// Windows only: the program's paths are UTF-8, the system's wide calls take UTF-16, and
// its error codes have texts of their own.

#include <string>

namespace tavo::windows {

// The UTF-16 form of a UTF-8 path; false when the bytes are not UTF-8.
bool WidePath(const std::string& path, std::wstring& wide);
// The system's text for a GetLastError() code, without its trailing line break.
std::string ErrorText(unsigned long code);

} // namespace tavo::windows
