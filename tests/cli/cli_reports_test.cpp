// tavokit-cli motor-report and cd-report, run as a separate program: the figures are the
// report window's own texts, and failures carry the window's messages.

#include <cstdio>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "flight/flight_file.h"
#include "reports/cd_report.h"
#include "reports/motor_report.h"
#include "support/flight_builder.h"
#include "support/test_files.h"

namespace tavo {
namespace {

using testing::JsonField;
using testing::RunCli;

const std::string kDemo = std::string(TAVOKIT_SOURCE_DIR) + "/data/demo.flt";

std::string Float9(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

TEST(CliMotorReport, PrintsTheReportTextsBetweenTheCursors) {
    // The demo flight's launch and burn-out flags.
    const auto result = RunCli({"motor-report", kDemo, "--c1", "256", "--c2", "439"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("{\"motorClass\":", 0), 0u);

    test::Flight flight;
    FileError error;
    ASSERT_TRUE(LoadFlightFile(kDemo, flight, error)) << error.message;
    flight.Recompute();
    AnsweringPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, {256, 439}, prompt));
    EXPECT_EQ(JsonField(result.out, "motorClass"), report.m_strMotorClass);
    EXPECT_EQ(JsonField(result.out, "burnTime"), report.m_strBurnTime);
    EXPECT_EQ(JsonField(result.out, "avgThrustN"), report.m_strAvgThrustN);
    EXPECT_EQ(JsonField(result.out, "avgThrustLb"), report.m_strAvgThrustLb);
    EXPECT_EQ(JsonField(result.out, "peakThrustN"), report.m_strPeakThrustN);
    EXPECT_EQ(JsonField(result.out, "peakThrustLb"), report.m_strPeakThrustLb);
    EXPECT_EQ(JsonField(result.out, "totalImpulseN"), report.m_strTotalImpulseN);
    EXPECT_EQ(JsonField(result.out, "totalImpulseLb"), report.m_strTotalImpulseLb);
    EXPECT_EQ(JsonField(result.out, "isp"), report.m_strIsp);
    EXPECT_EQ(JsonField(result.out, "peakAccel"), Float9(report.m_fPeakAccel));
    // The demo flies a C6: its motor thrust gives a C.
    EXPECT_EQ(report.m_strMotorClass[0], 'C');
}

TEST(CliMotorReport, FlightOptionsSetTheDetails) {
    const auto base = RunCli({"motor-report", kDemo, "--c1", "256", "--c2", "439"});
    const auto heavier = RunCli({"motor-report", kDemo, "--c1", "256", "--c2", "439", "--weight",
                                 "0.1502", "--propellant", "0.02"});
    ASSERT_EQ(heavier.exitCode, 0) << heavier.err;
    test::Flight flight;
    FileError error;
    ASSERT_TRUE(LoadFlightFile(kDemo, flight, error));
    flight.m_fLaunchWeight = 0.1502f;
    flight.m_fPropellantWeight = 0.02f;
    flight.Recompute();
    AnsweringPrompt prompt;
    MotorReport report;
    ASSERT_TRUE(report.ComputeMotorReport(flight, {256, 439}, prompt));
    EXPECT_EQ(JsonField(heavier.out, "totalImpulseN"), report.m_strTotalImpulseN);
    EXPECT_EQ(JsonField(heavier.out, "isp"), report.m_strIsp);
    // About twice the mass under the same recorded acceleration: about twice the impulse.
    const double ratio = std::stod(JsonField(heavier.out, "totalImpulseN")) /
                         std::stod(JsonField(base.out, "totalImpulseN"));
    EXPECT_GT(ratio, 1.9);
    EXPECT_LT(ratio, 2.2);
}

TEST(CliMotorReport, FailuresCarryTheReportsMessages) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    };
    const std::vector<Case> cases{
        {{"motor-report", kDemo, "--c1", "256", "--c2", "11309"},
         1,
         "Nothing to Report\n\nC2 (sample 11309) stands beyond the end of the flight's 11308 "
         "samples.\n"},
        {{"motor-report", kDemo, "--c1", "439", "--c2", "256"},
         1,
         "Nothing to Report\n\nC1 (sample 439) stands after C2 (sample 256): C1 marks the start "
         "of the range and C2 its end.\n"},
        {{"cd-report", kDemo, "--c1", "300", "--c2", "300"},
         1,
         "Nothing to Report\n\nC1 and C2 stand on the same sample (300): there are no samples "
         "between them.\n"},
        {{"motor-report", kDemo, "--c1", "1", "--c2", "20", "--weight", "0"},
         1,
         "Please enter a weight in the details section.\n"},
        {{"cd-report", kDemo, "--c1", "1", "--c2", "20", "--propellant", "0"},
         1,
         "Please enter a propellant weight in the details section.\n"},
    };
    for (const Case& c : cases) {
        const auto result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[3];
        EXPECT_EQ(result.err, c.err);
        EXPECT_TRUE(result.out.empty());
    }
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{"motor-report", kDemo, "--c1", "256"},
          std::vector<std::string>{"cd-report", kDemo, "--c1", "x", "--c2", "9"},
          std::vector<std::string>{"motor-report", "--c1", "1", "--c2", "9"}}) {
        EXPECT_EQ(RunCli(usage).exitCode, 2);
    }
    const auto missing = RunCli({"motor-report", "/nonexistent.flt", "--c1", "1", "--c2", "9"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.empty());
}

