// Flight statistics of flights whose figures are known: a synthesised flight against
// the simulation's truth, and a flight built by phases whose figures are worked by hand.

#include "stats/flight_stats.h"

#include <gtest/gtest.h>

#include "motor/rasp_reader.h"
#include "sim/flight_synth.h"
#include "support/flight_builder.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

// 10 counts a g, 100 Hz, the pad reading 2000 (the zero reference, the first sample).
struct Phase {
    int samples;
    int gees;  // acceleration the recorder reads, in g
    int flags; // on the phase's first sample
};

std::vector<int> Words(const std::vector<Phase>& phases) {
    std::vector<int> words;
    for (const Phase& p : phases)
        for (int i = 0; i < p.samples; ++i)
            words.push_back((2000 - 10 * p.gees) | (i == 0 ? p.flags << 12 : 0));
    return words;
}

// Pad 1 s; launch (I) and 1 s at 5 g; burn-out (B), coast at -1 g to apogee (5 s);
// 0.5 s of free fall; 29.7 s under the chute at a steady 4.9 m/s; 0.1 s at 5 g to
// stop on the ground; 2 s at rest.
std::vector<Phase> Flight() {
    return {{100, 0, 0},  {100, 5, 1}, {500, -1, 2}, {50, -1, 4},
            {2970, 0, 8}, {10, 5, 0},  {200, 0, 0}};
}

TEST(FlightStats, FiguresOfAFlightBuiltByPhases) {
    test::Flight f;
    ApplyFirstRunSettings(f);
    test::SetSamples(f, Words(Flight()), 100, 20.0f);
    FlightStats s;
    std::string reason;
    ASSERT_TRUE(ComputeFlightStats(f, s, reason)) << reason;
    // Boost: v = 49.05 m/s after 100 steps, h = 49.05 x 0.0001 x 5050 = 24.77 m; the
    // coast adds 0.01 x (500 x 49.05 - 0.0981 x 125250) = 122.38 m by sample 699.
    EXPECT_NEAR(s.apogee, 147.15f, 0.05f);
    EXPECT_NEAR(s.apogeeTime, 6.99f, 0.011f);
    EXPECT_FLOAT_EQ(s.maxAccel, 5.0f);
    EXPECT_FLOAT_EQ(s.maxAccelTime, 1.0f);
    EXPECT_NEAR(s.maxVelocity, 49.05f, 0.01f);
    EXPECT_FLOAT_EQ(*s.launchTime, 1.0f);
    EXPECT_FLOAT_EQ(*s.burnoutTime, 2.0f);
    EXPECT_FLOAT_EQ(*s.burnTime, 1.0f);
    EXPECT_NEAR(*s.coastTime, 4.99f, 0.011f);
    // At rest from sample 3730: 37.30 s, 36.30 s after launch, having come down about
    // 147 m in 30.3 s.
    ASSERT_TRUE(s.landingTime);
    EXPECT_FLOAT_EQ(*s.landingTime, 37.3f);
    EXPECT_FLOAT_EQ(*s.duration, 36.3f);
    EXPECT_NEAR(*s.descentRate, 4.855f, 0.01f);
    EXPECT_EQ(s.altitudeUnits, "m");
    EXPECT_EQ(s.descentRateUnits, "m/s");
    EXPECT_EQ(s.accelUnits, "Gee");
    EXPECT_EQ(FlightSummaryText(s), "Flight summary\nApogee: 147.2 m\nMax. velocity: 49.1 m/s\n"
                                    "Burn time: 1.00 s\nDescent rate: 4.9 m/s");

    // English: the same flight in feet, mph and ft/s^2; the times stay.
    f.m_bMetricUnits = false;
    f.m_bAccelInGees = false;
    f.Recompute();
    FlightStats e;
    ASSERT_TRUE(ComputeFlightStats(f, e, reason));
    EXPECT_NEAR(e.apogee, s.apogee * 3.2808399f, 0.01f);
    EXPECT_NEAR(e.maxVelocity, s.maxVelocity * 2.2369363f, 0.01f);
    EXPECT_NEAR(e.maxAccel, 5.0f * 9.81f * 3.2808399f, 0.01f);
    EXPECT_NEAR(*e.descentRate, *s.descentRate * 3.2808399f, 0.01f);
    EXPECT_FLOAT_EQ(*e.landingTime, 37.3f);
    EXPECT_EQ(e.velocityUnits, "MPH");
    EXPECT_EQ(e.descentRateUnits, "ft/s");
    EXPECT_NE(FlightSummaryText(e).find("Max. velocity: 109.7 MPH\n"), std::string::npos);
}

