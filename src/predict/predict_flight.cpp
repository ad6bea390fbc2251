#include "predict/predict_flight.h"

#include <algorithm>
#include <mutex>

#include "flight/units.h"

namespace tavo {

namespace {

// A recording of more than this many samples after launch is read no further for the
// apogee: the recorder's memory holds 32,768.
constexpr std::size_t kMaxAfterLaunch = 1u << 20;

} // namespace

PredictFlightData ReadPredictFlight(const FlightData& flight, CursorRange range,
                                    double siteAltitudeM) {
    PredictFlightData d;
    d.launchMassKg = flight.record.m_fLaunchWeight;
    d.interval = flight.curves.m_fSampleInterval;
    d.motorText = flight.record.m_strMotor;
    d.metric = flight.settings.m_bMetricUnits;
    d.siteAltitudeM = siteAltitudeM;
    const int c1 = range.c1, c2 = range.c2;
    std::lock_guard<std::mutex> lock(flight.record.m_pSamples.mutex());
    const std::vector<std::string>& samples = flight.record.m_pSamples.items();
    if (samples.empty() || c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > samples.size())
        return d;
    d.drag = EstimateDrag(samples, flight, c1, c2, siteAltitudeM);
    if (flight.curves.m_nEvent8 > c1 &&
        static_cast<std::size_t>(flight.curves.m_nEvent8) < samples.size())
        d.deployTime =
            (flight.curves.m_nEvent8 - c1) * static_cast<double>(flight.curves.m_fSampleInterval);
    // Measured as the motor report measures: from the recording's pad reading.
    const float base = flight.record.RecordedZeroRef(samples);
    const double countsPerGee = CountsPerGee<double>(flight.curves.m_fTwoGee);
    const std::size_t end =
        std::min(samples.size(), static_cast<std::size_t>(c1) + kMaxAfterLaunch);
    d.accel.reserve(end - static_cast<std::size_t>(c1));
    for (std::size_t i = static_cast<std::size_t>(c1); i < end; ++i) {
        const float adc = static_cast<float>(SampleReading(ParseSampleWord(samples[i])));
        d.accel.push_back(GeeFromCounts<double>(base, adc, countsPerGee) * kGee);
    }
    return d;
}

} // namespace tavo
