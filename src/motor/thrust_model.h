#pragma once
// From what the recorder felt to what the motor pushed. The accelerometer is zeroed on
// the pad, so a reading is the net force per unit mass: the motor's thrust less the
// weight and the drag. Simulators that load a thrust curve subtract weight and drag
// themselves, so the motor's own thrust adds them back:
//
//   motor thrust = net force + mass x g + drag
//
// The drag is k v^2, with v integrated from the readings from C1 and k estimated from
// the coast after burn-out, where the motor is silent and the accelerometer reads the
// drag alone.

#include <string>
#include <vector>

#include "flight/flight_record.h"

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
double DragCoefficientDivisor(double diameter);

// Coast samples below this many give no drag estimate.
constexpr int kMinCoastSamples = 5;

struct DragEstimate {
    bool usable = false;       // false: no drag is added (see `reason`)
    double dragFactor = 0.0;   // k, N per (m/s)^2
    double cd = 0.0;           // k / (rho A / 2); 0 when the flight has no diameter
    int coastSamples = 0;      // samples the estimate was fitted to
    double burnoutSpeed = 0.0; // m/s, integrated up to C2
    std::string reason;        // why there is no usable coast
    // Velocity (m/s) and drag (N) at each sample of the range C1 to C2 (exclusive).
    std::vector<double> velocity;
    std::vector<double> drag;
};

// Estimates the drag of the range [c1, c2) of `samples` (the caller holds their lock and
// has checked 0 <= c1 < c2 <= size). Uses the flight's two-G value, sample interval,
// launch and propellant weights and diameter. The coast runs from C2 until the apogee or
// deployment flag, the speed falls to half the burn-out speed, or the samples end; the
// burn-out mass (launch less propellant) turns its readings into drag.
DragEstimate EstimateDrag(const std::vector<std::string>& samples, const FlightRecord& flight,
                          int c1, int c2);

// One line for the report: which thrust it shows and what went into it.
std::string ThrustModelText(ThrustKind kind, const DragEstimate& drag);

} // namespace tavo
