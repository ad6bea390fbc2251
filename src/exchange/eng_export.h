#pragma once
// The thrust-curve export: the powered part of a flight, between the cursors, as an ENG
// motor file that rocket simulators read.

#include <string>

#include "flight/cursor_range.h"
#include "flight/flight_data.h"
#include "motor/eng_motor.h"
#include "motor/thrust_model.h"

namespace tavo {

// Where the file's points go: where the curve bends, or evenly in time as the file was
// always written.
enum class EngSpacing { Shape, Even };

// What the user typed in the export dialog; the texts go into the header as typed once
// they pass EngExportFault.
struct EngExportParams {
    std::string designation;
    std::string diameter;
    std::string length;
    std::string delays;
    std::string preFireWeight;
    std::string postFireWeight;
    std::string manufacturer;
    int points = 0;
    ThrustKind thrust = ThrustKind::Motor;
    EngSpacing spacing = EngSpacing::Even; // the dialog and the CLI start from Shape
    double siteAltitudeM = 0.0; // the launch site above sea level, for the motor thrust's drag
};

// The dialog's fields, in their order, for pointing at the one that is wrong.
enum class EngField { Designation, Diameter, Length, Delays, PreFire, PostFire, Manufacturer };

struct EngFieldFault {
    EngField field = EngField::Designation;
    std::string message; // empty: every field can be written
};

// The first field that would make a file some reader refuses or misreads (empty, a
// blank inside, not plain ASCII, a size or weight that is not a number, a post-fire
// weight not below the pre-fire weight), with the message that says so.
EngFieldFault EngExportFault(const EngExportParams& params);

// Values the flight knows, for the dialog to start from: the designation from the
// `kind` of thrust between the cursors (class letter and average thrust), the delay from
// the burn-out and deployment flags, 20 points; the diameter and length from the motor
// file the report compared with, when there is one. The rocket's diameter is no motor's.
EngExportParams SuggestEngExportParams(const FlightData& flight, CursorRange range,
                                       ThrustKind kind = ThrustKind::Motor,
                                       const EngMotor* compared = nullptr);

// The post-fire weight that leaves the flight's propellant weight: `preFire` less the
// propellant, or empty when `preFire` is not a number above it.
std::string SuggestPostFireWeight(const std::string& preFire, float propellantKg);

// The messages of the export, word for word.
inline constexpr const char* kNeedWeightText = "Please enter a weight in the details section.";
inline constexpr const char* kNeedPropellantText =
    "Please enter a propellant weight in the details section.";
inline constexpr const char* kCursorQuestionText = "Are cursors C1 & C2 placed around your curve?";
inline constexpr const char* kNothingToExportText = "Nothing to Export";
inline constexpr const char* kZeroPointsText = "The number of points must not be 0.";
inline constexpr const char* kFewPointsText = "The number of points must be at least 2.";

// The message that stops the export before anything is asked, or nullptr: the launch
// weight and then the propellant weight must be entered.
const char* MissingWeightMessage(const FlightData& flight);

// True when the cursors enclose samples that exist: 0 <= C1 < C2 <= number of samples.
bool EngCursorsHoldData(const FlightData& flight, CursorRange range);
// "Nothing to Export", with why the cursors hold no data below it.
std::string NothingToExportText(const FlightRecord& flight, CursorRange range);

// The header's fifth field. Simulators read it as the propellant mass, so when both
// weights are plain decimal numbers with pre-fire not below post-fire it is their
// difference ("%g"); otherwise the post-fire text as typed.
std::string EngPropellantField(const std::string& preFire, const std::string& postFire);

// The measured curve and the file's, side by side: impulse (N s) and peak (N) of the
// thrust at every sample between the cursors and of the points written.
struct EngExportFigures {
    double measuredImpulse = 0.0;
    double measuredPeak = 0.0;
    double fileImpulse = 0.0;
    double filePeak = 0.0;
    int points = 0; // data lines written, the closing line included
};

// "File: 8.80 N s, peak 13.65 N (measured 8.83 N s, peak 13.59 N), 21 points".
std::string EngExportFiguresText(const EngExportFigures& figures);

// The figures the export would give with `params` (the header fields are not looked
// at); false with a reason as BuildEngText gives it.
bool ComputeEngExportFigures(const FlightData& flight, CursorRange range,
                             const EngExportParams& params, EngExportFigures& figures,
                             std::string& reason);

// The whole file's bytes. Refuses, with a reason and nothing built: a number of points
// of 0, cursors that do not hold data (see EngCursorsHoldData), fields EngExportFault
// refuses, and a curve with values that are not finite (a two-G value or sample rate of
// 0). Negative thrust is written as 0.
// `figures`, when given, receives the written curve's figures beside the measured ones.
bool BuildEngText(const FlightData& flight, CursorRange range, const EngExportParams& params,
                  std::string& out, std::string& reason, EngExportFigures* figures = nullptr);

// Builds and writes the file atomically; on failure `reason` tells why.
bool WriteEngFile(const std::string& path, const FlightData& flight, CursorRange range,
                  const EngExportParams& params, std::string& reason,
                  EngExportFigures* figures = nullptr);

} // namespace tavo
