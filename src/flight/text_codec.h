#pragma once
// Flight texts are 8-bit strings in the Windows-1252 code page, the code page of the
// machines the flight files come from. These convert them for the places that need
// Unicode (JSON, the window) and back.

#include <string>

namespace tavo {

// UTF-16 code units to Windows-1252; characters it cannot hold become '?'.
std::string Utf16ToWindows1252(const std::u16string& text);
// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to U+FFFD).
std::string Windows1252ToUtf8(const std::string& text);
// UTF-8 to Windows-1252; malformed sequences and unmappable characters become '?'.
std::string Utf8ToWindows1252(const std::string& text);

} // namespace tavo
