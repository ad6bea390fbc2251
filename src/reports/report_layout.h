#pragma once
// The page layout both report windows share: a framed graph of one curve between the
// cursors, with a time axis along the bottom, a value axis on the left and an optional
// dashed grid. Coordinates are logical units, origin top left, y growing downwards.

#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "plot/curve_points.h"
#include "plot/page_mapping.h"
#include "plot/plot_frame.h"
#include "plot/plot_style.h"

namespace tavo {

// What one report graph shows. `values` holds one entry per sample of the flight;
// the curve runs over samples first .. first + count - 1.
struct ReportGraph {
    const std::vector<float>* values = nullptr;
    int first = 0;
    int count = 0;        // n; no axes and no curve when 0 or less
    float firstValue = 0; // the value of the polyline's first point, at the left edge
    float scale = 0;      // logical units per curve unit
    float sampleInterval = 0;
    float valueStep = 0;   // value-axis label step
    int valueDecimals = 1; // value-axis label format
    int valueLabelWidth = 45;
    bool drawGrid = true;
    // The page's right edge: a time label that would pass it is left out, not cut.
    int pageRight = kCoordLimit;
};

// The curve's polyline as DrawReportGraph draws it; empty when it draws none.
std::vector<Point> ReportCurvePoints(const Rect& frame, const ReportGraph& graph);

// Clears the page (white over width x height), selects the report font and black pen.
void BeginReportPage(Canvas& canvas, int width, int height);

// The frame, then (when the range is not empty) the time axis, the value axis and the
// curve, in that order and with the pens each is drawn with.
void DrawReportGraph(Canvas& canvas, const Rect& frame, const ReportGraph& graph);

// The client point at which the report menu opens: the mouse position, or for a menu
// asked for from the keyboard a point near the top left corner.
Point ReportMenuClientPoint(Point mouse, bool fromKeyboard);

} // namespace tavo
