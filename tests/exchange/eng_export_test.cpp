#include "exchange/eng_export.h"

#include <gtest/gtest.h>
#include <random>

#include "exchange_test_util.h"
#include "motor/rasp_reader.h"
#include "sim/flight_synth.h"
#include "strict_rasp.h"
#include "support/flight_builder.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

using namespace testing;

// The golden files hold the net force, which the file's figures are worked out from.
EngExportParams Fields(int points) {
    EngExportParams p{"C6", "18", "70", "5", "0.0231", "0.0123", "Es", points, ThrustKind::Net};
    return p;
}

std::string Build(const test::Flight& f, CursorRange cursors, const EngExportParams& p) {
    std::string out, reason;
    EXPECT_TRUE(BuildEngText(f, cursors, p, out, reason)) << reason;
    return out;
}

TEST(EngExport, MatchesTheGoldenFiles) {
    test::Flight f;
    BurnFlight(f);
    CursorRange cursors{100, 160};
    struct Case {
        const char* golden;
        EngExportParams params;
    } cases[] = {{"eng_c100_c160_p20.eng", Fields(20)},
                 {"eng_points_above_range.eng", Fields(100)},
                 {"eng_one_point.eng", Fields(1)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        const std::string expected = Golden(c.golden);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Build(f, cursors, c.params), expected);
    }
}

TEST(EngExport, StepsLinesAndTimesFollowThePoints) {
    test::Flight f;
    BurnFlight(f);
    CursorRange cursors{100, 160};
    auto dataLines = [&](int points) {
        std::string text = Build(f, cursors, Fields(points));
        int n = 0;
        for (char c : text)
            n += c == '\n';
        return n - 2; // header and closing line
    };
    EXPECT_EQ(dataLines(20), 20);
    EXPECT_EQ(dataLines(60), 60);
    EXPECT_EQ(dataLines(1000), 60);
    EXPECT_EQ(dataLines(-3), 60); // a negative number gives one line per sample
    EXPECT_EQ(dataLines(1), 1);
    EXPECT_EQ(dataLines(7), 8); // step 8: samples 100, 108, ..., 156
    const std::string text = Build(f, cursors, Fields(20));
    EXPECT_EQ(text.substr(text.size() - 15), "\n0.610 0.000\r\n;");
    EXPECT_NE(text.find("\r\n0.580 "), std::string::npos);
}

TEST(EngExport, PropellantFieldIsTheDifferenceOfPlainDecimalWeights) {
    struct Case {
        const char* pre;
        const char* post;
        const char* fifth;
    } cases[] = {{"0.0231", "0.0123", "0.0108"},
                 {"0.0231", "0.0231", "0"},
                 {"1", "0.25", "0.75"},
                 {"0.0231", "0.0300", "0.0300"},
                 {"23g", "12", "12"},
                 {"0.0231", "1e-3", "1e-3"},
                 {"0,0231", "0,0123", "0,0123"},
                 {"-1", "-2", "-2"},
                 {"", "0.01", "0.01"},
                 {"0.02", "", ""},
                 {".5", "0.", "0.5"},
                 {"1.2.3", "1", "1"},
                 {"0.0000123", "0", "1.23e-05"}};
    for (const Case& c : cases)
        EXPECT_EQ(EngPropellantField(c.pre, c.post), c.fifth) << c.pre << " / " << c.post;
}

TEST(EngExport, RefusesZeroPointsAndCursorsOutsideTheData) {
    test::Flight f;
    BurnFlight(f);
    std::string out = "untouched", reason;
    CursorRange cursors{100, 160};
    EXPECT_FALSE(BuildEngText(f, cursors, Fields(0), out, reason));
    EXPECT_EQ(reason, kZeroPointsText);
    struct Range {
        int c1, c2;
        bool ok;
    } ranges[] = {{100, 250, true},  {100, 251, false}, {100, 100, false},
                  {120, 100, false}, {-1, 10, false},   {0, 1, true}};
    for (const Range& r : ranges) {
        cursors = {r.c1, r.c2};
        EXPECT_EQ(EngCursorsHoldData(f, cursors), r.ok) << r.c1 << ".." << r.c2;
        EXPECT_EQ(BuildEngText(f, cursors, Fields(5), out, reason), r.ok) << r.c1 << ".." << r.c2;
    }
    EXPECT_EQ(out.find("untouched"), std::string::npos); // the good ranges wrote
    test::Flight empty;
    EXPECT_FALSE(EngCursorsHoldData(empty, {0, 1}));
}

