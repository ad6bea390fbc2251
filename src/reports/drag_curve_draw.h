#pragma once
// The drag curve of the coast as a graph of its own, in the Cd report's window and on
// its printed page: Cd against Mach number, a point a bin with the number of samples
// behind it, and the constant drag taken beyond the speeds the coast measured drawn
// dashed to the frame's edges.

#include <string>

#include "canvas/canvas.h"
#include "predict/drag_curve.h"

namespace tavo {

// The graph in `frame`: axes, grid (with `drawGrid`), the curve, its points and their
// sample counts, and a caption in the frame's top left corner; a curve that cannot be
// drawn says why in the frame instead. Value labels stand `valueLabelWidth` units left
// of the frame; a Mach label that would pass `pageRight` is left out.
void DrawDragCurveGraph(Canvas& canvas, const Rect& frame, const DragCurve& curve,
                        int valueLabelWidth, int pageRight, bool drawGrid);

// The caption above the curve: what it shows and where it was measured, or why there is
// none.
std::string DragCurveCaption(const DragCurve& curve);

// The points as the printed page lists them, one a line: "Mach 0.123: Cd 0.456 (23
// samples)".
std::string DragCurvePointsText(const DragCurve& curve);

} // namespace tavo
