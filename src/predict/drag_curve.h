#pragma once
// The drag curve of the measured rocket: the coast's drag coefficient against speed and
// Mach number, in bins with the number of samples behind each point, and the two-column
// (Mach, Cd) text that simulators take a drag curve as.

#include <string>
#include <vector>

#include "motor/thrust_model.h"

namespace tavo {

struct DragCurvePoint {
    double mach = 0.0;     // the mean of the bin's samples
    double speed = 0.0;    // m/s, the mean of the bin's samples
    double dragArea = 0.0; // CdA, m^2, fitted to the bin alone
    double cd = 0.0;       // CdA over the flight's area; 0 without a diameter
    int samples = 0;
};

struct DragCurve {
    bool usable = false;
    std::string reason;      // why there is no curve (the drag estimate's reason)
    double dragFactor = 0.0; // the single fit's k at the pad, N per (m/s)^2
    double dragArea = 0.0;   // the single fit's CdA, m^2
    double cd = 0.0;         // the single fit's Cd; 0 without a diameter
    double area = 0.0;       // m^2; 0 without a diameter
    int coastSamples = 0;
    double minSpeed = 0.0, maxSpeed = 0.0; // m/s the coast measured
    double minMach = 0.0, maxMach = 0.0;
    std::vector<DragCurvePoint> points; // by rising Mach number
};

// A bin needs this many samples to give a point: fewer would show the reading's
// rounding rather than the drag.
constexpr int kMinDragBinSamples = 3;
// At most this many points; bins are at least 0.01 Mach wide.
constexpr int kMaxDragBins = 12;

// Bins the coast behind `drag` by Mach number, each bin fitted as the whole coast is.
// Not usable when the estimate is not.
DragCurve BuildDragCurve(const DragEstimate& drag);

// CdA (m^2) at `mach`: linear between the points, the end points' values beyond them;
// the single fit when the curve has no points.
double DragAreaAt(const DragCurve& curve, double mach);

// "mach,cd" then one "mach,cd" line per point, each ended by `lineEnd` (CR LF, as every
// file this program writes), numbers written without the locale. Without a diameter
// there is no Cd, and only the header is written.
std::string DragCurveCsv(const DragCurve& curve, const char* lineEnd = "\r\n");

} // namespace tavo
