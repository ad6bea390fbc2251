#include "motor/thrust_model.h"

#include <mutex>

#include <gtest/gtest.h>

#include "motor/rasp_reader.h"
#include "sim/flight_synth.h"

namespace tavo {
namespace {

struct Flight {
    SynthFlight synth;
    FlightRecord record;
};

void Synthesise(Flight& f, double noise) {
    std::vector<EngMotor> motors;
    std::string reason;
    ASSERT_TRUE(LoadEngFile(TAVOKIT_SOURCE_DIR "/data/motors/F50T.eng", motors, reason));
    SynthParams p;
    p.motor = motors[0];
    p.rocket.dryMassKg = 0.3;
    p.rocket.diameterM = 0.041;
    p.rocket.cd = 0.45;
    p.recorder.noiseCounts = noise;
    ASSERT_TRUE(SynthesizeFlight(p, f.synth, reason)) << reason;
    FillFlightRecord(p, f.synth, f.record);
}

DragEstimate Estimate(const FlightRecord& r, int c1, int c2) {
    std::lock_guard<std::mutex> lock(r.m_pSamples.mutex());
    return EstimateDrag(r.m_pSamples.items(), r, c1, c2);
}

TEST(ThrustModel, DragCoefficientComesFromTheCoast) {
    for (double noise : {0.0, 1.0}) {
        Flight f;
        Synthesise(f, noise);
        const DragEstimate e = Estimate(f.record, f.synth.launchIndex, f.synth.burnoutIndex);
        ASSERT_TRUE(e.usable) << e.reason;
        EXPECT_NEAR(e.cd, 0.45, 0.05) << noise;
        EXPECT_GE(e.coastSamples, kMinCoastSamples);
        // The integrated speed at burn-out is the simulated one.
        const double trueSpeed = f.synth.velocity[static_cast<std::size_t>(f.synth.burnoutIndex)];
        EXPECT_NEAR(e.burnoutSpeed, trueSpeed, 0.03 * trueSpeed);
        // Drag grows with the speed over the burn.
        EXPECT_EQ(e.drag.size(),
                  static_cast<std::size_t>(f.synth.burnoutIndex - f.synth.launchIndex));
        EXPECT_GT(e.drag.back(), e.drag.front());
        EXPECT_NE(ThrustModelText(ThrustKind::Motor, e).find("Cd 0.4"), std::string::npos);
    }
}

TEST(ThrustModel, NoUsableCoastAddsNoDragAndSaysWhy) {
    Flight f, light, noTwoGee;
    for (Flight* flight : {&f, &light, &noTwoGee})
        Synthesise(*flight, 0.6);
    const int launch = f.synth.launchIndex, burnout = f.synth.burnoutIndex;
    const int count = static_cast<int>(f.record.SampleCount());
    light.record.m_fLaunchWeight = light.record.m_fPropellantWeight;
    noTwoGee.record.m_fTwoGee = 0.0f;
    struct Case {
        const FlightRecord* record;
        int c1, c2;
        const char* reason;
    } cases[] = {
        {&f.record, count - 20, count, "not climbing"},
        {&f.record, launch, f.synth.apogeeIndex - 2, "no usable coast"},
        {&light.record, launch, burnout, "launch weight"},
        {&noTwoGee.record, launch, burnout, "gives no speed"},
        {&f.record, burnout, launch, "no samples"},
    };
    for (const Case& c : cases) {
        const DragEstimate e = Estimate(*c.record, c.c1, c.c2);
        EXPECT_FALSE(e.usable);
        EXPECT_NE(e.reason.find(c.reason), std::string::npos) << e.reason;
        for (double d : e.drag)
            ASSERT_EQ(d, 0.0);
        EXPECT_NE(ThrustModelText(ThrustKind::Motor, e).find(e.reason), std::string::npos);
    }
    EXPECT_EQ(ThrustModelText(ThrustKind::Net, DragEstimate{}), "Net force (as measured)");
}

} // namespace
} // namespace tavo
