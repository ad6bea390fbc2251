#include "exchange/csv_export.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include "exchange/eng_export.h"
#include "exchange/exchange_test_util.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "support/decimal_comma.h"
#include "support/flight_builder.h"

namespace tavo {
namespace {

using namespace testing;

// The flights of make_golden.py, field for field.
void HeaderExampleFlight(test::Flight& f) {
    f.m_strName = "Test";
    f.m_nSampleRate = 100;
    f.m_timeDate = 1796601600; // 2026-12-07
    SetSamples(f, {"505", "505", "498", "430", "36864", "512", "4095", "abc", ""});
    f.Recompute();
}

void CommentBreaksFlight(test::Flight& f) {
    f.m_strName = "Nose cone \xC4";
    f.m_strMotor = "C6-5";
    f.m_strComment = "First line\r\nsecond line\nthird\rfourth";
    f.m_nAccelOffset = 505;
    f.m_bUseFileTwoGee = false;
    f.Settings().m_fTwoGee = 16.0f;
    f.m_nSampleRate = 200;
    f.m_fLaunchWeight = 0.0781f;
    f.m_timeDate = 1781352000; // 2026-06-13 12:00 UTC
    // The display switches must not reach the file.
    f.m_bMetricUnits = false;
    f.m_bAccelInGees = true;
    f.m_bUseAccelOffset = true;
    SetSamples(f, {"505", "505", "4601", "480", "505", "520", "505"});
    f.Recompute();
}

} // namespace

namespace {

class CsvExport : public ::testing::Test {
protected:
    void SetUp() override { UseUtc(); }
};

TEST_F(CsvExport, MatchesTheGoldenFiles) {
    struct Case {
        const char* golden;
        void (*make)(test::Flight&);
    } cases[] = {{"csv_header_example.csv", HeaderExampleFlight},
                 {"csv_comment_breaks.csv", CommentBreaksFlight},
                 {"csv_burn.csv", BurnFlight}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        test::Flight f;
        c.make(f);
        const std::string expected = Golden(c.golden);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(BuildCsvText(f), expected);
    }
}

TEST_F(CsvExport, TextFieldsAreQuotedAsSpreadsheetsReadThem) {
    const struct {
        std::string text, field;
    } cases[] = {
        {"Demo flight", "Demo flight"},
        {"", ""},
        {"Nose \xC4; 'tab'\there", "Nose \xC4; 'tab'\there"}, // every other byte as it is
        {"Alpha, third try", "\"Alpha, third try\""},
        {"The \"big\" one", "\"The \"\"big\"\" one\""},
        {"two\nlines\r\nand\rthree", "\"two\r\nlines\r\nand\r\nthree\""},
    };
    for (const auto& c : cases) {
        std::string out = "x";
        AppendCsvField(out, c.text);
        EXPECT_EQ(out, "x" + c.field) << c.text;
        test::Flight f;
        HeaderExampleFlight(f);
        f.m_strName = c.text;
        EXPECT_NE(BuildCsvText(f).find("\r\nName," + c.field + "\r\nMotor,"), std::string::npos);
    }
}

TEST_F(CsvExport, ZeroWeightOrDiameterGivesNanAndInfinityWithoutSkippingLines) {
    test::Flight f;
    CommentBreaksFlight(f);
    const std::string text = BuildCsvText(f);
    // Header of 14 lines (the comment spans four) and one line per sample.
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 14u + 7u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_EQ(text.find("-nan"), std::string::npos);
    EXPECT_NE(text.find(",inf\r\n"), std::string::npos);
    EXPECT_NE(text.find(",nan\r\n"), std::string::npos);
}

TEST_F(CsvExport, AccelerationIsDividedInDoubleAndRoundedOnce) {
    // 4094 counts at 7.5 counts per g: 5354.952148 m/s^2 as a float. Dividing in float
    // first would give 5354.951660.
    test::Flight f;
    SetSamples(f, {"4095", "1"});
    f.m_nSampleRate = 100;
    f.Recompute();
    const std::string text = BuildCsvText(f);
    EXPECT_NE(text.find("\r\n0.010,5354.952148,53.549520,0.535495,"), std::string::npos) << text;
}

TEST_F(CsvExport, NumbersIgnoreTheUserLocale) {
    // The desktop program runs under the user's locale; a decimal comma would split
    // every column of the CSV and every line of the ENG file.
    const bool comma =
        test::MakeDecimalCommaLocale() && std::setlocale(LC_NUMERIC, test::kDecimalCommaLocale);
    std::string csv, eng, reason;
    if (comma) {
        test::Flight f;
        BurnFlight(f);
        csv = BuildCsvText(f);
        EngExportParams p{"C6", "18", "70", "5", "0.0231", "0.0123", "Es", 20, ThrustKind::Net};
        EXPECT_TRUE(BuildEngText(f, {100, 160}, p, eng, reason));
    }
    std::setlocale(LC_NUMERIC, "C");
    test::SetEnv("LOCPATH", nullptr);
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma could be made";
    EXPECT_EQ(csv, Golden("csv_burn.csv"));
    EXPECT_EQ(eng, Golden("eng_c100_c160_p20.eng"));
}

TEST_F(CsvExport, FailedWriteLeavesNoFileAndSaysWhy) {
    test::Flight f;
    BurnFlight(f);
    const std::string dir = FreshDir("csv_fail");
    std::string reason;
    EXPECT_FALSE(WriteCsvFile(dir + "/missing/out.csv", f, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing/out.csv"));

    // A good write replaces an older file whole.
    const std::string path = dir + "/out.csv";
    std::string ignored;
    ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x'), ignored));
    ASSERT_TRUE(WriteCsvFile(path, f, reason)) << reason;
    EXPECT_EQ(ReadFileBytes(path), Golden("csv_burn.csv"));
}

} // namespace
} // namespace tavo
