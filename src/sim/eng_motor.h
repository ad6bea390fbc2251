#pragma once
// Motor thrust curves in the RASP ".eng" text format, as simulators publish them. The
// synthesiser flies these curves, so the reader is strict: a curve it accepts has a
// complete seven-field header, increasing times starting after 0 and a closing zero.

#include <string>
#include <vector>

namespace tavo {

struct ThrustPoint {
    double time = 0.0;   // s after ignition
    double thrust = 0.0; // N
};

struct EngMotor {
    std::string designation;
    double diameterMm = 0.0;
    double lengthMm = 0.0;
    std::string delaysText;     // as written, e.g. "0-3-5-7" or "P"
    std::vector<double> delays; // seconds; empty for a plugged motor
    double propellantKg = 0.0;
    double totalKg = 0.0;
    std::string manufacturer;
    // Written points only; (0, 0) is implied before the first.
    std::vector<ThrustPoint> points;
};

// Files and curves larger than these are refused rather than read.
constexpr std::size_t kMaxEngFileBytes = 1u << 20;
constexpr std::size_t kMaxEngPoints = 10000;

// Reads every motor of an ".eng" text. On failure `motors` is untouched and `reason`
// names the line and the fault.
bool ParseEngText(const std::string& text, std::vector<EngMotor>& motors, std::string& reason);

// Reads an ".eng" file (see ParseEngText).
bool LoadEngFile(const std::string& path, std::vector<EngMotor>& motors, std::string& reason);

// Thrust at `t` seconds, linear between points, with the implied (0, 0) and 0 after burn-out.
double ThrustAt(const EngMotor& motor, double t);

// Time of the last point: the burn time.
double BurnTime(const EngMotor& motor);

// Trapezoid impulse over the whole curve, including the implied first segment.
double TotalImpulse(const EngMotor& motor);

// Trapezoid impulse from ignition to `t` (the whole impulse past burn-out).
double ImpulseUpTo(const EngMotor& motor, double t);

} // namespace tavo
