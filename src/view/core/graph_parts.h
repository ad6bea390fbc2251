#pragma once
// The pieces one drawing of the graph is made of, shared between draw_graph.cpp (page,
// axes, curves, legend) and graph_overlays.cpp (what stands over the curves: the
// summary, the cursors with their readout, the event markers). Not for other callers.

#include <span>
#include <vector>

#include "canvas/canvas.h"
#include "flight/flight_data.h"
#include "plot/label_space.h"
#include "plot/plot_frame.h"
#include "plot/time_window.h"
#include "view/core/draw_graph.h"

namespace tavo {

// One drawing's layout: where the plot lies, what it shows, the room its texts have
// taken so far and the curves as drawn (the summary box goes where they are not).
struct GraphScene {
    const FlightData& flight;
    const GraphViewState& view;
    const GraphPage& page;
    GraphFrame f;
    TimeWindow window;
    int n = 0;
    bool ownAxes = false;
    LabelSpace space;
    std::vector<std::span<const Point>> curves;
    int cursorXs[2] = {0, 0};
    CursorRange cursors; // the samples C1 and C2 stand on in this drawing
};

// The text colour a curve's labels are drawn in: the curve's own colour, the bright
// green of the velocity darkened so it reads on white.
Color LabelColorOf(const Pen& pen);

// The summary box, the cursors with the readout, and the event markers, set clear of
// each other and of every text already drawn. `haveCurves`: the derived curves exist
// (without them only the cursor lines are drawn).
void DrawOverlays(Canvas& canvas, GraphScene& scene, bool haveCurves);

} // namespace tavo