TEST(FlightStats, WhatTheFlightDoesNotShowIsSaidNotGuessed) {
    struct Case {
        const char* what;
        std::vector<Phase> phases;
        bool launch, burnout, landing;
    };
    std::vector<Phase> noMarkers = Flight(), burnoutOnly = Flight(), stillFalling = Flight(),
                       shortRest = Flight(), neverDown = Flight();
    for (Phase& p : noMarkers)
        p.flags = 0;
    burnoutOnly[1].flags = 0;
    stillFalling.resize(5);        // the recording ends under the chute
    shortRest.back().samples = 50; // half a second on the ground
    neverDown.erase(neverDown.begin() + 3, neverDown.begin() + 6); // rests at apogee
    const Case cases[] = {
        {"no markers", noMarkers, false, false, true},
        {"burn-out only", burnoutOnly, false, true, true},
        {"ends falling", stillFalling, true, true, false},
        {"short rest", shortRest, true, true, false},
        {"never came down", neverDown, true, true, false},
    };
    for (const Case& c : cases) {
        test::Flight f;
        ApplyFirstRunSettings(f);
        test::SetSamples(f, Words(c.phases), 100, 20.0f);
        FlightStats s;
        std::string reason;
        ASSERT_TRUE(ComputeFlightStats(f, s, reason)) << c.what;
        EXPECT_EQ(s.launchTime.has_value(), c.launch) << c.what;
        EXPECT_EQ(s.burnTime.has_value(), c.launch && c.burnout) << c.what;
        EXPECT_EQ(s.coastTime.has_value(), c.burnout) << c.what;
        EXPECT_EQ(s.landingTime.has_value(), c.landing) << c.what;
        EXPECT_EQ(s.descentRate.has_value(), c.landing) << c.what;
        EXPECT_EQ(s.duration.has_value(), c.launch && c.landing) << c.what;
        const std::string text = FlightStatsText(s);
        EXPECT_EQ(text.find("no launch marker (I)") != std::string::npos, !c.launch) << text;
        EXPECT_EQ(text.find("no landing in the recording") != std::string::npos, !c.landing)
            << text;
        // The summary says it in a word or two.
        const std::string summary = FlightSummaryText(s);
        EXPECT_EQ(summary.find("Burn time: no launch marker") != std::string::npos, !c.launch);
        EXPECT_EQ(summary.find("Descent rate: no landing found") != std::string::npos, !c.landing)
            << summary;
    }
}

TEST(FlightStats, AFlightCutAtItsLaunchStillHasItsLaunch) {
    // The launch flag is on the first sample now, which the event index cannot tell
    // from "not seen"; the curves go on from the pad's zero reference.
    std::vector<Phase> fromLaunch = Flight();
    fromLaunch.erase(fromLaunch.begin());
    test::Flight f;
    ApplyFirstRunSettings(f);
    f.m_start = FlightStart{2000.0f, 0.0f, 0.0f};
    test::SetSamples(f, Words(fromLaunch), 100, 20.0f);
    ASSERT_EQ(f.m_nEvent1, 0);
    FlightStats s;
    std::string reason;
    ASSERT_TRUE(ComputeFlightStats(f, s, reason)) << reason;
    EXPECT_EQ(s.launchTime, 0.0f);
    EXPECT_FLOAT_EQ(s.burnTime.value_or(-1), 1.0f);
    EXPECT_TRUE(s.duration.has_value());
}

TEST(FlightStats, RefusedWithoutSamplesRateOrCalibratedCurves) {
    test::Flight f;
    ApplyFirstRunSettings(f);
    FlightStats s;
    std::string reason;
    EXPECT_FALSE(ComputeFlightStats(f, s, reason));
    EXPECT_EQ(reason, "There is no flight to compute statistics from.");
    test::SetSamples(f, Words(Flight()), 0, 20.0f); // a rate of 0 gives no times
    EXPECT_FALSE(ComputeFlightStats(f, s, reason));
    EXPECT_EQ(reason, "The flight has no sample rate, so it has no times.");
    f.m_nSampleRate = 100;
    f.m_bDisplayRaw = true;
    f.Recompute();
    EXPECT_FALSE(ComputeFlightStats(f, s, reason));
    EXPECT_NE(reason.find("raw display"), std::string::npos);
}

TEST(FlightStats, SynthesisedFlightAgainstTheSimulationsTruth) {
    std::vector<EngMotor> motors;
    std::string reason;
    ASSERT_TRUE(LoadEngFile(TAVOKIT_SOURCE_DIR "/data/motors/C6.eng", motors, reason)) << reason;
    SynthParams p;
    p.motor = motors[0];
    p.rocket.dryMassKg = 0.055;
    p.recorder.sampleRate = 200;
    p.deployDelayS = 5.0;
    SynthFlight synth;
    ASSERT_TRUE(SynthesizeFlight(p, synth, reason)) << reason;
    test::Flight f;
    ApplyFirstRunSettings(f);
    FillFlightRecord(p, synth, f);
    FlightStats s;
    ASSERT_TRUE(ComputeFlightStats(f, s, reason)) << reason;
    const float dt = 1.0f / 200.0f;
    // The markers are the recorder's own, so the burn is theirs to the sample.
    EXPECT_FLOAT_EQ(*s.launchTime, static_cast<float>(synth.launchIndex) * dt);
    EXPECT_FLOAT_EQ(*s.burnTime, static_cast<float>(synth.burnoutIndex - synth.launchIndex) * dt);
    EXPECT_NEAR(*s.burnTime, synth.truth.burnoutTimeS - synth.truth.liftoffTimeS, 2 * dt);
    // The curves are integrated from 12-bit readings: within a few per cent of the truth.
    EXPECT_NEAR(s.apogee, synth.truth.apogeeM, 0.02 * synth.truth.apogeeM);
    EXPECT_NEAR(s.maxVelocity, synth.truth.maxVelocityMs, 0.02 * synth.truth.maxVelocityMs);
    EXPECT_NEAR(s.apogeeTime, static_cast<float>(synth.apogeeIndex) * dt, 0.2f);
    EXPECT_NEAR(*s.coastTime, synth.truth.apogeeTimeS - synth.truth.burnoutTimeS, 0.2f);
}

} // namespace
} // namespace tavo
