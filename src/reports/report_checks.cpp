#include "reports/report_checks.h"

#include "flight/cursor_range.h"
#include "flight/text_format.h"

namespace tavo {

bool CheckReportPreconditions(const FlightRecord& flight, UserPrompt& prompt) {
    // Exact comparisons: a negative weight is the user's to enter and passes.
    if (flight.m_fLaunchWeight == 0.0f) {
        prompt.ShowMessage("Please enter a weight in the details section.", "Notice",
                           Severity::Information);
        return false;
    }
    if (flight.m_fPropellantWeight == 0.0f) {
        prompt.ShowMessage("Please enter a propellant weight in the details section.", "Notice",
                           Severity::Information);
        return false;
    }
    if (!prompt.AskOkCancel("Are cursors C1 & C2 placed around your curve?", "Notice"))
        return false;
    const std::size_t count = flight.SampleCount();
    const int c1 = flight.m_nCursor1;
    const int c2 = flight.m_nCursor2;
    if (!CursorRangeFault(count, c1, c2).empty()) {
        prompt.ShowMessage(NothingToReportText(flight), "Error", Severity::Error);
        return false;
    }
    return true;
}

std::string NothingToReportText(const FlightRecord& flight) {
    return WithReason("Nothing to Report",
                      CursorRangeFault(flight.SampleCount(), flight.m_nCursor1, flight.m_nCursor2));
}

} // namespace tavo
