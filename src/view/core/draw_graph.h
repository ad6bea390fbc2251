#pragma once
// The flight graph: one drawing operation for the window, print preview, printing and
// the command-line renderer. The cursors stand on samples, so every page, size and zoom
// shows them on the same data; before it draws, PrepareGraph places them the first time
// and hands their samples to m_nCursor1 and m_nCursor2, which the cuts, the reports and
// the thrust-curve export use.

#include "canvas/canvas.h"
#include "flight/flight_record.h"
#include "plot/plot_frame.h"
#include "plot/plot_style.h"
#include "plot/time_window.h"

namespace tavo {

// What the view owns: the samples under C1 and C2 (-1 = not placed yet), the cursor
// being dragged (0 none, 1 C1, 2 C2), the cursor the keys move, and the stretch of the
// time axis shown.
struct GraphViewState {
    int m_nCursorSample1 = -1;
    int m_nCursorSample2 = -1;
    int m_nDragCursor = 0;
    int m_nActiveCursor = 1;
    TimeWindow m_window; // the whole flight unless zoomed
    // The window marks the cursor the keys move; printed pages and exported pictures do
    // not.
    bool m_bMarkActiveCursor = false;
    // View > All Curves on Own Axes: each curve labelled on a value axis of its own, and
    // the readout lists all three.
    bool m_bOwnAxes = false;
    // View > Flight Summary: the flight's key figures in a box on the graph.
    bool m_bShowSummary = false;
};

// Whether the curves stand on axes of their own: asked for, and the velocity and the
// altitude drawn (raw counts show the acceleration alone).
bool OwnAxesShown(const FlightRecord& flight, const GraphViewState& view);

// The plot frame of `page` as the view lays it out (narrower with axes of its own).
// Everything that maps a pointer or a sample to x uses this frame.
GraphFrame GraphFrameFor(const GraphPage& page, const FlightRecord& flight,
                         const GraphViewState& view);

// Before each drawing, by whoever draws: while live capture runs, recomputes the
// derived curves; the first time there is data, places the cursors on the samples at a
// third and two thirds of the plot width of what is shown; keeps the cursors and the
// zoom within the flight; then stores the cursors' samples in the flight's m_nCursor1
// and m_nCursor2. Every page finds the same samples.
void PrepareGraph(FlightRecord& flight, GraphViewState& view, const GraphPage& page);

// The cursors put where pointers at view x1 and x2 would put them on `page` (the
// command-line renderer's pixel positions).
void PlaceCursorsAtX(const FlightRecord& flight, GraphViewState& view, const GraphPage& page,
                     int x1, int x2);

// The number of samples the graph lays out for the flight as it is now.
int GraphSampleCount(const FlightRecord& flight);

// Draws the flight as PrepareGraph left it. Changes nothing.
void DrawGraph(Canvas& canvas, const FlightRecord& flight, const GraphViewState& view,
               const GraphPage& page);

// The printed details text below the graph.
std::string DetailsBlockText(const FlightRecord& flight);

} // namespace tavo
