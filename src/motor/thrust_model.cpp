#include "motor/thrust_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "flight/text_format.h"
#include "flight/units.h"
#include "motor/atmosphere.h"
#include "motor/eng_motor.h"

namespace tavo {
namespace {

constexpr int kApogeeFlag = 4;
constexpr int kDeployFlag = 8;
// Rounds of the fixed point between the total impulse and the mass it gives; each
// round shrinks the error by about the propellant's share of the mass, so a few dozen
// reach double precision.
constexpr int kMaxSolveRounds = 100;

// Acceleration (m/s^2) of `counts` of the reading, 0 without a calibration.
double CountsAccel(double counts, double countsPerGee) {
    return countsPerGee > 0.0 ? counts / countsPerGee * kGee : 0.0;
}

// The thrust series without its uncertainty.
MotorThrustSeries Solve(const MeasuredFlight& f, const DragEstimate& drag) {
    MotorThrustSeries s;
    const std::size_t n = static_cast<std::size_t>(std::max(f.burnSamples, 0));
    if (n == 0 || f.accel.size() < n)
        return s;
    const double dt = f.interval, m0 = f.launchMassKg, p = f.propellantKg;
    auto dragAt = [&](std::size_t j) {
        return drag.usable && j < drag.drag.size() ? drag.drag[j] : 0.0;
    };
    s.thrust.resize(n);
    s.mass.resize(n);
    // One pass with the total impulse `total`; returns the impulse it gives. `total` of 0
    // lets the mass fall evenly with time, as the net force always has.
    auto pass = [&](double total) {
        double delivered = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            const double b = f.accel[j] + kGee;
            double m = 0.0, thrust = 0.0;
            if (total > 0.0) {
                // The mass takes the impulse up to the middle of its own sample: solved
                // for the thrust it feeds, then held within the propellant.
                const double share = 0.5 * p * b * dt / total;
                thrust = ((m0 - p * delivered / total) * b + dragAt(j)) /
                         (1.0 + (share > -0.5 ? share : 0.0));
                const double burnt = std::clamp((delivered + 0.5 * thrust * dt) / total, 0.0, 1.0);
                m = m0 - p * burnt;
            } else {
                m = m0 - p * static_cast<double>(j) / static_cast<double>(n);
            }
            thrust = m * b + dragAt(j);
            s.mass[j] = m;
            s.thrust[j] = thrust;
            delivered += thrust * dt;
        }
        return delivered;
    };
    double total = pass(0.0);
    bool solved = total > 0.0 && std::isfinite(total) && p > 0.0;
    for (int round = 0; solved && round < kMaxSolveRounds; ++round) {
        const double next = pass(total);
        if (!(next > 0.0) || !std::isfinite(next)) {
            solved = false;
            break;
        }
        const bool done = std::fabs(next - total) <= 1e-12 * next;
        total = next;
        if (done)
            break;
    }
    if (!solved)
        pass(0.0);
    for (std::size_t j = 0; j < n; ++j) {
        s.impulse += s.thrust[j] * dt;
        s.weightImpulse += s.mass[j] * kGee * dt;
        s.dragImpulse += dragAt(j) * dt;
    }
    return s;
}

// Standard deviation of the pad reading's rounding (half a count either way) and of each
// reading's own, as accelerations.
double ZeroSigma(double countsPerGee) {
    return CountsAccel(0.5 / std::sqrt(3.0), countsPerGee);
}
double ReadingSigma(double countsPerGee) {
    return CountsAccel(1.0 / std::sqrt(12.0), countsPerGee);
}

} // namespace

const char* ThrustKindName(ThrustKind kind) {
    return kind == ThrustKind::Net ? "Net force (as measured)" : "Motor thrust";
}

const char* ThrustKindWord(ThrustKind kind) {
    return kind == ThrustKind::Net ? "net" : "motor";
}

double DragCoefficientDivisor(double diameter, double airDensity) {
    if (!(diameter > 0.0) || !(airDensity > 0.0))
        return 0.0;
    const double area = 0.25 * std::numbers::pi * diameter * diameter;
    return 0.5 * airDensity * area;
}

