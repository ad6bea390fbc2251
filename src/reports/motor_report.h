#pragma once
// The motor report: the stretch of the flight between the cursors read as a motor burn,
// with burn time, average, peak and total thrust, specific impulse and designation. The
// figures are computed once when the report opens and kept as the texts it shows.

#include <string>

#include "flight/flight_record.h"
#include "prompt/user_prompt.h"

namespace tavo {

class MotorReport {
public:
    // Checks the preconditions (telling the user through `prompt`), then fills the
    // results from the raw samples between the cursors. False: nothing to show.
    bool ComputeMotorReport(const FlightRecord& flight, UserPrompt& prompt);

    float m_fPeakThrust = 0.0f; // N, at least 0
    float m_fPeakAccel = 0.0f;  // g, at least 0; scales the drawn curve
    std::string m_strMotorClass;
    std::string m_strBurnTime;
    std::string m_strAvgThrustN;
    std::string m_strPeakThrustN;
    std::string m_strTotalImpulseN;
    std::string m_strAvgThrustLb;
    std::string m_strPeakThrustLb;
    std::string m_strTotalImpulseLb;
    std::string m_strIsp;
};

// The designation: the impulse class letter of `totalImpulse` (N s) followed by the
// designation thrust in whole newtons, "P=" from 81920 N s up.
std::string MotorClassText(float totalImpulse, float designationThrust);

} // namespace tavo
