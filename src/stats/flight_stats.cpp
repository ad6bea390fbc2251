#include "stats/flight_stats.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <mutex>
#include <vector>

#include "flight/text_format.h"
#include "flight/units.h"
#include "plot/axis_ticks.h"

namespace tavo {

namespace {

// The first sample holding the largest value; NaN is passed over.
std::size_t IndexOfMax(const std::vector<float>& values, std::size_t count) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < count; ++i)
        if (values[i] > values[best] || std::isnan(values[best]))
            best = i;
    return best;
}

// The first sample carrying a marker. The document's event index says 0 both for "not
// seen" and for a flag on the first sample, which a flight cut at its launch starts
// with, so the first sample's own flags decide.
std::optional<std::size_t> Marker(int index, int firstFlags, int flag, std::size_t count) {
    if ((firstFlags & flag) != 0)
        return std::size_t{0};
    if (index <= 0 || static_cast<std::size_t>(index) >= count)
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

int FirstSampleFlags(const FlightData& f) {
    std::lock_guard<std::mutex> lock(f.record.m_pSamples.mutex());
    const std::vector<std::string>& samples = f.record.m_pSamples.items();
    return samples.empty() ? 0 : SampleFlags(ParseSampleWord(samples.front()));
}

// The first sample of the stillness the recording ends in, when the rocket came to rest
// after it was seen coming down. `vStill` and `aStill` are in the curves' units.
std::optional<std::size_t> LandingIndex(const FlightData& f, std::size_t count, std::size_t apogee,
                                        float vStill, float aStill, float dt) {
    const auto still = [&](std::size_t i) {
        return std::fabs(f.curves.m_arrVelocity[i]) <= vStill &&
               std::fabs(f.curves.m_arrAccel[i]) <= aStill;
    };
    std::size_t first = count;
    while (first > apogee + 1 && still(first - 1))
        --first;
    if (first == count || static_cast<double>(count - first) * dt < kLandedSeconds)
        return std::nullopt;
    for (std::size_t i = apogee + 1; i < first; ++i)
        if (f.curves.m_arrVelocity[i] < -vStill)
            return first;
    return std::nullopt;
}

} // namespace

bool ComputeFlightStats(const FlightData& f, FlightStats& s, std::string& reason) {
    const std::size_t count =
        std::min({f.record.SampleCount(), f.curves.m_arrAccel.size(), f.curves.m_arrVelocity.size(),
                  f.curves.m_arrAltitude.size()});
    if (count == 0) {
        reason = "There is no flight to compute statistics from.";
        return false;
    }
    if (f.settings.m_bDisplayRaw) {
        reason = "The statistics need the calibrated curves: turn the raw display off in Setup.";
        return false;
    }
    const float dt = f.curves.m_fSampleInterval;
    if (!(dt > 0.0f) || !std::isfinite(dt)) {
        reason = "The flight has no sample rate, so it has no times.";
        return false;
    }
    s = FlightStats{};
    const bool metric = f.settings.m_bMetricUnits;
    s.accelUnits = CurveUnits(0, metric, f.settings.m_bAccelInGees, false);
    s.velocityUnits = CurveUnits(1, metric, f.settings.m_bAccelInGees, false);
    s.altitudeUnits = CurveUnits(2, metric, f.settings.m_bAccelInGees, false);
    s.descentRateUnits = metric ? "m/s" : "ft/s";
    const auto at = [dt](std::size_t i) { return static_cast<float>(i) * dt; };

    const std::size_t apogee = IndexOfMax(f.curves.m_arrAltitude, count);
    const std::size_t accel = IndexOfMax(f.curves.m_arrAccel, count);
    const std::size_t velocity = IndexOfMax(f.curves.m_arrVelocity, count);
    s.apogee = f.curves.m_arrAltitude[apogee];
    s.apogeeTime = at(apogee);
    s.maxAccel = f.curves.m_arrAccel[accel];
    s.maxAccelTime = at(accel);
    s.maxVelocity = f.curves.m_arrVelocity[velocity];
    s.maxVelocityTime = at(velocity);

    const int firstFlags = FirstSampleFlags(f);
    const std::optional<std::size_t> launch = Marker(f.curves.m_nEvent1, firstFlags, 1, count);
    const std::optional<std::size_t> burnout = Marker(f.curves.m_nEvent2, firstFlags, 2, count);
    if (launch)
        s.launchTime = at(*launch);
    if (burnout)
        s.burnoutTime = at(*burnout);
    if (launch && burnout && *burnout > *launch)
        s.burnTime = static_cast<float>(*burnout - *launch) * dt;
    if (burnout && apogee > *burnout)
        s.coastTime = static_cast<float>(apogee - *burnout) * dt;

    // The still limits in the curves' own units.
    const double speedUnit = metric ? 1.0 : kMpsToMph;
    const double gee = f.settings.m_bAccelInGees ? 1.0 : metric ? kGee : kGee * kMetreToFoot;
    const std::optional<std::size_t> landing =
        LandingIndex(f, count, apogee, static_cast<float>(kLandedSpeed * speedUnit),
                     static_cast<float>(kLandedAccel * gee), dt);
    if (landing) {
        s.landingTime = at(*landing);
        s.descentRate = (f.curves.m_arrAltitude[apogee] - f.curves.m_arrAltitude[*landing]) /
                        (static_cast<float>(*landing - apogee) * dt);
        if (launch)
            s.duration = static_cast<float>(*landing - *launch) * dt;
    }
    return true;
}