TEST(EngExport, DecelerationIsWrittenAsZeroThrust) {
    test::Flight f;
    BurnFlight(f);
    CursorRange cursors{170, 172}; // coasting: readings above the pad's, -7/7.5 g of net force
    EXPECT_EQ(Build(f, cursors, Fields(2)), "C6 18 70 5 0.0108 0.0231 Es \r\n"
                                            "0.010 0.000\r\n0.020 0.000\r\n0.030 0.000\r\n;");
}

TEST(EngExport, ValuesThatGiveNoFiniteThrustWriteNoFile) {
    test::Flight noTwoGee, noRate;
    for (test::Flight* f : {&noTwoGee, &noRate})
        BurnFlight(*f);
    const CursorRange cursors{100, 160};
    noTwoGee.Curves().m_fTwoGee = 0.0f;
    noRate.m_nSampleRate = 0;
    noRate.Recompute();
    for (const test::Flight* flight : {&noTwoGee, &noRate}) {
        for (ThrustKind kind : {ThrustKind::Net, ThrustKind::Motor}) {
            EngExportParams p = Fields(20);
            p.thrust = kind;
            std::string out = "untouched", reason;
            EXPECT_FALSE(BuildEngText(*flight, cursors, p, out, reason));
            EXPECT_EQ(out, "untouched");
            EXPECT_NE(reason.find("not a finite number"), std::string::npos) << reason;
        }
    }
}

TEST(EngExport, DialogStartsFromWhatTheFlightKnows) {
    test::Flight f;
    BurnFlight(f);
    CursorRange cursors{100, 170};
    const EngExportParams p = SuggestEngExportParams(f, cursors);
    // The rocket's 24.6 mm is no motor's diameter; a compared motor file gives its own.
    EXPECT_EQ(p.diameter, "");
    EngMotor compared;
    compared.diameterMm = 18.0;
    compared.lengthMm = 70.0;
    const EngExportParams withFile =
        SuggestEngExportParams(f, cursors, ThrustKind::Motor, &compared);
    EXPECT_EQ(withFile.diameter + " " + withFile.length, "18 70");
    EXPECT_EQ(p.spacing, EngSpacing::Shape);
    EXPECT_EQ(p.designation.substr(0, 1), "B") << p.designation;
    EXPECT_EQ(p.delays, ""); // no deployment flag
    EXPECT_EQ(p.thrust, ThrustKind::Motor);
    EXPECT_EQ(SuggestPostFireWeight("0.0231", 0.0108f), "0.0123");
    EXPECT_EQ(SuggestPostFireWeight("0.01", 0.0108f), "");
    EXPECT_EQ(SuggestPostFireWeight("x", 0.0108f), "");
    EXPECT_EQ(SuggestPostFireWeight("0.0231", 0.0f), "");
}

TEST(EngExport, ThrustIsWorkedOutInDoubleFromTheCountDifference) {
    // 4094 counts at 7.5 counts per g on 10 kg: 53549.520 N. Rounding the acceleration
    // to float on the way would print 53549.517.
    test::Flight f;
    SetSamples(f, {"4095", "1", "1"});
    f.m_nSampleRate = 100;
    f.m_fLaunchWeight = 10.0f;
    f.m_fPropellantWeight = 1.0f;
    f.Recompute();
    CursorRange cursors{1, 2};
    EXPECT_EQ(Build(f, cursors, Fields(1)), "C6 18 70 5 0.0108 0.0231 Es \r\n"
                                            "0.010 53549.520\r\n"
                                            "0.020 0.000\r\n;");
}

TEST(EngExport, WeightChecksComeInOrder) {
    test::Flight f;
    EXPECT_STREQ(MissingWeightMessage(f), kNeedWeightText);
    f.m_fPropellantWeight = 0.01f;
    EXPECT_STREQ(MissingWeightMessage(f), kNeedWeightText);
    f.m_fLaunchWeight = 0.08f;
    EXPECT_EQ(MissingWeightMessage(f), nullptr);
    f.m_fPropellantWeight = 0.0f;
    EXPECT_STREQ(MissingWeightMessage(f), kNeedPropellantText);
}

