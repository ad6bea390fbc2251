#pragma once
// Where the graph's legend goes: a short line in each curve's colour with its name,
// along the top of the plot between the apogee and the point count, or, where the
// window is too narrow for a row, in a column on the side the cursor readout leaves
// free.

#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "plot/plot_frame.h"

namespace tavo {

// The width a legend text is given: the drawing's font sets about this many units a
// character, and a text is clipped to its box, so a little room to spare.
inline constexpr int kLegendCharWidth = 8;

// One entry: the colour sample from `lineFrom` to `lineTo`, the name in `text`, and
// `box` around both (outlined for the curve the axis and readout belong to).
struct LegendEntry {
    Point lineFrom, lineTo;
    Rect text;
    Rect box;
    friend bool operator==(const LegendEntry&, const LegendEntry&) = default;
};

// Lays out one entry per text. `readoutRight`: the readout box stands at the right.
std::vector<LegendEntry> PlaceLegend(const GraphFrame& frame, const std::vector<std::string>& texts,
                                     bool readoutRight);

} // namespace tavo
