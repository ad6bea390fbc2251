// Every figure tavokit-cli writes, to standard output, a file or a picture, is the same
// bytes under a locale with a decimal comma as under C.

#include <gtest/gtest.h>
#include <regex>

#include "cli_run.h"
#include "support/decimal_comma.h"
#include "support/test_files.h"

namespace tavo {
namespace {

using testing::RunCliWith;
using testing::TempDir;

// What a run leaves: its standard output and, where it writes one, its file. A PDF's
// creation time is the one byte run that may differ between two runs.
std::string Output(const std::string& locale, const std::vector<std::string>& args,
                   const std::string& file) {
    const auto r = RunCliWith({"LC_ALL=" + locale}, args);
    EXPECT_EQ(r.exitCode, 0) << locale << ": " << args[0] << ": " << r.err;
    std::string bytes = r.out;
    if (!file.empty())
        bytes += test::ReadFileBytes(file);
    return std::regex_replace(bytes, std::regex("/CreationDate \\(D:[0-9Z+'-]*\\)"), "");
}

TEST(CliLocale, EveryOutputIsTheSameUnderADecimalComma) {
    ASSERT_TRUE(test::MakeDecimalCommaLocale())
        << "no locale with a decimal comma: install Debian's locales (./run does)";
    const std::string demo = TAVOKIT_SOURCE_DIR "/data/demo.flt";
    const std::string dir = TempDir("cli_locale");
    struct Case {
        std::vector<std::string> args;
        std::string file; // written by the command, "" for standard output only
    } cases[] = {
        {{"info", demo}, ""},
        {{"stats", demo}, ""},
        {{"curves", demo}, ""},
        {{"motor-report", demo, "--c1", "256", "--c2", "439"}, ""},
        {{"cd-report", demo, "--c1", "439", "--c2", "639"}, ""},
        {{"export-csv", demo, dir + "/out.csv"}, dir + "/out.csv"},
        {{"drag", demo, "--c2", "439"}, ""},
        {{"predict", demo, "--c1", "256", "--c2", "439", "--motor-mass", "0.0231", "--motor",
          TAVOKIT_SOURCE_DIR "/data/motors/C6.eng"},
         ""},
        {{"export-eng", demo, dir + "/out.eng", "--c1", "256", "--c2", "439", "--points", "12",
          "--length-mm", "70", "--pre-fire", "0.012", "--post-fire", "0.004", "--manufacturer",
          "Tv", "--diameter-mm", "18"},
         dir + "/out.eng"},
        {{"render", demo, dir + "/graph.svg", "--size", "900x600"}, dir + "/graph.svg"},
        {{"render", demo, dir + "/graph.pdf"}, dir + "/graph.pdf"},
        {{"render", demo, dir + "/report.svg", "--report", "motor", "--c1", "256", "--c2", "439"},
         dir + "/report.svg"},
    };
    for (const Case& c : cases) {
        const std::string plain = Output("C.UTF-8", c.args, c.file);
        const std::string comma = Output("de_DE.UTF-8", c.args, c.file);
        EXPECT_FALSE(plain.empty()) << c.args[0];
        EXPECT_TRUE(plain == comma) << c.args[0] << " " << c.file << " differs under de_DE.UTF-8";
    }
}

} // namespace
} // namespace tavo
