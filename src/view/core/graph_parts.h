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
    std::span<const ExtraFlight> extra = {};
    // The value axes' top and bottom for each curve: the main flight's ranges, widened
    // over the extra flights.
    float max[3] = {0, 0, 0};
    float min[3] = {0, 0, 0};
};

// The value ranges of the main flight's curves, widened over every extra flight's.
void SetValueRanges(GraphScene& scene);

// Each extra flight's curves (all three, or the acceleration alone as raw counts) laid on
// the main flight's samples and drawn in its lighter pens; the pieces as drawn.
std::vector<std::vector<std::vector<Point>>> DrawExtraCurves(Canvas& canvas, const GraphScene& s,
                                                             int drawnCurves);

// The legend texts of the extra flights, after the main flight's curves.
std::vector<std::string> ExtraLegendTexts(const GraphScene& s);
// An extra flight's legend sample: its line in each of its pens in turn.
void DrawExtraLegendLine(Canvas& canvas, const ExtraFlight& extra, Point from, Point to);

// Curve `curve` of `extra` at the main flight's sample `index`, between its samples;
// false outside the samples it has.
bool ExtraValueAt(const GraphScene& s, const ExtraFlight& extra, int curve, int index,
                  float& value);
// A name short enough for a legend entry or a readout line (at most `max` bytes).
std::string ShortFlightName(const std::string& name, std::size_t max = 24);

// The text colour a curve's labels are drawn in: the curve's own colour, the bright
// green of the velocity darkened so it reads on white.
Color LabelColorOf(const Pen& pen);

// The summary box, the cursors with the readout, and the event markers, set clear of
// each other and of every text already drawn. `haveCurves`: the derived curves exist
// (without them only the cursor lines are drawn).
void DrawOverlays(Canvas& canvas, GraphScene& scene, bool haveCurves);

} // namespace tavo