MeasuredFlight ReadMeasuredFlight(const std::vector<std::string>& samples, const FlightData& flight,
                                  int c1, int c2, double siteAltitudeM) {
    MeasuredFlight m;
    m.interval = flight.curves.m_fSampleInterval;
    m.launchMassKg = flight.record.m_fLaunchWeight;
    m.propellantKg = flight.record.m_fPropellantWeight;
    m.diameterM = flight.record.m_fMaxDiameter > 0.0f ? flight.record.m_fMaxDiameter : 0.0;
    m.countsPerGee = CountsPerGee<double>(flight.curves.m_fTwoGee);
    m.siteAltitudeM = std::isfinite(siteAltitudeM) ? siteAltitudeM : 0.0;
    const std::size_t count = samples.size();
    if (c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > count)
        return m;
    // Measured from the recording's pad reading, which a cut before C1 keeps.
    const float base = flight.record.RecordedZeroRef(samples);
    m.burnSamples = c2 - c1;
    for (std::size_t i = static_cast<std::size_t>(c1); i < count; ++i) {
        const int word = ParseSampleWord(samples[i]);
        if (i >= static_cast<std::size_t>(c2) && (SampleFlags(word) & (kApogeeFlag | kDeployFlag)))
            break;
        const float adc = static_cast<float>(SampleReading(word));
        m.accel.push_back(GeeFromCounts<double>(base, adc, m.countsPerGee) * kGee);
    }
    return m;
}

DragEstimate EstimateDrag(const MeasuredFlight& f) {
    DragEstimate e;
    e.siteAltitudeM = f.siteAltitudeM;
    const std::size_t n = static_cast<std::size_t>(std::max(f.burnSamples, 0));
    if (n == 0 || f.accel.size() < n) {
        e.reason = "no samples between the cursors";
        return e;
    }
    const AirColumn air(f.siteAltitudeM);
    e.airDensity = air.Density(0.0);
    if (f.diameterM > 0.0 && std::isfinite(f.diameterM))
        e.area = 0.25 * std::numbers::pi * f.diameterM * f.diameterM;
    const double dt = f.interval;

    // The rocket stands still at C1, the launch.
    e.velocity.resize(n);
    e.height.resize(n);
    double v = 0.0, h = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        const double next = v + f.accel[j] * dt;
        h += 0.5 * (v + next) * dt;
        v = next;
        e.velocity[j] = v;
        e.height[j] = h;
    }
    e.drag.assign(n, 0.0);
    e.burnoutSpeed = v;
    if (!std::isfinite(v) || !(dt > 0.0)) {
        e.reason = "the two-G value or the sample rate gives no speed";
        return e;
    }
    const double burnoutMass = f.launchMassKg - f.propellantKg;
    if (!(burnoutMass > 0.0)) {
        e.reason = "the launch weight is not above the propellant weight";
        return e;
    }
    if (!(v > 0.0)) {
        e.reason = "the rocket is not climbing at C2";
        return e;
    }

    // Least squares of drag = CdA x rho v^2 / 2 over the coast: the fast early coast,
    // where the drag is large against the reading's resolution, weighs the most.
    double sumDq = 0.0, sumQq = 0.0, sumDd = 0.0;
    const double floor = 0.5 * e.burnoutSpeed;
    for (std::size_t i = n; i < f.accel.size(); ++i) {
        const double a = f.accel[i];
        const double next = v + a * dt;
        h += 0.5 * (v + next) * dt;
        v = next;
        if (!(v > floor))
            break;
        // The reading is (thrust - drag) / m - g and the motor is silent: drag = -m (a + g).
        CoastPoint c{v, h, -burnoutMass * (a + kGee), air.Density(h), air.SpeedOfSound(h)};
        const double q = 0.5 * c.density * v * v;
        sumDq += c.drag * q;
        sumQq += q * q;
        sumDd += c.drag * c.drag;
        e.coast.push_back(c);
    }
    e.coastSamples = static_cast<int>(e.coast.size());
    if (e.coastSamples < kMinCoastSamples) {
        e.reason = "no usable coast after C2";
        return e;
    }
    const double cdA = sumDq / sumQq;
    if (!(cdA > 0.0) || !std::isfinite(cdA)) {
        e.reason = "the coast shows no drag";
        return e;
    }
    e.usable = true;
    e.dragArea = cdA;
    // The residuals' sum of squares, never below 0 for rounding.
    const double scatter = std::max(sumDd - cdA * sumDq, 0.0);
    e.dragAreaError = std::sqrt(scatter / (e.coastSamples - 1) / sumQq);
    e.dragFactor = 0.5 * e.airDensity * cdA;
    if (e.area > 0.0)
        e.cd = cdA / e.area;
    for (std::size_t j = 0; j < n; ++j) {
        const double s = e.velocity[j] > 0.0 ? e.velocity[j] : 0.0;
        e.drag[j] = 0.5 * air.Density(e.height[j]) * cdA * s * s;
    }
    return e;
}

