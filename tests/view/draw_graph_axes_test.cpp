// The graph's axes where rounding and hand-set limits decide what is drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "view/draw_graph.h"

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

} // namespace
} // namespace tavo
