#pragma once
// The flight graph: one drawing operation for the window, print preview, printing and
// the command-line renderer. The cursors stand on samples, so every page, size and zoom
// shows them on the same data. The view owns where they stand; a drawing reads the
// flight and the view and changes neither, so drawing a picture at another size never
// moves what a cut, a report or an export works on.

#include <array>
#include <span>
#include <string>

#include "canvas/canvas.h"
#include "flight/cursor_range.h"
#include "flight/flight_data.h"
#include "plot/plot_frame.h"
#include "plot/plot_style.h"
#include "plot/time_window.h"

namespace tavo {

// What the view owns: the samples under C1 and C2 (-1 = not placed yet), the cursor
// being dragged (0 none, 1 C1, 2 C2), the cursor the keys move, the stretch of the time
// axis shown and the curve the value axis and the readout belong to.
struct GraphViewState {
    int cursor1 = -1;
    int cursor2 = -1;
    int dragCursor = 0;
    int activeCursor = 1;
    TimeWindow window; // the whole flight unless zoomed
    // 0 acceleration, 1 velocity, 2 altitude; a click switches it.
    int displayCurve = 0;
    // The window marks the cursor the keys move; printed pages and exported pictures do
    // not.
    bool markActiveCursor = false;
    // View > All Curves on Own Axes: each curve labelled on a value axis of its own, and
    // the readout lists all three.
    bool ownAxes = false;
    // View > Flight Summary: the flight's key figures in a box on the graph.
    bool showSummary = false;
};

// Another flight drawn over the main one, on the main flight's time and value axes (a
// flight overlaid from its file, or a motor's predicted flight). Its curves are in the
// main flight's units and owned by whoever lists it; they need not share its sample
// interval.
struct ExtraFlight {
    const FlightCurves* curves = nullptr;
    // The main flight's time (s) that the extra flight's first sample is drawn at.
    double offsetS = 0.0;
    std::string name; // in the legend and the readout
    int shade = 0;    // which set of lighter colours it is drawn in
};

// The lighter pens of colour set `shade` for the acceleration, the velocity and the
// altitude: lighter than the main flight's, and each set apart from the next.
std::array<Pen, 3> ExtraFlightPens(int shade);

// Where an extra flight's first sample goes so that its launch marker meets the main
// flight's: a flight without a marker is taken to launch at its first sample.
double LaunchAlignedOffset(const FlightCurves& main, const FlightCurves& extra);

// Whether the curves stand on axes of their own: asked for, and the velocity and the
// altitude drawn (raw counts show the acceleration alone).
bool OwnAxesShown(const FlightData& flight, const GraphViewState& view);

// The plot frame of `page` as the view lays it out (narrower with axes of its own).
// Everything that maps a pointer or a sample to x uses this frame.
GraphFrame GraphFrameFor(const GraphPage& page, const FlightData& flight,
                         const GraphViewState& view);

// Before each drawing, on the view that is drawn: the first time there is data, places
// the cursors on the samples at a third and two thirds of the plot width of what is
// shown on `page` (not while the flight is live: a cursor not placed keeps its home on
// the page rather than settling on the first lines received); keeps the cursors and the zoom within
// the flight. Every page finds the same samples for cursors already placed.
void PrepareGraph(const FlightData& flight, GraphViewState& view, const GraphPage& page);

// The samples C1 and C2 stand on as `page` shows them: the placed ones, and for a
// cursor not placed yet the one a drawing of `page` puts it on. What the cuts, reports
// and exports take.
CursorRange ShownCursors(const FlightData& flight, const GraphViewState& view,
                         const GraphPage& page);

// The cursors put where pointers at view x1 and x2 would put them on `page` (the
// command-line renderer's pixel positions).
void PlaceCursorsAtX(const FlightData& flight, GraphViewState& view, const GraphPage& page, int x1,
                     int x2);

// The number of samples the graph lays out for the flight as it is now.
int GraphSampleCount(const FlightData& flight);

// Draws the flight with the cursors `view` holds, as PrepareGraph left them, and the
// `extra` flights under its curves: the value axes then span them all, the legend names
// each and the readout gives each one's values at the cursors' times. Changes nothing.
void DrawGraph(Canvas& canvas, const FlightData& flight, const GraphViewState& view,
               const GraphPage& page, std::span<const ExtraFlight> extra = {});

// The printed details text below the graph.
std::string DetailsBlockText(const FlightRecord& flight);

} // namespace tavo
