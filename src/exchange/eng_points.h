#pragma once
// Fewer points that keep a thrust curve's shape: a curve measured at every sample is
// thinned to the points where it bends, so a file of a few dozen points keeps the
// motor's impulse and peak where evenly spaced points would step over both.

#include <vector>

#include "motor/eng_motor.h"

namespace tavo {

// The indices (rising) of `count` points of `curve` (times rising, the implied (0, 0)
// before the first and a closing point at thrust 0 after the last) that keep its shape:
// the peak, the first and the last point always (as far as `count` allows, in that order),
// then the points whose removal would change the curve's area the least go first. All
// of them when `count` is not below their number or is below 1.
std::vector<std::size_t> ShapePointIndices(const std::vector<ThrustPoint>& curve, double closeTime,
                                           int count);

// The points of `curve` at `indices` (from ShapePointIndices), their thrusts refitted by
// least squares to every point of the curve between their neighbours, so the few points
// keep the curve's area rather than the noise of the samples they stand on. The peak
// keeps its value, no point rises above it or falls below 0.
std::vector<ThrustPoint> FitShapePoints(const std::vector<ThrustPoint>& curve, double closeTime,
                                        const std::vector<std::size_t>& indices);

// Trapezoid impulse (N s) and peak (N) of points as a RASP file holds them: the implied
// (0, 0) first, the closing point at `closeTime` last, negative thrust as 0.
struct CurveFigures {
    double impulse = 0.0;
    double peak = 0.0;
};
CurveFigures FiguresOfPoints(const std::vector<ThrustPoint>& points, double closeTime);

} // namespace tavo
