#pragma once
// The curves of a flight: acceleration, velocity, altitude and drag coefficient per
// sample, the event markers and the value ranges, with the calibration they were worked
// out with. A pure function of the recorded flight and the user's unit and calibration
// switches: Recompute makes them whole, RecomputeAppended carries them on over samples a
// capture appended, and both give the same bits.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "flight/flight_record.h"
#include "flight/flight_start.h"
#include "flight/user_settings.h"

namespace tavo {

class FlightCurves {
public:
    // The calibration the curves were computed with: the interval from the flight's
    // rate, the two-G value in use and the zero reference.
    float m_fSampleInterval = 0.0f;
    float m_fTwoGee = 0.0f;
    float m_fZeroRef = 0.0f;

    // One entry per sample.
    std::vector<float> m_arrAccel;
    std::vector<float> m_arrVelocity;
    std::vector<float> m_arrAltitude;
    std::vector<float> m_arrCd;
    // The first sample carrying each event flag; 0 for a flag not seen.
    int m_nEvent1 = 0;
    int m_nEvent2 = 0;
    int m_nEvent4 = 0;
    int m_nEvent8 = 0;
    // The ranges the graph scales to, 0 always within; the Scaling dialog may set them
    // by hand until the next computing.
    float m_fAccelMin = 0.0f;
    float m_fAccelMax = 0.0f;
    float m_fVelMin = 0.0f;
    float m_fVelMax = 0.0f;
    float m_fAltMin = 0.0f;
    float m_fAltMax = 0.0f;

    // Rebuilds the calibration in use, the curves, events and ranges from the flight's
    // samples. Does nothing, and returns false, on an empty flight. Takes the sample
    // lock.
    bool Recompute(const FlightRecord& flight, const UserSettings& settings);
    // The same result as Recompute, for a list that has only grown since the last
    // Recompute: carries the curves, events and ranges on over the new samples alone,
    // so a live capture costs each repaint only what arrived since the one before.
    // Anything else changed in between (a setting, the calibration, a range set by
    // hand, the list changed other than by AppendLocked) gives a full Recompute. False
    // on an empty flight, which changes nothing.
    bool RecomputeAppended(const FlightRecord& flight, const UserSettings& settings);
    // The range pass alone over the current curves, for the flight's samples.
    void ComputeRanges(const FlightRecord& flight);
    // No curves, events, ranges or calibration: a flight not computed yet.
    void Clear();

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

    void ComputeSamples(const FlightRecord& flight, const UserSettings& settings,
                        const std::vector<std::string>& samples, std::size_t first,
                        std::size_t last);
    void RangePass(std::size_t n);
    void ExtendRanges(std::size_t first, std::size_t n);
    std::vector<std::uint32_t> CurveInputs(const FlightRecord& flight,
                                           const UserSettings& settings) const;
    void Remember(const FlightRecord& flight, const UserSettings& settings, std::size_t n);

    Continuation m_live;
};

// Where the curves stand before sample `index` of `flight` under `settings`, for a cut
// that takes away the samples before it. The caller holds the sample lock.
FlightStart StartBefore(const FlightRecord& flight, const UserSettings& settings,
                        const std::vector<std::string>& samples, std::size_t index);

} // namespace tavo
