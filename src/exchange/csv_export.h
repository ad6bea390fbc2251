#pragma once
// The CSV export: the flight's details and calibration, then one line per sample with
// time, acceleration, velocity, altitude and drag coefficient in metric units. The
// columns are computed here from the raw samples, whatever the display switches say.

#include <string>

#include "flight/flight_data.h"

namespace tavo {

// Appends a text field: as it is, or, when it holds a comma, a quote or a line break,
// in double quotes with inner quotes doubled and its line breaks as CR LF (RFC 4180).
void AppendCsvField(std::string& out, const std::string& text);

// The whole file's bytes, CR LF line ends. The flight must hold samples and have been
// recomputed (the two-G value in use and the interval come from there).
std::string BuildCsvText(const FlightData& flight);

// Writes the CSV file atomically; on failure `reason` tells why.
bool WriteCsvFile(const std::string& path, const FlightData& flight, std::string& reason);

} // namespace tavo
