#pragma once
// A curve over a frame: its scale, its polyline and the samples that x positions on it
// select. Sample i lies at the frame's left edge plus i steps of width / n, summed one
// step at a time in single precision, as the curves have always been drawn; the cursor
// samples are found along exactly that sum, so a cursor selects the sample drawn under it.

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "canvas/canvas.h"
#include "plot/plot_frame.h"

namespace tavo {

// The x distance between two of n samples across `width`.
float SampleXStep(int width, int n);

// The x of sample `index`, taken in one multiplication (the event markers).
int SampleX(int left, float xStep, int index);

// The y of a curve value over a frame whose bottom edge is `bottom`. A value or scale
// that gives no number lands on the bottom edge; infinities are kept far off the page.
// Inline: every point of every curve comes through here.
inline int CurveY(int bottom, float value, float min, float scale) {
    const float y = static_cast<float>(bottom) - (value - min) * scale;
    // ToCoord in single precision and without branches, which noisy data mispredicts:
    // NaN lands on the bottom edge, the rest is clamped at kCoordLimit and truncated.
    constexpr float kLimit = static_cast<float>(kCoordLimit);
    const float kept = y == y ? std::max(std::min(y, kLimit), -kLimit) : static_cast<float>(bottom);
    return static_cast<int>(kept);
}

// The graph's scale, height / (max - min), or 0 when that is no usable scale (zero,
// reversed by hand, not finite): the curve then lies flat on the bottom edge.
float GraphCurveScale(int height, float max, float min);

// The report's scale, height / peak, or 0 when that is not finite.
float ReportCurveScale(int height, float peak);

// The polyline of a curve: `firstValue` on the left edge, then each of `values` one
// x step further right. Values are measured from `min` upwards, `scale` units each.
std::vector<Point> CurvePoints(const Rect& frame, float xStep, float firstValue,
                               std::span<const float> values, float min, float scale);

// The sample a cursor at view x `cursorX` selects on a curve of `count` samples from
// `left`: the first sample i >= 1 whose running x reaches the cursor, or -1 when none
// does (the cursor lies beyond the curve).
int CursorSample(int left, float xStep, std::size_t count, int cursorX);

// The graph's cursor samples.
struct CursorSamples {
    int cursor1 = 0;
    int cursor2 = 0;
    friend bool operator==(const CursorSamples&, const CursorSamples&) = default;
};

// The cursors' x positions the first time a flight is drawn: a third and two thirds
// of the plot width.
struct CursorXs {
    int x1 = 0;
    int x2 = 0;
};
CursorXs DefaultCursorXs(const GraphFrame& frame);

// What the graph's cursors at x1 and x2 select on its acceleration curve of
// `curveCount` samples, of the n the graph is laid out for. A cursor beyond the curve
// keeps its `previous` sample; both then stay within the n samples.
CursorSamples GraphCursorSamples(const GraphFrame& frame, int n, std::size_t curveCount, int x1,
                                 int x2, CursorSamples previous);

} // namespace tavo
