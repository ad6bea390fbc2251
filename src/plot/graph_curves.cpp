#include "plot/graph_curves.h"

#include <algorithm>
#include <iterator>

#include "plot/curve_points.h"
#include "plot/polyline_clip.h"

namespace tavo {

namespace {

// A run of neighbouring samples that land on one x: from `first` to the next column's
// first sample.
struct Column {
    std::size_t first;
    int x;
};

// The columns of the samples shown, their x found once for every curve: the running sum
// of CurvePoints for the whole flight, the double mapping for a zoomed window.
std::vector<Column> Columns(const GraphFrame& frame, TimeWindow window, int n, SampleRange range) {
    std::vector<Column> columns;
    if (range.first > range.last)
        return columns;
    const bool whole = window.Whole();
    const float xStep = SampleXStep(frame.W(), n);
    const double k = WindowScale(frame, window);
    float runningX = static_cast<float>(frame.L);
    for (std::size_t i = range.first; i <= range.last; ++i) {
        int x = frame.L;
        if (!whole) {
            x = ToCoord(frame.L + (static_cast<double>(i) - window.start) * k, frame.L);
        } else if (i > 0) {
            runningX += xStep;
            x = ToCoord(runningX, frame.R);
        }
        if (columns.empty() || columns.back().x != x)
            columns.push_back({i, x});
    }
    return columns;
}

// One curve's column of samples a .. b - 1 thinned to what lights its pixels: the first,
// the highest and lowest in the order they come, and the last. The extremes are found on
// the values, which map to y in reverse order, so the column costs a scan of floats.
void ThinColumn(PolylineClipper& clip, const GraphFrame& frame, const GraphCurve& curve, int x,
                std::size_t a, std::size_t b) {
    const float* v = curve.values.data();
    float lo = v[a], hi = v[a];
    bool nan = false;
    for (std::size_t i = a; i < b; ++i) {
        const float t = v[i];
        nan |= t != t;
        lo = std::min(lo, t);
        hi = std::max(hi, t);
    }
    const auto y = [&](std::size_t i) { return CurveY(frame.B, v[i], curve.min, curve.scale); };
    if (nan) {
        // A value that gives no number lands on the bottom edge, out of the values' order.
        ColumnThinner thin(clip);
        for (std::size_t i = a; i < b; ++i)
            thin.Add({x, y(i)});
        thin.Flush();
        return;
    }
    std::size_t top = a, bottom = a; // the highest value is the lowest y
    if (curve.scale > 0.0f) {
        while (v[top] != hi)
            ++top;
        while (v[bottom] != lo)
            ++bottom;
    }
    const std::size_t keep[4] = {a, std::min(top, bottom), std::max(top, bottom), b - 1};
    for (int k = 0; k < 4; ++k)
        if (k == 0 || keep[k] != keep[k - 1])
            clip.Add({x, y(keep[k])});
}

} // namespace

std::vector<std::vector<std::vector<Point>>>
GraphCurvesPieces(const GraphFrame& frame, TimeWindow window, int n,
                  std::span<const GraphCurve> curves, bool thinColumns, std::span<const int> probes,
                  std::vector<int>* probeXs) {
    std::vector<std::vector<std::vector<Point>>> pieces(curves.size());
    std::size_t count = 0;
    for (const GraphCurve& c : curves)
        count = std::max(count, c.values.size());
    const SampleRange range = VisibleSamples(window, count);
    const std::vector<Column> columns = Columns(frame, window, n, range);
    // The whole flight's columns hold the probes within the curves; the others (a zoomed
    // window, a sample beyond the curves) are found on their own.
    std::vector<int> xs;
    for (const int probe : probes) {
        if (window.Whole() && probe >= 0 && static_cast<std::size_t>(probe) < count) {
            const auto after =
                std::upper_bound(columns.begin(), columns.end(), static_cast<std::size_t>(probe),
                                 [](std::size_t i, const Column& c) { return i < c.first; });
            xs.push_back(std::prev(after)->x);
        } else {
            xs.push_back(SampleXIn(frame, window, n, probe));
        }
    }
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const GraphCurve& curve = curves[c];
        const std::size_t size = curve.values.size();
        const std::size_t drawn = size > range.first && range.first <= range.last
                                      ? std::min(size, range.last + 1) - range.first
                                      : 0;
        // Thinned, at most four points a column reach the clipper.
        PolylineClipper clip(frame.Box(), pieces[c],
                             thinColumns ? std::min(drawn, 4 * columns.size()) : drawn);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::size_t end = k + 1 < columns.size() ? columns[k + 1].first : range.last + 1;
            if (end <= curve.first)
                continue;
            const std::size_t a = std::max(columns[k].first, curve.first);
            const std::size_t b = std::min(end, size);
            if (a >= b)
                break;
            if (thinColumns && b - a > 4) {
                ThinColumn(clip, frame, curve, columns[k].x, a, b);
                continue;
            }
            for (std::size_t i = a; i < b; ++i)
                clip.Add({columns[k].x, CurveY(frame.B, curve.values[i], curve.min, curve.scale)});
        }
    }
    if (probeXs != nullptr)
        *probeXs = std::move(xs);
    return pieces;
}

std::vector<std::vector<Point>> GraphCurvePieces(const GraphFrame& frame, TimeWindow window, int n,
                                                 std::span<const float> values, float min,
                                                 float scale, bool thinColumns) {
    const GraphCurve curve{values, min, scale};
    return std::move(GraphCurvesPieces(frame, window, n, {&curve, 1}, thinColumns).front());
}

} // namespace tavo
