#pragma once
// What a telemetry receiver's bytes mean: the line rule that picks the samples out of
// the stream, the barometric altitude of a DAC value, and the lines of the
// "Telemetry Data" list.

#include <cstdint>
#include <string>
#include <vector>

#include "flight/flight_record.h"

namespace tavo {

// Splits the receiver's bytes into lines at each carriage return and keeps only the
// lines of exactly two bytes. A zero byte in the second place is kept as 1 (a line
// is a text, and the receiver's software never let a NUL end it early); in the first
// place it stays 0. Longer lines cost nothing: bytes past the second are only counted.
class TelemetryLineReader {
public:
    // Takes one byte; true when it ended a line worth storing, which is then in `line`.
    bool Feed(std::uint8_t byte, std::string& line);

private:
    char m_bytes[2] = {};
    int m_count = 0; // bytes counted for the line, stops growing at 3
};

// The altitude in feet (whatever the display units) of the pressure sensor's DAC
// value, truncated toward zero and made positive. NaN when the value gives no
// pressure to take a root of (a negative reading).
float DacToAltitude(float value);

// The list: the header "DAC value\tAltitude", then one line per sample, its leading
// decimal digits as the value and its altitude to the foot. Read under the list lock.
std::vector<std::string> TelemetryListLines(const SampleList& samples);

} // namespace tavo
