// Flights drawn over the main one: laid on its time axis at their launch markers, on
// value axes that span them all, named in the legend and read at the cursors.

#include <gtest/gtest.h>

#include "canvas/recording_canvas.h"
#include "support/flight_builder.h"
#include "view/core/draw_graph.h"

namespace tavo {
namespace {

constexpr GraphPage kScreen{1035, 420, false, 0, 0};

// n samples of `interval` s launched at sample `launch`: acceleration, velocity and
// altitude ramps of 1, 2 and 3 times `scale` a sample, starting from ramp sample `from`.
void SetRamps(test::Flight& f, int n, float interval, int from, int launch, float scale = 1.0f) {
    f.m_pSamples.items().assign(static_cast<std::size_t>(n), "2048");
    for (int k = 1; k <= 3; ++k) {
        std::vector<float>& curve = k == 1   ? f.m_arrAccel
                                    : k == 2 ? f.m_arrVelocity
                                             : f.m_arrAltitude;
        curve.clear();
        for (int i = 0; i < n; ++i)
            curve.push_back(static_cast<float>(k * (from + i)) * scale);
    }
    f.Curves().m_fSampleInterval = interval;
    f.ComputeRanges();
    f.Curves().m_nEvent1 = launch;
}

TEST(GraphExtraFlights, EachLaunchMeetsTheMainFlightsLaunchWhateverItsRate) {
    struct Case {
        const char* what;
        int n, from, launch;
        float interval, scale;
        std::ptrdiff_t firstMain, count; // the main flight's points the extra one lies on
    };
    // The main flight: 11 samples of 0.1 s from ramp 0, launched at sample 2.
    const Case cases[] = {
        {"the same flight", 11, 0, 2, 0.1f, 1.0f, 0, 11},
        {"every other sample", 6, 0, 1, 0.2f, 2.0f, 0, 11},
        {"launched a sample later", 11, -1, 3, 0.1f, 1.0f, 0, 10},
        {"launched a sample earlier", 10, 1, 1, 0.1f, 1.0f, 1, 10},
    };
    test::Flight main;
    SetRamps(main, 11, 0.1f, 0, 2);
    main.Curves().m_fAccelMin = main.Curves().m_fVelMin = main.Curves().m_fAltMin = -3.0f;
    for (const Case& tc : cases) {
        test::Flight other;
        SetRamps(other, tc.n, tc.interval, tc.from, tc.launch, tc.scale);
        const ExtraFlight extra{&other.Curves(), LaunchAlignedOffset(main.Curves(), other.Curves()),
                                "other", 0};
        GraphViewState v;
        PrepareGraph(main, v, kScreen);
        RecordingCanvas c;
        DrawGraph(c, main, v, kScreen, {&extra, 1});
        const auto lines = c.Polylines();
        ASSERT_EQ(lines.size(), 6u) << tc.what;
        for (std::size_t k = 0; k < 3; ++k) {
            const auto& m = lines[k + 3].points;
            EXPECT_EQ(lines[k].pen, ExtraFlightPens(0)[k]) << tc.what;
            EXPECT_EQ(lines[k].points, std::vector<Point>(m.begin() + tc.firstMain,
                                                          m.begin() + tc.firstMain + tc.count))
                << tc.what << " curve " << k;
        }
    }
}

TEST(GraphExtraFlights, AxesSpanEveryFlightAndTheLegendAndReadoutNameEach) {
    test::Flight main, higher; // twice as high, ending half way through the main flight
    SetRamps(main, 11, 0.1f, 0, 0);
    SetRamps(higher, 6, 0.1f, 0, 0, 4.0f);
    const ExtraFlight extra{&higher.Curves(), 0.0, "higher.flt", 1};
    for (const bool own : {false, true}) {
        GraphViewState v;
        v.displayCurve = 2;
        v.ownAxes = own;
        v.cursor1 = 5;  // higher.flt's last sample: 60 m
        v.cursor2 = 10; // beyond it
        PrepareGraph(main, v, kScreen);
        RecordingCanvas alone, both;
        DrawGraph(alone, main, v, kScreen);
        DrawGraph(both, main, v, kScreen, {&extra, 1});
        // The main altitude's top (30 m) stands half as high on an axis up to 60 m.
        const GraphFrame f = GraphFrameFor(kScreen, main, v);
        EXPECT_EQ(alone.Polylines()[2].points.back().y, f.T) << own;
        EXPECT_NEAR(both.Polylines()[5].points.back().y, (f.T + f.B) / 2, 1) << own;
        std::string texts;
        for (const auto& t : both.Texts())
            texts += t.text + "|";
        EXPECT_NE(texts.find("|higher.flt|"), std::string::npos) << texts;
        EXPECT_NE(texts.find(own ? "|higher.flt Alt|60.0|-|-|" : "\nhigher.flt: C1=60.0 C2=-|"),
                  std::string::npos)
            << texts;
    }
}

} // namespace
} // namespace tavo
