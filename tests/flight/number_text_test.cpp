#include "flight/number_text.h"

#include <cstdint>
#include <gtest/gtest.h>

#include "flight/civil_date.h"

namespace tavo {
namespace {

TEST(NumberText, TheWholeTextIsTheNumber) {
    int i = 7;
    EXPECT_TRUE(ParseWholeNumber("+42", i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(ParseWholeNumber("-42", i));
    EXPECT_EQ(i, -42);
    for (const char* bad : {"", "+", "+-5", "++5", " 5", "5 ", "5x", "3,5", "99999999999"})
        EXPECT_FALSE(ParseWholeNumber(bad, i)) << bad;
    EXPECT_EQ(i, -42) << "a refused text leaves the value alone";
    float f = 0.0f;
    EXPECT_TRUE(ParseWholeNumber("0.1", f));
    EXPECT_EQ(f, 0.1f);
    EXPECT_FALSE(ParseWholeNumber("1e39", f)); // beyond float
    std::uint64_t u = 0;
    EXPECT_FALSE(ParseWholeNumber("-1", u));
}

TEST(CivilDate, FormatsAndParsesAnyDay) {
    EXPECT_EQ(FormatUtcDate(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(FormatUtcDate(-1), "1969-12-31T23:59:59Z");
    EXPECT_EQ(FormatUtcDate(1709164800 + 3661), "2024-02-29T01:01:01Z");
    std::int64_t s = 0;
    ASSERT_TRUE(ParseDate("2024-02-29", s));
    EXPECT_EQ(s, 1709164800);
    EXPECT_FALSE(ParseDate("2023-02-29", s));
    // Moving a time to another day keeps its time of day, before 1970 too.
    EXPECT_EQ(OnUtcDay(1700000000, 1709164800), 1709164800 + 80000); // 22:13:20
    EXPECT_EQ(OnUtcDay(-1, 0), 86399);
    EXPECT_FALSE(ParseDate("2023-13-01", s));
    EXPECT_FALSE(ParseDate("2023-1-01", s));
    // Dates far outside any platform's range still format without failing.
    const std::string far = FormatUtcDate(INT64_MAX);
    ASSERT_FALSE(far.empty());
    EXPECT_EQ(far.back(), 'Z');
}

TEST(NumberText, DialogFieldsAreReadStrictly) {
    int i = 7;
    EXPECT_TRUE(ParseIntegerField(" 42 ", i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(ParseIntegerField("-5", i));
    EXPECT_EQ(i, -5);
    EXPECT_TRUE(ParseIntegerField("+8", i));
    EXPECT_EQ(i, 8);
    for (const char* bad : {"", " ", "+", "4x", "1.5", "abc", "99999999999", "+-5", "++5"})
        EXPECT_FALSE(ParseIntegerField(bad, i)) << bad;
    float f = 0.0f;
    EXPECT_TRUE(ParseRealField("2.5", f));
    EXPECT_FLOAT_EQ(f, 2.5f);
    EXPECT_TRUE(ParseRealField("-1e-3", f));
    EXPECT_FLOAT_EQ(f, -0.001f);
    EXPECT_TRUE(ParseRealField("+0.5", f));
    EXPECT_FLOAT_EQ(f, 0.5f);
    for (const char* bad : {"", "+", "1,5", "x", "1e400", "nan", "inf", "2.5kg", "+-2.5", "++1"})
        EXPECT_FALSE(ParseRealField(bad, f)) << bad;
    EXPECT_EQ(FormatRealField(15.0f), "15");
    EXPECT_EQ(FormatRealField(0.0254f), "0.0254");
    EXPECT_EQ(FormatRealField(1234567.0f), "1.23457e+06");
}

} // namespace
} // namespace tavo
