#include "sim/eng_motor.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

const std::string kDataDir = TAVOKIT_SOURCE_DIR "/data/motors/";

TEST(EngMotor, ShippedCurvesHaveTheirPublishedImpulses) {
    struct Case {
        const char* file;
        const char* designation;
        double impulse, roundedTo, burn, propellant, total;
    } cases[] = {{"C6.eng", "C6", 8.82, 0.005, 1.86, 0.0108, 0.0231},
                 {"F50T.eng", "F50T", 68.7, 0.05, 1.43, 0.0336, 0.0898}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::vector<EngMotor> motors;
        std::string reason;
        ASSERT_TRUE(LoadEngFile(kDataDir + c.file, motors, reason)) << reason;
        ASSERT_EQ(motors.size(), 1u);
        const EngMotor& m = motors[0];
        EXPECT_EQ(m.designation, c.designation);
        // Published to three figures.
        EXPECT_NEAR(TotalImpulse(m), c.impulse, c.roundedTo);
        EXPECT_DOUBLE_EQ(BurnTime(m), c.burn);
        EXPECT_DOUBLE_EQ(m.propellantKg, c.propellant);
        EXPECT_DOUBLE_EQ(m.totalKg, c.total);
        EXPECT_FALSE(m.delays.empty());
    }
}

TEST(EngMotor, ThrustIsInterpolatedFromTheImpliedOrigin) {
    std::vector<EngMotor> motors;
    std::string reason;
    ASSERT_TRUE(ParseEngText("X 18 70 P 0.01 0.02 Me\r\n1 10\r\n3 20\r\n4 0\r\n;", motors, reason))
        << reason;
    const EngMotor& m = motors[0];
    EXPECT_TRUE(m.delays.empty());
    EXPECT_DOUBLE_EQ(ThrustAt(m, -1.0), 0.0);
    EXPECT_DOUBLE_EQ(ThrustAt(m, 0.5), 5.0);
    EXPECT_DOUBLE_EQ(ThrustAt(m, 2.0), 15.0);
    EXPECT_DOUBLE_EQ(ThrustAt(m, 3.5), 10.0);
    EXPECT_DOUBLE_EQ(ThrustAt(m, 5.0), 0.0);
    // 5 + 30 + 10 N s in the three segments.
    EXPECT_DOUBLE_EQ(TotalImpulse(m), 45.0);
    EXPECT_DOUBLE_EQ(ImpulseUpTo(m, 2.0), 5.0 + 12.5);
}

TEST(EngMotor, ReadsSeveralMotorsAndTheirDelays) {
    std::vector<EngMotor> motors;
    std::string reason;
    ASSERT_TRUE(ParseEngText("; two motors\n\nA 18 70 3-5,7 0.01 0.02 Me\n0.5 4\n1 0\n;\n"
                             "B 29 98 0 0.03 0.09 You\n\t0.2\t50\n1.5 0\n",
                             motors, reason))
        << reason;
    ASSERT_EQ(motors.size(), 2u);
    EXPECT_EQ(motors[0].delays, (std::vector<double>{3, 5, 7}));
    EXPECT_EQ(motors[1].designation, "B");
    EXPECT_EQ(motors[1].delays, (std::vector<double>{0}));
    EXPECT_EQ(motors[1].points.size(), 2u);
}

TEST(EngMotor, RefusesMalformedCurvesAndKeepsTheOldList) {
    const char* bad[] = {
        "",                                                    // no motor
        "; only a comment\n",                                  // no motor
        "C6 18 70 3 0.01 0.02\n1 1\n2 0\n",                    // six header fields
        "C6 18 70 3 0.01 0.02 Me extra\n1 1\n2 0\n",           // eight header fields
        "C6 18 70 3 0.03 0.02 Me\n1 1\n2 0\n",                 // propellant above total
        "C6 x 70 3 0.01 0.02 Me\n1 1\n2 0\n",                  // diameter not a number
        "C6 18 70 3-a 0.01 0.02 Me\n1 1\n2 0\n",               // bad delays
        "C6 18 70 3 0.01 0.02 Me\n",                           // no data
        "C6 18 70 3 0.01 0.02 Me\n0 1\n2 0\n",                 // first time not above 0
        "C6 18 70 3 0.01 0.02 Me\n1 1\n1 0\n",                 // repeated time
        "C6 18 70 3 0.01 0.02 Me\n1 1\n0.5 0\n",               // time going back
        "C6 18 70 3 0.01 0.02 Me\n1 1\n2 1\n",                 // no closing zero
        "C6 18 70 3 0.01 0.02 Me\n1 1\n2 0\n3 1\n",            // data after the closing zero
        "C6 18 70 3 0.01 0.02 Me\n1 1 1\n2 0\n",               // three numbers
        "C6 18 70 3 0.01 0.02 Me\n1 -1\n2 0\n",                // negative thrust
        "C6 18 70 3 0.01 0.02 Me\n1 1N\n2 0\n",                // trailing text
        "C6 18 70 3 0.01 0.02 Me\n1 nan\n2 0\n",               // not finite
        "C6 18 70 3 0.01 0.02 Me\n1 1\n2 0\n;\nD 1 1 1 1 1\n", // second header short
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        std::vector<EngMotor> motors(1);
        motors[0].designation = "kept";
        std::string reason;
        EXPECT_FALSE(ParseEngText(text, motors, reason));
        EXPECT_FALSE(reason.empty());
        ASSERT_EQ(motors.size(), 1u);
        EXPECT_EQ(motors[0].designation, "kept");
    }
}

TEST(EngMotor, MissingFileIsReportedWithItsName) {
    std::vector<EngMotor> motors;
    std::string reason;
    EXPECT_FALSE(LoadEngFile(kDataDir + "nothing.eng", motors, reason));
    EXPECT_NE(reason.find("nothing.eng"), std::string::npos);
}

} // namespace
} // namespace tavo
