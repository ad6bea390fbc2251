#pragma once
// Lights the pixels of a one-pixel polyline that walks the pixel columns left to right,
// straight into a 32-bit image. The graph's whole-flight curves are such polylines (a
// few points a column after thinning); drawn this way they cost a store a pixel instead
// of the general line drawing's set-up for every segment.

#include <cstddef>
#include <cstdint>
#include <span>

#include "canvas/canvas.h"

namespace tavo {

// 32-bit pixels, `stride` pixels from one row to the next.
struct PixelBuffer {
    std::uint32_t* bits = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

// Whether every step of `points` stays on its column or moves one column right.
bool StepsByColumns(std::span<const Point> points);

// Draws a polyline for which StepsByColumns holds with `pixel`. Every point is lit; the
// points of one column light the rows between their extremes; a step to the next
// column lights the rows from the step's start towards its end in the left column and
// the end itself in the right one, as a one-pixel line between neighbouring columns is
// drawn. So each column is one run of rows, and a column's run does not depend on
// which of its inner points are kept. Pixels outside the buffer are left alone.
void DrawColumnPolyline(const PixelBuffer& buffer, std::span<const Point> points,
                        std::uint32_t pixel);

// Fills the pixels x .. x+w-1 of rows y .. y+h-1 (clipped to the buffer) with `pixel`.
// The stores bypass the cache: a full-screen page fill otherwise reads every line of the
// old picture before writing it, which doubled its cost.
void FillPixelRect(const PixelBuffer& buffer, int x, int y, int w, int h, std::uint32_t pixel);

} // namespace tavo
