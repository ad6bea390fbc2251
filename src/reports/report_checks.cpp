#include "reports/report_checks.h"

#include "flight/cursor_range.h"
#include "flight/text_format.h"

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
    if (!CursorRangeFault(flight.record.SampleCount(), range.c1, range.c2).empty()) {
        prompt.ShowMessage(NothingToReportText(flight.record, range), "Error", Severity::Error);
        return false;
    }
    return true;
}

std::string NothingToReportText(const FlightRecord& flight, CursorRange range) {
    return WithReason("Nothing to Report",
                      CursorRangeFault(flight.SampleCount(), range.c1, range.c2));
}

} // namespace tavo
