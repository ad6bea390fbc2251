// The time axis under zoom: where samples, cursors and round time labels land.

#include "plot/time_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/axis_ticks.h"
#include "plot/curve_points.h"

namespace tavo {
namespace {

// L 35, W 1000.
const GraphFrame kFrame = LayoutGraph({1035, 220, false, 0, 0});

TEST(TimeWindow, ClampZoomPanAndAroundKeepAValidWindow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        TimeWindow given;
        int n;
        TimeWindow want;
    };
    const Case clamp[] = {
        {{0, 0}, 1000, {0, 0}},
        {{100, 200}, 1000, {100, 200}},
        {{900, 200}, 1000, {800, 200}},
        {{-5, 200}, 1000, {0, 200}},
        {{100, 2}, 1000, {100, 10}},
        {{0, 1000}, 1000, {0, 0}}, // the whole flight
        {{100, nan}, 1000, {0, 0}},
        {{nan, 50}, 1000, {0, 50}},
        {{3, 5}, 8, {0, 0}},
        {{0, 20}, 0, {0, 0}},
        {{1e300, 1e300}, 1000, {0, 0}},
    };
    for (const Case& c : clamp)
        EXPECT_EQ(ClampWindow(c.given, c.n), c.want) << c.given.start << " " << c.given.span;

    // Zooming keeps the sample under the anchor where it was.
    const TimeWindow in = ZoomWindow({}, 1000, 0.25, 4.0);
    EXPECT_EQ(in, (TimeWindow{187.5, 250}));
    EXPECT_DOUBLE_EQ(in.start + 0.25 * in.span, 250.0);
    EXPECT_EQ(ZoomWindow(in, 1000, 0.25, 0.25), (TimeWindow{})) << "back out to the whole";
    EXPECT_EQ(ZoomWindow({500, 20}, 1000, 0.5, 100.0), (TimeWindow{505, 10})) << "narrowest";
    EXPECT_EQ(ZoomWindow({0, 100}, 1000, 0.0, 0.5), (TimeWindow{0, 200}));
    EXPECT_EQ(ZoomWindow({0, 100}, 1000, 0.5, nan), (TimeWindow{0, 100}));

    EXPECT_EQ(PanWindow({100, 200}, 1000, 50), (TimeWindow{150, 200}));
    EXPECT_EQ(PanWindow({100, 200}, 1000, 5000), (TimeWindow{800, 200}));
    EXPECT_EQ(PanWindow({}, 1000, 50), (TimeWindow{}));

    EXPECT_EQ(WindowAround(300, 100, 1000), (TimeWindow{90, 220}));
    EXPECT_EQ(WindowAround(400, 400, 1000), (TimeWindow{395, 10}));
    EXPECT_EQ(WindowAround(0, 999, 1000), (TimeWindow{}));

