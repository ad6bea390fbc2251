#include "flight/flight_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

#include "flight/archive.h"
#include "support/flight_builder.h"
#include "support/test_files.h"

namespace tavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& b, std::initializer_list<int> values) {
    for (int v : values)
        b.push_back(static_cast<std::uint8_t>(v));
}
void AppendText(Bytes& b, const std::string& s) {
    b.push_back(static_cast<std::uint8_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

TEST(FlightFile, TwoSampleVersionFiveIsByteExact) {
    FlightRecord f;
    f.m_pSamples.items() = {"2048", "36864"};
    f.m_nSampleRate = 100;
    f.m_timeDate = 0;
    Bytes expected;
    Append(expected, {5, 0, 0, 0, 2, 0});
    AppendText(expected, "2048");
    AppendText(expected, "36864");
    Append(expected,
           {0, 0, 0, 0, 0, 0, 0x70, 0x41, 0x64, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    expected.resize(52, 0);
    EXPECT_EQ(EncodeFlightFile(f), expected);
}

TEST(FlightFile, LongListsAndTextsUseTheWideForms) {
    FlightRecord f;
    f.m_pSamples.items().assign(65535, "1");
    f.m_strComment.assign(300, 'c');
    const Bytes b = EncodeFlightFile(f);
    EXPECT_EQ(b[4], 0xFF);
    EXPECT_EQ(b[5], 0xFF);
    EXPECT_EQ(b[6], 0xFF); // uint32 65535
    EXPECT_EQ(b[7], 0xFF);
    EXPECT_EQ(b[8], 0);
    EXPECT_EQ(b[9], 0);
    // Comment: 0xFF, 2C 01, then 300 bytes, then three floats.
    const std::size_t at = b.size() - 12 - 300 - 3;
    EXPECT_EQ(b[at], 0xFF);
    EXPECT_EQ(b[at + 1], 0x2C);
    EXPECT_EQ(b[at + 2], 0x01);
    FlightRecord g;
    FileError e;
    ASSERT_TRUE(DecodeFlightFile(b, "x.flt", g, e));
    EXPECT_EQ(g.m_pSamples.size(), 65535u);
    EXPECT_EQ(g.m_strComment, f.m_strComment);
}

Bytes OldFile(int version, int interval) {
    Bytes b;
    ArchiveWriter w(b);
    w.WriteI32(version);
    w.WriteCount(2);
    w.WriteString("2048");
    w.WriteString("2040");
    if (version >= 3) {
        w.WriteI32(7);
        w.WriteF32(16.0f);
    }
    w.WriteI32(interval);
    w.WriteI32(512);
    w.WriteU32(86400);
    w.WriteString("name");
    w.WriteString("motor");
    w.WriteString("comment");
    if (version >= 4) {
        w.WriteF32(0.1f);
        w.WriteF32(0.02f);
        w.WriteF32(0.03f);
    }
    return b;
}

TEST(FlightFile, OldVersionsDeriveTheRateFromTheInterval) {
    test::Flight f;
    FileError e;
    int version = 0;
    ASSERT_TRUE(DecodeFlightFile(OldFile(3, 4), "v3.flt", f, e, &version));
    EXPECT_EQ(version, 3);
    EXPECT_EQ(f.m_nSampleRate, 250);
    EXPECT_EQ(f.m_nAccelOffset, 7);
    EXPECT_EQ(f.m_fTwoGeeFile, 16.0f);
    EXPECT_EQ(f.m_nPreLaunchSetting, 512);
    EXPECT_EQ(f.m_strMotor, "motor");
    ASSERT_TRUE(DecodeFlightFile(OldFile(4, 3), "v4.flt", f, e));
    EXPECT_EQ(f.m_nSampleRate, 333);
    EXPECT_EQ(f.m_fPropellantWeight, 0.02f);
    f.Recompute(); // what is read computes, as an open does
    EXPECT_EQ(f.m_arrAccel.size(), 2u);
}

TEST(FlightFile, VersionTwoKeepsTheEarlierCalibration) {
    FlightRecord f;
    f.m_nAccelOffset = 1999;
    f.m_fTwoGeeFile = 17.5f;
    f.m_fLaunchWeight = 1.25f;
    f.m_fPropellantWeight = 0.5f;
    f.m_fMaxDiameter = 0.1f;
    FileError e;
    ASSERT_TRUE(DecodeFlightFile(OldFile(2, 10), "v2.flt", f, e));
    EXPECT_EQ(f.m_nSampleRate, 100);
    EXPECT_EQ(f.m_nAccelOffset, 1999);
    EXPECT_EQ(f.m_fTwoGeeFile, 17.5f);
    EXPECT_EQ(f.m_fLaunchWeight, 1.25f);
    EXPECT_EQ(f.m_fMaxDiameter, 0.1f);
    EXPECT_EQ(f.m_timeDate, 86400);
}

void ExpectUnchanged(const Bytes& bytes, const std::string& message) {
    FlightRecord f;
    f.m_pSamples.items() = {"1", "2"};
    f.m_nSampleRate = 50;
    f.m_strName = "keep";
    f.m_fLaunchWeight = 3.0f;
    FileError e;
    EXPECT_FALSE(DecodeFlightFile(bytes, "bad.flt", f, e));
    EXPECT_EQ(e.caption, "Error");
    if (!message.empty())
        EXPECT_EQ(e.message, message);
    else
        EXPECT_NE(e.message.find("bad.flt"), std::string::npos);
    EXPECT_EQ(f.m_pSamples.size(), 2u);
    EXPECT_EQ(f.m_nSampleRate, 50);
    EXPECT_EQ(f.m_strName, "keep");
    EXPECT_EQ(f.m_fLaunchWeight, 3.0f);
}

TEST(FlightFile, RefusedFilesLeaveTheFlightAsItWas) {
    // The refusal's own text first, then the file and what was found in it.
    const std::string notFlight =
        "Wrong file type\n\nbad.flt is not a flight file: flight "
        "files begin with their version, 2 to 5, and this one begins with ";
    ExpectUnchanged({6, 0, 0, 0}, notFlight + "6.");
    ExpectUnchanged({1, 0, 0, 0}, notFlight + "1.");
    ExpectUnchanged({0xFF, 0xFF, 0xFF, 0xFF}, notFlight + "-1.");
    ExpectUnchanged(OldFile(3, 0), "Wrong file type\n\nbad.flt is a version 3 flight file with a "
                                   "sample interval of 0 ms, which gives no sample rate.");
    ExpectUnchanged({}, "");
    ExpectUnchanged({5, 0}, "");
    // A count far beyond the bytes that follow is refused before allocation.
    ExpectUnchanged({5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, '1'}, "");
    Bytes truncated = OldFile(4, 10);
    for (std::size_t cut = 4; cut < truncated.size(); cut += 3)
        ExpectUnchanged(Bytes(truncated.begin(), truncated.begin() + static_cast<long>(cut)), "");
}

TEST(FlightFile, SaveAndOpenRoundTrip) {
    test::Flight f;
    f.m_pSamples.items() = {"2048", "2000", "1900", "abc", "-3", "40960"};
    f.m_nSampleRate = 200;
    f.m_nAccelOffset = 2047;
    f.m_fTwoGeeFile = 15.5f;
    f.m_nPreLaunchSetting = 200;
    f.m_timeDate = 1700000000;
    f.m_strName = "Alpha";
    f.m_strMotor = "C6-5";
    f.m_strComment = "line 1\r\nline 2 \xE9";
    f.m_fLaunchWeight = 0.045f;
    f.m_fPropellantWeight = 0.0108f;
    f.m_fMaxDiameter = 0.0245f;
    f.Recompute();
    const std::string path =
        (std::filesystem::temp_directory_path() / "tavokit_roundtrip.flt").string();
    FileError e;
    ASSERT_TRUE(SaveFlightFile(path, f, e)) << e.message;
    test::Flight g;
    ASSERT_TRUE(LoadFlightFile(path, g, e)) << e.message;
    g.Recompute();
    EXPECT_EQ(g.m_pSamples.items(), f.m_pSamples.items());
    EXPECT_EQ(g.m_strComment, f.m_strComment);
    EXPECT_EQ(g.m_timeDate, f.m_timeDate);
    EXPECT_EQ(g.m_fMaxDiameter, f.m_fMaxDiameter);
    EXPECT_EQ(g.m_arrAccel, f.m_arrAccel);
    EXPECT_EQ(g.m_arrVelocity, f.m_arrVelocity);
    EXPECT_EQ(g.m_arrAltitude, f.m_arrAltitude);
    EXPECT_EQ(EncodeFlightFile(g), EncodeFlightFile(f));
    std::remove(path.c_str());
}

TEST(FlightFile, ACutFlightsStartFollowsTheFourteenRowsAndADamagedOneIsDropped) {
    test::Flight f;
    f.m_pSamples.items() = {"1900", "1890", "1900"};
    f.m_nSampleRate = 100;
    const Bytes rows = EncodeFlightFile(f);
    f.m_start = FlightStart{2048.0f, 12.5f, -3.25f};
    f.Recompute();
    const Bytes bytes = EncodeFlightFile(f);
    ASSERT_GT(bytes.size(), rows.size());
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), bytes.begin())) << "rows 1-14 as ever";
    test::Flight g;
    FileError e;
    ASSERT_TRUE(DecodeFlightFile(bytes, "cut.flt", g, e)) << e.message;
    g.Recompute();
    ASSERT_TRUE(g.m_start.has_value());
    EXPECT_EQ(g.m_start->velocity, 12.5f);
    EXPECT_EQ(g.m_arrAltitude, f.m_arrAltitude);
    EXPECT_EQ(g.m_fZeroRef, 2048.0f);

    // Whatever follows the rows and does not check out is ignored, never refused.
    const std::size_t tail = rows.size();
    std::vector<Bytes> damaged(5, bytes);
    damaged[0].back() ^= 1;        // the CRC
    damaged[1][tail + 12] ^= 0x40; // the payload
    damaged[2].pop_back();         // cut short
    damaged[3][tail + 8] = 11;     // a length too short for the payload
    damaged[4].resize(tail);       // bytes of some other program
    Append(damaged[4], {'j', 'u', 'n', 'k'});
    for (const Bytes& d : damaged) {
        FlightRecord h;
        h.m_start = FlightStart{1.0f, 2.0f, 3.0f};
        ASSERT_TRUE(DecodeFlightFile(d, "cut.flt", h, e)) << e.message;
        EXPECT_FALSE(h.m_start.has_value());
        EXPECT_EQ(h.m_pSamples.items(), f.m_pSamples.items());
    }
}

TEST(FlightFile, TheDemoFlightIsWrittenBackByteForByte) {
    // A current-version file: every build, on every system, writes exactly its bytes.
    const std::string demo = TAVOKIT_SOURCE_DIR "/data/demo.flt";
    FlightRecord f;
    FileError e;
    ASSERT_TRUE(LoadFlightFile(demo, f, e)) << e.message;
    const std::string path = test::FreshDir("flight", "demo") + "/demo.flt";
    ASSERT_TRUE(SaveFlightFile(path, f, e)) << e.message;
    EXPECT_EQ(test::ReadFileBytes(path), test::ReadFileBytes(demo));
}

TEST(FlightFile, MissingFileNamesThePath) {
    FlightRecord f;
    FileError e;
    EXPECT_FALSE(LoadFlightFile("/nonexistent/dir/x.flt", f, e));
    EXPECT_NE(e.message.find("/nonexistent/dir/x.flt"), std::string::npos);
    EXPECT_FALSE(SaveFlightFile("/nonexistent/dir/x.flt", f, e));
}

} // namespace
} // namespace tavo
