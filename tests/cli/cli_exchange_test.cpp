// tavokit-cli export-csv, export-eng and import-rdas, run as a separate program: the
// files must be the exporters' own bytes, failures the desktop program's messages.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "cli_run.h"
#include "exchange/csv_export.h"
#include "exchange/eng_export.h"
#include "flight/flight_file.h"
#include "support/flight_builder.h"

namespace tavo {
namespace {

using testing::RunCli;
using testing::TempDir;

const std::string kDemo = TAVOKIT_SOURCE_DIR "/data/demo.flt";
const std::string kRdas = TAVOKIT_SOURCE_DIR "/tests/exchange/golden/";

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliExchange : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC0", 1); // the child's date line and ours must agree
        ::tzset();
        FileError error;
        ASSERT_TRUE(LoadFlightFile(kDemo, demo, error)) << error.message;
        dir = TempDir("cli_exchange");
    }
    test::Flight demo;
    std::string dir;
};

TEST_F(CliExchange, ExportCsvWritesTheExportAndHonoursFlightOptions) {
    auto r = RunCli({"export-csv", kDemo, dir + "/demo.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Bytes(dir + "/demo.csv"), BuildCsvText(demo));

    r = RunCli({"export-csv", kDemo, dir + "/demo16.csv", "--two-gee", "16", "--weight", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    demo.m_bUseFileTwoGee = false;
    demo.Settings().m_fTwoGee = 16.0f;
    demo.m_fLaunchWeight = 1.0f;
    demo.Recompute();
    EXPECT_EQ(Bytes(dir + "/demo16.csv"), BuildCsvText(demo));

    r = RunCli({"export-csv", kDemo, dir + "/no/such/dir.csv"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("Could not write dir.csv\n\n", 0), 0u) << r.err;
    r = RunCli({"export-csv", kDemo});
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(CliExchange, ExportEngWritesTheCurveBetweenTheIndices) {
    testing::CliResult r;
    std::string expected, reason;
    // The default places the points where the curve bends; even spacing gives the file
    // the document has always written. Either way the figures are said beside the measured.
    for (const EngSpacing spacing : {EngSpacing::Shape, EngSpacing::Even}) {
        const char* word = spacing == EngSpacing::Even ? "even" : "shape";
        r = RunCli({"export-eng",
                    kDemo,
                    dir + "/c6.eng",
                    "--c1",
                    "256",
                    "--c2",
                    "440",
                    "--points",
                    "30",
                    "--designation",
                    "C6",
                    "--diameter-mm",
                    "18",
                    "--length-mm",
                    "70",
                    "--delays",
                    "5",
                    "--pre-fire",
                    "0.0231",
                    "--post-fire",
                    "0.0123",
                    "--manufacturer",
                    "Es",
                    "--spacing",
                    word});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EngExportParams params{"C6", "18", "70", "5", "0.0231", "0.0123", "Es", 30};
        params.spacing = spacing;
        EngExportFigures figures;
        ASSERT_TRUE(BuildEngText(demo, {256, 440}, params, expected, reason, &figures));
        EXPECT_EQ(Bytes(dir + "/c6.eng"), expected) << word;
        EXPECT_EQ(r.out, EngExportFiguresText(figures) + "\n");
    }
    EXPECT_EQ(expected.rfind("C6 18 70 5 0.0108 0.0231 Es \r\n", 0), 0u);

    struct Case {
        std::vector<std::string> extra;
        int exit;
        std::string err;
    } cases[] = {
        {{"--c1", "256", "--c2", "440", "--points", "0"}, 2, "must not be 0"},
        {{"--c1", "256", "--c2", "440", "--points", "x"}, 2, "whole number"},
        {{"--c1", "256", "--points", "5"}, 2, "--c2 is required"},
        {{"--c1", "256", "--c2", "999999", "--points", "5"}, 1, "Nothing to Export\n\nC2"},
        {{"--c1", "439", "--c2", "256", "--points", "5"},
         1,
         "Nothing to Export\n\nC1 (sample 439) stands after C2 (sample 256)"},
        {{"--c1", "1", "--c2", "40", "--points", "5", "--weight", "0"},
         1,
         "Please enter a weight in the details section.\n"},
        {{"--c1", "1", "--c2", "40", "--points", "5", "--propellant", "0"},
         1,
         "Please enter a propellant weight in the details section.\n"},
        // With every header field given: what no reader could load is refused.
        {{"--c1", "256", "--c2", "440", "--points", "5", "--manufacturer", "Estes Industries"},
         2,
         "contains a blank"},
        {{"--c1", "256", "--c2", "440", "--points", "5", "--designation", "C6\xC3\xA9"},
         2,
         "plain ASCII"},
        {{"--c1", "256", "--c2", "440", "--points", "5", "--post-fire", "0.0231"},
         2,
         "less than the pre-fire weight"},
        {{"--c1", "256", "--c2", "440", "--points", "5", "--thrust", "up"}, 2, "motor or net"},
        {{"--c1", "256", "--c2", "440", "--points", "5", "--spacing", "log"}, 2, "shape or even"},
        // The rocket's diameter is no motor's: a motor file's diameter must be given.
        {{"--c1", "256", "--c2", "440", "--points", "5", "--diameter-mm", ""}, 2, "Diameter is"},
        // Nothing the flight would suggest survives these either.
        {{"--c1", "256", "--c2", "440", "--points", "5", "--two-gee", "0", "--designation", "C6"},
         1,
         "not a finite"},
        {{"--c1", "256", "--c2", "440", "--points", "5", "--rate", "0", "--thrust", "net",
          "--designation", "C6"},
         1,
         "not a finite"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {
            "export-eng", kDemo,        dir + "/bad.eng", "--length-mm",    "70", "--delays",
            "5",          "--pre-fire", "0.0231",         "--manufacturer", "Es", "--diameter-mm",
            "18"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        r = RunCli(args);
        EXPECT_EQ(r.exitCode, c.exit) << c.extra[c.extra.size() - 1];
        if (c.err.back() == '\n') {
            EXPECT_EQ(r.err, c.err);
        } else if (!c.err.empty()) {
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        }
        EXPECT_FALSE(std::filesystem::exists(dir + "/bad.eng"));
    }
}

TEST_F(CliExchange, ExportEngFillsInWhatTheFlightKnows) {
    // The demo flight: a C6 on a 24.6 mm rocket deployed 5 s after burn-out, 10.8 g of
    // propellant; the net force has the lower average thrust.
    std::vector<std::string> designations;
    for (const char* thrust : {"motor", "net"}) {
        const auto r =
            RunCli({"export-eng", kDemo, dir + "/filled.eng", "--c1", "256", "--c2", "439",
                    "--points", "20", "--length-mm", "70", "--pre-fire", "0.0231", "--manufacturer",
                    "Estes", "--thrust", thrust, "--diameter-mm", "18"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::string text = Bytes(dir + "/filled.eng");
        EXPECT_EQ(text.find(" 18 70 5 0.0108 0.0231 Estes \r\n"), 2u) << text;
        EXPECT_EQ(text[0], 'C') << text;
        designations.push_back(text.substr(0, 2));
    }
    EXPECT_GT(designations[0], designations[1]);
}

TEST_F(CliExchange, ImportRdasMakesAFlightOrKeepsTheOneGiven) {
    auto r = RunCli({"import-rdas", kRdas + "rdas_three_columns.txt", dir + "/fresh.flt"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Flight fresh;
    FileError error;
    ASSERT_TRUE(LoadFlightFile(dir + "/fresh.flt", fresh, error)) << error.message;
    EXPECT_EQ(fresh.m_pSamples.items(), (std::vector<std::string>{"505", "498", "430"}));
    EXPECT_EQ(fresh.m_nSampleRate, 50);
    EXPECT_FLOAT_EQ(fresh.m_fTwoGeeFile, 15.0f);

    r = RunCli(
        {"import-rdas", kRdas + "rdas_three_columns.txt", dir + "/into.flt", "--into", kDemo});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Flight into;
    ASSERT_TRUE(LoadFlightFile(dir + "/into.flt", into, error)) << error.message;
    EXPECT_EQ(into.m_pSamples.size(), 3u);
    EXPECT_EQ(into.m_nSampleRate, 50);
    EXPECT_EQ(into.m_strName, demo.m_strName);
    EXPECT_EQ(into.m_nAccelOffset, demo.m_nAccelOffset);
    EXPECT_FLOAT_EQ(into.m_fLaunchWeight, demo.m_fLaunchWeight);

    r = RunCli({"import-rdas", kRdas + "rdas_marker_before_rate.txt", dir + "/none.flt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("Could not import rdas_marker_before_rate.txt\n\n", 0), 0u) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/none.flt"));
}

} // namespace
} // namespace tavo
