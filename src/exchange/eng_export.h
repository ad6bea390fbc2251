#pragma once
// The thrust-curve export: the powered part of a flight, between the cursors, as an ENG
// motor file that rocket simulators read.

#include <string>

#include "flight/flight_record.h"

namespace tavo {

// What the user typed in the export dialog; the texts go into the header as typed.
struct EngExportParams {
    std::string designation;
    std::string diameter;
    std::string length;
    std::string delays;
    std::string preFireWeight;
    std::string postFireWeight;
    std::string manufacturer;
    int points = 0;
};

// The messages of the export, word for word.
inline constexpr const char* kNeedWeightText = "Please enter a weight in the details section.";
inline constexpr const char* kNeedPropellantText =
    "Please enter a propellant weight in the details section.";
inline constexpr const char* kCursorQuestionText = "Are cursors C1 & C2 placed around your curve?";
inline constexpr const char* kNothingToExportText = "Nothing to Export";
inline constexpr const char* kZeroPointsText = "The number of points must not be 0.";

// The message that stops the export before anything is asked, or nullptr: the launch
// weight and then the propellant weight must be entered.
const char* MissingWeightMessage(const FlightRecord& flight);

// True when the cursors enclose samples that exist: 0 <= C1 < C2 <= number of samples.
bool EngCursorsHoldData(const FlightRecord& flight);

// The header's fifth field. Simulators read it as the propellant mass, so when both
// weights are plain decimal numbers with pre-fire not below post-fire it is their
// difference ("%g"); otherwise the post-fire text as typed.
std::string EngPropellantField(const std::string& preFire, const std::string& postFire);

// The whole file's bytes. Refuses a number of points of 0 and cursors that do not hold
// data (see EngCursorsHoldData), with a reason.
bool BuildEngText(const FlightRecord& flight, const EngExportParams& params, std::string& out,
                  std::string& reason);

// Builds and writes the file atomically; on failure `reason` tells why.
bool WriteEngFile(const std::string& path, const FlightRecord& flight,
                  const EngExportParams& params, std::string& reason);

} // namespace tavo
