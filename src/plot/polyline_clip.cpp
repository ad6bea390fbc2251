#include "plot/polyline_clip.h"

#include <algorithm>
#include <cmath>

namespace tavo {

PolylineClipper::PolylineClipper(const Rect& box, std::vector<std::vector<Point>>& pieces,
                                 std::size_t expected)
    : m_box(box), m_pieces(pieces), m_expected(expected) {}

std::vector<Point>& PolylineClipper::Open() {
    if (!m_open) {
        m_pieces.emplace_back().reserve(m_expected);
        m_expected = 0;
        m_open = true;
    }
    return m_pieces.back();
}

void PolylineClipper::AddSlow(Point p) {
    if (!m_havePrev) {
        m_havePrev = true;
        if (Inside(p))
            Open().push_back(p);
    } else {
        ClipSegment(m_prev, p);
    }
    m_prev = p;
}

void PolylineClipper::ClipSegment(Point from, Point to) {
    // Liang-Barsky: the part of the segment inside the box is from + t d for t in t0 .. t1.
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {
        static_cast<double>(from.x) - m_box.left, static_cast<double>(m_box.right) - from.x,
        static_cast<double>(from.y) - m_box.top, static_cast<double>(m_box.bottom) - from.y};
    double t0 = 0.0, t1 = 1.0;
    bool visible = m_box.left <= m_box.right && m_box.top <= m_box.bottom;
    for (int e = 0; e < 4 && visible; ++e) {
        if (p[e] == 0.0) {
            visible = q[e] >= 0.0;
        } else if (p[e] < 0.0) {
            t0 = std::max(t0, q[e] / p[e]);
        } else {
            t1 = std::min(t1, q[e] / p[e]);
        }
        visible = visible && t0 <= t1;
    }
    if (!visible) {
        m_open = false;
        return;
    }
    // A point on an edge, rounded to the nearest unit and kept on the box.
    const auto at = [&](double t) {
        const double x = std::round(from.x + t * dx), y = std::round(from.y + t * dy);
        return Point{static_cast<int>(std::clamp<double>(x, m_box.left, m_box.right)),
                     static_cast<int>(std::clamp<double>(y, m_box.top, m_box.bottom))};
    };
    std::vector<Point>& piece = Open();
    if (piece.empty())
        piece.push_back(t0 > 0.0 ? at(t0) : from);
    const Point exit = t1 < 1.0 ? at(t1) : to;
    if (!(exit == piece.back()) || piece.size() == 1)
        piece.push_back(exit);
    if (t1 < 1.0)
        m_open = false;
}

void ColumnThinner::Flush() {
    if (m_count <= 4) {
        for (std::size_t k = 0; k < m_count; ++k)
            m_out.Add(m_run[k]);
    } else {
        // By position in the run, not by value: the first or last may be an extreme.
        const bool loFirst = m_loAt < m_hiAt;
        const std::size_t at[4] = {0, loFirst ? m_loAt : m_hiAt, loFirst ? m_hiAt : m_loAt,
                                   m_count - 1};
        const Point pts[4] = {m_first, loFirst ? m_lo : m_hi, loFirst ? m_hi : m_lo, m_last};
        for (int k = 0; k < 4; ++k)
            if (k == 0 || at[k] != at[k - 1])
                m_out.Add(pts[k]);
    }
    m_count = 0;
}

std::vector<std::vector<Point>> ClipPolyline(const std::vector<Point>& points, const Rect& box) {
    std::vector<std::vector<Point>> pieces;
    PolylineClipper clipper(box, pieces);
    for (const Point& p : points)
        clipper.Add(p);
    return pieces;
}

} // namespace tavo
