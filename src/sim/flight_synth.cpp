#include "sim/flight_synth.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>

#include "motor/atmosphere.h"

namespace tavo {
namespace {

// Integration steps: fine enough that the sampled figures do not depend on them. The
// burn changes fast; after it the forces are smooth and a coarser step keeps a long
// descent quick.
constexpr double kMaxStepS = 1e-4;
constexpr double kCoastStepS = 1e-3;
// The ground stops a landing rocket within a few samples; its deceleration is capped so
// the recorder reads it rather than clipping (soft ground, grass).
constexpr double kMaxImpactGee = 30.0;

// splitmix64: a fixed, portable sequence, so a seed gives the same flight everywhere
// (the standard distributions are not specified bit for bit).
struct NoiseSource {
    std::uint64_t state;
    double Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1.0p-53; // [0, 1)
    }
};

struct Model {
    const SynthParams& p;
    MotorCurve curve{p.motor};
    double impulse = 0.0;
    double bodyArea = 0.0;
    double chuteArea = 0.0;
    double deployTime = -1.0;
    std::optional<AirColumn> air; // the standard atmosphere, when asked for

    double Mass(double t) const {
        double burnt = impulse > 0.0 ? curve.ImpulseUpTo(t) / impulse : 0.0;
        return p.rocket.dryMassKg + p.motor.totalKg - p.motor.propellantKg * burnt;
    }
    bool Deployed(double t) const { return deployTime >= 0.0 && t >= deployTime; }
    // Drag force along the axis at height `x`: opposes the velocity.
    double Drag(double t, double v, double x) const {
        double cdA = p.rocket.cd * bodyArea + (Deployed(t) ? p.rocket.chuteCd * chuteArea : 0.0);
        const double rho = air ? air->Density(x) : kSimAirDensity;
        double d = 0.5 * rho * cdA * v * v;
        return v > 0.0 ? -d : d;
    }
    // What the accelerometer feels in flight, m/s^2.
    double SpecificForce(double t, double v, double x) const {
        return (curve.ThrustAt(t) + Drag(t, v, x)) / Mass(t);
    }
    double Accel(double t, double v, double x) const { return SpecificForce(t, v, x) - kGee; }
};

double Area(double diameter) {
    return 4.0 * std::atan(1.0) * diameter * diameter / 4.0;
}

bool Validate(const SynthParams& p, std::string& reason) {
    const RocketParams& r = p.rocket;
    const RecorderParams& rec = p.recorder;
    auto fail = [&](const std::string& what) {
        reason = what;
        return false;
    };
    if (p.motor.points.empty() || !(MotorCurve(p.motor).TotalImpulse() > 0.0))
        return fail("the motor has no thrust curve");
    if (!(r.dryMassKg > 0.0 && r.dryMassKg < 1000.0))
        return fail("the rocket's mass must be above 0");
    if (!(r.diameterM > 0.0 && r.diameterM < 10.0))
        return fail("the body diameter must be above 0");
    if (!(r.cd >= 0.0 && r.cd < 100.0) || !(r.chuteCd >= 0.0 && r.chuteCd < 100.0))
        return fail("drag coefficients must be 0 or more");
    if (!(r.chuteDiameterM >= 0.0 && r.chuteDiameterM < 100.0))
        return fail("the parachute diameter must be 0 or more");
    if (!IsRecorderSampleRate(rec.sampleRate))
        return fail("the recorder offers " + RecorderSampleRatesText());
    if (rec.preLaunchSamples < kRecorderPreLaunchSizes.front() ||
        rec.preLaunchSamples > kRecorderPreLaunchSizes.back())
        return fail("the pre-launch buffer holds 64 to 4096 samples");
    if (!(rec.zeroG >= 0.0 && rec.zeroG <= 4095.0))
        return fail("the zero-g reading must lie within 0 to 4095 counts");
    if (!(rec.twoGee > 0.0f && rec.twoGee <= 4095.0f))
        return fail("the two-G value must be above 0");
    if (!(rec.noiseCounts >= 0.0 && rec.noiseCounts <= 100.0))
        return fail("the noise must lie within 0 to 100 counts");
    if (!(rec.afterLandingS >= 0.0 && rec.afterLandingS <= 3600.0))
        return fail("the time after landing must lie within 0 to 3600 s");
    if (!(p.air.siteAltitudeM >= -500.0 && p.air.siteAltitudeM <= 9000.0))
        return fail("the launch site must lie within -500 to 9000 m above sea level");
    if (!std::isfinite(p.deployDelayS) || p.deployDelayS > 3600.0)
        return fail("the deployment delay must be a number of seconds up to 3600");
    return true;
}

std::uint16_t Reading(const RecorderParams& rec, double specificForceG, double noise) {
    double counts = rec.zeroG - specificForceG * CountsPerGee<double>(rec.twoGee) + noise;
    if (!(counts > 0.0)) // also NaN
        counts = 0.0;
    counts = std::min(std::round(counts), 4095.0);
    return static_cast<std::uint16_t>(counts);
}

// Extra specific force (m/s^2) of each landing impact sample and their number, for a
// touch-down at `speed` m/s: the integral of the readings brings the speed back to 0.
struct Impact {
    double accel = 0.0;
    int samples = 0;
};
Impact LandingImpact(const RecorderParams& rec, double speed, double dt) {
    Impact impact;
    if (!(speed > 0.0))
        return impact;
    // Headroom above the 1 g rest reading before the reading clips at 0 counts.
    const double headroomGee = rec.zeroG / CountsPerGee<double>(rec.twoGee) - 1.0;
    const double maxAccel = std::max(1.0, std::min(kMaxImpactGee, 0.9 * headroomGee)) * kGee;
    impact.samples = std::max(1, static_cast<int>(std::ceil(speed / (maxAccel * dt))));
    impact.accel = speed / (impact.samples * dt);
    return impact;
}

// One run with a fixed deployment time; the caller picks the delay. `toApogee` stops at
// the apogee (all that choosing a delay needs).
bool Simulate(const SynthParams& p, double deployDelay, bool toApogee, SynthFlight& out,
              std::string& reason) {
    Model m{p, MotorCurve(p.motor), 0.0, 0.0, 0.0, -1.0, std::nullopt};
    m.impulse = m.curve.TotalImpulse();
    m.bodyArea = Area(p.rocket.diameterM);
    m.chuteArea = Area(p.rocket.chuteDiameterM);
    const double burnout = m.curve.BurnTime();
    m.deployTime = deployDelay >= 0.0 ? burnout + deployDelay : -1.0;
    if (p.air.standard)
        m.air.emplace(p.air.siteAltitudeM);
    const double dt = 1.0 / p.recorder.sampleRate;
    const int burnSubsteps = std::max(1, static_cast<int>(std::ceil(dt / kMaxStepS)));
    const int coastSubsteps = std::max(1, static_cast<int>(std::ceil(dt / kCoastStepS)));

    // The pad holds the rocket until the thrust exceeds its weight.
    double liftoff = -1.0;
    for (double t = 0.0; t < burnout; t += kMaxStepS / 10.0) {
        if (m.curve.ThrustAt(t) > m.Mass(t) * kGee) {
            liftoff = t;
            break;
        }
    }
    if (liftoff < 0.0) {
        reason = "the motor never lifts the rocket off the pad";
        return false;
    }

    SynthFlight f;
    SynthTruth& truth = f.truth;
    truth.liftoffTimeS = liftoff;
    truth.burnoutTimeS = burnout;
    truth.deployTimeS = m.deployTime;
    truth.deployDelayS = deployDelay;
    truth.launchMassKg = m.Mass(0.0);
    truth.motorImpulseNs = m.impulse;
    truth.thrustImpulseNs = m.impulse - m.curve.ImpulseUpTo(liftoff);

    const RecorderParams& rec = p.recorder;
    NoiseSource noise{rec.seed};
    auto noiseAt = [&]() {
        return rec.noiseCounts > 0.0 ? (2.0 * noise.Next() - 1.0) * rec.noiseCounts : 0.0;
    };
    auto push = [&](double sfG, int flags, double v, double x) {
        std::uint16_t w = Reading(rec, sfG, f.words.empty() ? 0.0 : noiseAt());
        f.words.push_back(static_cast<std::uint16_t>(w | (flags << 12)));
        f.velocity.push_back(v);
        f.altitude.push_back(x);
    };

    // Pre-launch stretch: at rest the pad's push reads +1 g.
    for (int i = 0; i < rec.preLaunchSamples; ++i)
        push(1.0, 0, 0.0, 0.0);
    f.padReading = f.words.front() & 0xFFF;

    // The sample clock runs from ignition; the launch sample is the first at or after
    // lift-off.
    long long j = static_cast<long long>(std::ceil(liftoff / dt - 1e-9));
    double t = liftoff, v = 0.0, x = 0.0;
    bool climbing = true, landed = false;
    double landedAt = 0.0;
    Impact impact;
    int flags = 1;
    while (true) {
        const double target = static_cast<double>(j) * dt;
        // The speed when this sample's interval opened (0 before lift-off and on the
        // ground), for the reading's average over the interval.
        const double vOpen = landed ? 0.0 : v;
        bool landedNow = false;
        const int substeps = target - dt < burnout ? burnSubsteps : coastSubsteps;
        const double h = (target - t) / substeps;
        for (int s = 0; s < substeps && h > 0.0 && !landed; ++s) {
            // Classic Runge-Kutta on the velocity; the altitude follows by the same weights.
            double k1 = m.Accel(t, v, x);
            double k2 = m.Accel(t + 0.5 * h, v + 0.5 * h * k1, x + 0.5 * h * v);
            double k3 = m.Accel(t + 0.5 * h, v + 0.5 * h * k2, x + 0.5 * h * (v + 0.5 * h * k1));
            double k4 = m.Accel(t + h, v + h * k3, x + h * (v + 0.5 * h * k2));
            double vNew = v + h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
            double xNew =
                x +
                h / 6.0 * (v + 2.0 * (v + 0.5 * h * k1) + 2.0 * (v + 0.5 * h * k2) + (v + h * k3));
            if (t < burnout) {
                // Simpson's rule over the step for the impulses of the burn.
                double stop = std::min(t + h, burnout);
                double hh = stop - t;
                double vm = 0.5 * (v + vNew);
                auto weight = [&](double tt) { return m.Mass(tt) * kGee; };
                // The height moves little over a step; the drag takes it at the step's start.
                auto drag = [&](double tt, double vv) { return std::fabs(m.Drag(tt, vv, x)); };
                auto net = [&](double tt, double vv) { return m.Mass(tt) * m.Accel(tt, vv, x); };
                truth.weightImpulseNs +=
                    hh / 6.0 * (weight(t) + 4.0 * weight(t + 0.5 * hh) + weight(stop));
                truth.dragImpulseNs +=
                    hh / 6.0 * (drag(t, v) + 4.0 * drag(t + 0.5 * hh, vm) + drag(stop, vNew));
                truth.netImpulseNs +=
                    hh / 6.0 * (net(t, v) + 4.0 * net(t + 0.5 * hh, vm) + net(stop, vNew));
            }
            // A motor too weak to hold the rocket up lets it settle back on the pad, never
            // through it.
            if (climbing && xNew < 0.0) {
                xNew = 0.0;
                vNew = 0.0;
            }
            if (climbing && vNew <= 0.0 && t > burnout) {
                climbing = false;
                double frac = v > 0.0 ? v / (v - vNew) : 0.0;
                truth.apogeeTimeS = t + frac * h;
                flags |= 4;
            }
            t += h;
            v = vNew;
            x = xNew;
            truth.maxVelocityMs = std::max(truth.maxVelocityMs, v);
            truth.apogeeM = std::max(truth.apogeeM, x);
            if (!climbing && x <= 0.0) {
                landed = true;
                landedNow = true;
                landedAt = t;
                truth.landingTimeS = t;
                truth.landingVelocityMs = v;
                impact = LandingImpact(rec, -v, dt);
                v = 0.0;
                x = 0.0;
            }
        }
        const double prev = static_cast<double>(j - 1) * dt;
        if (prev < burnout && burnout <= target)
            flags |= 2;
        if (m.deployTime >= 0.0 && prev < m.deployTime && m.deployTime <= target)
            flags |= 8;
        t = std::max(t, target);

        // The reading is the specific force averaged over the sample's interval, as the
        // recorder's filtered converter gives it: the change of speed plus the 1 g that
        // gravity took away (or that the pad or the ground pushed back). Summed sample by
        // sample the readings then give back the speed, through the deployment's jolt
        // too, where a reading of the instant would drift the integrated velocity.
        const double vClose = landedNow ? truth.landingVelocityMs : landed ? 0.0 : v;
        double sfG = (vClose - vOpen) / (dt * kGee) + 1.0;
        // The ground then stops the rocket over a few samples.
        if (landed && impact.samples > 0) {
            sfG += impact.accel / kGee;
            --impact.samples;
        }
        if (flags & 1)
            f.launchIndex = static_cast<int>(f.words.size());
        if (flags & 2)
            f.burnoutIndex = static_cast<int>(f.words.size());
        if (flags & 4)
            f.apogeeIndex = static_cast<int>(f.words.size());
        if (flags & 8)
            f.deployIndex = static_cast<int>(f.words.size());
        push(sfG, flags, v, x);
        flags = 0;
        ++j;
        if (toApogee && !climbing)
            break;
        if (landed && t >= landedAt + rec.afterLandingS && impact.samples == 0)
            break;
        if (f.words.size() >= static_cast<std::size_t>(kRecorderMemorySamples)) {
            f.truncated = !landed;
            break;
        }
    }
    out = std::move(f);
    return true;
}

} // namespace

