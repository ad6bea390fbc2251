// tavokit-cli drag and predict on the demo flight (a C6-5, launch at sample 256, burn-out
// at 439).

#include <gtest/gtest.h>

#include "cli/cli_run.h"

namespace tavo {
namespace {

using testing::JsonField;
using testing::RunCli;

const std::string kDemo = std::string(TAVOKIT_SOURCE_DIR) + "/data/demo.flt";
const std::string kMotors = std::string(TAVOKIT_SOURCE_DIR) + "/data/motors/";

TEST(CliPredict, DragCurveAsJsonAndCsv) {
    const auto json = RunCli({"drag", kDemo, "--c2", "439"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"dragFactor\":", 0), 0u) << json.out;
    EXPECT_NEAR(std::stod(JsonField(json.out, "cd")), 0.6, 0.03);
    EXPECT_NE(json.out.find("\"points\":[{\"mach\":"), std::string::npos);
    const auto csv = RunCli({"drag", kDemo, "--c2", "439", "--csv"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("mach,cd\n0.1", 0), 0u) << csv.out;
    // One CSV line for each JSON point.
    std::size_t points = 0;
    for (std::size_t at = 0; (at = json.out.find("\"samples\":", at)) != std::string::npos; ++at)
        ++points;
    EXPECT_EQ(static_cast<std::size_t>(std::count(csv.out.begin(), csv.out.end(), '\n')),
              points + 1);
    const auto noDiameter = RunCli({"drag", kDemo, "--c2", "439", "--diameter", "0"});
    EXPECT_EQ(noDiameter.exitCode, 1);
    EXPECT_NE(noDiameter.err.find("diameter"), std::string::npos) << noDiameter.err;
}

TEST(CliPredict, FliesEveryMotorOfEachFileInOrder) {
    const auto r = RunCli({"predict", kDemo, "--c1", "256", "--c2", "439", "--flown",
                           kMotors + "C6.eng", "--motor", kMotors + "C6.eng", "--motor",
                           kMotors + "real/EstesIndustries_D12.eng", "--rail-m", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string rocket = JsonField(r.out, "rocket");
    EXPECT_NEAR(std::stod(JsonField(rocket, "dryMass")), 0.052, 1e-6);
    const std::size_t c6 = r.out.find("\"motor\":\"C6\""), d12 = r.out.find("\"motor\":\"D12\"");
    ASSERT_NE(c6, std::string::npos);
    ASSERT_NE(d12, std::string::npos);
    EXPECT_LT(c6, d12);
    const std::string first = r.out.substr(c6, d12 - c6);
    EXPECT_NE(first.find("\"class\":\"C\",\"apogee\":"), std::string::npos) << first;
    EXPECT_NE(first.find("\"railExitVelocity\":1"), std::string::npos) << first;
    // Without a rail there is no rail figure; --name keeps one motor.
    const auto one =
        RunCli({"predict", kDemo, "--c1", "256", "--c2", "439", "--motor-mass", "0.0231", "--motor",
                kMotors + "C6.eng", "--motor", kMotors + "F50T.eng", "--name", "F50T"});
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out.find("\"motor\":\"C6\""), std::string::npos);
    EXPECT_NE(one.out.find("\"railExitVelocity\":null,\"beyondMeasuredSpeed\":true"),
              std::string::npos)
        << one.out;
}

TEST(CliPredict, RefusesBadUse) {
    const std::vector<std::string> base = {"predict", kDemo, "--c1", "256", "--c2", "439"};
    struct Case {
        std::vector<std::string> extra;
        int exit;
        const char* err;
    } cases[] = {
        {{"--motor", kMotors + "C6.eng"}, 2, "not both"},
        {{"--motor-mass", "0.02", "--flown", kMotors + "C6.eng", "--motor", kMotors + "C6.eng"},
         2,
         "not both"},
        {{"--motor-mass", "0.02"}, 2, "at least one motor file"},
        {{"--motor-mass", "-1", "--motor", kMotors + "C6.eng"}, 2, "above 0"},
        {{"--motor-mass", "0.02", "--motor", kMotors + "C6.eng", "--site-altitude-m", "x"},
         2,
         "--site-altitude-m"},
        {{"--motor-mass", "0.2", "--motor", kMotors + "C6.eng"}, 1, "above the flown motor"},
        {{"--motor-mass", "0.02", "--motor", kMotors + "C6.eng", "--name", "Z9"}, 1, "No motor Z9"},
        {{"--motor-mass", "0.02", "--motor", kMotors + "none.eng"}, 1, "none.eng"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = base;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, c.exit) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

} // namespace
} // namespace tavo