DragEstimate EstimateDrag(const std::vector<std::string>& samples, const FlightData& flight, int c1,
                          int c2, double siteAltitudeM) {
    return EstimateDrag(ReadMeasuredFlight(samples, flight, c1, c2, siteAltitudeM));
}

MotorThrustSeries SolveMotorThrust(const MeasuredFlight& flight, const DragEstimate& drag) {
    MotorThrustSeries s = Solve(flight, drag);
    if (s.thrust.empty())
        return s;
    // The pad reading's rounding shifts every reading alike, the drag fit included:
    // carried through by solving again with the readings moved by it.
    MeasuredFlight shifted = flight;
    const double zero = ZeroSigma(flight.countsPerGee);
    for (double& a : shifted.accel)
        a += zero;
    const MotorThrustSeries moved = Solve(shifted, drag.usable ? EstimateDrag(shifted) : drag);
    const double zeroPart = moved.impulse - s.impulse;
    const double readingPart =
        NetImpulseUncertainty(s.mass, flight.interval, flight.countsPerGee) / 2.0;
    double fitPart = 0.0;
    if (drag.usable && drag.dragArea > 0.0)
        fitPart = drag.dragAreaError / drag.dragArea * s.dragImpulse;
    const double u = std::sqrt(zeroPart * zeroPart + readingPart * readingPart + fitPart * fitPart);
    s.impulseUncertainty = std::isfinite(u) ? 2.0 * u : 0.0;
    return s;
}

double NetImpulseUncertainty(const std::vector<double>& massKg, double interval,
                             double countsPerGee) {
    // The pad's rounding moves all readings together; each reading's own rounding is
    // independent of the others'.
    double sumM = 0.0, sumM2 = 0.0;
    for (double m : massKg) {
        sumM += m;
        sumM2 += m * m;
    }
    const double zeroPart = ZeroSigma(countsPerGee) * sumM * interval;
    const double readingPart = ReadingSigma(countsPerGee) * std::sqrt(sumM2) * interval;
    const double u = std::sqrt(zeroPart * zeroPart + readingPart * readingPart);
    return std::isfinite(u) ? 2.0 * u : 0.0;
}

std::string ClassBoundNote(double impulseNs, double uncertaintyNs, bool brief) {
    if (!(uncertaintyNs > 0.0) || !std::isfinite(impulseNs))
        return {};
    // The bounds double from 2.5 N s (A/B) to 40960 N s (O/P).
    double bound = 2.5;
    for (char below = 'A'; below < 'P'; ++below, bound *= 2.0) {
        if (std::fabs(impulseNs - bound) > uncertaintyNs)
            continue;
        std::string text = brief ? "near " : "near the ";
        text += below;
        text += '/';
        text += static_cast<char>(below + 1);
        if (brief)
            return text;
        text += " bound (";
        AppendGeneral(text, bound);
        return text + " N s), +/-" + FormatFixed(uncertaintyNs, 2) + " N s";
    }
    return {};
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
