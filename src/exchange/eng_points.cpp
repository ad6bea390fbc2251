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
