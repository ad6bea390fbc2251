#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "reports/cd_report.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"

namespace tavo {
namespace {

using test::ScriptedPrompt;
using test::SetSamples;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A flight whose coefficients the test sets itself, as if Recompute had made them.
void MakeCdFlight(FlightRecord& flight, const std::vector<float>& cd) {
    SetSamples(flight, std::vector<int>(cd.size(), 2048));
    flight.m_arrCd = cd;
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fPropellantWeight = 0.01f;
    flight.m_nCursor1 = 1;
    flight.m_nCursor2 = static_cast<int>(cd.size());
}

TEST(CdReport, TakesTheLargestValueInTheRangeOnly) {
    FlightRecord flight;
    MakeCdFlight(flight, {kInf, 0.1f, 0.5f, kNaN, 0.3f, 9.0f});
    flight.m_nCursor2 = 5; // the 9.0 lies beyond C2, the infinity before C1
    ScriptedPrompt prompt;
    CdReport report;
    ASSERT_TRUE(report.ComputeCdReport(flight, prompt));
    EXPECT_EQ(report.m_fCdMax, 0.5f);
    EXPECT_EQ(report.m_fCdMin, 0.0f);
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(CdReport, NegativeAndNaNValuesLeaveZero) {
    FlightRecord flight;
    MakeCdFlight(flight, {0.0f, -3.0f, kNaN, -0.5f});
    ScriptedPrompt prompt;
    CdReport report;
    ASSERT_TRUE(report.ComputeCdReport(flight, prompt));
    EXPECT_EQ(report.m_fCdMax, 0.0f);
    EXPECT_EQ(report.m_fCdMin, 0.0f); // the lower end never goes below 0
}

TEST(CdReport, RangeFromSampleZeroTakesItsInfinity) {
    // With the zero reference from the recorder's offset, sample 0 already accelerates at
    // zero velocity, which Recompute makes an infinite coefficient.
    FlightRecord flight;
    flight.m_bUseAccelOffset = true;
    flight.m_nAccelOffset = 2050;
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fMaxDiameter = 0.025f;
    SetSamples(flight, {2048, 2000, 1990, 2000});
    ASSERT_TRUE(std::isinf(flight.m_arrCd[0]));
    flight.m_fPropellantWeight = 0.01f;
    flight.m_nCursor1 = 0;
    flight.m_nCursor2 = 4;
    ScriptedPrompt prompt;
    CdReport report;
    ASSERT_TRUE(report.ComputeCdReport(flight, prompt));
    EXPECT_EQ(report.m_fCdMax, kInf);

    // From the first sample's own reading, sample 0 is 0/0: NaN, which is passed over.
    flight.m_bUseAccelOffset = false;
    flight.Recompute();
    ASSERT_TRUE(std::isnan(flight.m_arrCd[0]));
    flight.m_nCursor2 = 1;
    CdReport fromPad;
    ASSERT_TRUE(fromPad.ComputeCdReport(flight, prompt));
    EXPECT_EQ(fromPad.m_fCdMax, 0.0f);
}

TEST(CdReport, SameChecksAsTheMotorReport) {
    FlightRecord flight;
    MakeCdFlight(flight, {0.0f, 0.2f, 0.4f});
    flight.m_fLaunchWeight = 0.0f;
    {
        ScriptedPrompt prompt;
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, prompt));
        EXPECT_TRUE(prompt.questions.empty());
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, "Please enter a weight in the details section.");
    }
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fPropellantWeight = 0.0f; // unused by the curve, still asked for
    {
        ScriptedPrompt prompt;
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, prompt));
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text,
                  "Please enter a propellant weight in the details section.");
    }
    flight.m_fPropellantWeight = 0.01f;
    {
        ScriptedPrompt prompt(false);
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, prompt));
        EXPECT_TRUE(prompt.messages.empty());
    }
    for (int c2 : {4, 1}) {
        flight.m_nCursor2 = c2;
        ScriptedPrompt prompt;
        CdReport report;
        EXPECT_FALSE(report.ComputeCdReport(flight, prompt));
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, "Nothing to Report");
        EXPECT_EQ(prompt.messages[0].caption, "Error");
    }
}

TEST(CdReport, CoefficientsNotYetComputedAreNothingToReport) {
    FlightRecord flight;
    MakeCdFlight(flight, {0.0f, 0.2f, 0.4f});
    flight.m_arrCd.resize(2);
    ScriptedPrompt prompt;
    CdReport report;
    EXPECT_FALSE(report.ComputeCdReport(flight, prompt));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Nothing to Report");
}

} // namespace
} // namespace tavo
