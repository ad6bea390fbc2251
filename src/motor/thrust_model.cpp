#include "motor/thrust_model.h"

#include <cmath>
#include <numbers>

#include "flight/text_format.h"
#include "flight/units.h"

namespace tavo {
namespace {

constexpr int kApogeeFlag = 4;
constexpr int kDeployFlag = 8;

} // namespace

const char* ThrustKindName(ThrustKind kind) {
    return kind == ThrustKind::Net ? "Net force (as measured)" : "Motor thrust";
}

const char* ThrustKindWord(ThrustKind kind) {
    return kind == ThrustKind::Net ? "net" : "motor";
}

DragEstimate EstimateDrag(const std::vector<std::string>& samples, const FlightRecord& flight,
                          int c1, int c2) {
    DragEstimate e;
    const std::size_t count = samples.size();
    if (c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > count) {
        e.reason = "no samples between the cursors";
        return e;
    }
    const double dt = flight.m_fSampleInterval;
    const double countsPerGee = CountsPerGee<double>(flight.m_fTwoGee);
    const float base = static_cast<float>(SampleReading(ParseSampleWord(samples[0])));
    auto accel = [&](std::size_t i) { // m/s^2 of net acceleration
        const float adc = static_cast<float>(SampleReading(ParseSampleWord(samples[i])));
        return GeeFromCounts<double>(base, adc, countsPerGee) * kGee;
    };

    // The rocket stands still at C1, the launch.
    const std::size_t n = static_cast<std::size_t>(c2 - c1);
    e.velocity.resize(n);
    double v = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        v += accel(static_cast<std::size_t>(c1) + j) * dt;
        e.velocity[j] = v;
    }
    e.drag.assign(n, 0.0);
    e.burnoutSpeed = v;
    if (!std::isfinite(v) || !(dt > 0.0)) {
        e.reason = "the two-G value or the sample rate gives no speed";
        return e;
    }
    const double burnoutMass = static_cast<double>(flight.m_fLaunchWeight) -
                               static_cast<double>(flight.m_fPropellantWeight);
    if (!(burnoutMass > 0.0)) {
        e.reason = "the launch weight is not above the propellant weight";
        return e;
    }
    if (!(v > 0.0)) {
        e.reason = "the rocket is not climbing at C2";
        return e;
    }

    // Least squares of drag = k v^2 over the coast: the fast early coast, where the drag
    // is large against the reading's resolution, weighs the most.
    double sumDq = 0.0, sumQq = 0.0;
    const double floor = 0.5 * e.burnoutSpeed;
    for (std::size_t i = static_cast<std::size_t>(c2); i < count; ++i) {
        const int word = ParseSampleWord(samples[i]);
        if ((SampleFlags(word) & (kApogeeFlag | kDeployFlag)) != 0)
            break;
        const double a = accel(i);
        v += a * dt;
        if (!(v > floor))
            break;
        // The reading is (thrust - drag) / m - g and the motor is silent: drag = -m (a + g).
        const double drag = -burnoutMass * (a + kGee);
        const double q = v * v;
        sumDq += drag * q;
        sumQq += q * q;
        ++e.coastSamples;
    }
    if (e.coastSamples < kMinCoastSamples) {
        e.reason = "no usable coast after C2";
        return e;
    }
    const double k = sumDq / sumQq;
    if (!(k > 0.0) || !std::isfinite(k)) {
        e.reason = "the coast shows no drag";
        return e;
    }
    e.usable = true;
    e.dragFactor = k;
    const double diameter = flight.m_fMaxDiameter;
    if (diameter > 0.0) {
        const double area = 0.25 * std::numbers::pi * diameter * diameter;
        e.cd = k / (0.5 * static_cast<double>(kAirDensity) * area);
    }
    for (std::size_t j = 0; j < n; ++j) {
        const double s = e.velocity[j] > 0.0 ? e.velocity[j] : 0.0;
        e.drag[j] = k * s * s;
    }
    return e;
}

std::string ThrustModelText(ThrustKind kind, const DragEstimate& drag) {
    if (kind == ThrustKind::Net)
        return ThrustKindName(kind);
    std::string s = std::string(ThrustKindName(kind)) + ": net force + weight";
    if (!drag.usable)
        return s + " (no drag: " + drag.reason + ")";
    s += " + drag";
    if (drag.cd > 0.0)
        s += ", Cd " + FormatFixed(drag.cd, 2);
    return s + " from " + std::to_string(drag.coastSamples) + " coast samples";
}

} // namespace tavo
