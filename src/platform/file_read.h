#pragma once
// Reading a whole outside file, with its kind and size checked first: a pipe, a
// terminal or a device would hold the program until someone writes to it (or for
// ever), and a file beyond what its format can hold is refused before a byte of it is
// read.

#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

enum class ReadRefusal {
    None,
    Missing,   // or otherwise unreachable: the system's reason says which
    Folder,    // a directory
    NotAFile,  // a pipe, a device, a socket
    TooLarge,  // a regular file beyond the limit, or one that grew past it while read
    ReadFailed // the system failed mid-read
};

struct ReadResult {
    ReadRefusal refusal = ReadRefusal::None;
    std::string reason; // for the user: the system's words or ours
    explicit operator bool() const { return refusal == ReadRefusal::None; }
};

// Reads the regular file at `path` (UTF-8) of at most `maxBytes` into `bytes`. Anything
// else is refused at once without blocking and without reading; `bytes` changes only
// on success.
ReadResult ReadRegularFile(const std::string& path, std::uintmax_t maxBytes,
                           std::vector<std::uint8_t>& bytes);

} // namespace tavo