std::string FlightStatsText(const FlightStats& s) {
    const char* noLaunch = "no launch marker (I) in the flight";
    const char* noBurnout = "no burn-out marker (B) in the flight";
    const char* noLanding = "no landing in the recording (it does not end at rest)";
    const auto seconds = [](const std::optional<float>& t, const char* missing) {
        return t ? FormatText("%.2f s", *t) : std::string(missing);
    };
    std::string text;
    text +=
        FormatText("Apogee: %.1f %s at %.2f s\n", s.apogee, s.altitudeUnits.c_str(), s.apogeeTime);
    text += FormatText("Maximum acceleration: %.1f %s at %.2f s\n", s.maxAccel,
                       s.accelUnits.c_str(), s.maxAccelTime);
    text += FormatText("Maximum velocity: %.1f %s at %.2f s\n", s.maxVelocity,
                       s.velocityUnits.c_str(), s.maxVelocityTime);
    text += "Launch: " + seconds(s.launchTime, noLaunch) + "\n";
    text += "Burn-out: " + seconds(s.burnoutTime, noBurnout) + "\n";
    text += "Burn time: " +
            seconds(s.burnTime, !s.launchTime    ? noLaunch
                                : !s.burnoutTime ? noBurnout
                                                 : "the burn-out marker is not after launch") +
            "\n";
    text += "Coast to apogee: " +
            seconds(s.coastTime, s.burnoutTime ? "apogee is not after burn-out" : noBurnout) + "\n";
    text += "Mean descent rate: " +
            (s.descentRate ? FormatText("%.1f %s", *s.descentRate, s.descentRateUnits.c_str())
                           : std::string(noLanding)) +
            "\n";
    text += "Flight duration: " + seconds(s.duration, !s.landingTime ? noLanding : noLaunch) + "\n";
    text += "Landing: " + seconds(s.landingTime, noLanding) + "\n";
    text += "Times are read on the graph's time axis, from the first recorded sample.";
    return text;
}

std::string FlightSummaryText(const FlightStats& s) {
    std::string text = "Flight summary\n";
    text += FormatText("Apogee: %.1f %s\n", s.apogee, s.altitudeUnits.c_str());
    text += FormatText("Max. velocity: %.1f %s\n", s.maxVelocity, s.velocityUnits.c_str());
    text += "Burn time: " +
            (s.burnTime ? FormatText("%.2f s", *s.burnTime)
                        : std::string(!s.launchTime    ? "no launch marker"
                                      : !s.burnoutTime ? "no burn-out marker"
                                                       : "markers out of order")) +
            "\n";
    text += "Descent rate: " +
            (s.descentRate ? FormatText("%.1f %s", *s.descentRate, s.descentRateUnits.c_str())
                           : std::string("no landing found"));
    return text;
}

} // namespace tavo