bool SynthesizeFlight(const SynthParams& params, SynthFlight& flight, std::string& reason) {
    if (!Validate(params, reason))
        return false;
    double delay = params.deployDelayS;
    if (delay < 0.0) {
        delay = -1.0;
        if (!params.motor.delays.empty()) {
            // A ballistic run tells how long the coast lasts; take the nearest listed delay.
            SynthFlight ballistic;
            if (!Simulate(params, -1.0, true, ballistic, reason))
                return false;
            double coast = ballistic.truth.apogeeTimeS - ballistic.truth.burnoutTimeS;
            delay = params.motor.delays.front();
            for (double d : params.motor.delays)
                if (std::fabs(d - coast) < std::fabs(delay - coast))
                    delay = d;
        }
    }
    return Simulate(params, delay, false, flight, reason);
}

void FillFlightRecord(const SynthParams& params, const SynthFlight& flight, FlightRecord& record) {
    {
        std::lock_guard<std::mutex> lock(record.m_pSamples.mutex());
        std::vector<std::string>& items = record.m_pSamples.items();
        items.clear();
        items.reserve(flight.words.size());
        for (std::uint16_t w : flight.words)
            items.push_back(std::to_string(w));
    }
    record.m_nSampleRate = params.recorder.sampleRate;
    record.m_nAccelOffset = flight.padReading;
    record.m_fTwoGeeFile = params.recorder.twoGee;
    record.m_nPreLaunchSetting = 2 * params.recorder.preLaunchSamples;
    record.m_strName = params.name;
    record.m_strMotor = params.motor.designation;
    record.m_strComment = params.comment;
    record.m_timeDate = params.date;
    record.m_fLaunchWeight = static_cast<float>(params.rocket.dryMassKg + params.motor.totalKg);
    record.m_fPropellantWeight = static_cast<float>(params.motor.propellantKg);
    record.m_fMaxDiameter = static_cast<float>(params.rocket.diameterM);
}

} // namespace tavo
