#include <cmath>
#include <limits>
#include <numbers>

#include <gtest/gtest.h>

#include "motor/atmosphere.h"
#include "motor/rasp_reader.h"
#include "reports/cd_report.h"
#include "sim/flight_synth.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

using test::ScriptedPrompt;
using test::SetSamples;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A flight whose coefficients the test sets itself, as if Recompute had made them.
CursorRange MakeCdFlight(test::Flight& flight, const std::vector<float>& cd) {
    SetSamples(flight, std::vector<int>(cd.size(), 2048));
    flight.m_arrCd = cd;
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fPropellantWeight = 0.01f;
    return {1, static_cast<int>(cd.size())};
}

TEST(CdReport, TakesTheLargestValueInTheRangeOnly) {
    test::Flight flight;
    CursorRange cursors = MakeCdFlight(flight, {kInf, 0.1f, 0.5f, kNaN, 0.3f, 9.0f});
    cursors.c2 = 5; // the 9.0 lies beyond C2, the infinity before C1
    ScriptedPrompt prompt;
    CdReport report;
    ASSERT_TRUE(report.ComputeCdReport(flight, cursors, prompt));
    EXPECT_EQ(report.m_fCdMax, 0.5f);
    EXPECT_EQ(report.m_fCdMin, 0.0f);
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(CdReport, NegativeAndNaNValuesLeaveZero) {
    test::Flight flight;
    const CursorRange cursors = MakeCdFlight(flight, {0.0f, -3.0f, kNaN, -0.5f});
    ScriptedPrompt prompt;
    CdReport report;
    ASSERT_TRUE(report.ComputeCdReport(flight, cursors, prompt));
    EXPECT_EQ(report.m_fCdMax, 0.0f);
    EXPECT_EQ(report.m_fCdMin, 0.0f); // the lower end never goes below 0
}

TEST(CdReport, RangeFromSampleZeroTakesItsInfinity) {
    // With the zero reference from the recorder's offset, sample 0 already accelerates at
    // zero velocity, which Recompute makes an infinite coefficient.
    test::Flight flight;
    flight.m_bUseAccelOffset = true;
    flight.m_nAccelOffset = 2050;
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fMaxDiameter = 0.025f;
    SetSamples(flight, {2048, 2000, 1990, 2000});
    ASSERT_TRUE(std::isinf(flight.m_arrCd[0]));
    flight.m_fPropellantWeight = 0.01f;
    CursorRange cursors{0, 4};
    ScriptedPrompt prompt;
    CdReport report;
    ASSERT_TRUE(report.ComputeCdReport(flight, cursors, prompt));
    EXPECT_EQ(report.m_fCdMax, kInf);

    // From the first sample's own reading, sample 0 is 0/0: NaN, which is passed over.
    flight.m_bUseAccelOffset = false;
    flight.Recompute();
    ASSERT_TRUE(std::isnan(flight.m_arrCd[0]));
    cursors.c2 = 1;
    CdReport fromPad;
    ASSERT_TRUE(fromPad.ComputeCdReport(flight, cursors, prompt));
    EXPECT_EQ(fromPad.m_fCdMax, 0.0f);
}

TEST(CdReport, SameChecksAsTheMotorReport) {
    test::Flight flight;
    CursorRange cursors = MakeCdFlight(flight, {0.0f, 0.2f, 0.4f});
    flight.m_fLaunchWeight = 0.0f;
    {
        ScriptedPrompt prompt;
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, cursors, prompt));
        EXPECT_TRUE(prompt.questions.empty());
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, "Please enter a weight in the details section.");
    }
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fPropellantWeight = 0.0f; // unused by the curve, still asked for
    {
        ScriptedPrompt prompt;
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, cursors, prompt));
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text,
                  "Please enter a propellant weight in the details section.");
    }
    flight.m_fPropellantWeight = 0.01f;
    {
        ScriptedPrompt prompt(false);
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, cursors, prompt));
        EXPECT_TRUE(prompt.messages.empty());
    }
    for (int c2 : {4, 1}) {
        cursors.c2 = c2;
        ScriptedPrompt prompt;
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, cursors, prompt));
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text.substr(0, 20), "Nothing to Report\n\nC");
        EXPECT_EQ(prompt.messages[0].caption, "Error");
    }
}

