#pragma once
// The stretch of the flight the graph shows along its time axis, and how sample
// positions and view x meet under it. The whole flight is laid out as it always has
// been: sample i at the frame's left edge plus i steps of width / n, summed one step at
// a time in single precision, and a cursor at x selects the first sample whose running
// x reaches it. Zoomed in, a sample position maps straight to x in double precision, so
// a cursor, a tick and a curve point land on the same x at any magnification.

#include <cstddef>

#include "plot/plot_frame.h"

namespace tavo {

// A cut-out of the time axis in sample positions: `start` lies on the frame's left edge
// and `span` samples fill its width. A span of 0 is the whole flight.
struct TimeWindow {
    double start = 0.0;
    double span = 0.0;
    bool Whole() const { return !(span > 0.0); }
    friend bool operator==(const TimeWindow&, const TimeWindow&) = default;
};

// The fewest samples a zoomed window shows: enough that a step of one sample is a move
// the eye follows on any width, few enough to tell neighbouring samples apart.
inline constexpr double kMinWindowSpan = 10.0;

// `window` made valid for n samples: a span that is not a number or reaches n is the
// whole flight; a narrower one is widened to kMinWindowSpan and moved within 0 .. n.
TimeWindow ClampWindow(TimeWindow window, int n);

// Zooms by `factor` (above 1 in, below 1 out) about the point `fraction` of the way
// across the frame, which keeps showing the same sample position.
TimeWindow ZoomWindow(TimeWindow window, int n, double fraction, double factor);

// Moves the window by `samples` (positive: later in the flight), within the flight.
TimeWindow PanWindow(TimeWindow window, int n, double samples);

// The window that shows samples first .. last with a little room on either side.
TimeWindow WindowAround(int first, int last, int n);

// `window`, moved as little as it takes to show `sample` clear of its edges; the
// whole flight shows every sample already.
TimeWindow WindowShowing(TimeWindow window, int n, int sample);

// View units per sample of a zoomed window; 0 when the frame has no width.
double WindowScale(const GraphFrame& frame, TimeWindow window);

// The sample position under view x, for zoom anchors and panning (the whole flight
// by the product of the step, as the event markers are placed).
double PositionAtX(const GraphFrame& frame, TimeWindow window, int n, double x);

// The view x of sample `index` as the curves are drawn, truncated like them: the
// running single-precision sum for the whole flight, the double mapping when zoomed.
// Far outside the frame it is clamped at kCoordLimit.
int SampleXIn(const GraphFrame& frame, TimeWindow window, int n, int index);

// The x of an event marker: the product of the step for the whole flight, as the
// markers have always been placed, and the zoomed mapping otherwise.
int MarkerXIn(const GraphFrame& frame, TimeWindow window, int n, int index);

// The sample a pointer at view x puts a cursor on, among `count` drawn samples of the n
// laid out: the first sample i >= 1 whose x reaches the pointer (so a press on a drawn
// cursor leaves it where it was), the last sample when none does. 0 with fewer than
// two samples.
int CursorSampleAtX(const GraphFrame& frame, TimeWindow window, int n, std::size_t count, int x);

// The samples a zoomed curve is drawn from: one beyond each edge, so its line runs out
// of the frame where it is clipped. The whole flight draws every sample.
struct SampleRange {
    std::size_t first = 0;
    std::size_t last = 0; // inclusive; first > last: none
};
SampleRange VisibleSamples(TimeWindow window, std::size_t count);

} // namespace tavo
