// The measured rocket flown again: fly motor A in the synthesiser, measure the rocket from
// its recording, predict motor B and compare with the synthesiser's own flight of B.

#include "predict/predict.h"

#include <cmath>
#include <mutex>

#include <gtest/gtest.h>

#include "motor/rasp_reader.h"
#include "sim/flight_synth.h"
#include "support/flight_builder.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

EngMotor Motor(const std::string& file) {
    std::vector<EngMotor> motors;
    std::string reason;
    EXPECT_TRUE(LoadEngFile(TAVOKIT_SOURCE_DIR "/data/motors/" + file, motors, reason)) << reason;
    return motors.empty() ? EngMotor{} : motors.front();
}

SynthParams Rocket(const EngMotor& motor, double dryKg, double diameterM) {
    SynthParams p;
    p.motor = motor;
    p.rocket.dryMassKg = dryKg;
    p.rocket.diameterM = diameterM;
    p.rocket.cd = 0.5;
    p.recorder.noiseCounts = 0.6;
    p.deployDelayS = 3600.0; // no deployment before apogee: the coast is whole
    p.air.standard = true;
    return p;
}

struct Measured {
    SynthFlight synth;
    test::Flight record;
    DragEstimate drag;
};

void Fly(const SynthParams& p, Measured& m) {
    std::string reason;
    ASSERT_TRUE(SynthesizeFlight(p, m.synth, reason)) << reason;
    FillFlightRecord(p, m.synth, m.record);
    std::lock_guard<std::mutex> lock(m.record.m_pSamples.mutex());
    m.drag = EstimateDrag(ReadMeasuredFlight(m.record.m_pSamples.items(), m.record,
                                             m.synth.launchIndex, m.synth.burnoutIndex));
}

TEST(DragCurve, BinsTheCoastByMachWithTheSamplesBehindEachPoint) {
    Measured m;
    Fly(Rocket(Motor("F50T.eng"), 0.35, 0.04), m);
    const DragCurve curve = BuildDragCurve(m.drag);
    ASSERT_TRUE(curve.usable) << curve.reason;
    ASSERT_GE(curve.points.size(), 3u);
    int samples = 0;
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        const DragCurvePoint& p = curve.points[i];
        SCOPED_TRACE(i);
        EXPECT_NEAR(p.cd, 0.5, 0.05);
        EXPECT_GE(p.samples, kMinDragBinSamples);
        EXPECT_NEAR(p.mach, p.speed / 340.3, 0.01); // low flight: near sea-level sound
        if (i > 0) {
            EXPECT_GT(p.mach, curve.points[i - 1].mach);
        }
        samples += p.samples;
    }
    EXPECT_LE(samples, curve.coastSamples);
    // Between the points the curve is linear, beyond them constant.
    const DragCurvePoint &a = curve.points[0], &b = curve.points[1];
    EXPECT_DOUBLE_EQ(DragAreaAt(curve, 0.5 * (a.mach + b.mach)), 0.5 * (a.dragArea + b.dragArea));
    EXPECT_DOUBLE_EQ(DragAreaAt(curve, 5.0), curve.points.back().dragArea);
    EXPECT_DOUBLE_EQ(DragAreaAt(curve, NAN), a.dragArea);

    const std::string csv = DragCurveCsv(curve);
    EXPECT_EQ(csv.rfind("mach,cd\r\n", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + static_cast<long>(curve.points.size()));
    DragCurve noArea = curve;
    noArea.area = 0.0;
    EXPECT_EQ(DragCurveCsv(noArea, "\n"), "mach,cd\n");
    EXPECT_FALSE(BuildDragCurve(DragEstimate{}).usable);
}

TEST(Predict, AnotherMotorFliesAsTheSynthesiserFliesIt) {
    struct Case {
        const char* flown;
        const char* other;
        double dryKg, diameterM;
    } cases[] = {
        {"real/EstesIndustries_A8.eng", "C6.eng", 0.03, 0.024},
        {"C6.eng", "real/EstesIndustries_D12.eng", 0.06, 0.025},
        {"F50T.eng", "real/AeroTech_G80.eng", 0.6, 0.041},
        {"real/CesaroniTechnology_K780.eng", "real/AeroTech_L1256.eng", 8.0, 0.098},
    };
    const AirColumn air;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.flown) + " -> " + c.other);
        Measured a, b;
        const EngMotor flown = Motor(c.flown), other = Motor(c.other);
        Fly(Rocket(flown, c.dryKg, c.diameterM), a);
        Fly(Rocket(other, c.dryKg, c.diameterM), b);
        MeasuredRocket rocket;
        std::string reason;
        ASSERT_TRUE(MeasureRocket(a.drag, a.record.m_fLaunchWeight, flown.totalKg, rocket, reason))
            << reason;
        EXPECT_NEAR(rocket.dryMassKg, c.dryKg, 1e-6);
        PredictOptions options;
        options.railLengthM = 1.0;
        options.curveInterval = 0.05;
        for (const auto& [motor, truth] :
             {std::pair{&flown, &a.synth.truth}, std::pair{&other, &b.synth.truth}}) {
            const Prediction p = PredictFlight(rocket, *motor, options, air);
            ASSERT_TRUE(p.flies) << p.reason;
            const double bound = motor == &flown ? 0.02 : 0.03;
            EXPECT_NEAR(p.apogee, truth->apogeeM, bound * truth->apogeeM);
            EXPECT_NEAR(p.maxVelocity, truth->maxVelocityMs, bound * truth->maxVelocityMs);
            EXPECT_NEAR(p.apogeeTime, truth->apogeeTimeS, bound * truth->apogeeTimeS);
            EXPECT_DOUBLE_EQ(p.bestDelay, p.apogeeTime - BurnTime(*motor));
            // Off a one-metre rail the speed is that of the altitude curve at one metre.
            ASSERT_TRUE(p.railExit);
            EXPECT_GT(p.railExitVelocity, 0.0);
            EXPECT_LT(p.railExitVelocity, p.maxVelocity);
            // The curves run from ignition to apogee, every 50 ms.
            ASSERT_FALSE(p.time.empty());
            EXPECT_NEAR(p.time.back(), p.apogeeTime, 0.05);
            EXPECT_NEAR(p.altitude.back(), p.apogee, 0.01 * p.apogee);
        }
    }
}

TEST(Predict, RefusesWhatCannotFly) {
    Measured m;
    const EngMotor c6 = Motor("C6.eng");
    Fly(Rocket(c6, 0.05, 0.025), m);
    MeasuredRocket rocket;
    std::string reason;
    EXPECT_FALSE(MeasureRocket(DragEstimate{}, 0.1, 0.02, rocket, reason));
    EXPECT_NE(reason.find("no drag"), std::string::npos) << reason;
    EXPECT_FALSE(MeasureRocket(m.drag, 0.07, 0.07, rocket, reason));
    EXPECT_NE(reason.find("above the flown motor"), std::string::npos) << reason;
    ASSERT_TRUE(MeasureRocket(m.drag, 50.0, 0.02, rocket, reason)); // a heavy rocket
    const Prediction heavy = PredictFlight(rocket, c6, {}, AirColumn());
    EXPECT_FALSE(heavy.flies);
    EXPECT_EQ(heavy.reason, "the motor never lifts the rocket off the pad");
    EngMotor dud = c6;
    dud.points.clear();
    EXPECT_FALSE(PredictFlight(rocket, dud, {}, AirColumn()).flies);
}

} // namespace
} // namespace tavo
