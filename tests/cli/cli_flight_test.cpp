// tavokit-cli on flight files, run as a separate program: its figures under the flight
// options must be the ones worked out independently below.

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "cli_run.h"
#include "flight/archive.h"
#include "flight/flight_file.h"

namespace tavo {
namespace {

using testing::JsonField;
using testing::RunCli;
using testing::TempDir;

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

// The tiny flight every case below reads: 4 Hz, two-G value 20 (10 counts per g),
// acceleration offset 505, readings 500 (on the pad), 480, 470, 500, 510, 500, with the
// event flags 1, 2, 4 and 8 on samples 1, 3, 4 and 5.
std::string TinyFlight(const std::string& dir) {
    FlightRecord f;
    f.m_pSamples.items() = {"500", "4576", "470", "8692", "16894", "33268"};
    f.m_nSampleRate = 4;
    f.m_fTwoGeeFile = 20.0f;
    f.m_nAccelOffset = 505;
    f.m_timeDate = 1700000000;
    const std::string path = dir + "/tiny.flt";
    FileError e;
    EXPECT_TRUE(SaveFlightFile(path, f, e));
    return path;
}

// The figures were worked out independently of the program. By hand, without options:
// g = (first reading - reading) / (20 / 2) gives 0, 2, 3, 0, -1, 0. Each sample's
// acceleration in m/s^2 is a = float(g * 9.81) (19.62 is 19.6200008 as a float); the
// velocity steps by a * dt and the altitude by the new velocity * dt with dt = 1/4 s,
// each sum rounded to float: v = 0, 4.905, 12.2625, 12.2625, 9.81, 9.81 and
// h = 0, 1.22625, 4.291875, 7.3575, 9.81, 12.2625 (printed to nine digits). The other
// rows differ only in: m/s^2 as the curve (--no-gees); ft/s^2 = a * 3.2808399, mph =
// v * 2.2369363, ft = h * 3.2808399 (--english); raw counts as the curve and g = the
// count itself (--raw); dt = 1/8 (--rate 8); zero reference 505 (--use-offset); counts
// per g 12.5 / 2 (--two-gee 12.5); Cd = |2 a W / (float(1.2) pi (D/2)^2 v^2)| with v
// the velocity before the sample (infinite for v = 0, --weight W --diameter D). Every
// digit below was printed by this independent float emulation (Python):
//   f = lambda x: struct.unpack('f', struct.pack('f', x))[0]
//   dt = f(1/rate); v = h = 0; area = f(1.2) * math.pi * f(f(D) * f(.5))**2
//   for x in readings:
//       g = x if raw else f((zero - x) / half); a = f(g * 9.81)
//       curve = g if gees or raw else (a if metric else f(a * 3.2808399))
//       n = f(f(2 * a) * f(W)); cd = f(abs(n / (area * (v * v))))   # 0/0 nan, n/0 inf
//       v = f(v + f(a * dt)); h = f(h + f(v * dt))
//       print(curve, v if metric else f(v * 2.2369363), h if metric else f(h * 3.2808399), cd)
// The ranges start from 0: the smallest and largest curve and velocity values, the
// largest altitude; the lowest altitude is always 0.
struct FlightCase {
    std::vector<std::string> options;
    const char* rows; // accel,velocity,altitude,cd per sample
    const char* interval;
    const char* twoGee;
    const char* accelMin;
    const char* accelMax;
    const char* velMax;
    const char* altMax;
};

const FlightCase kFlightCases[] = {
    {{},
     "0,0,0,nan|2,4.90500021,1.22625005,nan|3,12.2625008,4.29187536,nan|"
     "0,12.2625008,7.35750055,nan|-1,9.81000042,9.81000042,nan|0,9.81000042,12.2625008,nan",
     "0.25",
     "20",
     "-1",
     "3",
     "12.2625008",
     "12.2625008"},
    {{"--no-gees"},
     "0,0,0,nan|19.6200008,4.90500021,1.22625005,nan|29.4300003,12.2625008,4.29187536,nan|"
     "0,12.2625008,7.35750055,nan|-9.81000042,9.81000042,9.81000042,nan|"
     "0,9.81000042,12.2625008,nan",
     "0.25",
     "20",
     "-9.81000042",
     "29.4300003",
     "12.2625008",
     "12.2625008"},
    {{"--no-gees", "--english"},
     "0,0,0,nan|64.370079,10.9721727,4.02312994,nan|96.5551224,27.4304333,14.0809555,nan|"
     "0,27.4304333,24.1387806,nan|-32.1850395,21.9443455,32.1850395,nan|"
     "0,21.9443455,40.2313004,nan",
     "0.25",
     "20",
     "-32.1850395",
     "96.5551224",
     "27.4304333",
     "40.2313004"},
    {{"--raw", "--rate", "8"},
     "500,613.125,76.640625,nan|480,1201.72498,226.856247,nan|470,1778.0625,449.114075,nan|"
     "500,2391.1875,748.012512,nan|510,3016.57495,1125.08435,nan|"
     "500,3629.69995,1578.79688,nan",
     "0.125",
     "20",
     "0",
     "510",
     "3629.69995",
     "1578.79688"},
    {{"--use-offset", "--two-gee", "12.5"},
     "0.800000012,1.96200001,0.490500003,nan|4,11.7720003,3.43350005,nan|"
     "5.5999999,25.5060005,9.81000042,nan|0.800000012,27.4680004,16.677,nan|"
     "-0.800000012,25.5060005,23.0535011,nan|0.800000012,27.4680004,29.9205017,nan",
     "0.25",
     "12.5",
     "-0.800000012",
     "5.5999999",
     "27.4680004",
     "29.9205017"},
    {{"--english", "--weight", "0.1", "--diameter", "0.05"},
     "0,0,0,nan|2,10.9721727,4.02312994,inf|3,27.4304333,14.0809555,103.831955|"
     "0,27.4304333,24.1387806,0|-1,21.9443455,32.1850395,5.53770447|"
     "0,21.9443455,40.2313004,0",
     "0.25",
     "20",
     "-1",
     "3",
     "27.4304333",
     "40.2313004"},
};

std::string Joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words)
        out += (out.empty() ? "" : " ") + w;
    return out;
}

