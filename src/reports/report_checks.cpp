#include "reports/report_checks.h"

namespace tavo {

bool CheckReportPreconditions(const FlightData& flight, CursorRange range, UserPrompt& prompt) {
    // Exact comparisons: a negative weight is the user's to enter and passes.
    if (flight.record.m_fLaunchWeight == 0.0f) {
        prompt.ShowMessage("Please enter a weight in the details section.", "Notice",
                           Severity::Information);
        return false;
    }
    if (flight.record.m_fPropellantWeight == 0.0f) {
        prompt.ShowMessage("Please enter a propellant weight in the details section.", "Notice",
                           Severity::Information);
        return false;
    }
    if (!prompt.AskOkCancel("Are cursors C1 & C2 placed around your curve?", "Notice"))
        return false;
    const std::size_t count = flight.record.SampleCount();
    const int c1 = range.c1;
    const int c2 = range.c2;
    if (count == 0 || c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > count) {
        prompt.ShowMessage("Nothing to Report", "Error", Severity::Error);
        return false;
    }
    return true;
}

} // namespace tavo
