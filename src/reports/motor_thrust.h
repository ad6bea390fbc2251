#pragma once
// The thrust that the motor report and the thrust-curve export both derive from a
// sample: mass times acceleration, in newtons. One definition, so the report's figures
// and an exported curve never disagree.

namespace tavo {

// Standard gravity as the program has always used it: one g in m/s^2.
constexpr double kMotorGee = 9.81;

// Newtons to pounds-force, the factor the lb figures have always been printed with.
constexpr double kNewtonToPound = 0.2247191011235955;

// Thrust in N of a mass in kg under an acceleration in g, evaluated in double.
// The weight is not added back: the acceleration is measured from the pad reading.
constexpr double MotorThrust(double massKg, double accelGee) {
    return massKg * accelGee * kMotorGee;
}

} // namespace tavo
