#include "canvas/column_raster.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

void FillPixelRect(const PixelBuffer& buffer, int x, int y, int w, int h, std::uint32_t pixel) {
    const long long x0 = std::max(0, x), y0 = std::max(0, y);
    const long long x1 = std::min<long long>(buffer.width, static_cast<long long>(x) + w);
    const long long y1 = std::min<long long>(buffer.height, static_cast<long long>(y) + h);
    if (buffer.bits == nullptr || x0 >= x1 || y0 >= y1)
        return;
    for (long long row = y0; row < y1; ++row) {
        std::uint32_t* p = buffer.bits + row * buffer.stride + x0;
        std::uint32_t* const end = buffer.bits + row * buffer.stride + x1;
#if defined(__SSE2__)
        while (p < end && (reinterpret_cast<std::uintptr_t>(p) & 15u) != 0)
            *p++ = pixel;
        const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
        for (; end - p >= 4; p += 4)
            _mm_stream_si128(reinterpret_cast<__m128i*>(p), four);
#endif
        while (p < end)
            *p++ = pixel;
    }
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

} // namespace tavo
