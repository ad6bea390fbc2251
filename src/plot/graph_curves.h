#pragma once
// The graph's curves as polylines ready for a canvas: laid out under the time window,
// clipped to the plot frame and, for a canvas of whole pixels, thinned per pixel column.
// The three curves share their samples' x, so they are laid out together in one pass:
// the running x of a million samples is summed once, not three times, and the x of the
// cursors' samples comes out of the same pass.

#include <span>
#include <vector>

#include "canvas/canvas.h"
#include "plot/plot_frame.h"
#include "plot/time_window.h"

namespace tavo {

// One curve: its values (samples 0 .. size - 1) and where they land: `min` on the frame's
// bottom edge, `scale` units a value upwards.
struct GraphCurve {
    std::span<const float> values;
    float min = 0.0f;
    float scale = 0.0f;
    // The samples before this one are not drawn: a flight laid over another may begin
    // later than the one it is laid over.
    std::size_t first = 0;
};

// Each curve's polylines, in the order given. The whole flight is laid out as
// CurvePoints lays it out (the running single-precision x over n samples); a zoomed
// window maps the samples VisibleSamples names in double precision. With `thinColumns`
// each pixel column keeps only what lights its pixels (see ColumnThinner). The x of each
// of `probes` (sample indices) is stored in `probeXs`, as SampleXIn finds it.
std::vector<std::vector<std::vector<Point>>>
GraphCurvesPieces(const GraphFrame& frame, TimeWindow window, int n,
                  std::span<const GraphCurve> curves, bool thinColumns,
                  std::span<const int> probes = {}, std::vector<int>* probeXs = nullptr);

// One curve alone.
std::vector<std::vector<Point>> GraphCurvePieces(const GraphFrame& frame, TimeWindow window, int n,
                                                 std::span<const float> values, float min,
                                                 float scale, bool thinColumns = false);

} // namespace tavo
