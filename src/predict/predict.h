#pragma once
// The measured rocket flown again on another motor. The rocket is what the flight
// measured: its dry mass (the launch weight less the flown motor's loaded mass) and its
// drag curve from the coast, taken constant beyond the speeds the coast measured. The
// flight is straight up, from ignition to apogee, in the standard air over the site: a
// one-dimensional integration of thrust, weight and drag.

#include <string>
#include <vector>

#include "motor/atmosphere.h"
#include "motor/eng_motor.h"
#include "predict/drag_curve.h"

namespace tavo {

struct MeasuredRocket {
    double dryMassKg = 0.0;        // without a motor
    DragCurve drag;                // usable
    double maxMeasuredSpeed = 0.0; // m/s: faster, the drag is the fastest point's
};

// The rocket of a flight: `drag` from its coast, `launchMassKg` its launch weight and
// `flownMotorKg` the flown motor's loaded mass. False with a reason the user can act on
// when there is no rocket to fly (no usable coast, a motor not lighter than the launch
// weight).
bool MeasureRocket(const DragEstimate& drag, double launchMassKg, double flownMotorKg,
                   MeasuredRocket& rocket, std::string& reason);

struct PredictOptions {
    double railLengthM = 0.0; // 0: no rail figure
    // Curves for drawing: one point every this many seconds from ignition to apogee;
    // 0 gives none.
    double curveInterval = 0.0;
};

struct Prediction {
    bool flies = false;
    std::string reason; // why there is no flight (the motor never lifts the rocket)
    double launchMassKg = 0.0;
    double liftoffTime = 0.0; // s from ignition: the thrust first exceeds the weight
    double burnout = 0.0;     // s from ignition
    double apogee = 0.0;      // m above the pad
    double apogeeTime = 0.0;  // s from ignition
    double maxVelocity = 0.0; // m/s
    double maxAccel = 0.0;    // m/s^2, the rocket's own (gravity taken off)
    double bestDelay = 0.0;   // s: apogee less burn-out
    bool railExit = false;    // the rocket left a rail of the asked length
    double railExitVelocity = 0.0;
    bool beyondMeasuredSpeed = false;
    // With PredictOptions::curveInterval: time (s from ignition), acceleration (m/s^2),
    // velocity (m/s) and altitude (m) at each step of it.
    std::vector<double> time, accel, velocity, altitude;
};

// Flies `rocket` on `motor` from a pad in the air of `air`.
Prediction PredictFlight(const MeasuredRocket& rocket, const EngMotor& motor,
                         const PredictOptions& options, const AirColumn& air);

} // namespace tavo