    // A sample off the window brings it along, a margin clear of the edge.
    EXPECT_EQ(WindowShowing({100, 200}, 1000, 150), (TimeWindow{100, 200}));
    EXPECT_EQ(WindowShowing({100, 200}, 1000, 400), (TimeWindow{210, 200}));
    EXPECT_EQ(WindowShowing({100, 200}, 1000, 20), (TimeWindow{10, 200}));
}

TEST(TimeWindow, ACursorOnTheDrawnLineSelectsItsOwnSampleAtEveryZoom) {
    const int n = 20000;
    // Windows from whole to the narrowest, some starting between samples.
    const TimeWindow windows[] = {{0, 0},        {0, 900},      {1234.5, 800},
                                  {19000, 1000}, {7777.25, 10}, {333.3, 77}};
    for (const TimeWindow& w : windows) {
        const bool wide = !w.Whole() && WindowScale(kFrame, w) >= 1.0;
        const SampleRange shown = VisibleSamples(w, n);
        for (int s = static_cast<int>(shown.first) + 1; s <= static_cast<int>(shown.last); s += 7) {
            const int x = SampleXIn(kFrame, w, n, s);
            if (x < kFrame.L || x > kFrame.R)
                continue;
            const int picked = CursorSampleAtX(kFrame, w, n, n, x);
            if (wide) {
                EXPECT_EQ(picked, s) << w.start << "+" << w.span << " sample " << s;
            } else { // many samples a unit: the first of its column
                EXPECT_TRUE(picked <= s && SampleXIn(kFrame, w, n, picked) == x) << s;
            }
        }
    }
    // The whole flight keeps the running-sum rule: x 368 on 10 samples 100 apart is 4.
    EXPECT_EQ(CursorSampleAtX(kFrame, {}, 10, 10, 368), 4);
    EXPECT_EQ(SampleXIn(kFrame, {}, 10, 4), 435);
    // Beyond the data the last sample, left of it sample 1, never 0.
    EXPECT_EQ(CursorSampleAtX(kFrame, {}, 10, 10, 5000), 9);
    EXPECT_EQ(CursorSampleAtX(kFrame, {100, 50}, 1000, 1000, -(1 << 20)), 1);
    EXPECT_EQ(CursorSampleAtX(kFrame, {100, 50}, 1000, 1000, 1 << 20), 999);
    EXPECT_EQ(CursorSampleAtX(kFrame, {}, 1, 1, 100), 0);
    // Zoomed, a sample sits where the window's scale puts it.
    EXPECT_EQ(SampleXIn(kFrame, {100, 50}, 1000, 110), 35 + 200);
    EXPECT_EQ(MarkerXIn(kFrame, {}, 10, 4), 435);
}

TEST(RoundTimeTicks, FallOnRoundSecondsWithTheDecimalsOfTheirStep) {
    struct Case {
        TimeWindow window;
        int n;
        float dt;
        std::vector<std::string> labels;
    };
    // W 1000 fits at most twelve labels 80 units apart.
    const Case cases[] = {
        {{0, 500},
         1000,
         0.01f,
         {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}},
        {{250, 100},
         1000,
         0.01f,
         {"2.5", "2.6", "2.7", "2.8", "2.9", "3.0", "3.1", "3.2", "3.3", "3.4", "3.5"}},
        {{1234, 40},
         2000,
         0.01f,
         {"12.35", "12.40", "12.45", "12.50", "12.55", "12.60", "12.65", "12.70"}},
        {{3000, 2000},
         6000,
         0.05f,
         {"160", "170", "180", "190", "200", "210", "220", "230", "240", "250"}},
        // The whole flight too: the demo's 113 s read in tens, not in truncated tenths.
        {{},
         11308,
         0.01f,
         {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100", "110"}},
        {{},
         50,
         0.01f,
         {"0.00", "0.05", "0.10", "0.15", "0.20", "0.25", "0.30", "0.35", "0.40", "0.45", "0.50"}},
        {{0, 500}, 1000, std::numeric_limits<float>::infinity(), {}}, // no rate, no times
        {{}, 0, 0.01f, {}},                                           // no samples
    };
    for (const Case& c : cases) {
        const auto ticks = RoundTimeTicks(kFrame, c.window, c.n, c.dt);
        const TimeWindow shown = c.window.Whole() ? TimeWindow{0, double(c.n)} : c.window;
        std::vector<std::string> labels;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            labels.push_back(ticks[i].text);
            // Each label stands where its time lies on the axis.
            const double t = std::stod(ticks[i].text);
            const double x = kFrame.L + (t / c.dt - shown.start) * WindowScale(kFrame, shown);
            EXPECT_NEAR(ticks[i].at, x, 1.0) << ticks[i].text;
            if (i > 0) {
                EXPECT_GE(ticks[i].at - ticks[i - 1].at, kRoundTickSpacing - 1);
            }
        }
        EXPECT_EQ(labels, c.labels) << c.window.start << "+" << c.window.span;
    }
}

} // namespace
} // namespace tavo
