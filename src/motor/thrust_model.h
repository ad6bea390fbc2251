#pragma once
// From what the recorder felt to what the motor pushed. The accelerometer is zeroed on
// the pad, so a reading is the net force per unit mass: the motor's thrust less the
// weight and the drag. Simulators that load a thrust curve subtract weight and drag
// themselves, so the motor's own thrust adds them back:
//
//   motor thrust = net force + mass x g + drag
//
// The drag is rho(h)/2 CdA v^2, with v and the height h integrated from the readings
// from C1, the air's density from the standard atmosphere over the launch site, and CdA
// estimated from the coast after burn-out, where the motor is silent and the
// accelerometer reads the drag alone. The propellant burns in proportion to the impulse
// delivered so far, as a solid motor's does, so the mass and the thrust it feeds are
// solved together.

#include <cstdint>
#include <string>
#include <vector>

#include "flight/flight_data.h"

namespace tavo {

enum class ThrustKind {
    Motor, // net force + weight + drag
    Net,   // the net force as measured
};

// The choice's name as the windows show it: "Motor thrust", "Net force (as measured)".
const char* ThrustKindName(ThrustKind kind);
// The CLI's word: "motor", "net".
const char* ThrustKindWord(ThrustKind kind);

// Half the air density times the body's cross-section, m^2 kg/m^3: what a drag in N is
// divided by, with the speed squared, to give the drag coefficient. 0 without a diameter.
double DragCoefficientDivisor(double diameter, double airDensity);

// Coast samples below this many give no drag estimate.
constexpr int kMinCoastSamples = 5;

// The flight as the thrust model reads it: plain numbers, no document.
struct MeasuredFlight {
    // Net acceleration (m/s^2) of each sample from C1 on: the burn, then the coast up to
    // the first apogee or deployment flag after C2 (or the end of the data).
    std::vector<double> accel;
    int burnSamples = 0;       // C2 - C1, the first samples of `accel`
    double interval = 0.0;     // s per sample
    double launchMassKg = 0.0; //
    double propellantKg = 0.0; //
    double diameterM = 0.0;    // 0: not known
    double countsPerGee = 0.0; // the reading's resolution, for the uncertainty
    double siteAltitudeM = 0.0;
};

// Reads the range [c1, c2) of `samples` and the coast after it (the caller holds their
// lock). Uses the flight's two-G value, sample interval, launch and propellant weights
// and diameter. Cursors outside the samples give an empty flight.
MeasuredFlight ReadMeasuredFlight(const std::vector<std::string>& samples, const FlightData& flight,
                                  int c1, int c2, double siteAltitudeM = 0.0);

// One coast sample as the drag fit saw it.
struct CoastPoint {
    double speed = 0.0;        // m/s
    double height = 0.0;       // m above the pad
    double drag = 0.0;         // N
    double density = 0.0;      // kg/m^3
    double speedOfSound = 0.0; // m/s
};

struct DragEstimate {
    bool usable = false;        // false: no drag is added (see `reason`)
    double dragFactor = 0.0;    // k = rho0/2 CdA, N per (m/s)^2 at the pad's density
    double cd = 0.0;            // CdA / area; 0 when the flight has no diameter
    double dragArea = 0.0;      // CdA, m^2
    double dragAreaError = 0.0; // standard error of CdA from the fit's scatter, m^2
    double airDensity = 0.0;    // rho0, kg/m^3: the standard air at the launch site
    double area = 0.0;          // m^2 of the flight's diameter; 0 when not known
    double siteAltitudeM = 0.0;
    int coastSamples = 0;      // samples the estimate was fitted to
    double burnoutSpeed = 0.0; // m/s, integrated up to C2
    std::string reason;        // why there is no usable coast
    // Velocity (m/s), height (m above the pad) and drag (N) at each sample of the range
    // C1 to C2 (exclusive).
    std::vector<double> velocity;
    std::vector<double> height;
    std::vector<double> drag;
    // The coast samples behind the fit, in time order.
    std::vector<CoastPoint> coast;
};

// Estimates the drag of a measured flight. The coast runs from C2 until the apogee or
// deployment flag, the speed falls to half the burn-out speed, or the samples end; the
// burn-out mass (launch less propellant) turns its readings into drag.
DragEstimate EstimateDrag(const MeasuredFlight& flight);

// The same from the samples (the caller holds their lock and has checked
// 0 <= c1 < c2 <= size).
DragEstimate EstimateDrag(const std::vector<std::string>& samples, const FlightData& flight, int c1,
                          int c2, double siteAltitudeM = 0.0);

// The motor's own thrust over the burn.
struct MotorThrustSeries {
    std::vector<double> thrust; // N, each burn sample
    std::vector<double> mass;   // kg, each burn sample
    double impulse = 0.0;       // N s: the thrusts times the interval
    double weightImpulse = 0.0; // N s the weight took
    double dragImpulse = 0.0;   // N s the drag took
    // Expanded uncertainty (about 95 %) of `impulse`, N s: the pad reading's rounding
    // (half a count either way, carried through the drag fit too), each reading's own
    // rounding, and the drag fit's scatter. The two-G calibration is taken as exact.
    double impulseUncertainty = 0.0;
};

// Solves thrust and mass together: the mass at a sample is the launch mass less the
// propellant times the share of the total impulse delivered up to the middle of that
// sample, and the total is the sum of the thrusts it gives (a fixed point found in a few
// rounds; a flight whose net impulse is not positive falls back to a mass falling
// evenly with time). `drag` from EstimateDrag, usable or not.
MotorThrustSeries SolveMotorThrust(const MeasuredFlight& flight, const DragEstimate& drag);

// Expanded uncertainty (N s) of the net force's impulse over masses `massKg` one
// interval apart: the pad reading's and each reading's rounding.
double NetImpulseUncertainty(const std::vector<double>& massKg, double interval,
                             double countsPerGee);

// "near the C/D bound (10 N s), +/-0.31 N s" when an impulse lies within its uncertainty
// of a class bound, else empty; `brief` gives "near C/D", for beside the class letter.
std::string ClassBoundNote(double impulseNs, double uncertaintyNs, bool brief = false);

// One line for the report: which thrust it shows and what went into it.
std::string ThrustModelText(ThrustKind kind, const DragEstimate& drag);

} // namespace tavo
