#include "flight/user_settings.h"

namespace tavo {

void ApplyFirstRunSettings(UserSettings& s) {
    s.m_bAutoComPort = true;
    s.m_strCommPort = "COM1:";
    s.m_bAccelInGees = true;
    s.m_fSampleInterval = 0.25f;
    s.m_nCursorPosition = 0;
    s.m_bDrawGrid = true;
    s.m_bMetricUnits = true;
    s.m_nMaxSamples = 6000;
    s.m_bUseAccelOffset = false;
}

} // namespace tavo
