#include "motor/eng_motor.h"

#include <algorithm>

namespace tavo {

MotorCurve::MotorCurve(const EngMotor& motor) {
    const std::size_t n = motor.points.size() + 1;
    m_time.reserve(n);
    m_thrust.reserve(n);
    m_impulse.reserve(n);
    m_time.push_back(0.0);
    m_thrust.push_back(0.0);
    m_impulse.push_back(0.0);
    for (const ThrustPoint& p : motor.points) {
        const double dt = p.time - m_time.back();
        // Halves first, so two huge thrusts do not overflow; a vertical step adds nothing.
        const double area = dt > 0.0 ? (0.5 * m_thrust.back() + 0.5 * p.thrust) * dt : 0.0;
        m_impulse.push_back(m_impulse.back() + area);
        m_time.push_back(p.time);
        m_thrust.push_back(p.thrust);
    }
}

std::size_t MotorCurve::Locate(double t) const {
    return static_cast<std::size_t>(std::lower_bound(m_time.begin(), m_time.end(), t) -
                                    m_time.begin());
}

double MotorCurve::ThrustAt(double t) const {
    if (!(t > 0.0))
        return 0.0;
    const std::size_t i = Locate(t);
    if (i == 0 || i >= m_time.size())
        return 0.0;
    const double t0 = m_time[i - 1], t1 = m_time[i];
    // A vertical step has no width to interpolate over.
    if (!(t1 > t0))
        return m_thrust[i];
    const double f0 = m_thrust[i - 1], f1 = m_thrust[i];
    const double f = f0 + (f1 - f0) * (t - t0) / (t1 - t0);
    // Rounding may step a hair outside the segment's ends (below 0 at a closing point),
    // and a thrust curve never pulls.
    return std::clamp(f, std::min(f0, f1), std::max(f0, f1));
}

double MotorCurve::ImpulseUpTo(double t) const {
    if (!(t > 0.0))
        return 0.0;
    const std::size_t i = Locate(t);
    if (i == 0)
        return 0.0;
    if (i >= m_time.size())
        return TotalImpulse();
    const double t0 = m_time[i - 1];
    return m_impulse[i - 1] + (0.5 * m_thrust[i - 1] + 0.5 * ThrustAt(t)) * (t - t0);
}

double ThrustAt(const EngMotor& motor, double t) {
    return MotorCurve(motor).ThrustAt(t);
}

double BurnTime(const EngMotor& motor) {
    return motor.points.empty() ? 0.0 : motor.points.back().time;
}

double PeakThrust(const EngMotor& motor) {
    double peak = 0.0;
    for (const ThrustPoint& p : motor.points)
        peak = std::max(peak, p.thrust);
    return peak;
}

double ImpulseUpTo(const EngMotor& motor, double t) {
    return MotorCurve(motor).ImpulseUpTo(t);
}

double TotalImpulse(const EngMotor& motor) {
    return MotorCurve(motor).TotalImpulse();
}

char ImpulseClassLetter(double impulseNs) {
    // The same bounds as the motor report's designation.
    if (!(impulseNs >= 2.5))
        return 'A';
    double bound = 5.0;
    for (char letter = 'B'; letter < 'P'; ++letter, bound *= 2.0) {
        if (impulseNs < bound)
            return letter;
    }
    return 'P';
}

} // namespace tavo
