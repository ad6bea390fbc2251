#pragma once
// The flight graph: one drawing operation for the window, print preview, printing and
// the command-line renderer. Before it draws, PrepareGraph turns the cursors' x
// positions into the sample indices m_nCursor1 and m_nCursor2 that the cuts, the
// reports and the thrust-curve export use.

#include "canvas/canvas.h"
#include "flight/flight_record.h"
#include "plot/plot_frame.h"
#include "plot/plot_style.h"

namespace tavo {

// What the view owns: the cursors' x positions in view units (-1 = not placed yet)
// and the cursor being dragged (0 none, 1 C1, 2 C2).
struct GraphViewState {
    int m_xCursor1 = -1;
    int m_xCursor2 = -1;
    int m_nDragCursor = 0;
};

// Before each drawing, by whoever draws: the first time there is data, places the
// cursors at a third and two thirds of the plot width; while live capture runs,
// recomputes the derived curves; then stores the samples under the cursors in the
// flight's m_nCursor1 and m_nCursor2, as the page is laid out (the window, a printed
// page and the command-line renderer each find their own).
void PrepareGraph(FlightRecord& flight, GraphViewState& view, const GraphPage& page);

// Draws the flight as PrepareGraph left it. Changes nothing.
void DrawGraph(Canvas& canvas, const FlightRecord& flight, const GraphViewState& view,
               const GraphPage& page);

// The printed details text below the graph.
std::string DetailsBlockText(const FlightRecord& flight);

} // namespace tavo
