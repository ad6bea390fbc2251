// Flights drawn over the main one: laid on its time axis at their launch markers, on
// value axes that span them all, named in the legend and read at the cursors.

#include <gtest/gtest.h>

#include "canvas/recording_canvas.h"
#include "support/flight_builder.h"
#include "view/core/draw_graph.h"

namespace tavo {
namespace {

constexpr GraphPage kScreen{1035, 420, false, 0, 0};

// Curves set by hand: acceleration, velocity and altitude as ramps of `slopes` over
// `n` samples of `interval` s, from sample `from` of the ramp on, launched at sample
// `launch`.
void SetRamps(test::Flight& f, int n, float interval, int from, int launch, float scale = 1.0f) {
    f.m_pSamples.items().assign(static_cast<std::size_t>(n), "2048");
    f.m_arrAccel.clear();
    f.m_arrVelocity.clear();
    f.m_arrAltitude.clear();
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(from + i) * scale;
        f.m_arrAccel.push_back(t);
        f.m_arrVelocity.push_back(2.0f * t);
        f.m_arrAltitude.push_back(3.0f * t);
    }
    f.Curves().m_fSampleInterval = interval;
    f.ComputeRanges();
    f.Curves().m_nEvent1 = launch;
}

std::vector<Point> Slice(const std::vector<Point>& p, std::size_t from, std::size_t count) {
    return {p.begin() + static_cast<std::ptrdiff_t>(from),
            p.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

TEST(GraphExtraFlights, EachLaunchMeetsTheMainFlightsLaunchWhateverItsRate) {
    struct Case {
        const char* what;
        int n, from, launch;
        float interval, scale;
        std::size_t firstMain, count; // the main flight's points the extra one lies on
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
            EXPECT_EQ(lines[k].pen, ExtraFlightPens(0)[k]) << tc.what;
            EXPECT_EQ(lines[k].points, Slice(lines[k + 3].points, tc.firstMain, tc.count))
                << tc.what << " curve " << k;
        }
    }
}

TEST(GraphExtraFlights, AxesSpanEveryFlightAndTheLegendAndReadoutNameEach) {
    test::Flight main;
    SetRamps(main, 11, 0.1f, 0, 0);
    test::Flight higher; // twice as high, ending half way through the main flight
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
        const auto topOf = [&](const RecordingCanvas& c, std::size_t line) {
            return c.Polylines()[line].points.back().y;
        };
        EXPECT_EQ(topOf(alone, 2), f.T) << own;
        EXPECT_NEAR(topOf(both, 5), (f.T + f.B) / 2, 1) << own;
        std::string texts;
        for (const auto& t : both.Texts())
            texts += t.text + "|";
        EXPECT_NE(texts.find("|higher.flt|"), std::string::npos) << texts;
        if (own)
            EXPECT_NE(texts.find("|higher.flt Alt|60.0|-|-|"), std::string::npos) << texts;
        else
            EXPECT_NE(texts.find("\nhigher.flt: C1=60.0 C2=-|"), std::string::npos) << texts;
    }
}

} // namespace
} // namespace tavo
