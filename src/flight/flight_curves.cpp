#include "flight/flight_curves.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>

#include "flight/units.h"

namespace tavo {

namespace {

// The inputs every curve of one computing uses, worked out as Recompute always has.
struct Calibration {
    float interval = 0.0f;
    float twoGee = 0.0f;
    float zeroRef = 0.0f;
};

Calibration CalibrationOf(const FlightRecord& flight, const UserSettings& settings,
                          const std::vector<std::string>& samples) {
    Calibration c;
    // A rate of 0 gives an infinite interval, as IEEE division would; spelled out so
    // no division by zero is ever evaluated.
    c.interval = flight.m_nSampleRate == 0 ? std::numeric_limits<float>::infinity()
                                           : static_cast<float>(1.0 / flight.m_nSampleRate);
    c.twoGee = settings.m_bUseFileTwoGee ? flight.m_fTwoGeeFile : settings.m_fTwoGee;
    c.zeroRef = flight.RecordedZeroRef(samples);
    if (settings.m_bUseAccelOffset)
        c.zeroRef = static_cast<float>(flight.m_nAccelOffset);
    return c;
}

// The reading in g (raw counts when those are shown) that velocity and height grow from.
float Reading(const UserSettings& settings, const Calibration& c, int adc, float halfTwoGee) {
    if (settings.m_bDisplayRaw)
        return static_cast<float>(adc);
    return GeeFromCounts<float>(c.zeroRef, static_cast<float>(adc), halfTwoGee);
}

} // namespace

bool FlightCurves::Recompute(const FlightRecord& flight, const UserSettings& settings) {
    std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
    const std::vector<std::string>& samples = flight.m_pSamples.items();
    const std::size_t n = samples.size();
    if (n < 1) {
        m_live.valid = false;
        return false;
    }

    const Calibration c = CalibrationOf(flight, settings, samples);
    m_fSampleInterval = c.interval;
    m_fTwoGee = c.twoGee;
    m_fZeroRef = c.zeroRef;
    m_nEvent1 = m_nEvent2 = m_nEvent4 = m_nEvent8 = 0;
    m_arrAccel.clear();
    m_arrVelocity.clear();
    m_arrAltitude.clear();
    m_arrCd.clear();
    m_arrAccel.reserve(n);
    m_arrVelocity.reserve(n);
    m_arrAltitude.reserve(n);
    m_arrCd.reserve(n);

    m_live.v = flight.m_start ? flight.m_start->velocity : 0.0f;
    m_live.h = flight.m_start ? flight.m_start->height : 0.0f;
    ComputeSamples(flight, settings, samples, 0, n);

    // The lock is already held, so run the pass on the arrays just built.
    RangePass(n);
    Remember(flight, settings, n);
    return true;
}

FlightStart StartBefore(const FlightRecord& flight, const UserSettings& settings,
                        const std::vector<std::string>& samples, std::size_t index) {
    FlightStart start;
    if (samples.empty())
        return start;
    const Calibration c = CalibrationOf(flight, settings, samples);
    start.zeroRef = flight.RecordedZeroRef(samples);
    const float halfTwoGee = CountsPerGee<float>(c.twoGee);
    // The same single-precision steps as ComputeSamples, so the kept samples go on bit
    // for bit from where the whole recording stood.
    float v = flight.m_start ? flight.m_start->velocity : 0.0f;
    float h = flight.m_start ? flight.m_start->height : 0.0f;
    const std::size_t last = std::min(index, samples.size());
    for (std::size_t i = 0; i < last; ++i) {
        const float g =
            Reading(settings, c, SampleReading(ParseSampleWord(samples[i])), halfTwoGee);
        const float a = static_cast<float>(g * kGee);
        v = v + a * c.interval;
        h = h + v * c.interval;
    }
    start.velocity = v;
    start.height = h;
    return start;
}

bool FlightCurves::RecomputeAppended(const FlightRecord& flight, const UserSettings& settings) {
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        const std::vector<std::string>& samples = flight.m_pSamples.items();
        const std::size_t n = samples.size();
        const Continuation& c = m_live;
        const bool carriesOn = c.valid && n >= c.count && c.count > 0 &&
                               m_arrAccel.size() == c.count && m_arrVelocity.size() == c.count &&
                               m_arrAltitude.size() == c.count && m_arrCd.size() == c.count &&
                               flight.m_pSamples.Changes() == c.listChanges &&
                               CurveInputs(flight, settings) == c.inputs;
        if (carriesOn) {
            ComputeSamples(flight, settings, samples, c.count, n);
            ExtendRanges(c.count, n);
            Remember(flight, settings, n);
            return true;
        }
    }
    return Recompute(flight, settings);
}

