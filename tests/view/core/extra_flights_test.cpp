// The flights laid over the graph: read from their files or handed over by Predict, in
// the document's units whenever those change, placed at the main flight's launch.

#include "view/core/extra_flights.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

const std::string kDemo = TAVOKIT_SOURCE_DIR "/data/demo.flt";

TEST(ExtraFlights, FollowTheDocumentsUnitsAndMeetItsLaunch) {
    UserSettings metric;
    ApplyFirstRunSettings(metric);
    UserSettings english = metric;
    english.m_bMetricUnits = false;
    english.m_bAccelInGees = false;

    ExtraFlights list;
    FileError error;
    std::string reason;
    EXPECT_FALSE(list.AddFile(kDemo + ".txt", metric, error));
    EXPECT_FALSE(error.message.empty());
    const PredictedCurves broken{0.01, {0.0, 1.0}, {0.0}, {0.0, 1.0}};
    EXPECT_FALSE(list.AddPrediction("C6 predicted", broken, 0.0, metric, reason));
    EXPECT_TRUE(list.Empty()) << "a refused flight leaves the list as it was";

    ASSERT_TRUE(list.AddFile(kDemo, metric, error)) << error.message;
    const PredictedCurves c6{0.02, {0.0, 19.62, -9.81}, {0.0, 10.0, 5.0}, {0.0, 0.1, 100.0}};
    ASSERT_TRUE(list.AddPrediction("C6 predicted", c6, 1.5, metric, reason)) << reason;
    ASSERT_TRUE(list.AddPrediction("C6 predicted", c6, 1.5, metric, reason)) << reason;
    ASSERT_EQ(list.Size(), 2u) << "the same motor drawn again takes its own place";
    EXPECT_EQ(list.Name(0), "demo.flt");

    FlightCurves main; // launched at sample 100 of 0.01 s
    main.m_nEvent1 = 100;
    main.m_fSampleInterval = 0.01f;
    const FlightCurves& demo = list.Data(0).curves;
    for (const bool launchMarked : {true, false}) {
        main.m_nEvent1 = launchMarked ? 100 : 0;
        const std::vector<ExtraFlight> drawn = list.ToDraw(main);
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_NEAR(drawn[0].offsetS, main.m_nEvent1 * 0.01 - demo.m_nEvent1 * 0.01, 1e-6);
        EXPECT_NEAR(drawn[1].offsetS, launchMarked ? 1.0 : 1.5, 1e-6) << "ignition at launch";
        EXPECT_NE(drawn[0].shade, drawn[1].shade);
    }

    const float metres = demo.m_fAltMax;
    EXPECT_NEAR(list.Data(1).curves.m_arrAccel[1], 2.0f, 1e-5) << "in g";
    list.Follow(english);
    EXPECT_NEAR(list.Data(0).curves.m_fAltMax, metres * 3.2808399f, 0.01f);
    EXPECT_NEAR(list.Data(1).curves.m_arrAltitude[2], 328.08f, 0.01f);
    EXPECT_NEAR(list.Data(1).curves.m_arrVelocity[1], 22.37f, 0.01f) << "mph";
    EXPECT_NEAR(list.Data(1).curves.m_arrAccel[1], 64.37f, 0.01f) << "ft/s^2";

    list.RemovePredictions();
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_FALSE(list.IsPrediction(0));
    while (list.Size() < ExtraFlights::kMaxFlights)
        ASSERT_TRUE(list.AddFile(kDemo, english, error));
    EXPECT_FALSE(list.AddFile(kDemo, english, error));
    EXPECT_FALSE(list.AddPrediction("D12 predicted", c6, 0.0, english, reason));
    EXPECT_EQ(list.Size(), ExtraFlights::kMaxFlights);
}

} // namespace
} // namespace tavo
