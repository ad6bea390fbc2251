#include "motor/thrust_model.h"

#include <cmath>
#include <mutex>

#include <gtest/gtest.h>

#include "motor/atmosphere.h"
#include "motor/rasp_reader.h"
#include "sim/flight_synth.h"
#include "support/flight_builder.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

struct Flight {
    SynthFlight synth;
    test::Flight record;
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

DragEstimate Estimate(const test::Flight& r, int c1, int c2) {
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
    noTwoGee.record.Curves().m_fTwoGee = 0.0f;
    struct Case {
        const test::Flight* record;
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

TEST(ThrustModel, StandardAirAtHeight) {
    // Heights are geopotential, as the standard's tables give them.
    struct Case {
        double altitude, density, sound;
    } cases[] = {{0.0, 1.2250, 340.29},      {1500.0, 1.0581, 334.49}, {11000.0, 0.36392, 295.07},
                 {20000.0, 0.08803, 295.07}, {NAN, 1.2250, 340.29},    {1e6, 6.958e-6, 274.1}};
    const AirColumn column(1000.0);
    for (const Case& c : cases) {
        const AirState air = StandardAir(c.altitude);
        EXPECT_NEAR(air.densityKgM3, c.density, 2e-4 * c.density + 1e-6) << c.altitude;
        EXPECT_NEAR(air.speedOfSoundMs, c.sound, 0.05) << c.altitude;
    }
    // The tabulated column over a 1000 m site agrees with the model between its steps.
    EXPECT_NEAR(column.Density(503.0), StandardAir(1503.0).densityKgM3, 1e-6);
    EXPECT_DOUBLE_EQ(column.Density(-5.0), column.Density(0.0));
}

// A long burn that starts with a spike burns most of its propellant early: a mass
// falling evenly with time would be too heavy through the sustain, and the impulse too
// high by several per cent.
TEST(ThrustModel, LongBurnKeepsTheImpulse) {
    EngMotor d;
    d.designation = "D3";
    d.diameterMm = 24.0;
    d.propellantKg = 0.02;
    d.totalKg = 0.045;
    d.delays = {3600.0};
    d.points = {{0.1, 14.0}, {0.3, 14.0}, {0.5, 2.1}, {5.9, 1.9}, {6.0, 0.0}};
    SynthParams p;
    p.motor = d;
    p.rocket.dryMassKg = 0.02;
    p.rocket.diameterM = 0.025;
    p.recorder.noiseCounts = 0.6;
    p.air.standard = true;
    SynthFlight synth;
    std::string reason;
    ASSERT_TRUE(SynthesizeFlight(p, synth, reason)) << reason;
    test::Flight record;
    FillFlightRecord(p, synth, record);
    std::lock_guard<std::mutex> lock(record.m_pSamples.mutex());
    const MeasuredFlight flight = ReadMeasuredFlight(record.m_pSamples.items(), record,
                                                     synth.launchIndex, synth.burnoutIndex);
    const MotorThrustSeries s = SolveMotorThrust(flight, EstimateDrag(flight));
    EXPECT_NEAR(s.impulse, TotalImpulse(d), 0.02 * TotalImpulse(d));
    EXPECT_GT(s.impulseUncertainty, 0.0);
    // A third of the propellant has gone once the spike is over, a tenth into the burn.
    EXPECT_LT(s.mass[static_cast<std::size_t>(0.6 * record.m_nSampleRate)], 0.065 - 0.3 * 0.02);
}

TEST(ThrustModel, ClassBoundNoteOnlyWithinTheUncertainty) {
    EXPECT_EQ(ClassBoundNote(9.9, 0.2), "near the C/D bound (10 N s), +/-0.20 N s");
    EXPECT_EQ(ClassBoundNote(9.9, 0.2, true), "near C/D");
    EXPECT_EQ(ClassBoundNote(2.45, 0.1, true), "near A/B");
    EXPECT_EQ(ClassBoundNote(9.5, 0.2), "");
    EXPECT_EQ(ClassBoundNote(9.9, 0.0), "");
    EXPECT_EQ(ClassBoundNote(NAN, 1.0), "");
}

} // namespace
} // namespace tavo
