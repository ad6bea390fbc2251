#include <cmath>
#include <gtest/gtest.h>

#include "telemetry/telemetry_line.h"

namespace tavo {
namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    TelemetryLineReader reader;
    std::vector<std::string> stored;
    std::string line;
    for (char c : bytes) {
        if (reader.Feed(static_cast<std::uint8_t>(c), line))
            stored.push_back(line);
    }
    return stored;
}

using namespace std::string_literals;

struct LineCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> stored;
};

TEST(TelemetryLineReader, KeepsExactlyTheTwoByteLines) {
    const LineCase cases[] = {
        {"a zero second byte is stored as 1", "\x41\x00\r"s, {"\x41\x01"s}},
        {"a zero first byte stays", "\x00\x35\r"s, {"\x00\x35"s}},
        {"both zero", "\x00\x00\r"s, {"\x00\x01"s}},
        {"three and one bytes are dropped, two kept", "123\r7\r42\r", {"42"}},
        {"a carriage return alone resets", "4\r\r42\r", {"42"}},
        {"a line feed is an ordinary byte", "4\n\r\n42\r", {"4\n"}},
        {"no carriage return, nothing stored", "42", {}},
        {"a zero after two bytes makes the line too long", "42\x00\r"s, {}},
        {"a long line then a good one", std::string(100000, '9') + "\r17\r", {"17"}},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(Lines(c.bytes), c.stored) << c.what;
}

TEST(TelemetryLineReader, StoredLinesReadAsTheirLeadingDigits) {
    EXPECT_EQ(ParseSampleWord(Lines("42\r")[0]), 42);
    EXPECT_EQ(ParseSampleWord(Lines("\x00\x35\r"s)[0]), 0);
    EXPECT_EQ(ParseSampleWord(Lines("7A\r")[0]), 7);
}

TEST(DacToAltitude, FeetFromTheSensorReading) {
    // Worked independently in double precision from the sensor's formula.
    const std::pair<float, float> cases[] = {
        {0.0f, 50860.0f},  // 10.6 kPa: the top of the sensor's range
        {42.0f, 50741.0f}, //
        {54600.0f, 3.0f},  // one standard atmosphere, near enough
        {54650.0f, 18.0f}, // above one atmosphere the height below sea level is made positive
        {30000.0f, 13625.0f},
    };
    for (const auto& [dac, feet] : cases)
        EXPECT_EQ(DacToAltitude(dac), feet) << dac;
    // No pressure to take a root of, and a reading far past the sensor's range.
    EXPECT_TRUE(std::isnan(DacToAltitude(-1000000.0f)));
    EXPECT_TRUE(std::isfinite(DacToAltitude(2147483647.0f)));
}

TEST(TelemetryListLines, HeaderThenValueAndAltitude) {
    SampleList samples;
    for (const std::string& s : {"42"s, "\x41\x01"s, "\x00\x35"s, "54650"s})
        samples.AppendLocked(s);
    const std::vector<std::string> expected = {"DAC value\tAltitude", "42\t50741", "0\t50860",
                                               "0\t50860", "54650\t18"};
    EXPECT_EQ(TelemetryListLines(samples), expected);
}

} // namespace
} // namespace tavo
