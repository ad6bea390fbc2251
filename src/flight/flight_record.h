#pragma once
// The flight held by the document: raw sample words, calibration, details, the
// user's display switches and everything derived from them by Recompute.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "flight/cut_history.h"

namespace tavo {

// The one constant the program keeps: set from 4 * atan(1), used for the body
// cross-section in the drag coefficient and the CSV export.
extern const double g_pi;

// Parses a sample word the way the recorder's text has always been read: optional
// leading blanks and sign, then decimal digits; no digits gives 0. Values beyond
// the 32-bit range saturate instead of overflowing.
int ParseSampleWord(const char* text, std::size_t length);
inline int ParseSampleWord(const std::string& text) {
    return ParseSampleWord(text.data(), text.size());
}

// Bits 0-11 of a sample word: the accelerometer reading in ADC counts.
constexpr int SampleReading(int word) {
    return static_cast<int>(static_cast<std::uint32_t>(word) & 0xFFFu);
}
// Bits 12-15 of a sample word: the event flags 1, 2, 4 and 8.
constexpr int SampleFlags(int word) {
    return static_cast<int>((static_cast<std::uint32_t>(word) >> 12) & 0xFu);
}

// The ordered list of sample words as decimal text. The live-capture thread appends
// to it while the window recomputes from it, so every access from two threads goes
// through mutex(); single-threaded code may use items() directly.
class SampleList {
public:
    std::mutex& mutex() const { return m_mutex; }
    // Access that may change the list: counted, so that live recomputing can tell a
    // list that only grew (AppendLocked) from one changed in place.
    std::vector<std::string>& items() {
        ++m_nChanges;
        return m_items;
    }
    const std::vector<std::string>& items() const { return m_items; }
    // How often the list was handed out for changing.
    std::uint64_t Changes() const { return m_nChanges; }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    // Appends one line under the lock, as the capture thread does.
    void AppendLocked(std::string text);
    // Number of elements, read under the lock.
    std::size_t SizeLocked() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_items;
    std::uint64_t m_nChanges = 0;
};

struct FlightRecord {
    FlightRecord();
    FlightRecord(const FlightRecord&) = delete;
    FlightRecord& operator=(const FlightRecord&) = delete;

    // Raw data.
    SampleList m_pSamples;
    CutHistory m_pUndoSamples; // the cuts Undo and Redo take back and make again
    // Set once the first samples were cut away: the curves go on from there as the
    // whole recording's did. Empty for a flight never cut before C1.
    std::optional<FlightStart> m_start;
    int m_nSampleRate = 0;
    float m_fSampleInterval = 0.0f;
    int m_nPreLaunchSetting = 0;

    // Calibration.
    float m_fTwoGeeFile = 15.0f;
    float m_fTwoGee = 0.0f;
    bool m_bUseFileTwoGee = true;
    int m_nAccelOffset = 0;
    bool m_bUseAccelOffset = false;
    float m_fZeroRef = 0.0f;

    // Units and display switches (the persistent ones are loaded by MySettings).
    bool m_bMetricUnits = true;
    bool m_bAccelInGees = true;
    bool m_bDisplayRaw = false;
    bool m_bDrawGrid = true;
    int m_nCursorPosition = 1;
    bool m_bShowCursors = true;
    int m_nMaxSamples = 6000;
    bool m_bAutoComPort = true;
    std::string m_strCommPort;

    // Flight details, always metric. Texts are 8-bit, Windows-1252.
    std::string m_strName;
    std::string m_strMotor;
    std::string m_strComment;
    std::int64_t m_timeDate = 0; // seconds since 1970-01-01 UTC
    float m_fLaunchWeight = 0.0f;
    float m_fPropellantWeight = 0.0f;
    float m_fMaxDiameter = 0.0f;

    // Derived data, rebuilt by Recompute and never saved.
    std::vector<float> m_arrAccel;
    std::vector<float> m_arrVelocity;
    std::vector<float> m_arrAltitude;
    std::vector<float> m_arrCd;
    int m_nEvent1 = 0;
    int m_nEvent2 = 0;
    int m_nEvent4 = 0;
    int m_nEvent8 = 0;
    float m_fAccelMin = 0.0f;
    float m_fAccelMax = 0.0f;
    float m_fVelMin = 0.0f;
    float m_fVelMax = 0.0f;
    float m_fAltMin = 0.0f;
    float m_fAltMax = 0.0f;

    // Rebuilds the interval, two-G value, zero reference, derived arrays, events and
    // ranges from the samples. Does nothing on an empty flight. Takes the sample lock.
    void Recompute();
    // The same result as Recompute, for a list that has only grown since the last
    // Recompute: carries the curves, events and ranges on over the new samples alone,
    // so a live capture costs each repaint only what arrived since the one before.
    // Anything else changed in between (a setting, the calibration, a range set by
    // hand, the list changed other than by AppendLocked) gives a full Recompute.
    void RecomputeAppended();
    // The range pass alone over the current derived arrays.
    void ComputeRanges();
    // Puts the flight back to its start-up state (no samples, rate 0, default
    // calibration, empty details dated now, no derived data); the user's settings and
    // display switches stay.
    void ResetFlight(std::int64_t now);
    // Number of samples, under the lock.
    std::size_t SampleCount() const { return m_pSamples.SizeLocked(); }
    // The pad reading the recording started with (counts): the first sample's, or the
    // one a cut before C1 kept. Reports and exports measure acceleration from it. The
    // caller holds the sample lock; `samples` must not be empty.
    float RecordedZeroRef(const std::vector<std::string>& samples) const;
    // Where the curves stand before sample `index` under the current settings, for a
    // cut that takes away the samples before it. Sets the interval, two-G value and
    // zero reference as Recompute does. The caller holds the sample lock.
    FlightStart StartBefore(const std::vector<std::string>& samples, std::size_t index);

private:
    // What a Recompute read and left, so that samples appended afterwards can be
    // computed on from where it stopped.
    struct Continuation {
        bool valid = false;
        std::size_t count = 0;
        float v = 0.0f; // running velocity and height, metric
        float h = 0.0f;
        std::uint64_t listChanges = 0;
        std::vector<std::uint32_t> inputs; // the fields the curves depend on, as bits
    };

    void PrepareInputs(const std::vector<std::string>& samples);
    float Reading(int adc, float halfTwoGee) const;
    void ComputeSamples(const std::vector<std::string>& samples, std::size_t first,
                        std::size_t last);
    void RangePass(std::size_t n);
    void ExtendRanges(std::size_t first, std::size_t n);
    std::vector<std::uint32_t> CurveInputs() const;
    void Remember(std::size_t n);

    Continuation m_live;
};

// The nine settings as a first run sets (and writes) them: automatic port detection on
// "COM1:", acceleration in g, interval 0.25 s, readout left, grid on, metric units,
// 6000 samples at most, no acceleration offset. The command-line program computes
// with them, as a freshly installed program would.
void ApplyFirstRunSettings(FlightRecord& record);

} // namespace tavo
