// Curve points, scales and the samples under the cursors, without a canvas.

#include "plot/curve_points.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace tavo {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(CursorSample, FirstSampleWhoseRunningXReachesTheCursor) {
    struct Case {
        int left;
        float xStep;
        std::size_t count;
        int cursorX;
        int want;
    };
    const Case cases[] = {
        // Sample i at 35 + 100 i.
        {35, 100.0f, 10, 368, 4},
        {35, 100.0f, 10, 135, 1}, // exactly on a sample
        {35, 100.0f, 10, 436, 5},
        {35, 100.0f, 10, -50, 1},  // left of the data: sample 1, never 0
        {35, 100.0f, 10, 935, 9},  // the last sample
        {35, 100.0f, 10, 936, -1}, // beyond the curve
        // The running sum of 100 / 6 reaches 84.99999 at sample 3: the cursor at 85
        // selects sample 4, where a product 3 x step would give 3.
        {35, 100.0f / 6.0f, 6, 85, 4},
        // A running x too large for the step to move it never reaches the cursor.
        {1 << 24, 0.5f, 1000, (1 << 24) + 2, -1},
        // Degenerate: no samples beyond the first, no width, a width gone negative, no
        // step at all.
        {35, 100.0f, 1, 0, -1},
        {35, 100.0f, 0, 0, -1},
        {35, 0.0f, 10, 35, 1},
        {35, 0.0f, 10, 36, -1},
        {35, -10.0f, 10, 20, 1},
        {35, -10.0f, 10, 30, -1},
        {35, kNaN, 10, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CursorSample(c.left, c.xStep, c.count, c.cursorX), c.want)
            << c.left << " + " << c.xStep << " x " << c.count << " at " << c.cursorX;
    // A million samples: the cursor two thirds along is found where the sum reaches it.
    const float step = SampleXStep(1885, 1000000);
    const int i = CursorSample(35, step, 1000000, 35 + 1256);
    ASSERT_GT(i, 0);
    float x = 35.0f;
    for (int k = 1; k < i; ++k)
        x += step;
    EXPECT_LT(x, 35.0f + 1256.0f);
    EXPECT_GE(x + step, 35.0f + 1256.0f);
}

TEST(GraphCursorSamples, CursorsBeyondTheCurveKeepTheirSampleWithinTheData) {
    // L 35, W 1000 and 10 samples: sample i at 35 + 100 i.
    const GraphFrame f = LayoutGraph({1035, 220, false, 0, 0});
    struct Case {
        int n;
        std::size_t curveCount;
        int x1, x2;
        CursorSamples previous, want;
    };
    const Case cases[] = {
        {10, 10, 368, 701, {0, 0}, {4, 7}},
        {10, 10, -50, 5000, {2, 5}, {1, 5}},      // C2 beyond: keeps 5
        {10, 10, 5000, 5000, {-3, 5000}, {0, 9}}, // kept samples clamped into 0 .. n - 1
        // The curve is shorter than the samples (captured after the last recompute):
        // beyond it the cursor keeps its sample, clamped to the samples, not the curve.
        {10, 4, 135, 701, {9, 9}, {1, 9}},
        {1, 1, 368, 701, {3, 3}, {0, 0}}, // one sample: nothing to find
    };
    for (const Case& c : cases)
        EXPECT_EQ(GraphCursorSamples(f, c.n, c.curveCount, c.x1, c.x2, c.previous), c.want)
            << c.n << " " << c.x1 << " " << c.x2;
    // The first drawing's cursors: a third and two thirds of the plot width.
    EXPECT_EQ(DefaultCursorXs(f).x1, 35 + 333);
    EXPECT_EQ(DefaultCursorXs(f).x2, 35 + 666);
}

TEST(CurvePoints, ValuesOverTheFrameWithBrokenValuesKeptInReach) {
    const Rect frame{35, 0, 1035, 200};
    const std::vector<float> values{4.0f, 2.0f, 1.0f};
    // Four samples over 1000: steps of 250, 50 units per value.
    EXPECT_EQ(CurvePoints(frame, 250.0f, 0.0f, values, 0.0f, 50.0f),
              (std::vector<Point>{{35, 200}, {285, 0}, {535, 100}, {785, 150}}));
    // Measured from a minimum: -1 sits on the bottom edge.
    EXPECT_EQ(CurvePoints(frame, 250.0f, -1.0f, values, -1.0f, 40.0f).at(1), (Point{285, 0}));
    // Nothing after the first value: one point.
    EXPECT_EQ(CurvePoints(frame, 250.0f, 3.0f, {}, 0.0f, 50.0f), (std::vector<Point>{{35, 50}}));

    const std::vector<float> broken{kNaN, kInf, -kInf, 1e30f};
    const auto points = CurvePoints(frame, 1e30f, 0.0f, broken, 0.0f, 50.0f);
    EXPECT_EQ(points[1], (Point{1 << 20, 200})) << "NaN on the bottom edge, x far right";
    EXPECT_EQ(points[2].y, -(1 << 20));
    EXPECT_EQ(points[3].y, 1 << 20);
    EXPECT_EQ(points[4].y, -(1 << 20));
    // A scale of 0 lays every value on the bottom edge.
    for (const Point& p : CurvePoints(frame, 250.0f, 7.0f, values, 0.0f, 0.0f))
        EXPECT_EQ(p.y, 200);
}

TEST(CurveScale, GraphNeedsAPositiveRangeReportOnlyAFiniteOne) {
    struct Case {
        float max, min, graph, report; // the report's peak is max
    };
    const Case cases[] = {
        {4.0f, 0.0f, 50.0f, 50.0f}, {0.0f, 0.0f, 0.0f, 0.0f},    {kInf, 0.0f, 0.0f, 0.0f},
        {kNaN, 0.0f, 0.0f, 0.0f},   {-4.0f, 0.0f, 0.0f, -50.0f}, {1e-40f, 0.0f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GraphCurveScale(200, c.max, c.min), c.graph) << c.max;
        EXPECT_EQ(ReportCurveScale(200, c.max), c.report) << c.max;
    }
    // Event markers: sample 2 of steps of 100 from 35.
    EXPECT_EQ(SampleX(35, 100.0f, 2), 235);
    EXPECT_EQ(SampleX(35, 1e30f, 2), 1 << 20);
}

} // namespace
} // namespace tavo
