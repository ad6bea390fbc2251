#pragma once
// Every file the program writes goes through a temporary file in the same folder and
// is renamed into place, so a failed write never leaves half a file under the name.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_error.h"

namespace tavo {

// Writes the bytes to `path` atomically; on failure `reason` tells why.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& reason);
inline bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                std::string& reason) {
    return WriteFileAtomically(path, bytes.data(), bytes.size(), reason);
}
inline bool WriteFileAtomically(const std::string& path, const std::string& text,
                                std::string& reason) {
    return WriteFileAtomically(path, text.data(), text.size(), reason);
}

// Reads a whole regular file of at most `maxBytes`; on failure `reason` tells why. A
// folder, a pipe, a device or a larger file is refused before a byte is read, at once.
bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes,
                   std::vector<std::uint8_t>& bytes, std::string& reason);

// The last component of a path, for messages and titles.
std::string FileNameOf(const std::string& path);

} // namespace tavo
