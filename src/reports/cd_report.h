#pragma once
// The drag-coefficient report: the per-sample Cd between the cursors, drawn as a curve
// scaled to its largest value. Recompute has already made the coefficients; the report
// only checks its preconditions and finds the value range.

#include "flight/flight_record.h"
#include "prompt/user_prompt.h"

namespace tavo {

class CdReport {
public:
    // Checks the preconditions (telling the user through `prompt`), then scans
    // m_arrCd over the range. False: nothing to show.
    bool ComputeCdReport(const FlightRecord& flight, UserPrompt& prompt);

    float m_fCdMin = 0.0f; // lower end of the value axis, always 0 after a report
    float m_fCdMax = 0.0f; // largest Cd in the range, at least 0; may be +inf
};

} // namespace tavo
