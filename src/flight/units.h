#pragma once
// The physical constants and unit factors of the program, and the rule that turns an
// accelerometer reading into g. Everything is held and computed in metric units; the
// English values are formed only for display.
//
// Each caller keeps the precision it has always evaluated in: the helpers are templates
// over the arithmetic type, so Recompute and the motor report stay in float where the
// exports work in double, and no figure moves.

namespace tavo {

// One g in m/s^2, as every figure of the program has always used it.
constexpr double kGee = 9.81;
// Air density at the pad, kg/m^3, in single precision as the drag formula takes it.
constexpr float kAirDensity = 1.2f;

// Display factors: metres to feet, m/s to mph.
constexpr double kMetreToFoot = 3.2808399;
constexpr double kMpsToMph = 2.2369363;
// Newtons to pounds-force, the factor the lb figures have always been printed with.
constexpr double kNewtonToPound = 0.2247191011235955;
// The Details dialog's units: kg and lb, m and in, with the exact inverses.
constexpr double kKgToLb = 2.205;
constexpr double kMToIn = 39.37;
constexpr double kLbToKg = 0.4535147392290249;
constexpr double kInToM = 0.025400050800101603;

// Counts per g of a two-G calibration value (the count difference between +1 g and
// -1 g), in the arithmetic type T.
template <typename T> constexpr T CountsPerGee(float twoGee) {
    return static_cast<T>(twoGee) * static_cast<T>(0.5);
}

// Acceleration in g from a reading: the count difference from the zero reference is
// taken in float (the reading falls as the acceleration rises), then divided in T.
template <typename T> constexpr T GeeFromCounts(float zeroRef, float reading, T countsPerGee) {
    return static_cast<T>(zeroRef - reading) / countsPerGee;
}

// Force in N of a mass in kg under an acceleration in g, evaluated in double. The
// motor report and the thrust-curve export both derive their thrust from it, so their
// figures never disagree; the weight is not added back, as the acceleration is
// measured from the pad reading.
constexpr double MotorThrust(double massKg, double accelGee) {
    return massKg * accelGee * kGee;
}

} // namespace tavo
