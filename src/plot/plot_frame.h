#pragma once
// Where a plot lies on its page, and how a coordinate computed from data becomes an int.
// Coordinates are view units, origin top left, y growing downwards.

#include <cmath>
#include <cstddef>

#include "canvas/canvas.h"

namespace tavo {

// Far beyond any page, yet safe to hand to any painter: data that maps off the chart
// (a hand-set scale, an infinite value) is drawn off the chart, not wrapped around.
inline constexpr int kCoordLimit = 1 << 20;

// Converts to int by truncation toward zero, saturating at +-limit; NaN gives `ifNaN`.
// Inline: every point of a million-sample curve comes through here twice.
inline int TruncClamped(double value, int limit, int ifNaN) {
    if (std::isnan(value))
        return ifNaN;
    if (value >= limit)
        return limit;
    if (value <= -limit)
        return -limit;
    return static_cast<int>(value);
}

// A coordinate computed from data: truncated and kept within kCoordLimit.
inline int ToCoord(double value, int ifNaN) {
    return TruncClamped(value, kCoordLimit, ifNaN);
}

// `index` within the samples 0 .. count - 1; 0 when there are none.
int ClampIndex(int index, std::size_t count);

// The surface the flight graph is laid out on, in view units.
struct GraphPage {
    int cw = 0;            // client width
    int ch = 0;            // client height
    bool printing = false; // the details block is printed below the graph
    int mx = 0;            // printing: the 10 mm margin in view units, horizontally
    int my = 0;            // and vertically
};

// The graph's plot rectangle. B0 is the bottom before the top margin is taken off
// (the welcome text centres on it); B is the frame's bottom edge.
struct GraphFrame {
    int L = 0, T = 0, R = 0, B0 = 0, B = 0;
    int W() const { return R - L; }
    int H() const { return B - T; }
    Rect Box() const { return {L, T, R, B}; }
};
// With every curve on a value axis of its own, the frame narrows: the acceleration's
// axis takes a wider left margin, the velocity's and the altitude's a column each to
// the right of the frame.
inline constexpr int kOwnAxesLeftExtra = 10;
inline constexpr int kOwnAxisColumn = 40;
GraphFrame LayoutGraph(const GraphPage& page, bool ownAxes = false);

// The report window's frame on a client area of width x height.
Rect ReportWindowFrame(int width, int height);
// The frame of the report's printed page: the window's page of width x height with the
// margins mx, my (page units) around it.
Rect ReportPageFrame(int width, int height, int mx, int my);

} // namespace tavo