EngMotor Motor(const char* file) {
    std::vector<EngMotor> motors;
    std::string reason;
    EXPECT_TRUE(
        LoadEngFile(std::string(TAVOKIT_SOURCE_DIR "/data/motors/") + file, motors, reason));
    return motors.at(0);
}

TEST(EngExport, EveryFileIsRefusedOrLoadsWithoutAWarning) {
    // Synthesised flights, the cursors on the burn or far past it (where the net force
    // is negative), both thrusts, the dialog's numbers of points, good, empty and hostile
    // header values: each file is either refused with a message or loads cleanly in a
    // strict reader and in our own.
    const EngMotor motors[] = {Motor("C6.eng"), Motor("F50T.eng")};
    const EngExportParams good{"C6-5", "18", "70", "3-5-7", "0.0231", "0.0123", "Estes", 20};
    struct Header {
        std::string EngExportParams::*field;
        const char* value;
        bool ok;
    } headers[] = {
        {&EngExportParams::designation, "C6-5", true},
        {&EngExportParams::designation, "", false},
        {&EngExportParams::designation, "C6 5", false},
        {&EngExportParams::designation, "C6\xE9", false},
        {&EngExportParams::designation, ";C6", false},
        {&EngExportParams::manufacturer, "Estes Industries", false},
        {&EngExportParams::manufacturer, "", false},
        {&EngExportParams::diameter, "18mm", false},
        {&EngExportParams::diameter, "0.5", false},
        {&EngExportParams::length, "", false},
        {&EngExportParams::delays, "3, 5", false},
        {&EngExportParams::delays, "P", true},
        {&EngExportParams::preFireWeight, "0,0231", false},
        {&EngExportParams::postFireWeight, "0.0300", false},
        {&EngExportParams::postFireWeight, "0.0231", false},
        {&EngExportParams::postFireWeight, "-0.01", false},
        {&EngExportParams::postFireWeight, "0", true},
    };
    int written = 0, refused = 0;
    for (const EngMotor& motor : motors) {
        for (int rate : {100, 500}) {
            SynthParams p;
            p.motor = motor;
            p.rocket.dryMassKg = motor.designation == "C6" ? 0.05 : 0.3;
            p.recorder.sampleRate = rate;
            p.recorder.noiseCounts = 0.6;
            SynthFlight flight;
            std::string reason;
            ASSERT_TRUE(SynthesizeFlight(p, flight, reason)) << reason;
            test::Flight f;
            FillFlightRecord(p, flight, f);
            const std::pair<int, int> spans[] = {{flight.launchIndex, flight.burnoutIndex},
                                                 {flight.launchIndex, flight.apogeeIndex},
                                                 {0, static_cast<int>(f.SampleCount())}};
            for (const auto& [c1, c2] : spans) {
                CursorRange cursors{c1, c2};
                for (int points : {1, 20, 32, 100, c2 - c1}) {
                    for (ThrustKind kind : {ThrustKind::Motor, ThrustKind::Net}) {
                        for (const Header& h : headers) {
                            EngExportParams e = good;
                            e.*h.field = h.value;
                            e.points = points;
                            e.thrust = kind;
                            std::string text;
                            const bool ok = BuildEngText(f, cursors, e, text, reason);
                            EXPECT_EQ(ok, h.ok) << h.value << ": " << reason;
                            if (!ok) {
                                EXPECT_FALSE(reason.empty());
                                ++refused;
                                continue;
                            }
                            ++written;
                            ASSERT_EQ(StrictRaspFault(text), "") << points << "\n" << text;
                            RaspFile read;
                            ReadRaspText(text, read);
                            ASSERT_EQ(read.motors.size(), 1u);
                            EXPECT_TRUE(read.motors[0].warnings.empty() && read.warnings.empty());
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(written, 2 * 2 * 3 * 5 * 2 * 3);
    EXPECT_GT(refused, written);
}

TEST(EngExport, StrictReaderRefusesWhatSimulatorsRefuse) {
    // The reader above must itself be able to fail.
    EXPECT_EQ(StrictRaspFault("C6 18 70 5 0.01 0.02 Es \r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 \r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.03 0.02 Es\r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.010 1.000\r\n0.010 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.000 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.010 1.000\r\n0.020 0.100\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.010 -1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 \xC9s\r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 0.5 70 5 0.01 0.02 Es\r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.020 0.000\r\n;"), "");
}

} // namespace
} // namespace tavo
