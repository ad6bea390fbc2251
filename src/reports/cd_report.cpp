#include "reports/cd_report.h"

#include "reports/report_checks.h"

namespace tavo {

bool CdReport::ComputeCdReport(const FlightRecord& flight, UserPrompt& prompt) {
    m_fCdMin = 0.0f;
    m_fCdMax = 0.0f;
    if (!CheckReportPreconditions(flight, prompt))
        return false;
    // Coefficients exist only after a Recompute; a range past them has nothing to show.
    if (static_cast<std::size_t>(flight.m_nCursor2) > flight.m_arrCd.size()) {
        prompt.ShowMessage("Nothing to Report", "Error", Severity::Error);
        return false;
    }
    for (int i = flight.m_nCursor1; i < flight.m_nCursor2; ++i) {
        const float x = flight.m_arrCd[static_cast<std::size_t>(i)];
        // Strict tests: a NaN changes neither end, +inf becomes the maximum.
        if (x < m_fCdMin)
            m_fCdMin = x;
        if (x > m_fCdMax)
            m_fCdMax = x;
    }
    if (m_fCdMin < 0.0f)
        m_fCdMin = 0.0f;
    return true;
}

} // namespace tavo
