// tavokit-cli on flight files, run as a separate program: its figures must equal the
// flight record's own computation under every combination of the flight options.

#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include "cli_run.h"
#include "flight/archive.h"
#include "flight/flight_file.h"

namespace tavo {
namespace {

using testing::JsonField;
using testing::RunCli;
using testing::TempDir;

enum OptionBit {
    kEnglish = 1,
    kNoGees = 2,
    kRaw = 4,
    kUseOffset = 8,
    kTwoGee = 16,
    kRate = 32,
    kDetails = 64
};
constexpr int kAllCombinations = 128;

std::vector<std::string> OptionArgs(int mask) {
    std::vector<std::string> a;
    if (mask & kEnglish)
        a.push_back("--english");
    if (mask & kNoGees)
        a.push_back("--no-gees");
    if (mask & kRaw)
        a.push_back("--raw");
    if (mask & kUseOffset)
        a.push_back("--use-offset");
    if (mask & kTwoGee)
        a.insert(a.end(), {"--two-gee", "12.5"});
    if (mask & kRate)
        a.insert(a.end(), {"--rate", "250"});
    if (mask & kDetails)
        a.insert(a.end(), {"--weight", "0.09", "--propellant", "0.0108", "--diameter", "0.0245"});
    return a;
}

// The same document state set by hand, as a freshly installed program has it.
void ApplyByHand(FlightRecord& f, int mask) {
    f.m_bMetricUnits = !(mask & kEnglish);
    f.m_bAccelInGees = !(mask & kNoGees);
    f.m_bDisplayRaw = (mask & kRaw) != 0;
    f.m_bUseAccelOffset = (mask & kUseOffset) != 0;
    if (mask & kTwoGee) {
        f.m_bUseFileTwoGee = false;
        f.m_fTwoGee = 12.5f;
    }
    if (mask & kRate)
        f.m_nSampleRate = 250;
    if (mask & kDetails) {
        f.m_fLaunchWeight = 0.09f;
        f.m_fPropellantWeight = 0.0108f;
        f.m_fMaxDiameter = 0.0245f;
    }
    f.Recompute();
}

// A recorder-like flight: pad readings near 505, a boost, a coast, flags on the way.
std::string MakeFlight(const std::string& dir, int n) {
    FlightRecord f;
    unsigned state = 12345u + static_cast<unsigned>(n);
    for (int i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        const int noise = static_cast<int>((state >> 16) % 3) - 1;
        int reading = i < n / 10 ? 505 : i < n / 5 ? 380 : 512;
        int word = reading + noise;
        if (n >= 10) {
            if (i == n / 10)
                word |= 1 << 12;
            if (i == n / 5)
                word |= 1 << 13;
            if (i == n / 2)
                word |= 1 << 14;
            if (i == n / 2 + 7)
                word |= 1 << 15;
        }
        f.m_pSamples.items().push_back(std::to_string(word));
    }
    f.m_nSampleRate = 100;
    f.m_nAccelOffset = 505;
    f.m_fTwoGeeFile = 15.0f;
    f.m_strName = "Flight " + std::to_string(n);
    f.m_timeDate = 1700000000;
    const std::string path = dir + "/flight" + std::to_string(n) + ".flt";
    FileError e;
    EXPECT_TRUE(SaveFlightFile(path, f, e));
    return path;
}

// A printed float must read back to exactly the float, or be the right non-finite word.
void ExpectSameFloat(const std::string& text, float expected, const std::string& where) {
    if (std::isnan(expected)) {
        EXPECT_EQ(text, "nan") << where;
        return;
    }
    if (std::isinf(expected)) {
        EXPECT_EQ(text, expected > 0 ? "inf" : "-inf") << where;
        return;
    }
    char* end = nullptr;
    const float got = std::strtof(text.c_str(), &end);
    EXPECT_EQ(*end, '\0') << where << ": " << text;
    EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0)
        << where << ": " << text << " vs " << expected;
}

void CheckInfo(const std::string& path, int mask) {
    std::vector<std::string> args = {"info", path};
    const std::vector<std::string> options = OptionArgs(mask);
    args.insert(args.end(), options.begin(), options.end());
    const testing::CliResult r = RunCli(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    FlightRecord f;
    FileError e;
    ASSERT_TRUE(LoadFlightFile(path, f, e));
    ApplyByHand(f, mask);
    const std::string where = path + " mask " + std::to_string(mask);
    EXPECT_EQ(JsonField(r.out, "version"), "5");
    EXPECT_EQ(JsonField(r.out, "samples"), std::to_string(f.m_pSamples.size()));
    EXPECT_EQ(JsonField(r.out, "sampleRate"), std::to_string(f.m_nSampleRate));
    ExpectSameFloat(JsonField(r.out, "sampleInterval"), f.m_fSampleInterval, where);
    ExpectSameFloat(JsonField(r.out, "twoGee"), f.m_fTwoGee, where);
    ExpectSameFloat(JsonField(r.out, "launchWeight"), f.m_fLaunchWeight, where);
    EXPECT_EQ(JsonField(r.out, "events"), "{\"1\":" + std::to_string(f.m_nEvent1) +
                                              ",\"2\":" + std::to_string(f.m_nEvent2) +
                                              ",\"4\":" + std::to_string(f.m_nEvent4) +
                                              ",\"8\":" + std::to_string(f.m_nEvent8) + "}");
    const std::pair<const char*, float> ranges[] = {
        {"accelMin", f.m_fAccelMin}, {"accelMax", f.m_fAccelMax}, {"velMin", f.m_fVelMin},
        {"velMax", f.m_fVelMax},     {"altMin", f.m_fAltMin},     {"altMax", f.m_fAltMax}};
    for (const auto& [key, value] : ranges)
        ExpectSameFloat(JsonField(r.out, key), value, where + " " + key);
    EXPECT_EQ(JsonField(r.out, "date"), "2023-11-14T22:13:20Z");
}

void CheckCurves(const std::string& path, int mask) {
    std::vector<std::string> args = {"curves", path};
    const std::vector<std::string> options = OptionArgs(mask);
    args.insert(args.end(), options.begin(), options.end());
    const testing::CliResult r = RunCli(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    FlightRecord f;
    FileError e;
    ASSERT_TRUE(LoadFlightFile(path, f, e));
    ApplyByHand(f, mask);
    std::istringstream lines(r.out);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "index,word,accel,velocity,altitude,cd");
    std::size_t i = 0;
    int mismatches = 0;
    for (; std::getline(lines, line) && mismatches < 5; ++i) {
        ASSERT_LT(i, f.m_pSamples.size());
        std::vector<std::string> cells;
        std::stringstream cellStream(line);
        std::string cell;
        while (std::getline(cellStream, cell, ','))
            cells.push_back(cell);
        ASSERT_EQ(cells.size(), 6u) << line;
        const std::string where =
            path + " mask " + std::to_string(mask) + " line " + std::to_string(i);
        if (cells[0] != std::to_string(i) || cells[1] != f.m_pSamples.items()[i])
            ++mismatches;
        EXPECT_EQ(cells[0], std::to_string(i)) << where;
        EXPECT_EQ(cells[1], f.m_pSamples.items()[i]) << where;
        ExpectSameFloat(cells[2], f.m_arrAccel[i], where + " accel");
        ExpectSameFloat(cells[3], f.m_arrVelocity[i], where + " velocity");
        ExpectSameFloat(cells[4], f.m_arrAltitude[i], where + " altitude");
        ExpectSameFloat(cells[5], f.m_arrCd[i], where + " cd");
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_EQ(i, f.m_pSamples.size());
}

class CliFlightSizes : public ::testing::TestWithParam<int> {};

TEST_P(CliFlightSizes, InfoAndCurvesMatchTheRecordUnderEveryOptionCombination) {
    const std::string path = MakeFlight(TempDir("sizes"), GetParam());
    for (int mask = 0; mask < kAllCombinations && !HasFailure(); ++mask) {
        CheckInfo(path, mask);
        // The longest flight's curves are checked under the unit and reference
        // switches and under every option at once; the rest under all combinations.
        if (GetParam() < 70000 || mask < 16 || mask == kAllCombinations - 1)
            CheckCurves(path, mask);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CliFlightSizes, ::testing::Values(1, 32768, 70000));

TEST(CliFlight, OneSampleFlightAtRest) {
    const std::string path = MakeFlight(TempDir("one"), 1);
    const testing::CliResult r = RunCli({"curves", path, "--no-gees"});
    ASSERT_EQ(r.exitCode, 0);
    FlightRecord f;
    FileError e;
    ASSERT_TRUE(LoadFlightFile(path, f, e));
    EXPECT_EQ(r.out, "index,word,accel,velocity,altitude,cd\n0," + f.m_pSamples.items()[0] +
                         ",0,0,0,nan\n");
    const testing::CliResult info = RunCli({"info", path});
    EXPECT_EQ(JsonField(info.out, "accelMax"), "0");
    EXPECT_EQ(JsonField(info.out, "altMax"), "0");
}

TEST(CliFlight, FailuresAndUsage) {
    const std::string dir = TempDir("failures");
    testing::CliResult r = RunCli({"info", dir + "/missing.flt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("missing.flt"), std::string::npos);
    {
        FILE* out = std::fopen((dir + "/v6.flt").c_str(), "wb");
        std::fwrite("\x06\0\0\0", 1, 4, out);
        std::fclose(out);
    }
    r = RunCli({"info", dir + "/v6.flt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Wrong file type\n");
    // A damaged file, cut short anywhere or claiming more samples than it holds.
    const std::string whole = MakeFlight(dir, 20);
    std::vector<char> bytes(std::filesystem::file_size(whole));
    {
        FILE* in = std::fopen(whole.c_str(), "rb");
        ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), in), bytes.size());
        std::fclose(in);
    }
    for (std::size_t cut : {std::size_t{3}, std::size_t{7}, bytes.size() / 2, bytes.size() - 1}) {
        FILE* out = std::fopen((dir + "/short.flt").c_str(), "wb");
        std::fwrite(bytes.data(), 1, cut, out);
        std::fclose(out);
        r = RunCli({"info", dir + "/short.flt"});
        EXPECT_EQ(r.exitCode, 1) << cut;
        EXPECT_NE(r.err.find("short.flt"), std::string::npos) << r.err;
    }
    {
        FILE* out = std::fopen((dir + "/huge.flt").c_str(), "wb");
        std::fwrite("\x05\0\0\0\xff\xff\xff\xff\xff\xff\x01\x31", 1, 12, out);
        std::fclose(out);
    }
    r = RunCli({"curves", dir + "/huge.flt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(RunCli({"info"}).exitCode, 2);
    EXPECT_EQ(RunCli({"info", "a.flt", "--bogus"}).exitCode, 2);
    EXPECT_EQ(RunCli({"info", "a.flt", "--rate"}).exitCode, 2);
    EXPECT_EQ(RunCli({"nosuchcommand"}).exitCode, 2);
    EXPECT_EQ(RunCli({"--help"}).exitCode, 0);
    EXPECT_EQ(RunCli({"cut", "--help"}).exitCode, 0);
    const std::string flight = MakeFlight(dir, 10);
    EXPECT_EQ(RunCli({"info", flight, "--two-gee", "abc"}).exitCode, 2);
    EXPECT_EQ(RunCli({"cut", flight, dir + "/o.flt"}).exitCode, 2);
    EXPECT_EQ(RunCli({"edit", flight, dir + "/o.flt", "--date", "2023-02-29"}).exitCode, 2);
}

TEST(CliFlight, ConvertEditAndCutWriteFiles) {
    const std::string dir = TempDir("write");
    // A version 3 file: interval 4 ms reads as 250 Hz and is written back as version 5.
    std::vector<std::uint8_t> bytes;
    ArchiveWriter w(bytes);
    w.WriteI32(3);
    w.WriteCount(3);
    for (const char* s : {"505", "400", "505"})
        w.WriteString(s);
    w.WriteI32(505);
    w.WriteF32(15.0f);
    w.WriteI32(4);
    w.WriteI32(0);
    w.WriteU32(0);
    for (int k = 0; k < 3; ++k)
        w.WriteString("");
    FILE* out = std::fopen((dir + "/v3.flt").c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    ASSERT_EQ(RunCli({"convert", dir + "/v3.flt", dir + "/v5.flt"}).exitCode, 0);
    testing::CliResult r = RunCli({"info", dir + "/v5.flt"});
    EXPECT_EQ(JsonField(r.out, "version"), "5");
    EXPECT_EQ(JsonField(r.out, "sampleRate"), "250");

    ASSERT_EQ(RunCli({"edit", dir + "/v5.flt", dir + "/e.flt", "--name", "Zo\xC3\xAB", "--motor",
                      "C6-5", "--comment", "two\nlines", "--date", "2024-02-29", "--weight", "0.05",
                      "--two-gee-file", "16"})
                  .exitCode,
              0);
    FlightRecord f;
    FileError e;
    ASSERT_TRUE(LoadFlightFile(dir + "/e.flt", f, e));
    EXPECT_EQ(f.m_strName, "Zo\xEB"); // stored as Windows-1252
    EXPECT_EQ(f.m_strComment, "two\nlines");
    EXPECT_EQ(f.m_timeDate, 1709164800);
    EXPECT_EQ(f.m_fLaunchWeight, 0.05f);
    EXPECT_EQ(f.m_fTwoGeeFile, 16.0f);
    r = RunCli({"info", dir + "/e.flt"});
    EXPECT_EQ(JsonField(r.out, "name"), "Zo\xC3\xAB");

    const std::string flight = MakeFlight(dir, 10);
    ASSERT_EQ(RunCli({"cut", flight, dir + "/c.flt", "--between", "2", "5"}).exitCode, 0);
    ASSERT_TRUE(LoadFlightFile(dir + "/c.flt", f, e));
    EXPECT_EQ(f.m_pSamples.size(), 7u);
    ASSERT_EQ(RunCli({"cut", flight, dir + "/c.flt", "--before", "4"}).exitCode, 0);
    ASSERT_TRUE(LoadFlightFile(dir + "/c.flt", f, e));
    EXPECT_EQ(f.m_pSamples.size(), 6u);
    ASSERT_EQ(RunCli({"cut", flight, dir + "/c.flt", "--after", "3"}).exitCode, 0);
    ASSERT_TRUE(LoadFlightFile(dir + "/c.flt", f, e));
    EXPECT_EQ(f.m_pSamples.size(), 3u);
    // Failed conditions exit 1 and leave no file behind.
    EXPECT_EQ(RunCli({"cut", flight, dir + "/f.flt", "--between", "5", "5"}).exitCode, 1);
    EXPECT_EQ(RunCli({"cut", flight, dir + "/f.flt", "--after", "10"}).exitCode, 1);
    EXPECT_EQ(RunCli({"cut", flight, dir + "/f.flt", "--before", "-1"}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "/f.flt"));
}

} // namespace
} // namespace tavo
