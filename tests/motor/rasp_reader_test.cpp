#include "motor/rasp_reader.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include <gtest/gtest.h>

#include "flight/atomic_file.h"
#include "support/test_files.h"

namespace tavo {
namespace {

const std::string kDataDir = TAVOKIT_SOURCE_DIR "/data/motors/";

RaspFile Read(const std::string& text) {
    RaspFile file;
    ReadRaspText(text, file);
    return file;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += l + "\n";
    return s;
}

TEST(RaspReader, ShippedCurvesHaveTheirPublishedImpulses) {
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
        EXPECT_TRUE(m.warnings.empty()) << Joined(m.warnings);
        // Published to three figures.
        EXPECT_NEAR(TotalImpulse(m), c.impulse, c.roundedTo);
        EXPECT_DOUBLE_EQ(BurnTime(m), c.burn);
        EXPECT_DOUBLE_EQ(m.propellantKg, c.propellant);
        EXPECT_DOUBLE_EQ(m.totalKg, c.total);
        EXPECT_FALSE(m.delays.empty());
    }
}

TEST(RaspReader, ThrustAndImpulseFollowTheCurveAndItsSteps) {
    // A first point at t = 0 and a closing step at the last time, as published files
    // have them: both look-ups must stay finite across the zero-width segments.
    const RaspFile f = Read("X 18 70 P 0.01 0.02 Me\r\n0 2\r\n1 10\r\n3 20\r\n4 8\r\n");
    ASSERT_EQ(f.motors.size(), 1u);
    const EngMotor& m = f.motors[0];
    EXPECT_TRUE(m.delays.empty());
    const MotorCurve curve(m);
    const double t[] = {-1.0, 0.0, 0.5, 2.0, 3.5, 4.0, 5.0};
    const double thrust[] = {0.0, 0.0, 6.0, 15.0, 14.0, 8.0, 0.0};
    for (std::size_t i = 0; i < std::size(t); ++i) {
        EXPECT_DOUBLE_EQ(ThrustAt(m, t[i]), thrust[i]) << t[i];
        EXPECT_DOUBLE_EQ(curve.ThrustAt(t[i]), thrust[i]) << t[i];
    }
    // 6 + 30 + 14 N s, and nothing for the closing step.
    EXPECT_DOUBLE_EQ(curve.TotalImpulse(), 50.0);
    EXPECT_DOUBLE_EQ(curve.ImpulseUpTo(2.0), 6.0 + 12.5);
    EXPECT_DOUBLE_EQ(curve.ImpulseUpTo(99.0), 50.0);
    EXPECT_DOUBLE_EQ(BurnTime(m), 4.0);
    EXPECT_DOUBLE_EQ(PeakThrust(m), 20.0);
}

TEST(RaspReader, AcceptsWhatTheFieldWritesWithAWarning) {
    struct Case {
        const char* what;
        const char* text;
        std::size_t points;  // of the one motor read
        const char* warning; // part of its one warning, or "" for none
    } cases[] = {
        {"plain", "C6 18 70 3-5 0.01 0.02 Es\n1 1\n2 0\n", 2, ""},
        {"delays 0-P", "C6 18 70 0-P 0.01 0.02 Es\n1 1\n2 0\n", 2, ""},
        {"delays -", "C6 18 70 - 0.01 0.02 Es\n1 1\n2 0\n", 2, ""},
        {"delays a word", "C6 18 70 Plugged 0.01 0.02 Es\n1 1\n2 0\n", 2, ""},
        {"written origin", "C6 18 70 3 0.01 0.02 Es\n0 0\n1 1\n2 0\n", 2, ""},
        {"tabs, CRLF, trailing blanks", "C6\t18 70 3 .01 .02 Es \r\n\t1\t1 \r\n2 0\r\n", 2, ""},
        {"eight fields", "C6 18 70 3 0.01 0.02 Es x\n1 1\n2 0\n", 2, "first seven"},
        {"start at 0", "C6 18 70 3 0.01 0.02 Es\n0 5\n1 1\n2 0\n", 3, "starts at t = 0"},
        {"repeated time", "C6 18 70 3 0.01 0.02 Es\n1 1\n1 3\n2 0\n", 2, "later point is kept"},
        {"time going back", "C6 18 70 3 0.01 0.02 Es\n1 1\n0.5 3\n2 0\n", 2, "dropped"},
        {"not closed", "C6 18 70 3 0.01 0.02 Es\n1 1\n2 4\n", 3, "closed at 0"},
        {"propellant above total", "C6 18 70 3 0.03 0.02 Es\n1 1\n2 0\n", 2, "exceeds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RaspFile f = Read(c.text);
        ASSERT_EQ(f.motors.size(), 1u);
        EXPECT_TRUE(f.refused.empty());
        const EngMotor& m = f.motors[0];
        EXPECT_EQ(m.points.size(), c.points);
        EXPECT_EQ(m.points.back().thrust, 0.0);
        if (*c.warning == '\0') {
            EXPECT_TRUE(m.warnings.empty()) << Joined(m.warnings);
        } else {
            ASSERT_EQ(m.warnings.size(), 1u) << Joined(m.warnings);
            EXPECT_NE(m.warnings[0].find(c.warning), std::string::npos) << m.warnings[0];
        }
    }
    const RaspFile bom = Read("\xEF\xBB\xBF; c\n  ; indented\nC6 18 70 3 0.01 0.02 Es\n1 1\n2 0\n");
    ASSERT_EQ(bom.motors.size(), 1u);
    EXPECT_EQ(bom.warnings.size(), 2u) << Joined(bom.warnings);
}

TEST(RaspReader, RefusesOneMotorAndKeepsTheOthers) {
    // Each damaged motor sits between two good ones, which must both survive.
    struct Case {
        const char* what;
        const char* motor;
        const char* reason;
    } cases[] = {
        {"B 18 70 3 0.01 0.02\n1 1\n2 0\n", "B", "seven fields"},
        {"B 18 70 3 0.01 0.02 Es\n1 1 1\n2 0\n", "B", "two numbers"},
        {"B 18 70 3 0.01 0.02 Es\n1 1N\n2 0\n", "B", "two numbers"},
        {"B 18 70 3 0.01 0.02 Es\n1 -1\n2 0\n", "B", "negative"},
        {"B 18 70 3 0.01 0.02 Es\n1 nan\n2 0\n", "B", "finite"},
        {"B 18 70 3 0.01 0.02 Es\n1 0\n", "B", "at least two points"},
        {"B 18 70 3 0.01 0.02 Es\n", "B", "at least two points"},
        {"B x 70 3 0.01 0.02 Es\n1 1\n2 0\n", "B", "must be numbers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RaspFile f = Read(std::string("A 18 70 3 0.01 0.02 Es\n1 1\n2 0\n;\n") + c.what +
                                ";\nC 18 70 3 0.01 0.02 Es\n1 1\n2 0\n");
        ASSERT_EQ(f.motors.size(), 2u);
        EXPECT_EQ(f.motors[0].designation, "A");
        EXPECT_EQ(f.motors[1].designation, "C");
        ASSERT_EQ(f.refused.size(), 1u);
        EXPECT_EQ(f.refused[0].motor, c.motor);
        EXPECT_GE(f.refused[0].line, 5u);
        EXPECT_NE(f.refused[0].reason.find(c.reason), std::string::npos) << f.refused[0].reason;
        EXPECT_NE(RefusalText(f.refused[0]).find("motor B, line "), std::string::npos);
    }
    // A new header ends the motor before it without a ";" line.
    EXPECT_EQ(
        Read("A 18 70 3 0.01 0.02 Es\n1 1\n2 0\nB 18 70 3 0.01 0.02 Es\n1 2\n3 0\n").motors.size(),
        2u);
    for (const char* nothing : {"", "; only a comment\n", "\n\n"}) {
        const RaspFile f = Read(nothing);
        EXPECT_TRUE(f.motors.empty() && f.refused.empty());
    }
    EXPECT_EQ(Read("1 1\n2 0\n").refused.size(), 1u);
}

TEST(RaspReader, ReadsEveryPublishedFile) {
    // What each published file departs from the strict format by.
    struct Case {
        const char* file;
        const char* warning; // part of the one warning expected, or ""
    } cases[] = {
        {"AeroTech_G42.eng", "closed at 0"},
        {"AeroTech_G80.eng", ""},
        {"AeroTech_H220.eng", "starts at t = 0"},
        {"AeroTech_J570.eng", ""},
        {"AeroTech_L1256.eng", ""},
        {"ApogeeComponents_B2.eng", ""},
        {"CesaroniTechnology_K510.eng", "repeats"},
        {"CesaroniTechnology_K780.eng", ""},
        {"EstesIndustries_A8.eng", ""},
        {"EstesIndustries_B6.eng", ""},
        {"EstesIndustries_D12.eng", ""},
        {"EstesIndustries_E16.eng", ""},
        {"Klima_C6.eng", ""},
        {"QuestAerospace_18A03.eng", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        RaspFile f;
        std::string reason;
        ASSERT_TRUE(LoadRaspFile(kDataDir + "real/" + c.file, f, reason)) << reason;
        ASSERT_EQ(f.motors.size(), 1u);
        EXPECT_TRUE(f.refused.empty());
        const EngMotor& m = f.motors[0];
        std::cout << c.file << ": " << m.designation << ", " << TotalImpulse(m) << " N s, "
                  << BurnTime(m) << " s, " << m.points.size() << " points"
                  << (m.warnings.empty() ? "" : "; ") << (m.warnings.empty() ? "" : m.warnings[0])
                  << "\n";
        EXPECT_GT(TotalImpulse(m), 0.0);
        if (*c.warning == '\0') {
            EXPECT_TRUE(m.warnings.empty()) << Joined(m.warnings);
        } else {
            ASSERT_EQ(m.warnings.size(), 1u) << Joined(m.warnings);
            EXPECT_NE(m.warnings[0].find(c.warning), std::string::npos) << m.warnings[0];
        }
    }
}

TEST(RaspReader, RefusesWhatIsNoMotorFileAtOnce) {
    const std::string dir = test::FreshDir("motor", "not_a_motor_file");
    const std::string fifo = test::MakePipe(dir, "pipe.eng");
    ASSERT_FALSE(fifo.empty());
    const std::string big = dir + "/big.eng";
    {
        std::ofstream out(big, std::ios::binary);
        out << "C6 18 70 3 0.01 0.02 Es\n";
        out << std::string(kMaxEngFileBytes, ';');
    }
    // A pipe with no writer would block an ordinary open for ever.
    for (const std::string& path : {fifo, dir, big, dir + "/missing.eng"}) {
        SCOPED_TRACE(path);
        RaspFile f;
        f.motors.resize(1);
        std::string reason;
        EXPECT_FALSE(LoadRaspFile(path, f, reason));
        EXPECT_EQ(f.motors.size(), 1u);
        EXPECT_FALSE(reason.empty());
    }
    std::vector<EngMotor> motors;
    std::string reason;
    EXPECT_FALSE(LoadEngFile(fifo, motors, reason));
    EXPECT_EQ(reason, FileNameOf(fifo) + ": a pipe, not a regular file");
}

} // namespace
} // namespace tavo
