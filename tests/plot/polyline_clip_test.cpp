// Curves kept inside the plot frame, thinned per column, and the legend's places.

#include "plot/polyline_clip.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>

#include "plot/curve_points.h"
#include "plot/graph_curves.h"
#include "plot/legend.h"

namespace tavo {
namespace {

using Pieces = std::vector<std::vector<Point>>;

TEST(ClipPolyline, StretchesInsideTheBoxEndAndStartOnItsEdges) {
    const Rect box{0, 0, 100, 50};
    struct Case {
        std::vector<Point> points;
        Pieces want;
    };
    const Case cases[] = {
        {{{0, 0}, {50, 25}, {100, 50}}, {{{0, 0}, {50, 25}, {100, 50}}}}, // edges are inside
        {{{10, 10}, {20, 70}, {30, 10}}, {{{10, 10}, {17, 50}}, {{23, 50}, {30, 10}}}},
        {{{-10, 20}, {10, 20}}, {{{0, 20}, {10, 20}}}},
        {{{-10, -10}, {110, 60}}, {{{7, 0}, {93, 50}}}}, // in and out on one segment
        {{{-10, -10}, {-5, -20}}, {}},
        {{{5, 5}}, {{{5, 5}}}},
        {{{500, 5}}, {}},
        // The far values a broken curve lands on are clipped like any other.
        {{{10, 10}, {10, 1 << 20}, {20, 10}}, {{{10, 10}, {10, 50}}, {{20, 50}, {20, 10}}}},
        {{{10, -(1 << 20)}, {10, 1 << 20}}, {{{10, 0}, {10, 50}}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClipPolyline(c.points, box), c.want) << c.points.size() << " points";
}

// The batch rule the streaming thinner must match point for point.
std::vector<Point> ThinByColumns(const std::vector<Point>& pts) {
    std::vector<Point> out;
    for (std::size_t i = 0; i < pts.size();) {
        std::size_t j = i + 1;
        while (j < pts.size() && pts[j].x == pts[i].x)
            ++j;
        if (j - i <= 4) {
            out.insert(out.end(), pts.begin() + i, pts.begin() + j);
        } else {
            std::size_t lo = i, hi = i;
            for (std::size_t k = i + 1; k < j; ++k) {
                lo = pts[k].y < pts[lo].y ? k : lo;
                hi = pts[k].y > pts[hi].y ? k : hi;
            }
            std::size_t keep[4] = {i, std::min(lo, hi), std::max(lo, hi), j - 1};
            for (int k = 0; k < 4; ++k)
                if (k == 0 || keep[k] != keep[k - 1])
                    out.push_back(pts[keep[k]]);
        }
        i = j;
    }
    return out;
}

TEST(ColumnThinner, KeepsEachColumnsFirstLowestHighestAndLast) {
    unsigned seed = 7;
    for (int perColumn : {1, 3, 4, 5, 40}) {
        std::vector<Point> pts;
        for (int c = 0; c < 60; ++c)
            for (int k = 0; k < perColumn; ++k) {
                seed = seed * 1103515245u + 12345u;
                pts.push_back({c, static_cast<int>((seed >> 16) % 7u)}); // ties on purpose
            }
        Pieces pieces;
        {
            PolylineClipper clip({-1, -1, 1000, 1000}, pieces);
            ColumnThinner thin(clip);
            for (const Point& p : pts)
                thin.Add(p);
        }
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_EQ(pieces[0], ThinByColumns(pts)) << perColumn << " a column";
    }
}

TEST(GraphCurvePieces, WholeFlightIsTheRunningSumClippedZoomedOnlyTheWindow) {
    const GraphFrame f = LayoutGraph({1035, 220, false, 0, 0}); // L 35, W 1000, B 200
    const std::vector<float> values{0.0f, 4.0f, 2.0f, -1.0f};
    // Scale 50 a unit from 0: -1 lies 50 below the bottom edge and is cut off there.
    const Pieces whole = GraphCurvePieces(f, {}, 4, values, 0.0f, 50.0f);
    EXPECT_EQ(whole, (Pieces{{{35, 200}, {285, 0}, {535, 100}, {702, 200}}}));
    EXPECT_EQ(whole[0][2],
              CurvePoints(f.Box(), 250.0f, values[0], std::span(values).subspan(1), 0, 50)[2]);
    // Sample positions 0.5 to 2.5 across the width: the samples beyond run the line
    // out to the edges, where it is cut.
    const Pieces zoomed = GraphCurvePieces(f, {0.5, 2.0}, 4, values, 0.0f, 50.0f);
    EXPECT_EQ(zoomed, (Pieces{{{35, 100}, {285, 0}, {785, 100}, {1035, 175}}}));
    EXPECT_TRUE(GraphCurvePieces(f, {}, 0, {}, 0.0f, 50.0f).empty());
}

TEST(GraphCurvesPieces, CurvesLaidOutTogetherAreEachAsAloneAndFindTheCursorsX) {
    const GraphFrame f = LayoutGraph({1035, 220, false, 0, 0});
    std::vector<float> a(3000), b(2000);
    unsigned seed = 3;
    for (std::vector<float>* v : {&a, &b})
        for (float& x : *v) {
            seed = seed * 1103515245u + 12345u;
            x = static_cast<float>((seed >> 16) % 300u) - 50.0f; // some beyond the frame
        }
    const int probes[] = {5, 1500, 2500, 2999, 3500};
    for (const TimeWindow w : {TimeWindow{}, TimeWindow{1400.5, 250}}) {
        for (const bool thin : {false, true}) {
            const GraphCurve curves[] = {{a, 0.0f, 1.0f}, {b, 10.0f, 0.8f}};
            std::vector<int> xs;
            const auto pieces = GraphCurvesPieces(f, w, 3000, curves, thin, probes, &xs);
            ASSERT_EQ(pieces.size(), 2u);
            EXPECT_EQ(pieces[0], GraphCurvePieces(f, w, 3000, a, 0.0f, 1.0f, thin));
            EXPECT_EQ(pieces[1], GraphCurvePieces(f, w, 3000, b, 10.0f, 0.8f, thin));
            ASSERT_EQ(xs.size(), std::size(probes));
            for (std::size_t p = 0; p < xs.size(); ++p)
                EXPECT_EQ(xs[p], SampleXIn(f, w, 3000, probes[p])) << probes[p];
        }
    }
}

TEST(PlaceLegend, ARowAlongTheTopOrAColumnBesideTheReadout) {
    const std::vector<std::string> texts{"Acceleration (Gee)", "Velocity (m/s)", "Altitude (m)"};
    // Wide: one row between the apogee text and the point count, centred.
    const GraphFrame wide = LayoutGraph({1235, 400, false, 0, 0});
    const auto row = PlaceLegend(wide, texts, false);
    ASSERT_EQ(row.size(), 3u);
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i].text.top, 5);
        EXPECT_GE(row[i].box.left, wide.L + 205) << "clear of the apogee";
        EXPECT_LE(row[i].box.right, wide.W() - 105) << "clear of the point count";
        EXPECT_EQ(row[i].text.right - row[i].text.left,
                  static_cast<int>(texts[i].size()) * kLegendCharWidth);
        if (i > 0) {
            EXPECT_GT(row[i].box.left, row[i - 1].box.right);
        }
    }
    const int leftGap = row[0].lineFrom.x - (wide.L + 210);
    const int rightGap = (wide.W() - 110) - row[2].text.right;
    EXPECT_LE(std::abs(leftGap - rightGap), 1) << "centred";
    // Narrow: a column under the top line, on the side the readout leaves free.
    const GraphFrame narrow = LayoutGraph({500, 400, false, 0, 0});
    for (const bool readoutRight : {false, true}) {
        const auto column = PlaceLegend(narrow, texts, readoutRight);
        ASSERT_EQ(column.size(), 3u);
        for (std::size_t i = 0; i < column.size(); ++i) {
            EXPECT_GE(column[i].text.top, 30);
            if (readoutRight) {
                EXPECT_EQ(column[i].lineFrom.x, narrow.L + 8);
            } else {
                EXPECT_LE(column[i].box.right, narrow.R - 5);
            }
            if (i > 0) {
                EXPECT_GT(column[i].text.top, column[i - 1].text.bottom);
            }
        }
    }
}

} // namespace
} // namespace tavo
