#include "plot/curve_points.h"

#include <algorithm>
#include <cmath>

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
