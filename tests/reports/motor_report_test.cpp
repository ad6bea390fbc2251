#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "flight/units.h"
#include "reports/motor_report.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"

namespace tavo {
namespace {

using test::ScriptedPrompt;
using test::SetSamples;

// Pad reading 2048, 8 counts per g: 10, 20, 30 and 10 g over samples 1..4 at 10 Hz.
CursorRange MakeBurn(test::Flight& flight) {
    SetSamples(flight, {2048, 1968, 1888, 1808, 1968, 2048}, 10, 16.0f);
    flight.m_fLaunchWeight = 1.0f;
    flight.m_fPropellantWeight = 0.2f;
    return {1, 5};
}

TEST(MotorReport, HandWorkedBurn) {
    // Masses 1.0, 0.95, 0.9, 0.85 kg (0.2 kg burnt over 4 samples) give 98.1, 186.39,
    // 264.87 and 83.385 N: sum 632.745, average 158.18625, over 0.4 s 63.2745 N s.
    test::Flight flight;
    CursorRange cursors = MakeBurn(flight);
    ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0].text, "Are cursors C1 & C2 placed around your curve?");
    EXPECT_EQ(prompt.questions[0].caption, "Notice");

    EXPECT_FLOAT_EQ(report.m_fPeakAccel, 30.0f);
    EXPECT_NEAR(report.m_fPeakThrust, 264.87f, 1e-3);
    EXPECT_EQ(report.m_strBurnTime, "0.40");
    EXPECT_EQ(report.m_strAvgThrustN, "158.19");
    EXPECT_EQ(report.m_strPeakThrustN, "264.87");
    EXPECT_EQ(report.m_strTotalImpulseN, "63.27");
    EXPECT_EQ(report.m_strAvgThrustLb, "35.55");  // 158.18625 / 4.45
    EXPECT_EQ(report.m_strPeakThrustLb, "59.52"); // 264.87 / 4.45
    EXPECT_EQ(report.m_strTotalImpulseLb, "14.22");
    EXPECT_EQ(report.m_strIsp, "32.2"); // 14.219 / (0.2 * 2.205)
    EXPECT_EQ(report.m_strMotorClass, "F158");
}

TEST(MotorReport, ZeroReferenceIsSampleZeroWhereverC1Stands) {
    // The range starts under thrust: it is still measured against sample 0, and neither
    // the flight's offset nor its zero reference moves it.
    test::Flight flight;
    CursorRange cursors = MakeBurn(flight);
    cursors.c1 = 3;
    flight.m_nAccelOffset = 1808;
    flight.m_bUseAccelOffset = true;
    flight.Recompute();
    ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    EXPECT_FLOAT_EQ(report.m_fPeakAccel, 30.0f);
    EXPECT_EQ(report.m_strPeakThrustN, "294.30"); // 1.0 kg at 30 g: the full weight
}

TEST(MotorReport, OneSampleRange) {
    test::Flight flight;
    CursorRange cursors = MakeBurn(flight);
    cursors.c1 = 2;
    cursors.c2 = 3;
    ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    // The only sample keeps the whole launch weight: 1.0 kg x 20 g.
    EXPECT_EQ(report.m_strAvgThrustN, "196.20");
    EXPECT_EQ(report.m_strPeakThrustN, "196.20");
    EXPECT_EQ(report.m_strBurnTime, "0.10");
    EXPECT_EQ(report.m_strTotalImpulseN, "19.62");
    EXPECT_EQ(report.m_strMotorClass, "D196");
}

TEST(MotorReport, ARangeWithNoThrustAbovePadHasNoClass) {
    test::Flight flight;
    SetSamples(flight, std::vector<int>(20, 2048));
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fPropellantWeight = 0.01f;
    CursorRange cursors{0, 20};
    ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    EXPECT_EQ(report.m_strMotorClass, "");
    EXPECT_FALSE(report.m_bThrustAbovePad);
    EXPECT_EQ(report.m_strBurnTime, "0.20");
    EXPECT_EQ(report.m_strAvgThrustN, "0.00");
    EXPECT_EQ(report.m_strTotalImpulseN, "0.00");
    EXPECT_EQ(report.m_strIsp, "0.0");
    EXPECT_EQ(report.m_fPeakThrust, 0.0f);
    EXPECT_EQ(report.m_fPeakAccel, 0.0f);

    // Weight and drag added to a hang under the parachute made a motor of it: what
    // counts is the net reading standing above the pad by more than a count.
    struct Case {
        std::vector<int> words;
        bool thrust;
    } cases[] = {{{2048, 2047, 2048, 2047, 2049, 2046}, false},
                 {{2048, 2046, 2046, 2046, 2046, 2046}, true}};
    for (const Case& c : cases) {
        SetSamples(flight, c.words);
        cursors.c2 = 6;
        ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Motor));
        EXPECT_EQ(report.m_bThrustAbovePad, c.thrust);
        EXPECT_EQ(report.m_strMotorClass.empty(), !c.thrust);
    }
}

