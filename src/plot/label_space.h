#pragma once
// Room on a page for texts and boxes that must not cover each other: what is already
// drawn is marked taken, and each further label or box goes to the first of its places
// that is free. Lines that run across the plot (cursors, event markers) break where
// they would cross a text or a box. Texts are measured as the canvases draw them
// (canvas/text_extent.h), not by the rectangles they are given.

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "canvas/canvas.h"

namespace tavo {

class LabelSpace {
public:
    static constexpr int kPadX = 3;
    static constexpr int kPadY = 0;

    // Texts are measured at `cellHeight`; nothing may reach outside `page`.
    LabelSpace(const Rect& page, int cellHeight);

    // Marks `area` taken.
    void Take(const Rect& area) { m_taken.push_back(area); }
    // The extent of a text drawn in `rect` with TextFlags.
    Rect Extent(const Rect& rect, std::string_view text, unsigned flags) const;
    // Whether `area` lies on the page clear of everything taken, by kPadX across and
    // kPadY up and down.
    bool IsFree(const Rect& area) const;
    // Whether the text would be drawn whole (not clipped by its rectangle, on the page)
    // clear of everything taken; if so its extent is marked taken.
    bool TakeTextIfFree(const Rect& rect, std::string_view text, unsigned flags);

    // The stretches of the vertical line at x from `top` to `bottom` that pass clear of
    // everything taken, keeping `gap` units from each (as from, to pairs, top down).
    std::vector<std::pair<int, int>> VerticalRuns(int x, int top, int bottom, int gap) const;

    const Rect& Page() const { return m_page; }
    const std::vector<Rect>& Taken() const { return m_taken; }

private:
    Rect m_page;
    int m_cellHeight;
    std::vector<Rect> m_taken;
};

// How many segments of a polyline touch `box`. The polyline's x never decreases from
// one point to the next (a curve over time), so only the stretch over the box's width
// is looked at: a million-point curve costs a search, not a pass.
std::size_t PolylineHits(const Rect& box, std::span<const Point> points);

// The place for a box among `candidates`, in order of preference: the first that is
// free in `space` and that no curve touches; else the free one the curves touch least;
// else the first. `curves` are polylines as PolylineHits takes them.
std::size_t ChooseClearPlace(std::span<const Rect> candidates, const LabelSpace& space,
                             std::span<const std::span<const Point>> curves);

} // namespace tavo