TEST(CdReport, TheDragAloneGivesTheCdASynthesisedFlightWasFlownWith) {
    struct Case {
        const char* motor;
        double cd, dryMass, noise, coastS;
        int rate;
    } cases[] = {
        {"C6.eng", 0.6, 0.052, 0.6, 2.0, 100},    {"C6.eng", 0.35, 0.040, 0.0, 1.5, 200},
        {"C6.eng", 0.9, 0.060, 0.6, 2.5, 500},    {"F50T.eng", 0.45, 0.300, 0.6, 2.0, 200},
        {"F50T.eng", 0.75, 0.500, 0.0, 3.0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.motor) + " Cd " + std::to_string(c.cd));
        std::vector<EngMotor> motors;
        std::string reason;
        ASSERT_TRUE(
            LoadEngFile(std::string(TAVOKIT_SOURCE_DIR "/data/motors/") + c.motor, motors, reason))
            << reason;
        SynthParams p;
        p.motor = motors[0];
        p.rocket = {c.dryMass, c.motor[0] == 'F' ? 0.041 : 0.0246, c.cd, 0.30, 1.5};
        p.recorder.sampleRate = c.rate;
        p.recorder.noiseCounts = c.noise;
        SynthFlight synth;
        ASSERT_TRUE(SynthesizeFlight(p, synth, reason)) << reason;
        test::Flight f;
        ApplyFirstRunSettings(f);
        FillFlightRecord(p, synth, f);
        const CursorRange coast{synth.burnoutIndex,
                                synth.burnoutIndex + static_cast<int>(c.coastS * c.rate)};
        CdReport drag, document;
        ASSERT_TRUE(drag.ComputeFigures(f, coast, CdKind::Drag));
        EXPECT_NEAR(drag.m_fCdMean, c.cd, 0.05 * c.cd);
        EXPECT_GT(drag.m_nSamples, c.rate);
        // The document's formula takes gravity for drag and so reads far higher.
        ASSERT_TRUE(document.ComputeFigures(f, coast, CdKind::Document));
        EXPECT_GT(document.m_fCdMean, 1.2 * c.cd);
    }
}

// At rest, then 10 g for a second, then a 4 s coast at -1.5 g: 0.5 g of drag on 1 kg.
CursorRange MakeCoast(test::Flight& f) {
    std::vector<int> words(10, 2048);
    words.insert(words.end(), 10, 2048 - 80);
    words.insert(words.end(), 40, 2048 + 12);
    SetSamples(f, words, 10, 16.0f);
    f.m_fLaunchWeight = 1.2f;
    f.m_fPropellantWeight = 0.2f;
    f.m_fMaxDiameter = 0.1f;
    return {20, 60};
}

TEST(CdReport, DragAloneNeedsADiameterAMassAfterBurnOutAndFastSamples) {
    test::Flight f;
    CdReport r;
    ASSERT_TRUE(r.ComputeFigures(f, MakeCoast(f), CdKind::Drag));
    // From 98.1 m/s the speed falls 1.4715 m/s a sample: 33 samples stay above 49.05.
    EXPECT_EQ(r.m_nSamples, 33);
    EXPECT_NEAR(r.m_dBurnoutSpeed, 98.1, 1e-5); // ten steps of the float interval
    // The coast fit's air: the standard atmosphere at the launch site, sea level.
    const double q = 0.5 * AirColumn(0.0).Density(0.0) * 0.25 * std::numbers::pi * 0.01;
    EXPECT_NEAR(r.m_fCdMin, 4.905 / (q * r.m_dMaxSpeed * r.m_dMaxSpeed), 1e-6);
    EXPECT_NEAR(r.m_fCdMax, 4.905 / (q * r.m_dMinSpeed * r.m_dMinSpeed), 1e-6);
    for (const auto& [what, change] :
         std::initializer_list<std::pair<const char*, void (*)(test::Flight&, CursorRange&)>>{
             {"no diameter", [](test::Flight&g, CursorRange&) { g.m_fMaxDiameter = 0.0f; }},
             {"weight", [](test::Flight&g, CursorRange&) { g.m_fPropellantWeight = 1.2f; }},
             {"faster than half", [](test::Flight&, CursorRange&c) { c.c1 = 54; }}}) {
        test::Flight g;
        CursorRange cursors = MakeCoast(g);
        change(g, cursors);
        ASSERT_TRUE(r.ComputeFigures(g, cursors, CdKind::Drag));
        EXPECT_EQ(r.m_nSamples, 0);
        EXPECT_TRUE(std::isnan(r.m_fCdMean));
        EXPECT_NE(r.m_strNote.find(what), std::string::npos) << r.m_strNote;
    }
}

TEST(CdReport, CoefficientsNotYetComputedAreNothingToReport) {
    test::Flight flight;
    const CursorRange cursors = MakeCdFlight(flight, {0.0f, 0.2f, 0.4f});
    flight.m_arrCd.resize(2);
    ScriptedPrompt prompt;
    CdReport report;
    EXPECT_FALSE(report.ComputeCdReport(flight, cursors, prompt));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Nothing to Report");
}

} // namespace
} // namespace tavo