TEST(MotorReport, ClassBoundsBelongToTheHigherClass) {
    EXPECT_EQ(MotorClassText(2.4999998f, 1.0f), "A1");
    EXPECT_EQ(MotorClassText(2.5f, 1.0f), "B1");
    EXPECT_EQ(MotorClassText(0.0f, 0.0f), "A0");
    EXPECT_EQ(MotorClassText(-7.0f, -3.0f), "A-3");
    EXPECT_EQ(MotorClassText(4.9999995f, 4.0f), "B4");
    EXPECT_EQ(MotorClassText(5.0f, 4.0f), "C4");
    EXPECT_EQ(MotorClassText(79.99999f, 30.0f), "F30");
    EXPECT_EQ(MotorClassText(80.0f, 30.0f), "G30");
    EXPECT_EQ(MotorClassText(40959.996f, 900.0f), "O900");
    EXPECT_EQ(MotorClassText(40960.0f, 900.0f), "P900");
    EXPECT_EQ(MotorClassText(81919.99f, 1000.0f), "P1000");
    EXPECT_EQ(MotorClassText(81920.0f, 1000.0f), "P=1000");
    EXPECT_EQ(MotorClassText(1e9f, 1000.4f), "P=1000");
    EXPECT_EQ(MotorClassText(3.0f, 2.5f), "B2"); // rounds half to even, as printf does
}

// Searches launch weights upwards from just below the ideal one for a weight whose
// one-sample report (at `accel` g over `interval` s) totals exactly `impulse` in float,
// computed step by step as the report does it. 0 if there is none nearby.
float WeightForExactImpulse(float accel, float interval, float impulse) {
    float m = static_cast<float>(impulse / interval / 9.81 / accel * (1 - 1e-6));
    for (int step = 0; step < 200; ++step, m = std::nextafter(m, 1e9f)) {
        const float sum = static_cast<float>(0.0f + MotorThrust(m, accel));
        const float burnTime = (interval + interval) - interval;
        if (burnTime * (sum / 1.0f) == impulse)
            return m;
    }
    return 0.0f;
}

TEST(MotorReport, ExactClassBoundsThroughTheWholeComputation) {
    struct Case {
        int rate;
        float impulse;
        const char* motorClass;
        const char* total;
    };
    for (const Case& c : {Case{2, 2.5f, "B5", "2.50"}, Case{1, 81920.0f, "P=81920", "81920.00"}}) {
        // Sample 1 reads 9 counts under the pad at 8 counts per g: exactly 1.125 g.
        const float weight =
            WeightForExactImpulse(1.125f, static_cast<float>(1.0 / c.rate), c.impulse);
        ASSERT_NE(weight, 0.0f) << c.impulse;
        test::Flight flight;
        SetSamples(flight, {2048, 2039}, c.rate, 16.0f);
        flight.m_fLaunchWeight = weight;
        flight.m_fPropellantWeight = 0.5f;
        const CursorRange cursors{1, 2};
        ScriptedPrompt prompt;
        MotorReport report;
        ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
        EXPECT_EQ(report.m_strMotorClass, c.motorClass);
        EXPECT_EQ(report.m_strTotalImpulseN, c.total);
    }
}

TEST(MotorReport, RangeChecks) {
    struct Case {
        int c1, c2;
        const char* why; // nullptr: accepted
    };
    // Six samples: C2 may equal the count; beyond it, empty, reversed or starting before
    // the first sample is refused, and the message says which.
    const Case cases[] = {
        {1, 6, nullptr},
        {0, 6, nullptr},
        {1, 7, "C2 (sample 7) stands beyond the end of the flight's 6 samples."},
        {3, 3, "C1 and C2 stand on the same sample (3): there are no samples between them."},
        {4, 2,
         "C1 (sample 4) stands after C2 (sample 2): C1 marks the start of the range and C2 "
         "its end."},
        {-1, 3, "C1 (sample -1) stands before the flight's first sample, 0."},
        {-2147483647 - 1, 3, "C1 (sample -2147483648) stands before the flight's first sample, 0."},
    };
    for (const Case& c : cases) {
        const bool accepted = c.why == nullptr;
        test::Flight flight;
        CursorRange cursors = MakeBurn(flight);
        cursors.c1 = c.c1;
        cursors.c2 = c.c2;
        ScriptedPrompt prompt;
        MotorReport report;
        EXPECT_EQ(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net), accepted)
            << c.c1 << " " << c.c2;
        if (accepted) {
            EXPECT_TRUE(prompt.messages.empty());
        } else {
            ASSERT_EQ(prompt.messages.size(), 1u);
            EXPECT_EQ(prompt.messages[0].text, std::string("Nothing to Report\n\n") + c.why);
            EXPECT_EQ(prompt.messages[0].caption, "Error");
            EXPECT_TRUE(report.m_strMotorClass.empty());
        }
    }
}

