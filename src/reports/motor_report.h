#pragma once
// The motor report: the stretch of the flight between the cursors read as a motor burn,
// with burn time, average, peak and total thrust, specific impulse and designation. The
// figures are computed when the report opens and kept as the texts it shows; choosing
// the other thrust recomputes them from the same range.

#include <string>
#include <vector>

#include "flight/cursor_range.h"
#include "flight/flight_data.h"
#include "motor/thrust_model.h"
#include "prompt/user_prompt.h"

namespace tavo {

// What the report says in place of a class when the range holds no motor burn.
inline constexpr const char* kNoThrustText = "No thrust above the pad reading";
// On average the readings must stand more than this many counts (the reading's
// resolution, with the pad's own jitter) above the pad reading for the range to hold a
// burn; less is a rocket at rest, coasting or hanging under its parachute.
inline constexpr double kThrustCounts = 1.0;

class MotorReport {
public:
    // Checks the preconditions (telling the user through `prompt`), then fills the
    // results from the raw samples between the cursors of `range`. False: nothing to show.
    bool ComputeMotorReport(const FlightData& flight, CursorRange range, UserPrompt& prompt,
                            ThrustKind kind = ThrustKind::Motor);
    // The figures alone, without the checks' questions: false (and nothing changed) when
    // the cursors no longer hold samples.
    bool ComputeFigures(const FlightData& flight, CursorRange range, ThrustKind kind);

    // The samples the figures are of; the drawn curve is theirs.
    CursorRange range;

    float m_fPeakThrust = 0.0f; // N, at least 0
    float m_fPeakAccel = 0.0f;  // g, at least 0; scales the drawn net curve
    std::string m_strMotorClass;
    std::string m_strBurnTime;
    std::string m_strAvgThrustN;
    std::string m_strPeakThrustN;
    std::string m_strTotalImpulseN;
    std::string m_strAvgThrustLb;
    std::string m_strPeakThrustLb;
    std::string m_strTotalImpulseLb;
    std::string m_strIsp;
    // False when the range holds no thrust above the pad reading: the class is empty,
    // since weight and drag added to nothing would name a motor that never burnt.
    bool m_bThrustAbovePad = true;

    // Height of the launch site above sea level (m), for the air the drag is taken in;
    // set before computing.
    double m_dSiteAltitudeM = 0.0;

    // Which thrust the figures are of, and the model behind the motor thrust.
    ThrustKind m_thrust = ThrustKind::Net;
    DragEstimate m_drag;
    // The figures as numbers, for comparisons: N s, N, s.
    float m_fTotalImpulse = 0.0f;
    float m_fAvgThrust = 0.0f;
    float m_fBurnTime = 0.0f;
    // What the weight and the drag added to the net impulse (0 for the net force).
    double m_dWeightImpulse = 0.0;
    double m_dDragImpulse = 0.0;
    // Expanded uncertainty of the total impulse (N s), and what it says beside the class
    // letter when a class bound lies within it (empty otherwise).
    double m_dImpulseUncertainty = 0.0;
    std::string m_strClassNote;
    // The thrust of each sample of the range, N, as the figures take it.
    std::vector<float> m_arrThrust;
};

// The designation: the impulse class letter of `totalImpulse` (N s) followed by the
// designation thrust in whole newtons, "P=" from 81920 N s up.
std::string MotorClassText(float totalImpulse, float designationThrust);

} // namespace tavo
