#include "predict/predict.h"

#include <algorithm>
#include <cmath>

#include "flight/units.h"

namespace tavo {
namespace {

// Steps of the integration: the burn changes within milliseconds, the coast is smooth.
// Halving either moves no apogee of the shipped motors by a centimetre.
constexpr double kBurnStep = 0.002;
constexpr double kCoastStep = 0.01;
// Lift-off is looked for at this spacing, then pinned down by halving.
constexpr double kLiftoffScan = 0.001;
// A flight that has not reached apogee after this long is not one this program flies.
constexpr double kMaxFlightTime = 3600.0;

struct Model {
    const MeasuredRocket& rocket;
    const AirColumn& air;
    MotorCurve curve;
    double impulse = 0.0;
    double loadedKg = 0.0;
    double propellantKg = 0.0;

    double Mass(double t) const {
        const double burnt = impulse > 0.0 ? curve.ImpulseUpTo(t) / impulse : 0.0;
        return rocket.dryMassKg + loadedKg - propellantKg * burnt;
    }
    // Acceleration (m/s^2) in flight at time t, height x and speed v.
    double Accel(double t, double x, double v) const {
        const double sound = air.SpeedOfSound(x);
        const double mach = sound > 0.0 ? std::fabs(v) / sound : 0.0;
        const double drag = 0.5 * air.Density(x) * DragAreaAt(rocket.drag, mach) * v * std::fabs(v);
        return (curve.ThrustAt(t) - drag) / Mass(t) - kGee;
    }
    bool Lifts(double t) const { return curve.ThrustAt(t) > Mass(t) * kGee; }
};

// The first time the thrust exceeds the weight, or a negative time when it never does.
double Liftoff(const Model& m, double burnout) {
    double before = 0.0;
    for (double t = kLiftoffScan; t <= burnout + kLiftoffScan; t += kLiftoffScan) {
        const double at = std::min(t, burnout);
        if (m.Lifts(at)) {
            double lo = before, hi = at;
            for (int i = 0; i < 40; ++i) {
                const double mid = 0.5 * (lo + hi);
                (m.Lifts(mid) ? hi : lo) = mid;
            }
            return hi;
        }
        before = at;
    }
    return -1.0;
}

} // namespace

bool MeasureRocket(const DragEstimate& drag, double launchMassKg, double flownMotorKg,
                   MeasuredRocket& rocket, std::string& reason) {
    if (!drag.usable) {
        reason = "The flight gives no drag to predict with: " + drag.reason + ".";
        return false;
    }
    if (!(flownMotorKg > 0.0) || !std::isfinite(flownMotorKg)) {
        reason = "The flown motor's loaded mass must be above 0.";
        return false;
    }
    if (!(launchMassKg > flownMotorKg) || !std::isfinite(launchMassKg)) {
        reason = "The launch weight must be above the flown motor's loaded mass.";
        return false;
    }
    rocket.dryMassKg = launchMassKg - flownMotorKg;
    rocket.drag = BuildDragCurve(drag);
    rocket.maxMeasuredSpeed = rocket.drag.maxSpeed;
    return true;
}

Prediction PredictFlight(const MeasuredRocket& rocket, const EngMotor& motor,
                         const PredictOptions& options, const AirColumn& air) {
    Prediction p;
    Model m{rocket, air, MotorCurve(motor)};
    m.impulse = m.curve.TotalImpulse();
    const double burnout = m.curve.BurnTime();
    // A file may give masses that make no sense; the motor never weighs below nothing.
    m.loadedKg = std::isfinite(motor.totalKg) ? std::max(motor.totalKg, 0.0) : 0.0;
    m.propellantKg =
        std::isfinite(motor.propellantKg) ? std::clamp(motor.propellantKg, 0.0, m.loadedKg) : 0.0;
    p.burnout = burnout;
    p.launchMassKg = m.Mass(0.0);
    if (!(m.impulse > 0.0) || !std::isfinite(m.impulse)) {
        p.reason = "the motor has no thrust";
        return p;
    }
    if (!rocket.drag.usable || !(rocket.dryMassKg > 0.0)) {
        p.reason = "the rocket has no measured drag or mass";
        return p;
    }
    const double liftoff = Liftoff(m, burnout);
    if (liftoff < 0.0) {
        p.reason = "the motor never lifts the rocket off the pad";
        return p;
    }
    p.liftoffTime = liftoff;

    const double every = options.curveInterval > 0.0 ? options.curveInterval : 0.0;
    double nextCurve = 0.0;
    auto record = [&](double t, double a, double v, double x) {
        p.time.push_back(t);
        p.accel.push_back(a);
        p.velocity.push_back(v);
        p.altitude.push_back(x);
    };
    // The pad holds the rocket until lift-off.
    while (every > 0.0 && nextCurve < liftoff) {
        record(nextCurve, 0.0, 0.0, 0.0);
        nextCurve += every;
    }

    double t = liftoff, x = 0.0, v = 0.0;
    while (t < kMaxFlightTime) {
        double h = t < burnout ? kBurnStep : kCoastStep;
        // Steps end on the burn-out, where the thrust stops.
        if (t < burnout && t + h > burnout)
            h = burnout - t;
        const double k1 = m.Accel(t, x, v);
        const double k2 = m.Accel(t + 0.5 * h, x + 0.5 * h * v, v + 0.5 * h * k1);
        const double k3 = m.Accel(t + 0.5 * h, x + 0.5 * h * (v + 0.5 * h * k1), v + 0.5 * h * k2);
        const double k4 = m.Accel(t + h, x + h * (v + 0.5 * h * k2), v + h * k3);
        double vNew = v + h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
        double xNew =
            x + h / 6.0 * (v + 2.0 * (v + 0.5 * h * k1) + 2.0 * (v + 0.5 * h * k2) + (v + h * k3));
        p.maxAccel = std::max(p.maxAccel, k1);
        // A motor too weak to hold the rocket up lets it settle back on the pad.
        if (xNew < 0.0) {
            xNew = 0.0;
            vNew = 0.0;
        }
        if (options.railLengthM > 0.0 && !p.railExit && xNew >= options.railLengthM) {
            p.railExit = true;
            const double f = xNew > x ? (options.railLengthM - x) / (xNew - x) : 1.0;
            p.railExitVelocity = v + (vNew - v) * f;
        }
        const bool apogee = t + h >= burnout && vNew <= 0.0 && v > 0.0;
        double end = t + h, xEnd = xNew, vEnd = vNew;
        if (apogee) {
            // Within the step the speed falls almost evenly.
            const double f = v / (v - vNew);
            end = t + f * h;
            vEnd = 0.0;
            xEnd = x + v * f * h + 0.5 * (vNew - v) / h * (f * h) * (f * h);
        }
        while (every > 0.0 && nextCurve <= end) {
            const double f = end > t ? (nextCurve - t) / (end - t) : 1.0;
            record(nextCurve, k1, v + (vEnd - v) * f, x + (xEnd - x) * f);
            nextCurve += every;
        }
        p.maxVelocity = std::max(p.maxVelocity, vEnd);
        if (vEnd > rocket.maxMeasuredSpeed)
            p.beyondMeasuredSpeed = true;
        t = end;
        x = xEnd;
        v = vEnd;
        if (apogee || (t >= burnout && v <= 0.0))
            break;
    }
    if (!(t < kMaxFlightTime)) {
        p.reason = "no apogee within an hour";
        return p;
    }
    p.flies = true;
    p.apogee = x;
    p.apogeeTime = t;
    p.bestDelay = t - burnout;
    return p;
}

} // namespace tavo