TEST(MotorReport, NoSamplesIsNothingToReport) {
    test::Flight flight;
    flight.m_fLaunchWeight = 1.0f;
    flight.m_fPropellantWeight = 0.1f;
    ScriptedPrompt prompt;
    MotorReport report;
    EXPECT_FALSE(report.ComputeMotorReport(flight, {}, prompt, ThrustKind::Net));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Nothing to Report\n\nThere is no flight: the recording holds no samples.");
}

TEST(MotorReport, CancelOnTheCursorQuestionClosesSilently) {
    test::Flight flight;
    CursorRange cursors = MakeBurn(flight);
    ScriptedPrompt prompt(false);
    MotorReport report;
    EXPECT_FALSE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(report.m_strMotorClass.empty());
}

TEST(MotorReport, WeightChecksComeBeforeTheQuestion) {
    test::Flight flight;
    CursorRange cursors = MakeBurn(flight);
    cursors.c2 = 99; // an invalid range is not looked at before the weights
    flight.m_fLaunchWeight = 0.0f;
    flight.m_fPropellantWeight = 0.0f;
    {
        ScriptedPrompt prompt;
        MotorReport report;
        EXPECT_FALSE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
        EXPECT_TRUE(prompt.questions.empty());
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, "Please enter a weight in the details section.");
        EXPECT_EQ(prompt.messages[0].caption, "Notice");
    }
    flight.m_fLaunchWeight = 1.0f;
    {
        ScriptedPrompt prompt;
        MotorReport report;
        EXPECT_FALSE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
        EXPECT_TRUE(prompt.questions.empty());
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text,
                  "Please enter a propellant weight in the details section.");
        EXPECT_EQ(prompt.messages[0].caption, "Notice");
    }
}

TEST(MotorReport, NegativeWeightsPass) {
    // A negative propellant weight makes the mass grow across the range: 1.0, 1.1, 1.2,
    // 1.3 kg under 10, 20, 30, 10 g, and the specific impulse turns negative.
    test::Flight flight;
    CursorRange cursors = MakeBurn(flight);
    flight.m_fPropellantWeight = -0.4f;
    ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    EXPECT_EQ(report.m_strPeakThrustN, "353.16");  // 1.2 x 30 x 9.81
    EXPECT_EQ(report.m_strTotalImpulseN, "79.46"); // (98.1 + 215.82 + 353.16 + 127.53) x 0.1
    EXPECT_EQ(report.m_strIsp, "-20.2");           // 17.856 lb s / (-0.4 x 2.205)
}

TEST(MotorReport, ZeroTwoGeeOrIntervalGivesNonFiniteTextsNotACrash) {
    test::Flight flight;
    CursorRange cursors = MakeBurn(flight);
    flight.m_bUseFileTwoGee = false;
    flight.Curves().m_fTwoGee = 0.0f;
    ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    EXPECT_EQ(report.m_strPeakThrustN, "inf");
    EXPECT_EQ(report.m_strAvgThrustN, "inf");
    EXPECT_EQ(report.m_strBurnTime, "0.40");

    test::Flight stopped;
    MakeBurn(stopped);
    stopped.m_nSampleRate = 0;
    stopped.Recompute();
    MotorReport still;
    ASSERT_TRUE(still.ComputeMotorReport(stopped, cursors, prompt, ThrustKind::Net));
    EXPECT_EQ(still.m_strBurnTime, "nan"); // inf - inf
    EXPECT_EQ(still.m_strAvgThrustN, "158.19");
    EXPECT_EQ(still.m_strMotorClass.substr(0, 2), "P=");
}

TEST(MotorReport, OnlyTheLowTwelveBitsAreRead) {
    // Event flags in the upper bits change nothing.
    test::Flight flight;
    SetSamples(flight, {2048 | 0x1000, 1968 | 0x2000, 1888, 1808 | 0x8000, 1968, 2048}, 10);
    flight.m_fLaunchWeight = 1.0f;
    flight.m_fPropellantWeight = 0.2f;
    const CursorRange cursors{1, 5};
    ScriptedPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, cursors, prompt, ThrustKind::Net));
    EXPECT_EQ(report.m_strTotalImpulseN, "63.27");
}

} // namespace
} // namespace tavo
