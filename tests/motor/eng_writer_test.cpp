#include "motor/eng_writer.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "motor/rasp_reader.h"

namespace tavo {
namespace {

TEST(EngWriter, HeaderFieldsThatReadersRefuseOrMisreadAreNamed) {
    const EngHeader good{"C6-5", "18", "70", "3-5-7", "0.0108", "0.0231", "Estes"};
    EXPECT_EQ(EngHeaderFault(good), "");
    struct Case {
        std::string EngHeader::*field;
        const char* value;
        const char* fault; // part of the message
    } cases[] = {
        {&EngHeader::designation, "", "Designation is empty"},
        {&EngHeader::designation, "C6 5", "contains a blank"},
        {&EngHeader::designation, ";C6", "comment"},
        {&EngHeader::designation, "C6\xE9", "plain ASCII"},
        {&EngHeader::designation, "C6\x7F", "plain ASCII"},
        {&EngHeader::manufacturer, "Estes Industries", "Manufacturer \"Estes Industries\""},
        {&EngHeader::manufacturer, "", "Manufacturer is empty"},
        {&EngHeader::delays, "3 5", "Delays"},
        {&EngHeader::diameterMm, "18mm", "Diameter must be a number of mm, 1 or more"},
        {&EngHeader::diameterMm, "0.5", "Diameter must be"},
        {&EngHeader::diameterMm, "-18", "Diameter must be"},
        {&EngHeader::diameterMm, "1e3", "Diameter must be"},
        {&EngHeader::lengthMm, "inf", "Length must be"},
        {&EngHeader::propellantKg, "0", "Propellant must be a number of kg, above 0"},
        {&EngHeader::totalKg, "nan", "Total mass must be"},
        {&EngHeader::propellantKg, "0.03", "cannot weigh more"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EngHeader h = good;
        h.*c.field = c.value;
        EXPECT_NE(EngHeaderFault(h).find(c.fault), std::string::npos) << EngHeaderFault(h);
    }
}

TEST(EngWriter, CurveIsClosedNeverNegativeAndRisingAsWritten) {
    std::string out = "x";
    std::string reason;
    ASSERT_TRUE(AppendEngCurve(out, {{0.01, 5.0}, {0.02, -3.25}, {0.03, 1.0}}, 0.04, reason));
    EXPECT_EQ(out, "x0.010 5.000\r\n0.020 0.000\r\n0.030 1.000\r\n0.040 0.000\r\n");

    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::vector<ThrustPoint> points;
        double close;
        const char* fault;
    } cases[] = {
        {{{0.01, inf}}, 0.02, "not a finite number"},
        {{{0.01, std::nan("")}}, 0.02, "not a finite number"},
        {{{inf, 1.0}}, inf, "not a finite number"},
        {{{0.0004, 1.0}}, 0.001, "first time"},
        {{{0.01, 1.0}, {0.0102, 2.0}}, 0.02, "do not increase"},
        {{{0.01, 1.0}}, 0.01, "do not increase"},
    };
    for (const Case& c : cases) {
        std::string text = "kept";
        EXPECT_FALSE(AppendEngCurve(text, c.points, c.close, reason));
        EXPECT_EQ(text, "kept");
        EXPECT_NE(reason.find(c.fault), std::string::npos) << reason;
    }
}

TEST(EngWriter, WrittenFileReadsBackWithoutAWarning) {
    std::string text;
    AppendEngHeader(text, EngHeader{"C6", "18", "70", "P", "0.0108", "0.0231", "Es"});
    std::string reason;
    ASSERT_TRUE(AppendEngCurve(text, {{0.1, 2.0}, {0.5, 12.0}, {1.5, 4.0}}, 1.8, reason));
    text += ";";
    RaspFile file;
    ReadRaspText(text, file);
    ASSERT_EQ(file.motors.size(), 1u);
    EXPECT_TRUE(file.motors[0].warnings.empty());
    EXPECT_TRUE(file.warnings.empty());
    EXPECT_EQ(file.motors[0].points.size(), 4u);
    EXPECT_DOUBLE_EQ(TotalImpulse(file.motors[0]), 0.1 + 2.8 + 8.0 + 0.6);
}

} // namespace
} // namespace tavo
