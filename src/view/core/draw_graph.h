#pragma once
// The flight graph: one drawing operation for the window, print preview, printing and
// the command-line renderer. It also turns the cursors' x positions into the sample
// indices m_nCursor1 and m_nCursor2 that the cuts, the reports and the thrust-curve
// export use.

#include "canvas/canvas.h"
#include "flight/flight_record.h"

namespace tavo {

// What the view owns: the cursors' x positions in view units (-1 = not placed yet)
// and the cursor being dragged (0 none, 1 C1, 2 C2).
struct GraphViewState {
    int m_xCursor1 = -1;
    int m_xCursor2 = -1;
    int m_nDragCursor = 0;
};

// The surface the graph is laid out on, in view units.
struct GraphPage {
    int cw = 0;            // client width
    int ch = 0;            // client height
    bool printing = false; // the details block is printed below the graph
    int mx = 0;            // printing: the 10 mm margin in view units, horizontally
    int my = 0;            // and vertically
};

// The plot rectangle that DrawGraph lays out on a page.
struct GraphFrame {
    int L = 0, T = 0, R = 0, B0 = 0, B = 0;
    int W() const { return R - L; }
    int H() const { return B - T; }
};
GraphFrame LayoutGraph(const GraphPage& page);

// Draws the flight. Places the cursors at a third and two thirds of the plot width the
// first time there is data, and writes the cursor sample indices into the flight.
void DrawGraph(Canvas& canvas, FlightRecord& flight, GraphViewState& view, const GraphPage& page);

// The printed details text below the graph.
std::string DetailsBlockText(const FlightRecord& flight);

// The drawing's pens and font.
constexpr Pen kBlackPen{PenStyle::Solid, 1, {0, 0, 0}};
constexpr Pen kRedPen{PenStyle::Solid, 1, {255, 0, 0}};
constexpr Pen kGreenPen{PenStyle::Solid, 1, {0, 255, 0}};
constexpr Pen kGridPen{PenStyle::Dash, 1, {194, 194, 194}};
constexpr Pen kBluePen{PenStyle::Solid, 1, {0, 0, 255}};
constexpr int kGraphFontHeight = 16;

} // namespace tavo
