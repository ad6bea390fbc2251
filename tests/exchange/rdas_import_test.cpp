#include "exchange/rdas_import.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>

#include "exchange/exchange_test_util.h"

namespace tavo {
namespace {

using namespace testing;

using Values = std::vector<std::string>;

TEST(RdasImport, ReadsTheGoldenFilesAndRefusesTablesItCannotRead) {
    struct Case {
        const char* file;
        int rate;
        Values values;
        const char* refusal; // the start of the reason, or nullptr when read
    } cases[] = {
        {"rdas_three_columns.txt", 50, {"505", "498", "430"}, nullptr},
        // No blank after the second column: read as 0 it would be a flight of zeros.
        {"rdas_two_columns.txt", 0, {}, "line 7 of the file, in the raw-data table, cannot"},
        // Rate, marker and header on one line, then a blank line inside the table.
        {"rdas_blank_line.txt", 0, {}, "line 3 is blank inside the raw-data table"},
        // Only 99 characters of a line count; the value of line 5 lies beyond them.
        {"rdas_long_lines.txt",
         0,
         {},
         "line 5 of the file, in the raw-data table, cannot be read: its value does not lie"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        RdasTable table;
        std::string reason;
        ASSERT_EQ(ReadRdasFile(GoldenPath(c.file), table, reason), c.refusal == nullptr) << reason;
        if (c.refusal != nullptr) {
            EXPECT_EQ(reason.rfind(c.refusal, 0), 0u) << reason;
            continue;
        }
        EXPECT_EQ(table.sampleRate, c.rate);
        EXPECT_EQ(table.values, c.values);
    }
}

TEST(RdasImport, TableLinesWithoutAReadableValueAreRefused) {
    const std::string head = "Data is sampled at 10 Hz\n*** Raw data ***\nTime\n";
    struct Case {
        std::string table;
        const char* reason; // nullptr: read
    } cases[] = {
        {"0.0 505 \n0.1 506 \n\n \t\n", nullptr}, // blank lines ending the table are no samples
        {"0.0 505 \n0.1\n",
         "line 5 of the file, in the raw-data table, cannot be read: it has no second column"},
        {"0.0 505 \n0.1   \n",
         "line 5 of the file, in the raw-data table, cannot be read: it has no second column"},
        {"0.0 x5 \n", "line 4 of the file, in the raw-data table, cannot be read: "
                      "the value in its second column is not a number"},
        {"0.0 - \n", "line 4 of the file, in the raw-data table, cannot be read: "
                     "the value in its second column is not a number"},
        {"0.0 -5 \n0.1 +7 \n", nullptr},
        {"0.0 505 \n\n0.1 506 \n",
         "line 5 is blank inside the raw-data table, which goes on after it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const std::string text = head + c.table;
        RdasTable table;
        std::string reason;
        EXPECT_EQ(ParseRdasText(text.data(), text.size(), table, reason), c.reason == nullptr);
        EXPECT_EQ(reason, c.reason == nullptr ? "" : c.reason);
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
    for (std::size_t i = 0; i < kMaxRdasSamples; ++i)
        text += "0 1 \n";
    RdasTable table;
    std::string reason;
    ASSERT_TRUE(ParseRdasText(text.data(), text.size(), table, reason)) << reason;
    EXPECT_EQ(table.values.size(), kMaxRdasSamples);
    text += "0 1 \n";
    EXPECT_FALSE(ParseRdasText(text.data(), text.size(), table, reason));
}

} // namespace
} // namespace tavo
