#pragma once
// Keeps a polyline inside a rectangle. The graph's curves are clipped to the plot
// frame before they reach any canvas, so the screen, the printed page and every
// rendered file show the same picture: a curve beyond a hand-set scale or below the
// pad (the altitude after a drifting landing) stops at the frame instead of running
// through the time labels or, on paper, into the details block.

#include <cstddef>
#include <vector>

#include "canvas/canvas.h"

namespace tavo {

// Feeds a polyline point by point and collects the stretches of it that lie inside
// `box` (edges included), each as a polyline of its own. A segment that leaves the box
// ends its stretch at the edge; one that comes back starts a new stretch at the edge.
// Points inside the box pass through unchanged.
class PolylineClipper {
public:
    // `expected`: the points the first stretch is likely to hold (reserved at once, as a
    // curve mostly stays inside).
    PolylineClipper(const Rect& box, std::vector<std::vector<Point>>& pieces,
                    std::size_t expected = 0);

    void Add(Point p) {
        if (m_open && m_havePrev && Inside(p)) {
            // Nearly every point of a curve: inside, after a point inside.
            m_pieces.back().push_back(p);
            m_prev = p;
            return;
        }
        AddSlow(p);
    }

private:
    bool Inside(Point p) const {
        return p.x >= m_box.left && p.x <= m_box.right && p.y >= m_box.top && p.y <= m_box.bottom;
    }
    void AddSlow(Point p);
    void ClipSegment(Point from, Point to);
    std::vector<Point>& Open();

    Rect m_box;
    std::vector<std::vector<Point>>& m_pieces;
    Point m_prev;
    bool m_havePrev = false;
    bool m_open = false; // the last piece is still being extended
    std::size_t m_expected = 0;
};

// Thins a polyline on its way to a clipper for a canvas that lights whole pixels at one
// view unit per pixel: each run of points on one x column becomes its first, lowest,
// highest and last point, in the order they came (a run of four or fewer passes
// whole). The strokes within a column cover the same span, so a one-pixel pen lights
// the same pixels. (The graph's curves find a column's extremes on their values, see
// graph_curves.cpp, and come here for a column holding a value that is no number.)
class ColumnThinner {
public:
    explicit ColumnThinner(PolylineClipper& out) : m_out(out) {}
    ~ColumnThinner() { Flush(); }

    void Add(Point p) {
        if (m_count > 0 && p.x == m_first.x) {
            // Strict comparisons keep the earliest extreme, as the batch thinning does.
            if (m_count < 4)
                m_run[m_count] = p;
            if (p.y < m_lo.y) {
                m_lo = p;
                m_loAt = m_count;
            }
            if (p.y > m_hi.y) {
                m_hi = p;
                m_hiAt = m_count;
            }
            m_last = p;
            ++m_count;
            return;
        }
        Flush();
        m_first = m_lo = m_hi = m_last = m_run[0] = p;
        m_loAt = m_hiAt = 0;
        m_count = 1;
    }
    // Hands on the column still held (also done when the thinner goes).
    void Flush();

private:
    PolylineClipper& m_out;
    Point m_run[4];
    Point m_first, m_lo, m_hi, m_last;
    std::size_t m_loAt = 0, m_hiAt = 0, m_count = 0;
};

// The stretches of `points` inside `box`.
std::vector<std::vector<Point>> ClipPolyline(const std::vector<Point>& points, const Rect& box);

} // namespace tavo
