#pragma once
// The recorded flight: raw sample words, the calibration they were recorded with and the
// flight's details.

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

// The recorded flight: what a flight file holds (samples, calibration as recorded, the
// details, where a cut before C1 left the curves' start) and the cuts Undo takes back.
// Everything computed from it is in FlightCurves; the user's switches in UserSettings.
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
    int m_nPreLaunchSetting = 0;

    // Calibration as recorded.
    float m_fTwoGeeFile = 15.0f;
    int m_nAccelOffset = 0;

    // Flight details, always metric. Texts are 8-bit, Windows-1252.
    std::string m_strName;
    std::string m_strMotor;
    std::string m_strComment;
    std::int64_t m_timeDate = 0; // seconds since 1970-01-01 UTC
    float m_fLaunchWeight = 0.0f;
    float m_fPropellantWeight = 0.0f;
    float m_fMaxDiameter = 0.0f;

    // Puts the flight back to its start-up state: no samples, nothing to undo, rate 0,
    // default calibration, empty details dated `now`.
    void ResetFlight(std::int64_t now);
    // Number of samples, under the lock.
    std::size_t SampleCount() const { return m_pSamples.SizeLocked(); }
    // The pad reading the recording started with (counts): the first sample's, or the
    // one a cut before C1 kept. Reports and exports measure acceleration from it. The
    // caller holds the sample lock; `samples` must not be empty.
    float RecordedZeroRef(const std::vector<std::string>& samples) const;
};

} // namespace tavo
