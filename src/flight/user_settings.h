#pragma once
// The user's settings: the nine values the settings store keeps in section "MySettings"
// and the switches that are never stored. The curves are computed with them and the
// window shows them; the flight file knows none of them.

#include <string>

namespace tavo {

struct UserSettings {
    // Stored.
    bool m_bAutoComPort = true;
    std::string m_strCommPort;
    bool m_bAccelInGees = true;
    // Seconds between samples as last computed; stored, never read by the curves, which
    // take the interval from the flight's own rate.
    float m_fSampleInterval = 0.0f;
    int m_nCursorPosition = 1; // the cursor readout: 0 left, 1 right
    bool m_bDrawGrid = true;
    bool m_bMetricUnits = true;
    int m_nMaxSamples = 6000;
    bool m_bUseAccelOffset = false;

    // Never stored.
    bool m_bDisplayRaw = false;
    bool m_bShowCursors = true;
    bool m_bUseFileTwoGee = true;
    // The two-G value typed in Setup, used while m_bUseFileTwoGee is off; the document
    // keeps it at the value its curves use, which Setup shows.
    float m_fTwoGee = 0.0f;
};

// The nine settings as a first run sets (and writes) them: automatic port detection on
// "COM1:", acceleration in g, interval 0.25 s, readout left, grid on, metric units,
// 6000 samples at most, no acceleration offset. The command-line program computes
// with them, as a freshly installed program would.
void ApplyFirstRunSettings(UserSettings& settings);

} // namespace tavo
