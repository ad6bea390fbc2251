#include "exchange/rdas_import.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>

#include "exchange/exchange_test_util.h"

namespace tavo {
namespace {

using namespace testing;

using Values = std::vector<std::string>;

TEST(RdasImport, ReadsTheGoldenFiles) {
    struct Case {
        const char* file;
        int rate;
        Values values;
    } cases[] = {
        {"rdas_three_columns.txt", 50, {"505", "498", "430"}},
        // No blank after the second column: every value is empty, so word 0.
        {"rdas_two_columns.txt", 50, {"", "", ""}},
        // Rate, marker and header on one line; a blank line is a sample of 0; tabs do not
        // separate fields.
        {"rdas_blank_line.txt", 200, {"505", "", "498", ""}},
        // Only 99 characters of a line count; the rest is dropped, not read as a line.
        {"rdas_long_lines.txt", 25, {"", "505", "512"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        RdasTable table;
        std::string reason;
        ASSERT_TRUE(ReadRdasFile(GoldenPath(c.file), table, reason)) << reason;
        EXPECT_EQ(table.sampleRate, c.rate);
        EXPECT_EQ(table.values, c.values);
    }
}

TEST(RdasImport, RefusesFilesWithoutATableAndLeavesTheTableAlone) {
    const std::string cases[] = {
        "",
        "*** Raw data ***\nTime\n0 1 2\n",                           // no rate line
        "Data is sampled at 50 Hz\nTime\n0 1 2\n",                   // no marker
        "Data is sampled at 50 Hz\n*** Raw data ***\n0 1 2\n",       // no header
        "Data is sampled at 50 Hz\n*** raw data ***\nTime\n0 1 2\n", // case matters
        "Data is sampled at 50 Hz\n*** Raw data ***\nTime\n",        // header, no lines
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        RdasTable table{7, {"kept"}};
        std::string reason;
        EXPECT_FALSE(ParseRdasText(text.data(), text.size(), table, reason));
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(table.sampleRate, 7);
        EXPECT_EQ(table.values, Values{"kept"});
    }
    RdasTable table;
    std::string reason;
    EXPECT_FALSE(ReadRdasFile(GoldenPath("rdas_marker_before_rate.txt"), table, reason));
    EXPECT_FALSE(ReadRdasFile(GoldenPath("no_such_file.txt"), table, reason));
    EXPECT_FALSE(reason.empty());
    // A pipe nobody writes to is refused, not waited on.
    const std::string pipe = test::MakePipe(FreshDir("rdas_pipe"), "flight.txt");
    ASSERT_FALSE(pipe.empty());
    table = RdasTable{7, {"kept"}};
    EXPECT_FALSE(ReadRdasFile(pipe, table, reason));
    EXPECT_EQ(reason, "a pipe, not a regular file");
    EXPECT_EQ(table.values, Values{"kept"});
}

TEST(RdasImport, RateIsReadLikeANumberAndSaturates) {
    struct Case {
        const char* text;
        int rate;
    } cases[] = {{" 50 Hz", 50},        {"25.9Hz", 25},
                 {"+7Hz", 7},           {"-3 Hz", -3},
                 {"12e+1 Hz", 120},     {"1e Hz", 1},
                 {".5 Hz", 0},          {"Hz", 0},
                 {"fifty Hz", 0},       {"nan Hz", 0},
                 {"inf Hz", 0},         {"1e12 Hz", INT_MAX},
                 {"-1e12 Hz", INT_MIN}, {"1e99999 Hz", INT_MAX},
                 {"1e-99999 Hz", 0},    {"0e99999 Hz", 0},
                 {"\t\n 9 Hz", 9},      {"99999999999999999999999 Hz", INT_MAX}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadRdasRate(c.text, std::strlen(c.text)), c.rate) << c.text;

    // Without "Hz" the rest of the line is read.
    const std::string text = "Data is sampled at 100 per second\n*** Raw data ***\nTime\n0 1 \n";
    RdasTable table;
    std::string reason;
    ASSERT_TRUE(ParseRdasText(text.data(), text.size(), table, reason)) << reason;
    EXPECT_EQ(table.sampleRate, 100);
    EXPECT_EQ(table.values, Values{"1"});
}

TEST(RdasImport, NulEndsALineAndCarriageReturnsAreLineEnds) {
    using namespace std::string_literals;
    const std::string text = "Data is sampled at 10 Hz\r\n*** Raw data ***\r\nTime\r\n"
                             "0.0 505 \0junk 1\r\n0.1 506 x\r\n0.2 507 \r"s;
    RdasTable table;
    std::string reason;
    ASSERT_TRUE(ParseRdasText(text.data(), text.size(), table, reason)) << reason;
    EXPECT_EQ(table.values, (Values{"505", "506", "507"}));
}

TEST(RdasImport, TooLongATableIsRefused) {
    std::string text = "Data is sampled at 10 Hz\n*** Raw data ***\nTime\n";
    text.append(kMaxRdasSamples, '\n');
    RdasTable table;
    std::string reason;
    ASSERT_TRUE(ParseRdasText(text.data(), text.size(), table, reason)) << reason;
    EXPECT_EQ(table.values.size(), kMaxRdasSamples);
    text += "\n";
    EXPECT_FALSE(ParseRdasText(text.data(), text.size(), table, reason));
}

} // namespace
} // namespace tavo
