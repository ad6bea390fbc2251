#include "sim/flight_synth.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "flight/flight_file.h"
#include "motor/rasp_reader.h"
#include "support/flight_builder.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

EngMotor LoadMotor(const char* file) {
    std::vector<EngMotor> motors;
    std::string reason;
    EXPECT_TRUE(LoadEngFile(std::string(TAVOKIT_SOURCE_DIR "/data/motors/") + file, motors, reason))
        << reason;
    return motors.empty() ? EngMotor{} : motors[0];
}

SynthParams C6Params() {
    SynthParams p;
    p.motor = LoadMotor("C6.eng");
    p.rocket.dryMassKg = 0.055;
    p.recorder.sampleRate = 100;
    p.deployDelayS = 7.0;
    return p;
}

SynthFlight Synthesize(const SynthParams& p) {
    SynthFlight f;
    std::string reason;
    EXPECT_TRUE(SynthesizeFlight(p, f, reason)) << reason;
    return f;
}

TEST(FlightSynth, RestOnThePadReadsOneGeeBelowZero) {
    SynthParams p = C6Params();
    SynthFlight f = Synthesize(p);
    // 512.5 - 1 g * 7.5 counts/g.
    EXPECT_EQ(f.padReading, 505);
    ASSERT_EQ(f.launchIndex, p.recorder.preLaunchSamples);
    for (int i = 0; i < f.launchIndex; ++i)
        ASSERT_EQ(f.words[i], 505) << i;
    // Within a sample of lift-off the thrust pushes the reading below the pad's; the
    // C6's peak of some 20 g takes it far below.
    EXPECT_LT(f.words[f.launchIndex + 1] & 0xFFF, 505);
    int lowest = 4095;
    for (int i = f.launchIndex; i < f.burnoutIndex; ++i)
        lowest = std::min(lowest, f.words[i] & 0xFFF);
    EXPECT_LT(lowest, 505 - 15 * 7.5);
    // Coasting with little drag is near free fall, so near the zero-g reading.
    int coast = (f.burnoutIndex + f.apogeeIndex) / 2;
    EXPECT_NEAR(f.words[coast] & 0xFFF, 512, 3);
    // After landing the rocket rests again.
    ASSERT_GT(f.truth.landingTimeS, 0.0);
    EXPECT_EQ(f.words.back(), 505);
    EXPECT_FALSE(f.truncated);
}

TEST(FlightSynth, EachEventFlagMarksOneSampleInFlightOrder) {
    SynthFlight f = Synthesize(C6Params());
    int seen[4] = {-1, -1, -1, -1};
    for (std::size_t i = 0; i < f.words.size(); ++i)
        for (int b = 0; b < 4; ++b)
            if (f.words[i] & (1 << (12 + b))) {
                EXPECT_EQ(seen[b], -1) << "flag " << (1 << b) << " twice";
                seen[b] = static_cast<int>(i);
            }
    EXPECT_EQ(seen[0], f.launchIndex);
    EXPECT_EQ(seen[1], f.burnoutIndex);
    EXPECT_EQ(seen[2], f.apogeeIndex);
    EXPECT_EQ(seen[3], f.deployIndex);
    EXPECT_LT(f.launchIndex, f.burnoutIndex);
    EXPECT_LT(f.burnoutIndex, f.apogeeIndex);
    EXPECT_LT(f.apogeeIndex, f.deployIndex);
    // Burn-out and deployment fall on the first sample at or after their time.
    EXPECT_EQ(f.deployIndex - f.burnoutIndex, 700);
}

TEST(FlightSynth, ApogeeIsWhereTheVelocityCrossesZero) {
    SynthFlight f = Synthesize(C6Params());
    int a = f.apogeeIndex;
    ASSERT_GT(a, 0);
    EXPECT_GT(f.velocity[a - 1], 0.0);
    EXPECT_LE(f.velocity[a], 0.0);
    double highest = *std::max_element(f.altitude.begin(), f.altitude.end());
    EXPECT_NEAR(highest, f.truth.apogeeM, 0.01);
    EXPECT_NEAR(f.altitude[a], f.truth.apogeeM, 0.01);
    EXPECT_GT(f.truth.apogeeM, 100.0);
    EXPECT_LT(f.truth.apogeeM, 500.0);
}

TEST(FlightSynth, NetImpulseIsThrustLessWeightAndDrag) {
    SynthParams p = C6Params();
    SynthFlight f = Synthesize(p);
    const SynthTruth& t = f.truth;
    EXPECT_NEAR(t.motorImpulseNs, 8.82, 0.01);
    EXPECT_LT(t.thrustImpulseNs, t.motorImpulseNs);
    EXPECT_GT(t.thrustImpulseNs, t.motorImpulseNs - 0.05);
    EXPECT_NEAR(t.netImpulseNs, t.thrustImpulseNs - t.weightImpulseNs - t.dragImpulseNs, 1e-3);
    // The weight lies between the burnt-out and the loaded rocket over the burn.
    double burn = t.burnoutTimeS - t.liftoffTimeS;
    double loaded = p.rocket.dryMassKg + p.motor.totalKg;
    double empty = loaded - p.motor.propellantKg;
    EXPECT_GT(t.weightImpulseNs, empty * kGee * burn);
    EXPECT_LT(t.weightImpulseNs, loaded * kGee * burn);
    EXPECT_GT(t.dragImpulseNs, 0.0);
    EXPECT_LT(t.dragImpulseNs, t.thrustImpulseNs * 0.5);
}

