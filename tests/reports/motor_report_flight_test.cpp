// The motor report on synthesised flights of known motors: with the cursors on the
// launch and burn-out flags, its total impulse must match the simulated impulse of the
// net force (thrust less weight and drag) that the recorder actually felt.

#include <cstdlib>
#include <iostream>

#include <gtest/gtest.h>

#include "reports/motor_report.h"
#include "sim/flight_synth.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"

namespace tavo {
namespace {

struct MotorCase {
    const char* file;
    double dryMassKg;
    double noiseCounts;
};

class MotorReportOnSynthesisedFlight : public ::testing::TestWithParam<MotorCase> {};

TEST_P(MotorReportOnSynthesisedFlight, TotalImpulseMatchesTheNetImpulse) {
    const MotorCase& c = GetParam();
    std::vector<EngMotor> motors;
    std::string reason;
    ASSERT_TRUE(
        LoadEngFile(std::string(TAVOKIT_SOURCE_DIR) + "/data/motors/" + c.file, motors, reason))
        << reason;
    SynthParams params;
    params.motor = motors.at(0);
    params.rocket.dryMassKg = c.dryMassKg;
    params.recorder.noiseCounts = c.noiseCounts;
    params.recorder.seed = 7;
    SynthFlight synth;
    ASSERT_TRUE(SynthesizeFlight(params, synth, reason)) << reason;
    ASSERT_GT(synth.launchIndex, 0);
    ASSERT_GT(synth.burnoutIndex, synth.launchIndex);

    FlightRecord flight;
    FillFlightRecord(params, synth, flight);
    // As the download leaves it: the first sample is the pad reading.
    ASSERT_EQ(SampleReading(ParseSampleWord(flight.m_pSamples.items()[0])), synth.padReading);
    flight.m_nCursor1 = synth.launchIndex;
    flight.m_nCursor2 = synth.burnoutIndex;

    test::ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, prompt));
    const double impulse = std::strtod(report.m_strTotalImpulseN.c_str(), nullptr);
    const double net = synth.truth.netImpulseNs;
    std::cout << c.file << " dry " << c.dryMassKg << " kg, noise " << c.noiseCounts << ": report "
              << report.m_strTotalImpulseN << " N s (" << report.m_strMotorClass << ", burn "
              << report.m_strBurnTime << " s), simulated net " << net
              << " N s, thrust over the burn " << synth.truth.thrustImpulseNs
              << " N s, motor curve " << synth.truth.motorImpulseNs << " N s\n";
    EXPECT_NEAR(impulse, net, 0.05 * net);
    // The report is of the net force, so it stays clearly under the motor's own impulse.
    EXPECT_LT(impulse, synth.truth.thrustImpulseNs);
}

INSTANTIATE_TEST_SUITE_P(Motors, MotorReportOnSynthesisedFlight,
                         ::testing::Values(MotorCase{"C6.eng", 0.050, 0.0},
                                           MotorCase{"C6.eng", 0.050, 1.0},
                                           MotorCase{"F50T.eng", 0.400, 0.0}));

} // namespace
} // namespace tavo
