#pragma once
// The page layout both report windows share: a framed graph of one curve between the
// cursors, with a time axis along the bottom, a value axis on the left and an optional
// dashed grid. Coordinates are logical units, origin top left, y growing downwards.

#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace tavo {

inline constexpr Color kReportWhite{255, 255, 255};
inline constexpr Pen kReportBlackPen{PenStyle::Solid, 1, Color{0, 0, 0}};
inline constexpr Pen kReportGridPen{PenStyle::Dash, 1, Color{194, 194, 194}};
inline constexpr int kReportFontHeight = 16;

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
};

// Float to int by truncation, as the page coordinates have always been taken, but
// saturating at the int range and giving 0 for NaN instead of undefined behaviour.
int TruncateToInt(float value);

// Units per curve unit for a frame of `height` and a largest value of `peak`. A peak of
// 0 or one that is not finite has no usable scale: the curve then lies on the bottom edge.
float ReportCurveScale(int height, float peak);

// Clears the page (white over width x height), selects the report font and black pen.
void BeginReportPage(Canvas& canvas, int width, int height);

// The frame, then (when the range is not empty) the time axis, the value axis and the
// curve, in that order and with the pens each is drawn with.
void DrawReportGraph(Canvas& canvas, const Rect& frame, const ReportGraph& graph);

// The y of a curve value: bottom - value * scale, truncated. Non-finite results are kept
// within reach of the frame (+inf at the far top, NaN on the bottom edge) so a broken
// value never sends the polyline to a garbage coordinate.
int ReportCurveY(int bottom, float value, float scale);

// The client point at which the report menu opens: the mouse position, or for a menu
// asked for from the keyboard a point near the top left corner.
Point ReportMenuClientPoint(Point mouse, bool fromKeyboard);

// How a report window's page of width x height units is laid onto a printer page of
// pageWidth x pageHeight device pixels: one uniform scale from the top left corner
// (the smaller of the two ratios) and 10 mm margins expressed in page units.
struct ReportPageGeometry {
    int width = 0;    // the window's client width, in page units
    int height = 0;   // the window's client height, in page units
    double scale = 1; // device pixels per page unit
    int marginX = 0;  // 10 mm across, in page units
    int marginY = 0;  // 10 mm down, in page units
};
ReportPageGeometry ComputeReportPageGeometry(int clientWidth, int clientHeight, int pageWidth,
                                             int pageHeight, double dpiX, double dpiY);

} // namespace tavo