TEST(FlightSynth, RecordedSamplesGiveBackTheNetImpulse) {
    // The samples, read as the program reads them, must carry the simulated net force:
    // this is what the motor report and the thrust-curve export rest on.
    SynthParams p = C6Params();
    SynthFlight f = Synthesize(p);
    test::Flight r;
    r.m_bAccelInGees = false;
    FillFlightRecord(p, f, r);
    ASSERT_EQ(r.m_arrAccel.size(), f.words.size());
    double impulse = 0.0;
    double dt = 1.0 / p.recorder.sampleRate;
    for (int i = f.launchIndex; i < f.burnoutIndex; ++i) {
        double time = f.truth.liftoffTimeS + (i - f.launchIndex) * dt;
        double burnt = ImpulseUpTo(p.motor, time) / f.truth.motorImpulseNs;
        double mass = f.truth.launchMassKg - p.motor.propellantKg * burnt;
        impulse += mass * r.m_arrAccel[i] * dt;
    }
    EXPECT_NEAR(impulse, f.truth.netImpulseNs, 0.03 * f.truth.netImpulseNs);
}

TEST(FlightSynth, RecordCarriesTheRecorderSettingsAndEvents) {
    SynthParams p = C6Params();
    p.name = "Demo";
    p.date = 1800000000;
    SynthFlight f = Synthesize(p);
    test::Flight r;
    FillFlightRecord(p, f, r);
    EXPECT_EQ(r.m_pSamples.size(), f.words.size());
    EXPECT_EQ(r.m_pSamples.items()[0], "505");
    EXPECT_EQ(r.m_nAccelOffset, 505);
    EXPECT_EQ(r.m_nSampleRate, 100);
    EXPECT_EQ(r.m_nPreLaunchSetting, 512);
    EXPECT_FLOAT_EQ(r.m_fTwoGeeFile, 15.0f);
    EXPECT_FLOAT_EQ(r.m_fLaunchWeight, 0.0781f);
    EXPECT_FLOAT_EQ(r.m_fPropellantWeight, 0.0108f);
    EXPECT_FLOAT_EQ(r.m_fMaxDiameter, 0.0246f);
    EXPECT_EQ(r.m_strMotor, "C6");
    EXPECT_EQ(r.m_strName, "Demo");
    EXPECT_EQ(r.m_timeDate, 1800000000);
    EXPECT_EQ(r.m_nEvent1, f.launchIndex);
    EXPECT_EQ(r.m_nEvent2, f.burnoutIndex);
    EXPECT_EQ(r.m_nEvent4, f.apogeeIndex);
    EXPECT_EQ(r.m_nEvent8, f.deployIndex);
    EXPECT_GT(r.m_fAltMax, 0.9 * f.truth.apogeeM);
    EXPECT_LT(r.m_fAltMax, 1.1 * f.truth.apogeeM);
}

TEST(FlightSynth, NoiseIsDeterministicPerSeed) {
    SynthParams p = C6Params();
    p.recorder.noiseCounts = 1.5;
    p.recorder.seed = 42;
    SynthFlight a = Synthesize(p), b = Synthesize(p);
    EXPECT_EQ(a.words, b.words);
    p.recorder.seed = 43;
    SynthFlight c = Synthesize(p);
    EXPECT_NE(a.words, c.words);
    SynthFlight quiet = Synthesize(C6Params());
    ASSERT_EQ(a.words.size(), quiet.words.size());
    EXPECT_EQ(a.words[0], quiet.words[0]); // the pad reading stays exact
    int differing = 0;
    for (std::size_t i = 0; i < a.words.size(); ++i) {
        int d = (a.words[i] & 0xFFF) - (quiet.words[i] & 0xFFF);
        ASSERT_LE(std::abs(d), 2) << i;
        differing += d != 0;
    }
    EXPECT_GT(differing, static_cast<int>(a.words.size()) / 4);
}

TEST(FlightSynth, NearestListedDelayIsChosenWhenNoneGiven) {
    SynthParams p = C6Params();
    p.deployDelayS = -1.0;
    SynthFlight f = Synthesize(p);
    double coast = f.truth.apogeeTimeS - f.truth.burnoutTimeS;
    for (double d : p.motor.delays)
        EXPECT_LE(std::abs(f.truth.deployDelayS - coast), std::abs(d - coast) + 1e-12);
    p.motor.delays.clear(); // plugged
    SynthFlight plugged = Synthesize(p);
    EXPECT_EQ(plugged.deployIndex, -1);
    EXPECT_LT(plugged.truth.landingVelocityMs, f.truth.landingVelocityMs);
}

