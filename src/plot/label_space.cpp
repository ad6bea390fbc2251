#include "plot/label_space.h"

#include <algorithm>
#include <limits>

#include "canvas/text_extent.h"

namespace tavo {

LabelSpace::LabelSpace(const Rect& page, int cellHeight) : m_page(page), m_cellHeight(cellHeight) {}

Rect LabelSpace::Extent(const Rect& rect, std::string_view text, unsigned flags) const {
    return TextExtent(rect, text, flags, m_cellHeight);
}

bool LabelSpace::IsFree(const Rect& area) const {
    if (!RectContains(m_page, area))
        return false;
    // Two texts side by side keep a blank's worth apart, so they never read as one.
    const Rect padded{area.left - kPadX, area.top - kPadY, area.right + kPadX, area.bottom + kPadY};
    return std::none_of(m_taken.begin(), m_taken.end(),
                        [&](const Rect& t) { return RectsOverlap(t, padded); });
}

bool LabelSpace::TakeTextIfFree(const Rect& rect, std::string_view text, unsigned flags) {
    const Rect extent = Extent(rect, text, flags);
    if (!RectContains(rect, extent) || !IsFree(extent))
        return false;
    Take(extent);
    return true;
}

std::vector<std::pair<int, int>> LabelSpace::VerticalRuns(int x, int top, int bottom,
                                                          int gap) const {
    // The taken spans this line would cross, in order down the page.
    std::vector<std::pair<int, int>> cuts;
    for (const Rect& t : m_taken)
        if (x >= t.left - gap && x < t.right + gap && t.bottom + gap > top && t.top - gap < bottom)
            cuts.push_back({t.top - gap, t.bottom + gap});
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<int, int>> runs;
    int from = top;
    for (const auto& [cutTop, cutBottom] : cuts) {
        if (cutTop > from)
            runs.push_back({from, std::min(cutTop, bottom)});
        from = std::max(from, cutBottom);
        if (from >= bottom)
            break;
    }
    if (from < bottom)
        runs.push_back({from, bottom});
    return runs;
}

namespace {

bool Inside(const Rect& box, Point p) {
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

// Whether the segment a..b meets the box (edges included): the segment clipped to
// the box by its parameter, Liang and Barsky's way.
bool SegmentMeets(const Rect& box, Point a, Point b) {
    if (Inside(box, a) || Inside(box, b))
        return true;
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {static_cast<double>(a.x) - box.left, static_cast<double>(box.right) - a.x,
                         static_cast<double>(a.y) - box.top, static_cast<double>(box.bottom) - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    return true;
}

} // namespace

std::size_t PolylineHits(const Rect& box, std::span<const Point> points) {
    if (points.empty())
        return 0;
    if (points.size() == 1)
        return Inside(box, points[0]) ? 1 : 0;
    // The first point at or right of the box; the segment leading to it may cross too.
    auto first = std::lower_bound(points.begin(), points.end(), box.left,
                                  [](const Point& p, int x) { return p.x < x; });
    std::size_t i = static_cast<std::size_t>(first - points.begin());
    if (i > 0)
        --i;
    std::size_t hits = 0;
    for (; i + 1 < points.size() && points[i].x <= box.right; ++i)
        if (SegmentMeets(box, points[i], points[i + 1]))
            ++hits;
    return hits;
}

std::size_t ChooseClearPlace(std::span<const Rect> candidates, const LabelSpace& space,
                             std::span<const std::span<const Point>> curves) {
    std::size_t best = 0;
    std::size_t fewest = std::numeric_limits<std::size_t>::max();
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        if (!space.IsFree(candidates[c]))
            continue;
        std::size_t hits = 0;
        for (const std::span<const Point> curve : curves) {
            hits += PolylineHits(candidates[c], curve);
            if (hits >= fewest)
                break;
        }
        if (hits == 0)
            return c;
        if (hits < fewest) {
            fewest = hits;
            best = c;
        }
    }
    return best;
}

} // namespace tavo
