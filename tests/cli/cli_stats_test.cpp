// tavokit-cli stats gives the figures of View > Flight Statistics, null where the flight
// does not show them.

#include <gtest/gtest.h>

#include "cli/cli_common.h"
#include "cli_run.h"
#include "flight/flight_file.h"
#include "stats/flight_stats.h"
#include "support/flight_builder.h"

namespace tavo {
namespace {

using testing::JsonField;
using testing::RunCli;
using testing::TempDir;

// 10 counts a g at 100 Hz: pad, 1 s at 5 g (launch), coast to apogee (burn-out), free
// fall, 29.7 s under the chute, stop on the ground, then `rest` samples at rest.
std::string WriteFlight(const std::string& path, int rest) {
    const int phases[][3] = {{100, 0, 0},  {100, 5, 1}, {500, -1, 2}, {50, -1, 4},
                             {2970, 0, 8}, {10, 5, 0},  {rest, 0, 0}};
    test::Flight f;
    for (const auto& [samples, gees, flags] : phases)
        for (int i = 0; i < samples; ++i)
            f.m_pSamples.items().push_back(
                std::to_string((2000 - 10 * gees) | (i == 0 ? flags << 12 : 0)));
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 20.0f;
    FileError error;
    EXPECT_TRUE(SaveFlightFile(path, f, error)) << error.message;
    return path;
}

TEST(CliStats, TheFiguresOfTheLibraryAsJson) {
    const std::string dir = TempDir("stats");
    const std::string landed = WriteFlight(dir + "/landed.flt", 200);
    for (const bool english : {false, true}) {
        std::vector<std::string> args{"stats", landed};
        if (english)
            args.push_back("--english");
        const auto r = RunCli(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        // The same load and switches as the command, through the library.
        test::Flight f;
        ApplyFirstRunSettings(f);
        FileError error;
        ASSERT_TRUE(LoadFlightFile(landed, f, error));
        f.m_bMetricUnits = !english;
        f.Recompute();
        FlightStats s;
        std::string reason;
        ASSERT_TRUE(ComputeFlightStats(f, s, reason));
        const std::pair<const char*, float> figures[] = {{"apogee", s.apogee},
                                                         {"apogeeTime", s.apogeeTime},
                                                         {"maxAccel", s.maxAccel},
                                                         {"maxVelocity", s.maxVelocity},
                                                         {"burnTime", *s.burnTime},
                                                         {"coastTime", *s.coastTime},
                                                         {"descentRate", *s.descentRate},
                                                         {"duration", *s.duration},
                                                         {"landingTime", *s.landingTime}};
        for (const auto& [key, value] : figures)
            EXPECT_EQ(JsonField(r.out, key), cli::FormatFloat(value)) << key;
        EXPECT_EQ(JsonField(r.out, "altitudeUnits"), english ? "ft" : "m");
        EXPECT_EQ(JsonField(r.out, "descentRateUnits"), english ? "ft/s" : "m/s");
    }
    // Half a second on the ground is no landing: those figures are null.
    const auto r = RunCli({"stats", WriteFlight(dir + "/short.flt", 50)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* key : {"landingTime", "descentRate", "duration"})
        EXPECT_EQ(JsonField(r.out, key), "null") << key;
    EXPECT_NE(JsonField(r.out, "burnTime"), "null");

    const auto raw = RunCli({"stats", landed, "--raw"});
    EXPECT_EQ(raw.exitCode, 1);
    EXPECT_NE(raw.err.find("raw display"), std::string::npos);
    EXPECT_EQ(RunCli({"stats"}).exitCode, 2);
}

} // namespace
} // namespace tavo
