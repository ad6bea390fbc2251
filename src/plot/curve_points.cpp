#include "plot/curve_points.h"

#include <algorithm>
#include <cmath>

#include "plot/polyline_clip.h"

namespace tavo {

namespace {

// Both cursors along one running x, stopping once both are found.
CursorSamples FindCursorSamples(int left, float xStep, std::size_t count, int x1, int x2) {
    CursorSamples found{-1, -1};
    const float cx1 = static_cast<float>(x1);
    const float cx2 = static_cast<float>(x2);
    float x = static_cast<float>(left);
    for (std::size_t i = 1; i < count && (found.cursor1 < 0 || found.cursor2 < 0); ++i) {
        x += xStep;
        if (found.cursor1 < 0 && cx1 <= x)
            found.cursor1 = static_cast<int>(i);
        if (found.cursor2 < 0 && cx2 <= x)
            found.cursor2 = static_cast<int>(i);
    }
    return found;
}

} // namespace

float SampleXStep(int width, int n) {
    return static_cast<float>(width) / static_cast<float>(n);
}

int SampleX(int left, float xStep, int index) {
    return ToCoord(static_cast<float>(index) * xStep + static_cast<float>(left), left);
}

int CurveY(int bottom, float value, float min, float scale) {
    const float y = static_cast<float>(bottom) - (value - min) * scale;
    return ToCoord(y, bottom);
}

float GraphCurveScale(int height, float max, float min) {
    const float k = static_cast<float>(height) / (max - min);
    return (std::isfinite(k) && k > 0.0f) ? k : 0.0f;
}

float ReportCurveScale(int height, float peak) {
    const float scale = static_cast<float>(height) / peak;
    return std::isfinite(scale) ? scale : 0.0f;
}

std::vector<Point> CurvePoints(const Rect& frame, float xStep, float firstValue,
                               std::span<const float> values, float min, float scale) {
    std::vector<Point> points;
    points.reserve(values.size() + 1);
    points.push_back({frame.left, CurveY(frame.bottom, firstValue, min, scale)});
    float x = static_cast<float>(frame.left);
    for (const float value : values) {
        x += xStep;
        points.push_back({ToCoord(x, frame.right), CurveY(frame.bottom, value, min, scale)});
    }
    return points;
}

namespace {

// Feeds the curve's points, in order, to `sink`.
template <typename Sink>
void FeedCurve(Sink& sink, const GraphFrame& frame, TimeWindow window, int n, SampleRange range,
               std::span<const float> values, float min, float scale, std::span<const int> xs) {
    if (window.Whole() && xs.size() >= values.size()) {
        for (std::size_t i = 0; i < values.size(); ++i)
            sink.Add({xs[i], CurveY(frame.B, values[i], min, scale)});
        return;
    }
    if (window.Whole()) {
        // The running sum of CurvePoints, point for point.
        const float xStep = SampleXStep(frame.W(), n);
        sink.Add({frame.L, CurveY(frame.B, values[0], min, scale)});
        float x = static_cast<float>(frame.L);
        for (std::size_t i = 1; i < values.size(); ++i) {
            x += xStep;
            sink.Add({ToCoord(x, frame.R), CurveY(frame.B, values[i], min, scale)});
        }
        return;
    }
    const double k = WindowScale(frame, window);
    for (std::size_t i = range.first; i <= range.last; ++i) {
        const double x = frame.L + (static_cast<double>(i) - window.start) * k;
        sink.Add({ToCoord(x, frame.L), CurveY(frame.B, values[i], min, scale)});
    }
}

} // namespace

std::vector<int> WholeFlightXs(const GraphFrame& frame, int n, std::size_t count) {
    std::vector<int> xs;
    if (count == 0)
        return xs;
    xs.reserve(count);
    xs.push_back(frame.L);
    const float xStep = SampleXStep(frame.W(), n);
    float x = static_cast<float>(frame.L);
    for (std::size_t i = 1; i < count; ++i) {
        x += xStep;
        xs.push_back(ToCoord(x, frame.R));
    }
    return xs;
}

std::vector<std::vector<Point>> GraphCurvePieces(const GraphFrame& frame, TimeWindow window, int n,
                                                 std::span<const float> values, float min,
                                                 float scale, bool thinColumns,
                                                 std::span<const int> xs) {
    std::vector<std::vector<Point>> pieces;
    const SampleRange range = VisibleSamples(window, values.size());
    if (range.first > range.last)
        return pieces;
    const std::size_t count = range.last - range.first + 1;
    if (thinColumns) {
        // At most four points a column reach the clipper.
        PolylineClipper clip(frame.Box(), pieces, std::min<std::size_t>(count, 4 * 4096));
        ColumnThinner thin(clip);
        FeedCurve(thin, frame, window, n, range, values, min, scale, xs);
        thin.Flush();
    } else {
        PolylineClipper clip(frame.Box(), pieces, count);
        FeedCurve(clip, frame, window, n, range, values, min, scale, xs);
    }
    return pieces;
}

int CursorSample(int left, float xStep, std::size_t count, int cursorX) {
    return FindCursorSamples(left, xStep, count, cursorX, cursorX).cursor1;
}

CursorXs DefaultCursorXs(const GraphFrame& frame) {
    const int w = frame.W();
    return {frame.L + w / 3, frame.L + 2 * (w / 3)};
}

CursorSamples GraphCursorSamples(const GraphFrame& frame, int n, std::size_t curveCount, int x1,
                                 int x2, CursorSamples previous) {
    const CursorSamples found =
        FindCursorSamples(frame.L, SampleXStep(frame.W(), n), curveCount, x1, x2);
    const std::size_t samples = n > 0 ? static_cast<std::size_t>(n) : 0;
    return {ClampIndex(found.cursor1 >= 0 ? found.cursor1 : previous.cursor1, samples),
            ClampIndex(found.cursor2 >= 0 ? found.cursor2 : previous.cursor2, samples)};
}

} // namespace tavo
