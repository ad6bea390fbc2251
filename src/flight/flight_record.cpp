#include "flight/flight_record.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>

#include "flight/units.h"

namespace tavo {

static_assert(std::numeric_limits<float>::is_iec559, "IEEE single precision is required");
static_assert(std::numeric_limits<double>::is_iec559, "IEEE double precision is required");

const double g_pi = 4.0 * std::atan(1.0);

int ParseSampleWord(const char* text, std::size_t length) {
    std::size_t i = 0;
    auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < length && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude in 64 bits and stop growing once it is past the
    // 32-bit range, so long digit runs saturate rather than overflow.
    constexpr std::int64_t limit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    while (i < length && text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[i] - '0');
        ++i;
    }
    if (negative)
        return magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

void SampleList::AppendLocked(std::string text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_items.push_back(std::move(text));
}

std::size_t SampleList::SizeLocked() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_items.size();
}

FlightRecord::FlightRecord() = default;

void ApplyFirstRunSettings(FlightRecord& r) {
    r.m_bAutoComPort = true;
    r.m_strCommPort = "COM1:";
    r.m_bAccelInGees = true;
    r.m_fSampleInterval = 0.25f;
    r.m_nCursorPosition = 0;
    r.m_bDrawGrid = true;
    r.m_bMetricUnits = true;
    r.m_nMaxSamples = 6000;
    r.m_bUseAccelOffset = false;
}

void FlightRecord::ResetFlight(std::int64_t now) {
    {
        std::lock_guard<std::mutex> lock(m_pSamples.mutex());
        m_pSamples.items().clear();
    }
    m_pUndoSamples.clear();
    m_start.reset();
    m_nSampleRate = 0;
    m_fSampleInterval = 0.0f;
    m_nPreLaunchSetting = 0;
    m_fTwoGeeFile = 15.0f;
    m_fTwoGee = 0.0f;
    m_bUseFileTwoGee = true;
    m_nAccelOffset = 0;
    m_fZeroRef = 0.0f;
    m_strName.clear();
    m_strMotor.clear();
    m_strComment.clear();
    m_timeDate = now;
    m_fLaunchWeight = 0.0f;
    m_fPropellantWeight = 0.0f;
    m_fMaxDiameter = 0.0f;
    m_arrAccel.clear();
    m_arrVelocity.clear();
    m_arrAltitude.clear();
    m_arrCd.clear();
    m_nEvent1 = m_nEvent2 = m_nEvent4 = m_nEvent8 = 0;
    m_fAccelMin = m_fAccelMax = m_fVelMin = m_fVelMax = m_fAltMin = m_fAltMax = 0.0f;
}

void FlightRecord::Recompute() {
    std::lock_guard<std::mutex> lock(m_pSamples.mutex());
    const std::vector<std::string>& samples = std::as_const(m_pSamples).items();
    const std::size_t n = samples.size();
    if (n < 1) {
        m_live.valid = false;
        return;
    }

    PrepareInputs(samples);
    m_nEvent1 = m_nEvent2 = m_nEvent4 = m_nEvent8 = 0;
    m_arrAccel.clear();
    m_arrVelocity.clear();
    m_arrAltitude.clear();
    m_arrCd.clear();
    m_arrAccel.reserve(n);
    m_arrVelocity.reserve(n);
    m_arrAltitude.reserve(n);
    m_arrCd.reserve(n);

    m_live.v = m_start ? m_start->velocity : 0.0f;
    m_live.h = m_start ? m_start->height : 0.0f;
    ComputeSamples(samples, 0, n);

    // The lock is already held, so run the pass on the arrays just built.
    RangePass(n);
    Remember(n);
}

// The interval, two-G value and zero reference every curve of this Recompute uses.
void FlightRecord::PrepareInputs(const std::vector<std::string>& samples) {
    // A rate of 0 gives an infinite interval, as IEEE division would; spelled out so
    // no division by zero is ever evaluated.
    m_fSampleInterval = m_nSampleRate == 0 ? std::numeric_limits<float>::infinity()
                                           : static_cast<float>(1.0 / m_nSampleRate);
    if (m_bUseFileTwoGee)
        m_fTwoGee = m_fTwoGeeFile;
    m_fZeroRef = RecordedZeroRef(samples);
    if (m_bUseAccelOffset)
        m_fZeroRef = static_cast<float>(m_nAccelOffset);
}

float FlightRecord::RecordedZeroRef(const std::vector<std::string>& samples) const {
    if (m_start)
        return m_start->zeroRef;
    return static_cast<float>(SampleReading(ParseSampleWord(samples[0])));
}

// The reading in g (raw counts when those are shown) that velocity and height grow from.
float FlightRecord::Reading(int adc, float halfTwoGee) const {
    if (m_bDisplayRaw)
        return static_cast<float>(adc);
    return GeeFromCounts<float>(m_fZeroRef, static_cast<float>(adc), halfTwoGee);
}

