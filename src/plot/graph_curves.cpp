#include "plot/graph_curves.h"

#include <algorithm>
#include <deque>

#include "plot/curve_points.h"
#include "plot/polyline_clip.h"

namespace tavo {

namespace {

// Lays out every curve into `sinks` (one a curve), a block of samples at a time: the
// block's x first, then each curve through its block in a tight loop, so the x stay in
// the cache and are summed once for all curves.
template <typename Sink>
void FeedCurves(std::deque<Sink>& sinkList, const GraphFrame& frame, TimeWindow window, int n,
                std::span<const GraphCurve> curves, std::size_t count, std::span<const int> probes,
                std::vector<int>& probeXs) {
    constexpr std::size_t kBlock = 2048;
    std::vector<Sink*> sinks;
    for (Sink& sink : sinkList)
        sinks.push_back(&sink);
    const SampleRange range = VisibleSamples(window, count);
    if (range.first > range.last)
        return;
    const bool whole = window.Whole();
    const float xStep = SampleXStep(frame.W(), n);
    const double k = WindowScale(frame, window);
    float runningX = static_cast<float>(frame.L);
    int xs[kBlock];
    for (std::size_t base = range.first; base <= range.last; base += kBlock) {
        const std::size_t m = std::min(kBlock, range.last - base + 1);
        for (std::size_t j = 0; j < m; ++j) {
            const std::size_t i = base + j;
            if (!whole) {
                xs[j] = ToCoord(frame.L + (static_cast<double>(i) - window.start) * k, frame.L);
            } else if (i == 0) {
                xs[j] = frame.L;
            } else {
                // The running sum of CurvePoints, point for point.
                runningX += xStep;
                xs[j] = ToCoord(runningX, frame.R);
            }
        }
        for (std::size_t p = 0; p < probes.size(); ++p)
            if (probes[p] >= 0 && static_cast<std::size_t>(probes[p]) >= base &&
                static_cast<std::size_t>(probes[p]) < base + m)
                probeXs[p] = xs[static_cast<std::size_t>(probes[p]) - base];
        for (std::size_t c = 0; c < curves.size(); ++c) {
            const GraphCurve& curve = curves[c];
            if (curve.values.size() <= base)
                continue;
            const float* values = curve.values.data() + base;
            const std::size_t upTo = std::min(m, curve.values.size() - base);
            Sink& sink = *sinks[c];
            for (std::size_t j = 0; j < upTo; ++j)
                sink.Add({xs[j], CurveY(frame.B, values[j], curve.min, curve.scale)});
        }
    }
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
    // The whole flight's pass meets the probes within the curves; the others (a zoomed
    // window, a sample beyond the curves) are found on their own.
    std::vector<int> xs(probes.size(), 0);
    std::vector<int> wanted(probes.size(), -1);
    for (std::size_t p = 0; p < probes.size(); ++p) {
        if (window.Whole() && probes[p] >= 0 && static_cast<std::size_t>(probes[p]) < count)
            wanted[p] = probes[p];
        else
            xs[p] = SampleXIn(frame, window, n, probes[p]);
    }
    const SampleRange range = VisibleSamples(window, count);
    const std::size_t drawn = range.first <= range.last ? range.last - range.first + 1 : 0;
    std::deque<PolylineClipper> clippers;
    for (std::size_t c = 0; c < curves.size(); ++c)
        // Thinned, at most four points a column reach the clipper.
        clippers.emplace_back(frame.Box(), pieces[c],
                              thinColumns ? std::min<std::size_t>(drawn, 4 * 4096) : drawn);
    if (thinColumns) {
        std::deque<ColumnThinner> thinners;
        for (PolylineClipper& clip : clippers)
            thinners.emplace_back(clip);
        FeedCurves(thinners, frame, window, n, curves, count, wanted, xs);
        for (ColumnThinner& thin : thinners)
            thin.Flush();
    } else {
        FeedCurves(clippers, frame, window, n, curves, count, wanted, xs);
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
