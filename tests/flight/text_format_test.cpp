#include "flight/text_format.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

#include "support/decimal_comma.h"
#include "support/test_files.h"

namespace tavo {
namespace {

TEST(TextFormat, FixedAndGeneralFollowPrintfInTheCLocale) {
    struct Case {
        double value;
        int decimals;
        const char* fixed;
    } cases[] = {{0.0625, 3, "0.062"},
                 {-0.0004, 3, "-0.000"},
                 {1e20, 2, "100000000000000000000.00"},
                 {-INFINITY, 6, "-inf"},
                 {NAN, 6, "nan"},
                 {-NAN, 3, "nan"},
                 {2.5, 0, "2"},
                 {3.4028234663852886e38, 6, "340282346638528859811704183484516925440.000000"},
                 {-0.0, 1, "-0.0"},
                 {0.125, 2, "0.12"},
                 {0.375, 2, "0.38"},
                 {-2.5, 0, "-2"},
                 {0.015, 2, "0.01"},
                 {999.95, 1, "1000.0"},
                 {123456.5, 0, "123456"},
                 {1.0 / 3, 3, "0.333"}};
    for (const Case& c : cases) {
        std::string out;
        AppendFixed(out, c.value, c.decimals);
        EXPECT_EQ(out, c.fixed) << c.value;
        char printed[400];
        if (std::isfinite(c.value)) {
            std::snprintf(printed, sizeof printed, "%.*f", c.decimals, c.value);
            EXPECT_EQ(out, printed);
        }
    }
    for (double v : {0.0108, 0.010800000000000002, 1e-5, 123456789.0, 0.5, 100000.0, 1e6}) {
        std::string out;
        AppendGeneral(out, v);
        char printed[64];
        std::snprintf(printed, sizeof printed, "%g", v);
        EXPECT_EQ(out, printed);
    }
}

TEST(TextFormat, PrintfStyleFormatsIgnoreTheProcesssLocale) {
    // Qt sets the user's locale when it makes its application object, and any library
    // may call setlocale; the graph's labels and the CLI's figures must not follow.
    ASSERT_TRUE(test::MakeDecimalCommaLocale())
        << "no locale with a decimal comma: install Debian's locales (./run does)";
    ASSERT_NE(std::setlocale(LC_ALL, test::kDecimalCommaLocale), nullptr);
    const std::string formatted = StrFormat("%.1f|%g|%.9g|%d", 37.75, 0.5, 0.1f, 1234567);
    const std::string text = FormatText("C1=%.1f , %.1fs %f", 0.1, 37.7, -NAN);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(formatted, "37.8|0.5|0.100000001|1234567");
    EXPECT_EQ(text, "C1=0.1 , 37.7s nan");
}

TEST(TextFormat, DateAndLineBreaks) {
    test::UseUtc();
    EXPECT_EQ(FormatFlightDate(0), "Thursday January 01 1970");
    EXPECT_EQ(FormatFlightDate(1796601600), "Monday December 07 2026");
    EXPECT_EQ(FormatLongDate(1717200000), "Saturday, June 01, 2024");
    std::string out;
    AppendWithCrlf(out, "a\nb\r\nc\rd\n\ne");
    EXPECT_EQ(out, "a\r\nb\r\nc\r\nd\r\n\r\ne");
}

TEST(TextFormat, FormatTextDropsOnlyTheSignOfANan) {
    EXPECT_EQ(FormatText("%.1f|%.1f|%.1f", -NAN, -INFINITY, -2.0), "nan|-inf|-2.0");
    EXPECT_EQ(StrFormat("%s-%d", std::string(300, 'x').c_str(), 7), std::string(300, 'x') + "-7");
}

TEST(TextFormat, Windows1252RoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c < 0x80 || c >= 0xA0 ||
            (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D))
            all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC \xF0\x9F\x9A\x80 \xC3"), "\x80 ? ?");
}

} // namespace
} // namespace tavo
