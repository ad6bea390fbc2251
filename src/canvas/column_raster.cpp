#include "canvas/column_raster.h"

#include <algorithm>

namespace tavo {

namespace {

void FillColumn(const PixelBuffer& buffer, int x, int top, int bottom, std::uint32_t pixel) {
    if (x < 0 || x >= buffer.width || buffer.height <= 0)
        return;
    top = std::max(top, 0);
    bottom = std::min(bottom, buffer.height - 1);
    std::uint32_t* p = buffer.bits + static_cast<std::ptrdiff_t>(top) * buffer.stride + x;
    for (int y = top; y <= bottom; ++y, p += buffer.stride)
        *p = pixel;
}

} // namespace

bool StepsByColumns(std::span<const Point> points) {
    for (std::size_t k = 1; k < points.size(); ++k) {
        const long long dx = static_cast<long long>(points[k].x) - points[k - 1].x;
        if (dx != 0 && dx != 1)
            return false;
    }
    return true;
}

void DrawColumnPolyline(const PixelBuffer& buffer, std::span<const Point> points,
                        std::uint32_t pixel) {
    const std::size_t n = points.size();
    std::size_t i = 0;
    while (i < n) {
        const int x = points[i].x;
        int top = points[i].y, bottom = top;
        std::size_t j = i + 1;
        for (; j < n && points[j].x == x; ++j) {
            top = std::min(top, points[j].y);
            bottom = std::max(bottom, points[j].y);
        }
        if (j < n) {
            // The step on: every row but its end stays in this column. The comparisons
            // keep the end's neighbour from overflowing.
            const int from = points[j - 1].y, to = points[j].y;
            const int reach = to > from ? to - 1 : to < from ? to + 1 : from;
            top = std::min(top, reach);
            bottom = std::max(bottom, reach);
        }
        FillColumn(buffer, x, top, bottom, pixel);
        i = j;
    }
}

} // namespace tavo