FlightStart FlightRecord::StartBefore(const std::vector<std::string>& samples, std::size_t index) {
    FlightStart start;
    if (samples.empty())
        return start;
    PrepareInputs(samples);
    start.zeroRef = RecordedZeroRef(samples);
    const float halfTwoGee = CountsPerGee<float>(m_fTwoGee);
    // The same single-precision steps as ComputeSamples, so the kept samples go on bit
    // for bit from where the whole recording stood.
    float v = m_start ? m_start->velocity : 0.0f;
    float h = m_start ? m_start->height : 0.0f;
    const std::size_t last = std::min(index, samples.size());
    for (std::size_t i = 0; i < last; ++i) {
        const float g = Reading(SampleReading(ParseSampleWord(samples[i])), halfTwoGee);
        const float a = static_cast<float>(g * kGee);
        v = v + a * m_fSampleInterval;
        h = h + v * m_fSampleInterval;
    }
    start.velocity = v;
    start.height = h;
    return start;
}

void FlightRecord::RecomputeAppended() {
    {
        std::lock_guard<std::mutex> lock(m_pSamples.mutex());
        const std::vector<std::string>& samples = std::as_const(m_pSamples).items();
        const std::size_t n = samples.size();
        const Continuation& c = m_live;
        const bool carriesOn = c.valid && n >= c.count && c.count > 0 &&
                               m_arrAccel.size() == c.count && m_arrVelocity.size() == c.count &&
                               m_arrAltitude.size() == c.count && m_arrCd.size() == c.count &&
                               m_pSamples.Changes() == c.listChanges && CurveInputs() == c.inputs;
        if (carriesOn) {
            ComputeSamples(samples, c.count, n);
            ExtendRanges(c.count, n);
            Remember(n);
            return;
        }
    }
    Recompute();
}

// One step of the curves per sample, in the order the recorder's software evaluates
// it; the running velocity and height carry over between calls in m_live.
void FlightRecord::ComputeSamples(const std::vector<std::string>& samples, std::size_t first,
                                  std::size_t last) {
    const float halfTwoGee = CountsPerGee<float>(m_fTwoGee);
    const float radius = m_fMaxDiameter * 0.5f;
    // The denominator's constant part: air density (single precision), pi and the
    // squared radius, all in double as the drag formula has always evaluated them.
    const double area = static_cast<double>(kAirDensity) * g_pi * std::pow(radius, 2.0);
    float v = m_live.v;
    float h = m_live.h;
    int* const events[4] = {&m_nEvent1, &m_nEvent2, &m_nEvent4, &m_nEvent8};

    for (std::size_t i = first; i < last; ++i) {
        const int w = ParseSampleWord(samples[i]);
        const int flags = SampleFlags(w);
        const int adc = SampleReading(w);

        const float g = Reading(adc, halfTwoGee);

        float a;
        if (!m_bAccelInGees && !m_bDisplayRaw) {
            a = static_cast<float>(g * kGee);
            m_arrAccel.push_back(m_bMetricUnits ? a : static_cast<float>(a * kMetreToFoot));
        } else {
            m_arrAccel.push_back(g);
            a = static_cast<float>(g * kGee);
        }

        const float numerator = 2 * a * m_fLaunchWeight;
        const double cd = std::fabs(numerator / (area * std::pow(v, 2.0)));
        m_arrCd.push_back(static_cast<float>(cd));

        if (i == 9000)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));

        v = v + a * m_fSampleInterval;
        m_arrVelocity.push_back(m_bMetricUnits ? v : static_cast<float>(v * kMpsToMph));
        h = h + v * m_fSampleInterval;
        m_arrAltitude.push_back(m_bMetricUnits ? h : static_cast<float>(h * kMetreToFoot));

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
std::vector<std::uint32_t> FlightRecord::CurveInputs() const {
    const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    const auto word = [](int i) { return static_cast<std::uint32_t>(i); };
    const FlightStart start = m_start.value_or(FlightStart{});
    return {word(m_start.has_value()), bits(start.zeroRef),     bits(start.velocity),
            bits(start.height),        word(m_nSampleRate),     bits(m_fSampleInterval),
            bits(m_fTwoGeeFile),       bits(m_fTwoGee),         word(m_bUseFileTwoGee),
            word(m_nAccelOffset),      word(m_bUseAccelOffset), bits(m_fZeroRef),
            word(m_bMetricUnits),      word(m_bAccelInGees),    word(m_bDisplayRaw),
            bits(m_fLaunchWeight),     bits(m_fMaxDiameter),    word(m_nEvent1),
            word(m_nEvent2),           word(m_nEvent4),         word(m_nEvent8),
            bits(m_fAccelMin),         bits(m_fAccelMax),       bits(m_fVelMin),
            bits(m_fVelMax),           bits(m_fAltMin),         bits(m_fAltMax)};
}

void FlightRecord::Remember(std::size_t n) {
    m_live.valid = true;
    m_live.count = n;
    m_live.listChanges = m_pSamples.Changes();
    m_live.inputs = CurveInputs();
}

void FlightRecord::ComputeRanges() {
    const std::size_t n = m_pSamples.SizeLocked();
    if (n == 0)
        return;
    RangePass(n);
}

void FlightRecord::RangePass(std::size_t n) {
    m_fAccelMin = m_fAccelMax = m_fVelMin = m_fVelMax = m_fAltMin = m_fAltMax = 0.0f;
    ExtendRanges(0, n);
}

// The range pass over samples [first, n), carrying on from the ranges as they stand.
void FlightRecord::ExtendRanges(std::size_t first, std::size_t n) {
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
