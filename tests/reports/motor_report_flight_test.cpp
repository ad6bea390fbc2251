// The motor report on synthesised flights of every shipped motor: with the cursors on the
// launch and burn-out flags, the motor thrust must give the certified curve's impulse and
// class, and the net force the impulse the recorder actually felt.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>

#include <gtest/gtest.h>

#include "motor/rasp_reader.h"
#include "reports/motor_report.h"
#include "sim/flight_synth.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

std::vector<std::string> MotorFiles() {
    std::vector<std::string> files;
    for (const char* dir : {"", "real/"}) {
        const std::string path = std::string(TAVOKIT_SOURCE_DIR "/data/motors/") + dir;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            if (entry.path().extension() == ".eng")
                files.push_back(dir + entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct Rocket {
    double thrustToWeight;  // average thrust over launch weight
    double extraDiameterMm; // body tube over the motor
    int rate;
    double deployDelayS; // negative: the motor's own delay
};

// Within 2 % of a class bound a measurement may fairly land on either side of it.
bool NearClassBound(double impulse) {
    for (double bound = 2.5; bound < 1e6; bound *= 2.0)
        if (std::fabs(impulse / bound - 1.0) < 0.02)
            return true;
    return false;
}

class MotorThrustOnSynthesisedFlight : public ::testing::TestWithParam<std::string> {};

TEST_P(MotorThrustOnSynthesisedFlight, GivesTheCertifiedImpulseAndClass) {
    std::vector<EngMotor> motors;
    std::string reason;
    ASSERT_TRUE(
        LoadEngFile(std::string(TAVOKIT_SOURCE_DIR "/data/motors/") + GetParam(), motors, reason))
        << reason;
    const EngMotor& motor = motors.at(0);
    const double certified = TotalImpulse(motor);
    const double avgThrust = certified / BurnTime(motor);
    int withCoast = 0;
    // Motors with a delay of 0 deploy at burn-out and leave no coast to fit the drag to;
    // the second rocket flies every motor with no deployment, as on electronics at apogee.
    for (const Rocket& r : {Rocket{5.0, 6.0, 200, -1.0}, Rocket{9.0, 20.0, 100, 3600.0},
                            Rocket{6.0, 40.0, 500, -1.0}}) {
        SynthParams p;
        p.motor = motor;
        // Heavy enough to keep the peak under 40 g, within the accelerometer's range.
        const double launchMass =
            std::max(avgThrust / (r.thrustToWeight * kGee), PeakThrust(motor) / (40.0 * kGee));
        p.rocket.dryMassKg = std::max(launchMass - motor.totalKg, 0.2 * motor.totalKg);
        p.rocket.diameterM = (motor.diameterMm + r.extraDiameterMm) / 1000.0;
        p.rocket.chuteDiameterM = 4.0 * p.rocket.diameterM;
        p.recorder.sampleRate = r.rate;
        p.recorder.noiseCounts = 0.6;
        p.recorder.seed = 11;
        p.deployDelayS = r.deployDelayS;
        SynthFlight synth;
        ASSERT_TRUE(SynthesizeFlight(p, synth, reason)) << reason;
        ASSERT_GT(synth.burnoutIndex, synth.launchIndex);
        test::Flight flight;
        FillFlightRecord(p, synth, flight);
        const CursorRange burn{synth.launchIndex, synth.burnoutIndex};

        test::ScriptedPrompt prompt;
        MotorReport net, thrust;
        ASSERT_TRUE(net.ComputeMotorReport(flight, burn, prompt, ThrustKind::Net));
        ASSERT_TRUE(thrust.ComputeMotorReport(flight, burn, prompt, ThrustKind::Motor));
        const double error = (thrust.m_fTotalImpulse - certified) / certified * 100.0;
        std::cout << GetParam() << " | " << motor.designation << " | " << certified << " | "
                  << p.rocket.dryMassKg << " kg, " << p.rocket.diameterM * 1000 << " mm, " << r.rate
                  << " Hz | net " << net.m_strTotalImpulseN << " (" << net.m_strMotorClass
                  << ") | motor " << thrust.m_strTotalImpulseN << " (" << thrust.m_strMotorClass
                  << ") | " << error << " % | Cd " << thrust.m_drag.cd << " ("
                  << thrust.m_drag.coastSamples << ") | apogee " << synth.truth.apogeeM << " m\n";
        // The net force always falls short of the motor's impulse: weight and drag.
        EXPECT_LT(net.m_fTotalImpulse, thrust.m_fTotalImpulse);
        EXPECT_NEAR(net.m_fTotalImpulse, synth.truth.netImpulseNs,
                    0.05 * synth.truth.netImpulseNs + 0.02);
        // Without a coast no drag is added: the figures are then a lower bound.
        if (!thrust.m_drag.usable) {
            EXPECT_LT(error, 1.0);
            continue;
        }
        ++withCoast;
        EXPECT_LT(std::fabs(error), 5.0);
        if (NearClassBound(certified)) {
            EXPECT_LE(std::abs(thrust.m_strMotorClass[0] - ImpulseClassLetter(certified)), 1);
        } else {
            EXPECT_EQ(thrust.m_strMotorClass[0], ImpulseClassLetter(certified));
        }
    }
    EXPECT_GE(withCoast, 1);
}

INSTANTIATE_TEST_SUITE_P(EveryShippedMotor, MotorThrustOnSynthesisedFlight,
                         ::testing::ValuesIn(MotorFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name;
                             for (char c : info.param)
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

} // namespace
} // namespace tavo