TEST(CliCdReport, TheDragAloneByDefaultAndTheDocumentsFiguresOnRequest) {
    // Burn-out and two seconds of coast of the demo, flown with Cd 0.6.
    const auto drag = RunCli({"cd-report", kDemo, "--c1", "439", "--c2", "639"});
    ASSERT_EQ(drag.exitCode, 0) << drag.err;
    EXPECT_EQ(drag.out.rfind("{\"cdMin\":", 0), 0u);
    EXPECT_NEAR(std::stod(JsonField(drag.out, "cdMean")), 0.6, 0.03);
    EXPECT_EQ(JsonField(drag.out, "samples"), "200");
    EXPECT_EQ(JsonField(drag.out, "cd"), "drag");

    const auto document =
        RunCli({"cd-report", kDemo, "--c1", "439", "--c2", "639", "--cd", "document"});
    ASSERT_EQ(document.exitCode, 0) << document.err;
    // The figures this report has always given for the range.
    EXPECT_EQ(document.out.rfind("{\"cdMin\":0,\"cdMax\":1.92225802,", 0), 0u);
    EXPECT_EQ(RunCli({"cd-report", kDemo, "--c1", "439", "--c2", "639", "--cd", "x"}).exitCode, 2);
}

TEST(CliMotorReport, TheParachuteDescentIsNoMotor) {
    const auto result = RunCli({"motor-report", kDemo, "--c1", "1000", "--c2", "4765"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(JsonField(result.out, "motorClass"), "");
    EXPECT_EQ(JsonField(result.out, "thrustAbovePad"), "false");
    EXPECT_NE(result.err.find("No thrust above the pad reading"), std::string::npos);
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

TEST(CliMotorReport, ChoosesTheThrustAndComparesWithACertifiedCurve) {
    const std::string dir = testing::TempDir("cli_motor_compare");
    const std::string two = dir + "/two.eng";
    test::WriteFileBytes(two, "; two motors\nC6-3 18 70 3 0.0108 0.0231 Es\n0.1 10\n1.8 0\n"
                              "C6-5 18 70 5 0.0108 0.0231 Es\n0.1 10\n1.9 0\n");
    const std::string c6 = TAVOKIT_SOURCE_DIR "/data/motors/C6.eng";
    const std::vector<std::string> span = {"motor-report", kDemo, "--c1", "256", "--c2", "439"};
    auto run = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = span;
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    };
    const auto motor = run({"--compare", c6});
    const auto net = run({"--thrust", "net"});
    ASSERT_EQ(motor.exitCode, 0) << motor.err;
    ASSERT_EQ(net.exitCode, 0) << net.err;
    EXPECT_EQ(JsonField(motor.out, "thrust"), "motor");
    EXPECT_EQ(JsonField(net.out, "thrust"), "net");
    EXPECT_EQ(JsonField(motor.out, "dragFromCoast"), "true");
    // The motor thrust adds the weight and the drag the net force leaves out; the two
    // differ a little beyond that, as the net force lets the mass fall evenly with time
    // where the motor thrust burns it with the impulse.
    const double motorImpulse = std::stod(JsonField(motor.out, "totalImpulseN"));
    const double netImpulse = std::stod(JsonField(net.out, "totalImpulseN"));
    EXPECT_NEAR(motorImpulse - netImpulse,
                std::stod(JsonField(motor.out, "weightImpulse")) +
                    std::stod(JsonField(motor.out, "dragImpulse")),
                0.01 * motorImpulse);
    EXPECT_EQ(JsonField(motor.out, "designation"), "C6");
    EXPECT_EQ(JsonField(motor.out, "class"), "C");
    const double certified = std::stod(JsonField(motor.out, "totalImpulse"));
    EXPECT_NEAR(certified, 8.82, 0.01);
    const std::string diff = JsonField(motor.out, "differencePercent");
    EXPECT_NEAR(std::stod(JsonField(diff, "totalImpulse")),
                (motorImpulse - certified) / certified * 100.0, 0.1);
    EXPECT_EQ(JsonField(net.out, "certified"), "<missing>");

    struct Case {
        std::vector<std::string> extra;
        int exit;
        const char* err; // part of it
    } cases[] = {
        {{"--compare", two}, 2, "several motors; name one with --motor: C6-3, C6-5"},
        {{"--compare", two, "--motor", "C6-7"}, 2, "no motor C6-7"},
        {{"--compare", two, "--motor", "C6-5"}, 0, ""},
        {{"--motor", "C6-5"}, 2, "--compare"},
        {{"--compare", dir + "/none.eng"}, 1, "none.eng"},
        {{"--compare", dir}, 1, "not a regular file"},
        {{"--thrust", "gross"}, 2, "motor or net"},
    };
    for (const Case& c : cases) {
        const auto r = run(c.extra);
        EXPECT_EQ(r.exitCode, c.exit) << c.err << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST(CliMotors, ListsEveryMotorWithItsWarningsAndRefusals) {
    const std::string dir = testing::TempDir("cli_motors");
    const std::string file = dir + "/mixed.eng";
    test::WriteFileBytes(file, "A8 18 70 3-5 0.0033 0.01635 Estes\n0 1\n0.5 2\n0.7 0\n;\n"
                               "Broken 18 70 3\n1 1\n;\n"
                               "C6 18 70 0-P 0.0108 0.0231 Es\n0.1 10\n1.8 0\n");
    const auto r = RunCli({"motors", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"motors\":[{\"designation\":\"A8\",\"class\":\"A\"", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("starts at t = 0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"designation\":\"C6\",\"class\":\"C\""), std::string::npos);
    EXPECT_NE(r.out.find("\"delays\":\"0-P\""), std::string::npos);
    EXPECT_NE(r.out.find("\"refused\":[{\"motor\":\"Broken\",\"line\":6,"), std::string::npos)
        << r.out;
    EXPECT_EQ(RunCli({"motors", dir + "/none.eng"}).exitCode, 1);
    EXPECT_EQ(RunCli({"motors"}).exitCode, 2);
}

} // namespace
} // namespace tavo
