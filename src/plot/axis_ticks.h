#pragma once
// The labels along a plot's axes: where each goes and what it reads. The time axis runs
// along the frame's bottom in tenths of the width; the value axis climbs the left edge
// in tenths of the height. The graph and the report pages step and word them by rules
// of their own, kept here as named variants.

#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "plot/time_window.h"

namespace tavo {

// One label: `at` is the x of a time tick or the y of a value label.
struct AxisLabel {
    int at = 0;
    std::string text;
    friend bool operator==(const AxisLabel&, const AxisLabel&) = default;
};

// The box a time tick's label is set in below the frame, centred on the tick.
Rect TimeLabelRect(const Rect& frame, int x);
inline constexpr unsigned kTimeLabelFlags = TextHCenter;
// The box a value label is set in, `width` units left of the frame, centred on its y.
Rect ValueLabelRect(const Rect& frame, int y, int width);
inline constexpr unsigned kValueLabelFlags = TextRight | TextVCenter | TextSingleLine;

// The graph's time ticks for n samples, whole flight or zoomed: round times, one, two
// or five times a power of ten seconds apart and at least kRoundTickSpacing units, each
// where its time lies on the curves and with the decimals its step needs. The drawing
// leaves out a tick whose label has no room; a flight without a usable sample interval
// has none.
inline constexpr int kRoundTickSpacing = 80;
std::vector<AxisLabel> RoundTimeTicks(const GraphFrame& frame, TimeWindow window, int n,
                                      float sampleInterval);

// Values min .. max on a value axis of its own from `bottom` (min) up to `top` (max):
// round values, one, two or five times a power of ten apart and at least `spacing`
// units, at the y where the curve draws them, with the decimals their step needs. A
// range that gives no scale labels only its minimum, on the bottom edge.
std::vector<AxisLabel> RoundValueLabels(int top, int bottom, float max, float min, int spacing);

// The report's time ticks: the same tenths, stepped in single precision throughout,
// two decimals under ten seconds of range and one beyond.
std::vector<AxisLabel> ReportTimeTicks(const Rect& frame, int n, float sampleInterval);

// The graph's value labels for a curve of min .. max: up from the zero line in steps of
// a tenth of the range rounded up (whole numbers above 999, else one decimal), then
// down from it with one decimal. A range that gives no step labels the bottom edge 0.
std::vector<AxisLabel> GraphValueLabels(const Rect& frame, float max, float min);

// The units label of curve 0 (acceleration), 1 (velocity) or 2 (altitude) under the
// display switches: "Gee", "m/s^2", "ft/s^2" or "RAW"; "m/s" or "MPH"; "m" or "ft".
const char* CurveUnits(int curve, bool metric, bool accelInGees, bool displayRaw);

// The report's value labels: 0 on the bottom edge, then `step` more every tenth of the
// height, with `decimals` decimals. A frame under ten units high has only the 0.
std::vector<AxisLabel> ReportValueLabels(const Rect& frame, float step, int decimals);

} // namespace tavo
