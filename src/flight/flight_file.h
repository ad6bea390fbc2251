#pragma once
// The ".flt" flight file: version 5 written, versions 2 to 5 read. A file is parsed
// completely into a staging copy first; the flight changes only when every field
// arrived, so a refused or damaged file leaves the document as it was.

#include <cstdint>
#include <string>
#include <vector>

#include "flight/flight_record.h"

namespace tavo {

// What the user is told when a flight file cannot be used.
struct FileError {
    std::string caption;
    std::string message;
};

constexpr int kFlightFileVersion = 5;
// Largest flight file the program reads; far above the recorder's 32,768 samples.
constexpr std::uintmax_t kMaxFlightFileBytes = 512ull * 1024 * 1024;

// The version 5 bytes of a flight; a flight cut before C1 adds, after the 14 rows every
// reader of the layout stops at, a checked tail with where its curves start.
std::vector<std::uint8_t> EncodeFlightFile(const FlightRecord& flight);

// Reads a flight from bytes into `flight`; whoever shows it computes its curves. On
// failure `flight` is untouched and `error` says why; `fileName` is only used in
// messages.
bool DecodeFlightFile(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                      FlightRecord& flight, FileError& error, int* version = nullptr);

// Opens and reads a flight file (see DecodeFlightFile).
bool LoadFlightFile(const std::string& path, FlightRecord& flight, FileError& error,
                    int* version = nullptr);

// Writes the flight as version 5, atomically.
bool SaveFlightFile(const std::string& path, const FlightRecord& flight, FileError& error);

} // namespace tavo