// One step of the curves per sample, in the order the recorder's software evaluates
// it; the running velocity and height carry over between calls in m_live.
void FlightCurves::ComputeSamples(const FlightRecord& flight, const UserSettings& settings,
                                  const std::vector<std::string>& samples, std::size_t first,
                                  std::size_t last) {
    const Calibration cal{m_fSampleInterval, m_fTwoGee, m_fZeroRef};
    const float halfTwoGee = CountsPerGee<float>(m_fTwoGee);
    const float radius = flight.m_fMaxDiameter * 0.5f;
    // The denominator's constant part: air density (single precision), pi and the
    // squared radius, all in double as the drag formula has always evaluated them.
    const double area = static_cast<double>(kAirDensity) * g_pi * std::pow(radius, 2.0);
    float v = m_live.v;
    float h = m_live.h;
    int* const events[4] = {&m_nEvent1, &m_nEvent2, &m_nEvent4, &m_nEvent8};
    const bool metric = settings.m_bMetricUnits;

    for (std::size_t i = first; i < last; ++i) {
        const int w = ParseSampleWord(samples[i]);
        const int flags = SampleFlags(w);
        const int adc = SampleReading(w);

        const float g = Reading(settings, cal, adc, halfTwoGee);

        float a;
        if (!settings.m_bAccelInGees && !settings.m_bDisplayRaw) {
            a = static_cast<float>(g * kGee);
            m_arrAccel.push_back(metric ? a : static_cast<float>(a * kMetreToFoot));
        } else {
            m_arrAccel.push_back(g);
            a = static_cast<float>(g * kGee);
        }

        const float numerator = 2 * a * flight.m_fLaunchWeight;
        const double cd = std::fabs(numerator / (area * std::pow(v, 2.0)));
        m_arrCd.push_back(static_cast<float>(cd));

        if (i == 9000)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));

        v = v + a * m_fSampleInterval;
        m_arrVelocity.push_back(metric ? v : static_cast<float>(v * kMpsToMph));
        h = h + v * m_fSampleInterval;
        m_arrAltitude.push_back(metric ? h : static_cast<float>(h * kMetreToFoot));

        const int index = i > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(i);
        for (int bit = 0; bit < 4; ++bit) {
            if ((flags & (1 << bit)) != 0 && *events[bit] == 0)
                *events[bit] = index;
        }
    }
    m_live.v = v;
    m_live.h = h;
}

// Everything the curves, events and ranges depend on besides the samples, as bits, so
// a NaN compares equal to itself and a changed sign of zero counts as a change.
std::vector<std::uint32_t> FlightCurves::CurveInputs(const FlightRecord& flight,
                                                     const UserSettings& settings) const {
    const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    const auto word = [](int i) { return static_cast<std::uint32_t>(i); };
    const FlightStart start = flight.m_start.value_or(FlightStart{});
    return {word(flight.m_start.has_value()),
            bits(start.zeroRef),
            bits(start.velocity),
            bits(start.height),
            word(flight.m_nSampleRate),
            bits(m_fSampleInterval),
            bits(flight.m_fTwoGeeFile),
            bits(m_fTwoGee),
            bits(settings.m_fTwoGee),
            word(settings.m_bUseFileTwoGee),
            word(flight.m_nAccelOffset),
            word(settings.m_bUseAccelOffset),
            bits(m_fZeroRef),
            word(settings.m_bMetricUnits),
            word(settings.m_bAccelInGees),
            word(settings.m_bDisplayRaw),
            bits(flight.m_fLaunchWeight),
            bits(flight.m_fMaxDiameter),
            word(m_nEvent1),
            word(m_nEvent2),
            word(m_nEvent4),
            word(m_nEvent8),
            bits(m_fAccelMin),
            bits(m_fAccelMax),
            bits(m_fVelMin),
            bits(m_fVelMax),
            bits(m_fAltMin),
            bits(m_fAltMax)};
}

void FlightCurves::Remember(const FlightRecord& flight, const UserSettings& settings,
                            std::size_t n) {
    m_live.valid = true;
    m_live.count = n;
    m_live.listChanges = flight.m_pSamples.Changes();
    m_live.inputs = CurveInputs(flight, settings);
}

void FlightCurves::ComputeRanges(const FlightRecord& flight) {
    const std::size_t n = flight.m_pSamples.SizeLocked();
    if (n == 0)
        return;
    RangePass(n);
}

void FlightCurves::Clear() {
    m_fSampleInterval = m_fTwoGee = m_fZeroRef = 0.0f;
    m_arrAccel.clear();
    m_arrVelocity.clear();
    m_arrAltitude.clear();
    m_arrCd.clear();
    m_nEvent1 = m_nEvent2 = m_nEvent4 = m_nEvent8 = 0;
    m_fAccelMin = m_fAccelMax = m_fVelMin = m_fVelMax = m_fAltMin = m_fAltMax = 0.0f;
    m_live.valid = false;
}

void FlightCurves::RangePass(std::size_t n) {
    m_fAccelMin = m_fAccelMax = m_fVelMin = m_fVelMax = m_fAltMin = m_fAltMax = 0.0f;
    ExtendRanges(0, n);
}

// The range pass over samples [first, n), carrying on from the ranges as they stand.
void FlightCurves::ExtendRanges(std::size_t first, std::size_t n) {
    // The arrays may trail the list while a capture appends; never read past them.
    const std::size_t count =
        std::min({n, m_arrAccel.size(), m_arrVelocity.size(), m_arrAltitude.size()});
    for (std::size_t i = first; i < count; ++i) {
        const float A = m_arrAccel[i], V = m_arrVelocity[i], H = m_arrAltitude[i];
        if (A < m_fAccelMin)
            m_fAccelMin = A;
        if (A > m_fAccelMax)
            m_fAccelMax = A;
        if (V < m_fVelMin)
            m_fVelMin = V;
        if (V > m_fVelMax)
            m_fVelMax = V;
        if (H > m_fAltMax)
            m_fAltMax = H;
    }
    m_fAltMin = 0.0f;
}

} // namespace tavo
