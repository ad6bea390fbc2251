#include "exchange/eng_points.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace tavo {
namespace {

// Twice the area of the triangle a point makes with its neighbours: the area the curve
// loses or gains when the point goes.
double TriangleArea(const ThrustPoint& a, const ThrustPoint& b, const ThrustPoint& c) {
    return std::fabs((b.time - a.time) * (c.thrust - a.thrust) -
                     (c.time - a.time) * (b.thrust - a.thrust));
}

} // namespace

std::vector<std::size_t> ShapePointIndices(const std::vector<ThrustPoint>& curve, double closeTime,
                                           int count) {
    const std::size_t n = curve.size();
    std::vector<std::size_t> all(n);
    for (std::size_t i = 0; i < n; ++i)
        all[i] = i;
    if (count < 1 || static_cast<std::size_t>(count) >= n)
        return all;

    // The polyline with the origin in front and the closing point behind: node k + 1 is
    // point k. Each node knows its living neighbours.
    std::vector<ThrustPoint> node;
    node.reserve(n + 2);
    node.push_back(ThrustPoint{0.0, 0.0});
    node.insert(node.end(), curve.begin(), curve.end());
    node.push_back(ThrustPoint{closeTime, 0.0});
    std::vector<std::size_t> prev(n + 2), next(n + 2);
    for (std::size_t k = 0; k < n + 2; ++k) {
        prev[k] = k == 0 ? 0 : k - 1;
        next[k] = k + 1;
    }
    std::vector<bool> kept(n + 2, false), gone(n + 2, false);
    std::size_t peak = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (curve[i].thrust > curve[peak].thrust)
            peak = i;
    // The points that stay whatever the shape, as many as fit.
    const std::size_t protect[] = {peak + 1, n, 1};
    std::size_t protectedCount = 0;
    for (std::size_t k : protect) {
        if (protectedCount < static_cast<std::size_t>(count) && !kept[k]) {
            kept[k] = true;
            ++protectedCount;
        }
    }

    // Smallest area first; an entry is stale when its node went or its area changed.
    using Entry = std::pair<double, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    std::vector<double> area(n + 2, 0.0);
    auto push = [&](std::size_t k) {
        if (k == 0 || k == n + 1 || kept[k] || gone[k])
            return;
        area[k] = TriangleArea(node[prev[k]], node[k], node[next[k]]);
        queue.push({area[k], k});
    };
    for (std::size_t k = 1; k <= n; ++k)
        push(k);
    std::size_t living = n;
    while (living > static_cast<std::size_t>(count) && !queue.empty()) {
        const auto [a, k] = queue.top();
        queue.pop();
        if (gone[k] || a != area[k])
            continue;
        gone[k] = true;
        --living;
        next[prev[k]] = next[k];
        prev[next[k]] = prev[k];
        push(prev[k]);
        push(next[k]);
    }
    std::vector<std::size_t> out;
    out.reserve(living);
    for (std::size_t k = 1; k <= n; ++k)
        if (!gone[k])
            out.push_back(k - 1);
    return out;
}

std::vector<ThrustPoint> FitShapePoints(const std::vector<ThrustPoint>& curve, double closeTime,
                                        const std::vector<std::size_t>& indices) {
    std::vector<ThrustPoint> out;
    out.reserve(indices.size());
    for (std::size_t i : indices)
        out.push_back(curve[i]);
    if (indices.size() == curve.size() || indices.empty())
        return out;
    // Knots: the origin, the chosen points, the closing point; the ends stay at 0 and the
    // peak at its value. Each curve point pulls on the two knots around it with the
    // weights of linear interpolation, which gives a tridiagonal system.
    const std::size_t k = indices.size() + 2;
    std::vector<double> t(k), diag(k, 0.0), off(k, 0.0), rhs(k, 0.0);
    std::vector<bool> fixed(k, false);
    t[0] = 0.0;
    t[k - 1] = closeTime;
    fixed[0] = fixed[k - 1] = true;
    double peak = 0.0;
    std::size_t peakKnot = 0;
    for (std::size_t j = 0; j < indices.size(); ++j) {
        t[j + 1] = curve[indices[j]].time;
        if (curve[indices[j]].thrust > peak) {
            peak = curve[indices[j]].thrust;
            peakKnot = j + 1;
        }
    }
    if (peakKnot > 0)
        fixed[peakKnot] = true;
    std::size_t seg = 0;
    for (const ThrustPoint& p : curve) {
        while (seg + 2 < k && p.time > t[seg + 1])
            ++seg;
        const double width = t[seg + 1] - t[seg];
        const double w1 = width > 0.0 ? std::clamp((p.time - t[seg]) / width, 0.0, 1.0) : 1.0;
        const double w0 = 1.0 - w1;
        diag[seg] += w0 * w0;
        diag[seg + 1] += w1 * w1;
        off[seg] += w0 * w1; // between knot seg and seg + 1
        rhs[seg] += w0 * p.thrust;
        rhs[seg + 1] += w1 * p.thrust;
    }
    std::vector<double> value(k, 0.0);
    value[peakKnot] = peakKnot > 0 ? peak : 0.0;
    // Thomas's algorithm over the free knots, the fixed ones moved to the right side.
    std::vector<double> c(k, 0.0), d(k, 0.0);
    for (std::size_t j = 0; j < k; ++j) {
        if (fixed[j]) {
            c[j] = 0.0;
            d[j] = value[j];
            continue;
        }
        double b = diag[j], r = rhs[j];
        const double a = j > 0 ? off[j - 1] : 0.0;
        if (j > 0) {
            b -= a * c[j - 1];
            r -= a * d[j - 1];
        }
        double up = j + 1 < k ? off[j] : 0.0;
        if (j + 1 < k && fixed[j + 1]) {
            r -= up * value[j + 1];
            up = 0.0;
        }
        if (!(std::fabs(b) > 1e-300)) {
            c[j] = 0.0;
            d[j] = curve[indices[j - 1]].thrust;
            continue;
        }
        c[j] = up / b;
        d[j] = r / b;
    }
    for (std::size_t j = k; j-- > 0;) {
        if (fixed[j])
            continue;
        value[j] = d[j] - (j + 1 < k ? c[j] * value[j + 1] : 0.0);
    }
    for (std::size_t j = 0; j < out.size(); ++j)
        if (!fixed[j + 1])
            out[j].thrust =
                std::isfinite(value[j + 1]) ? std::clamp(value[j + 1], 0.0, peak) : out[j].thrust;
    return out;
}

CurveFigures FiguresOfPoints(const std::vector<ThrustPoint>& points, double closeTime) {
    CurveFigures f;
    double t = 0.0, thrust = 0.0;
    auto add = [&](double time, double value) {
        value = value > 0.0 ? value : 0.0;
        if (time > t)
            f.impulse += (0.5 * thrust + 0.5 * value) * (time - t);
        f.peak = std::max(f.peak, value);
        t = time;
        thrust = value;
    };
    for (const ThrustPoint& p : points)
        add(p.time, p.thrust);
    add(closeTime, 0.0);
    return f;
}

} // namespace tavo