TEST(CliFlight, OptionsGiveTheWorkedFigures) {
    const std::string path = TinyFlight(TempDir("tiny"));
    const char* const words[] = {"500", "4576", "470", "8692", "16894", "33268"};
    for (const FlightCase& c : kFlightCases) {
        SCOPED_TRACE(Joined(c.options));
        std::vector<std::string> args = {"curves", path};
        args.insert(args.end(), c.options.begin(), c.options.end());
        testing::CliResult r = RunCli(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        std::string expected = "index,word,accel,velocity,altitude,cd\n";
        std::stringstream rows(c.rows);
        std::string row;
        for (int i = 0; std::getline(rows, row, '|'); ++i)
            expected += std::to_string(i) + "," + words[i] + "," + row + "\n";
        EXPECT_EQ(r.out, expected);

        args[0] = "info";
        r = RunCli(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(JsonField(r.out, "samples"), "6");
        EXPECT_EQ(JsonField(r.out, "sampleInterval"), c.interval);
        EXPECT_EQ(JsonField(r.out, "twoGee"), c.twoGee);
        EXPECT_EQ(JsonField(r.out, "twoGeeFile"), "20");
        EXPECT_EQ(JsonField(r.out, "accelOffset"), "505");
        EXPECT_EQ(JsonField(r.out, "events"), "{\"1\":1,\"2\":3,\"4\":4,\"8\":5}");
        EXPECT_EQ(JsonField(r.out, "accelMin"), c.accelMin);
        EXPECT_EQ(JsonField(r.out, "accelMax"), c.accelMax);
        EXPECT_EQ(JsonField(r.out, "velMin"), "0");
        EXPECT_EQ(JsonField(r.out, "velMax"), c.velMax);
        EXPECT_EQ(JsonField(r.out, "altMin"), "0");
        EXPECT_EQ(JsonField(r.out, "altMax"), c.altMax);
        EXPECT_EQ(JsonField(r.out, "date"), "2023-11-14T22:13:20Z");
    }
}

// More samples than the file's short count form holds, all at rest: every figure is 0
// and every Cd 0/0.
TEST(CliFlight, LongFlightAtRest) {
    const std::string dir = TempDir("long");
    constexpr int kSamples = 70000;
    FlightRecord f;
    f.m_pSamples.items().assign(kSamples, "2048");
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 15.0f;
    FileError e;
    ASSERT_TRUE(SaveFlightFile(dir + "/long.flt", f, e));
    const testing::CliResult r = RunCli({"curves", dir + "/long.flt", "--no-gees", "--english"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string expected = "index,word,accel,velocity,altitude,cd\n";
    for (int i = 0; i < kSamples; ++i)
        expected += std::to_string(i) + ",2048,0,0,0,nan\n";
    EXPECT_TRUE(r.out == expected) << r.out.substr(0, 200);
    const testing::CliResult info = RunCli({"info", dir + "/long.flt"});
    EXPECT_EQ(JsonField(info.out, "samples"), "70000");
    EXPECT_EQ(JsonField(info.out, "sampleInterval"), "0.00999999978");
    EXPECT_EQ(JsonField(info.out, "velMax"), "0");
}

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
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "Wrong file type");
    EXPECT_NE(r.err.find("\n\nv6.flt is not a flight file"), std::string::npos);
    // Neither waited on nor read to the size limit: refused with the name and why.
    ASSERT_EQ(::mkfifo((dir + "/pipe.flt").c_str(), 0600), 0);
    for (const auto& [path, why] :
         {std::pair<std::string, std::string>{dir + "/pipe.flt", "a pipe"},
          {"/dev/zero", "a device"}}) {
        r = RunCli({"info", path});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "Cannot open " + path + "\n\n" + why + ", not a regular file\n");
    }
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
