// The graph's axes where rounding and hand-set limits decide what is drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "view/core/draw_graph.h"

namespace tavo {
namespace {

void SetFlat(FlightRecord& f, int n, float interval) {
    f.m_pSamples.items().assign(static_cast<std::size_t>(n), "2048");
    f.m_arrAccel.assign(static_cast<std::size_t>(n), 0.0f);
    f.m_arrVelocity.assign(static_cast<std::size_t>(n), 0.0f);
    f.m_arrAltitude.assign(static_cast<std::size_t>(n), 0.0f);
    f.m_fSampleInterval = interval;
    f.ComputeRanges();
}

// The x of every time-axis label (rectangles xi - 20 .. xi + 20 below the frame).
std::vector<int> TickXs(const RecordingCanvas& c, int frameBottom) {
    std::vector<int> xs;
    for (const auto& t : c.Texts())
        if (t.rect.top == frameBottom + 2 && t.rect.bottom == frameBottom + 35)
            xs.push_back(t.rect.left + 20);
    return xs;
}

TEST(DrawGraphAxes, TickPositionsAddTheTenthInDoubleAndRoundEachSum) {
    // A plot 162 wide: the tenth 16.2 added to a float running x. Rounding each sum of
    // the float and the double tenth gives 115.99999 at the fifth tick, so it lands on
    // 115; adding a tenth rounded to float first would give 116.
    FlightRecord f;
    SetFlat(f, 50, 0.01f);
    f.m_bShowCursors = false;
    GraphViewState v;
    RecordingCanvas c;
    DrawGraph(c, f, v, {197, 220, false, 0, 0});
    EXPECT_EQ(TickXs(c, 200), (std::vector<int>{51, 67, 83, 99, 115, 132, 148, 164, 180, 196}));
}

// The value labels left of the frame: (y of the label's middle, text), in drawing order.
std::vector<std::pair<int, std::string>> ValueLabels(const RecordingCanvas& c, int left) {
    std::vector<std::pair<int, std::string>> out;
    for (const auto& t : c.Texts())
        if (t.rect.left == left - 30 && t.rect.right == left && t.rect.bottom - t.rect.top == 30)
            out.push_back({t.rect.top + 15, t.text});
    return out;
}

TEST(DrawGraphAxes, ZeroLineFarAboveTheFrameLabelsWithTheValuesStepsWouldReach) {
    // Limits set by hand around a negative range: the zero line lies far above the
    // page and the labels count down from it in steps of P = H / 10 and V = 1.
    // Printed page 800 x 600 with mx 40, my 60: L 75, T 60, B 480, H 420, P 42, k 42.
    FlightRecord f;
    SetFlat(f, 20, 0.01f);
    f.m_bShowCursors = false;
    f.m_fAccelMin = -1000.0f;
    f.m_fAccelMax = -990.0f;
    GraphViewState v;
    RecordingCanvas c;
    DrawGraph(c, f, v, {800, 600, true, 40, 60});
    // z = 480 - 1000 x 42 = -41520; the downward labels start at trunc(z + 42) and
    // the first one on the page is at 18, in the margin above the frame.
    std::vector<std::pair<int, std::string>> want{{18, "-989.0"}};
    for (int i = 0; i <= 10; ++i)
        want.push_back({60 + 42 * i, std::to_string(-990 - i) + ".0"});
    EXPECT_EQ(ValueLabels(c, 75), want);

    // A zero line millions of units up still labels the frame with the values the
    // steps reach: the top reads the maximum, the bottom the minimum.
    f.m_fAccelMin = -100000.0f;
    f.m_fAccelMax = -99990.0f;
    RecordingCanvas far;
    DrawGraph(far, f, v, {800, 600, true, 40, 30});
    // T 30, B 510, H 480, P 48: z = 510 - 4,800,000.
    const auto labels = ValueLabels(far, 75);
    ASSERT_EQ(labels.size(), 11u);
    EXPECT_EQ(labels.front(), (std::pair<int, std::string>{30, "-99990.0"}));
    EXPECT_EQ(labels.back(), (std::pair<int, std::string>{510, "-100000.0"}));
}

} // namespace
} // namespace tavo
