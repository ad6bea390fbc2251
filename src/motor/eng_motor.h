#pragma once
// A motor thrust curve as RASP ".eng" files describe it, and the arithmetic over it:
// thrust at a time, burn time, impulse. A first point at (0, 0) is always implied.

#include <cstddef>
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
    std::string delaysText;     // as written, e.g. "0-3-5-7", "P" or "-"
    std::vector<double> delays; // the numbers found in it, seconds; empty when plugged
    double propellantKg = 0.0;
    double totalKg = 0.0;
    std::string manufacturer;
    // Written points in time order; times never fall, and two equal times make a
    // vertical step (a curve closed at its last time).
    std::vector<ThrustPoint> points;
    // What the reader accepted but a strict reader would not, one sentence each.
    std::vector<std::string> warnings;
    std::size_t headerLine = 0; // 1-based line of the header in its file
};

// Thrust at `t` seconds, linear between points, 0 before ignition and after burn-out.
double ThrustAt(const EngMotor& motor, double t);

// Time of the last point: the burn time.
double BurnTime(const EngMotor& motor);

// Largest thrust of the curve.
double PeakThrust(const EngMotor& motor);

// Trapezoid impulse over the whole curve, including the implied first segment.
double TotalImpulse(const EngMotor& motor);

// Trapezoid impulse from ignition to `t` (the whole impulse past burn-out).
double ImpulseUpTo(const EngMotor& motor, double t);

// The impulse class letter of an impulse in N s ('A' below 2.5 N s, each letter doubling;
// 'P' and above give 'P').
char ImpulseClassLetter(double impulseNs);

// The curve prepared for many look-ups (the synthesiser asks thousands of times per
// simulated second): both look-ups take logarithmic time in the number of points.
class MotorCurve {
public:
    explicit MotorCurve(const EngMotor& motor);
    double ThrustAt(double t) const;
    double ImpulseUpTo(double t) const;
    double TotalImpulse() const { return m_impulse.empty() ? 0.0 : m_impulse.back(); }
    double BurnTime() const { return m_time.empty() ? 0.0 : m_time.back(); }

private:
    // Segment index: the first point at or after t, or 0 / size() outside the curve.
    std::size_t Locate(double t) const;
    std::vector<double> m_time;    // with the implied (0, 0) first
    std::vector<double> m_thrust;  //
    std::vector<double> m_impulse; // impulse from ignition up to each point
};

} // namespace tavo
