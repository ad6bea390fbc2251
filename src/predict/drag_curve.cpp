#include "predict/drag_curve.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavo {

DragCurve BuildDragCurve(const DragEstimate& drag) {
    DragCurve c;
    c.reason = drag.reason;
    if (!drag.usable || drag.coast.empty())
        return c;
    c.usable = true;
    c.dragFactor = drag.dragFactor;
    c.dragArea = drag.dragArea;
    c.cd = drag.cd;
    c.area = drag.area;
    c.coastSamples = drag.coastSamples;
    c.minSpeed = c.minMach = INFINITY;
    std::vector<double> mach;
    mach.reserve(drag.coast.size());
    for (const CoastPoint& p : drag.coast) {
        const double m = p.speedOfSound > 0.0 ? p.speed / p.speedOfSound : 0.0;
        mach.push_back(m);
        c.minSpeed = std::min(c.minSpeed, p.speed);
        c.maxSpeed = std::max(c.maxSpeed, p.speed);
        c.minMach = std::min(c.minMach, m);
        c.maxMach = std::max(c.maxMach, m);
    }
    const double span = c.maxMach - c.minMach;
    const int bins = std::clamp(static_cast<int>(span / 0.01), 1, kMaxDragBins);
    const double width = span > 0.0 ? span / bins : 1.0;
    struct Sums {
        double dq = 0.0, qq = 0.0, speed = 0.0, mach = 0.0;
        int n = 0;
    };
    std::vector<Sums> sums(static_cast<std::size_t>(bins));
    for (std::size_t i = 0; i < drag.coast.size(); ++i) {
        const CoastPoint& p = drag.coast[i];
        const int b = std::clamp(static_cast<int>((mach[i] - c.minMach) / width), 0, bins - 1);
        Sums& s = sums[static_cast<std::size_t>(b)];
        const double q = 0.5 * p.density * p.speed * p.speed;
        s.dq += p.drag * q;
        s.qq += q * q;
        s.speed += p.speed;
        s.mach += mach[i];
        ++s.n;
    }
    for (const Sums& s : sums) {
        if (s.n < kMinDragBinSamples || !(s.qq > 0.0))
            continue;
        DragCurvePoint p;
        p.samples = s.n;
        p.mach = s.mach / s.n;
        p.speed = s.speed / s.n;
        // A bin of a noisy slow coast may show no drag at all; it is still what was measured.
        p.dragArea = std::max(s.dq / s.qq, 0.0);
        p.cd = c.area > 0.0 ? p.dragArea / c.area : 0.0;
        c.points.push_back(p);
    }
    return c;
}

double DragAreaAt(const DragCurve& curve, double mach) {
    const std::vector<DragCurvePoint>& pts = curve.points;
    if (pts.empty())
        return curve.dragArea;
    if (!(mach > pts.front().mach)) // also NaN
        return pts.front().dragArea;
    if (!(mach < pts.back().mach))
        return pts.back().dragArea;
    const auto hi = std::upper_bound(pts.begin(), pts.end(), mach,
                                     [](double m, const DragCurvePoint& p) { return m < p.mach; });
    const auto lo = hi - 1;
    const double f = (mach - lo->mach) / (hi->mach - lo->mach);
    return lo->dragArea + (hi->dragArea - lo->dragArea) * f;
}

std::string DragCurveCsv(const DragCurve& curve, const char* lineEnd) {
    std::string out = std::string("mach,cd") + lineEnd;
    auto append = [&out](double v) {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
        out.append(buf, r.ptr);
    };
    for (const DragCurvePoint& p : curve.points) {
        if (!(curve.area > 0.0))
            break;
        append(p.mach);
        out += ',';
        append(p.cd);
        out += lineEnd;
    }
    return out;
}

} // namespace tavo