TEST(FlightSynth, ReadingsSaturateAndMemoryLimitsTheRecording) {
    SynthParams p;
    p.motor = LoadMotor("F50T.eng");
    p.rocket.dryMassKg = 0.01; // over 60 g: beyond the converter's range
    p.rocket.chuteDiameterM = 2.0;
    p.recorder.sampleRate = 1000;
    SynthFlight f = Synthesize(p);
    EXPECT_TRUE(f.truncated);
    EXPECT_EQ(f.words.size(), static_cast<std::size_t>(kRecorderMemorySamples));
    int lowest = 4095;
    for (int i = f.launchIndex + 1; i < f.burnoutIndex - 50; ++i)
        lowest = std::min(lowest, f.words[i] & 0xFFF);
    EXPECT_EQ(lowest, 0);
}

TEST(FlightSynth, RefusesParametersThatDescribeNoFlight) {
    auto refused = [](SynthParams p) {
        SynthFlight f;
        f.padReading = -7;
        std::string reason;
        bool ok = SynthesizeFlight(p, f, reason);
        EXPECT_EQ(f.padReading, -7);
        return !ok && !reason.empty();
    };
    SynthParams p = C6Params();
    p.rocket.dryMassKg = 2.0;
    EXPECT_TRUE(refused(p));
    p = C6Params();
    p.recorder.sampleRate = 150;
    EXPECT_TRUE(refused(p));
    p = C6Params();
    p.recorder.preLaunchSamples = 63;
    EXPECT_TRUE(refused(p));
    p = C6Params();
    p.recorder.twoGee = 0.0f;
    EXPECT_TRUE(refused(p));
    p = C6Params();
    p.motor.points.clear();
    EXPECT_TRUE(refused(p));
}

TEST(FlightSynth, LandingImpactBringsTheRecordedFlightBackToTheGround) {
    // The ground stops the rocket within a few samples; integrated, the recording's
    // velocity returns near 0 and its altitude stays put after touch-down.
    struct Case {
        const char* motor;
        double dryMassKg, chuteDiameterM;
        int rate;
    } cases[] = {{"C6.eng", 0.052, 0.30, 100},
                 {"C6.eng", 0.052, 0.15, 200},
                 {"F50T.eng", 0.3, 0.3, 100},
                 {"real/QuestAerospace_18A03.eng", 0.004, 0.05, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.motor);
        SynthParams p;
        p.motor = LoadMotor(c.motor);
        p.rocket.dryMassKg = c.dryMassKg;
        p.rocket.chuteDiameterM = c.chuteDiameterM;
        p.recorder.sampleRate = c.rate;
        p.recorder.afterLandingS = 5.0;
        SynthFlight f = Synthesize(p);
        ASSERT_GT(f.truth.landingTimeS, 0.0);
        EXPECT_GE(f.truth.apogeeM, 0.0);
        EXPECT_GE(*std::min_element(f.altitude.begin(), f.altitude.end()), 0.0);
        test::Flight r;
        FillFlightRecord(p, f, r);
        const float touchdown = -static_cast<float>(f.truth.landingVelocityMs);
        EXPECT_LT(std::fabs(r.m_arrVelocity.back()), 0.1f * touchdown + 0.2f)
            << "touch-down " << touchdown << " m/s";
        // Still on the ground for the last seconds of the recording, up to the drift that
        // the readings' whole counts leave in the velocity (without the impact it would
        // sink at the touch-down speed).
        const std::size_t last = r.m_arrAltitude.size() - 1;
        const std::size_t fourSecondsBefore = last - static_cast<std::size_t>(4 * c.rate);
        EXPECT_NEAR(r.m_arrAltitude[last], r.m_arrAltitude[fourSecondsBefore],
                    0.1f * touchdown * 4.0f + 0.5f);
    }
}

TEST(FlightSynth, ShippedDemoFlightIsARecordedFlight) {
    test::Flight r;
    FileError error;
    ASSERT_TRUE(LoadFlightFile(TAVOKIT_SOURCE_DIR "/data/demo.flt", r, error)) << error.message;
    ASSERT_GT(r.m_pSamples.size(), 1000u);
    EXPECT_EQ(ParseSampleWord(r.m_pSamples.items()[0]), r.m_nAccelOffset);
    EXPECT_EQ(r.m_nEvent1, r.m_nPreLaunchSetting / 2);
    EXPECT_LT(r.m_nEvent1, r.m_nEvent2);
    EXPECT_LT(r.m_nEvent2, r.m_nEvent4);
    EXPECT_LT(r.m_nEvent2, r.m_nEvent8);
    EXPECT_GT(r.m_fLaunchWeight, r.m_fPropellantWeight);
    EXPECT_GT(r.m_fAltMax, 200.0f);
}

} // namespace
} // namespace tavo
