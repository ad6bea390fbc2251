// The axes' labels as plain values: where each tick and label goes and what it reads.

#include "plot/axis_ticks.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace tavo {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<int> At(const std::vector<AxisLabel>& labels) {
    std::vector<int> out;
    for (const AxisLabel& l : labels)
        out.push_back(l.at);
    return out;
}

std::vector<std::string> Texts(const std::vector<AxisLabel>& labels) {
    std::vector<std::string> out;
    for (const AxisLabel& l : labels)
        out.push_back(l.text);
    return out;
}

TEST(ReportTimeTicks, StepsInSinglePrecisionWithTwoOrOneDecimals) {
    const auto ticks = ReportTimeTicks({50, 0, 640, 300}, 10, 0.01f);
    std::vector<int> xs;
    for (int k = 1; k <= 10; ++k)
        xs.push_back(50 + 59 * k);
    EXPECT_EQ(At(ticks), xs);
    EXPECT_EQ(Texts(ticks), (std::vector<std::string>{"0.01", "0.02", "0.03", "0.04", "0.05",
                                                      "0.06", "0.07", "0.08", "0.09", "0.10"}));
    // 999 samples make 9.99 s: two decimals; 1000 make 10 s: one.
    EXPECT_EQ(ReportTimeTicks({50, 0, 640, 300}, 999, 0.01f).front().text, "1.00");
    EXPECT_EQ(ReportTimeTicks({50, 0, 640, 300}, 1000, 0.01f).front().text, "1.0");
    // An interval of 0 is an infinite rate: every tick at 0 s. NaN reads nan.
    EXPECT_EQ(Texts(ReportTimeTicks({50, 0, 640, 300}, 10, 0.0f)).front(), "0.00");
    EXPECT_EQ(Texts(ReportTimeTicks({50, 0, 640, 300}, 10, kNaN)).front(), "nan");
    for (int n : {1, 1 << 30})
        EXPECT_LE(ReportTimeTicks({50, 0, 640, 300}, n, 0.002f).size(), 12u) << n;
}

TEST(GraphValueLabels, StepFromTheZeroLineOrLabelOnlyTheBottom) {
    struct Case {
        Rect frame;
        float max, min;
        std::vector<AxisLabel> want;
    };
    const Case cases[] = {
        // Range -5 .. 15: step 2, 10 units per value, zero line at 200 - 50 = 150.
        {{35, 0, 1035, 200},
         15.0f,
         -5.0f,
         {{150, "0.0"},
          {130, "2.0"},
          {110, "4.0"},
          {90, "6.0"},
          {70, "8.0"},
          {50, "10.0"},
          {30, "12.0"},
          {10, "14.0"},
          {170, "-2.0"},
          {190, "-4.0"}}},
        // No usable step: zero range, reversed, not finite, a frame under ten high. The
        // bottom's 0 drops its decimal when the maximum is above 999.
        {{35, 0, 1035, 200}, 0.0f, 0.0f, {{200, "0.0"}}},
        {{35, 0, 1035, 200}, 1536.0f, 1536.0f, {{200, "0"}}},
        {{35, 0, 1035, 200}, 1.0f, 5.0f, {{200, "0.0"}}},
        {{35, 0, 1035, 200}, kInf, 0.0f, {{200, "0"}}},
        {{35, 0, 1035, 200}, kNaN, 0.0f, {{200, "0.0"}}},
        {{35, 0, 1035, 9}, 10.0f, 0.0f, {{9, "0.0"}}},
        // Limits set by hand around a negative range: the zero line far above the page,
        // the labels counting down from it in steps of 42 units and 1. The first one on
        // the page is at 18, in the margin above the frame.
        {{75, 60, 760, 480},
         -990.0f,
         -1000.0f,
         {{18, "-989.0"},
          {60, "-990.0"},
          {102, "-991.0"},
          {144, "-992.0"},
          {186, "-993.0"},
          {228, "-994.0"},
          {270, "-995.0"},
          {312, "-996.0"},
          {354, "-997.0"},
          {396, "-998.0"},
          {438, "-999.0"},
          {480, "-1000.0"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GraphValueLabels(c.frame, c.max, c.min), c.want) << c.max << " " << c.min;

    // Above 999 the upward labels drop their decimals, the downward ones keep one.
    const auto large = GraphValueLabels({35, 0, 1035, 200}, 1536.0f, -512.0f);
    ASSERT_GE(large.size(), 4u);
    EXPECT_EQ(large[1], (AxisLabel{130, "205"}));
    EXPECT_EQ(large[8], (AxisLabel{170, "-204.8"}));
}

TEST(GraphValueLabels, ZeroLineMillionsOfUnitsUpStillLabelsTheFrame) {
    // T 30, B 510: 48 units per value, the zero line 4.8 million units above. The top
    // reads the maximum, the bottom the minimum, as stepping all the way would.
    const auto labels = GraphValueLabels({75, 30, 760, 510}, -99990.0f, -100000.0f);
    ASSERT_EQ(labels.size(), 11u);
    EXPECT_EQ(labels.front(), (AxisLabel{30, "-99990.0"}));
    EXPECT_EQ(labels.back(), (AxisLabel{510, "-100000.0"}));
    // A range so small the zero line lies beyond 1e15 units still ends quickly.
    EXPECT_LE(GraphValueLabels({35, 0, 1035, 200}, 1000.001f, 1000.0f).size(), 30u);
}

TEST(ReportValueLabels, ZeroAtTheBottomThenAStepEveryTenth) {
    const auto labels = ReportValueLabels({50, 0, 640, 300}, 1.3f, 1);
    ASSERT_EQ(labels.size(), 11u);
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(labels[k].at, 300 - 30 * k);
    EXPECT_EQ(labels[1].text, "1.3");
    EXPECT_EQ(labels[10].text, "13.0");
    EXPECT_EQ(ReportValueLabels({50, 0, 640, 300}, 0.05f, 2)[1].text, "0.05");
    EXPECT_EQ(ReportValueLabels({50, 0, 640, 300}, kInf, 0)[1].text, "inf");
    // Under ten units high: the 0 alone. Upside down: nothing.
    EXPECT_EQ(ReportValueLabels({50, 0, 120, 5}, 1.3f, 1), (std::vector<AxisLabel>{{5, "0.0"}}));
    EXPECT_TRUE(ReportValueLabels({50, 10, 120, -30}, 1.3f, 1).empty());
    // A frame across the whole int range steps without overflowing.
    const int big = std::numeric_limits<int>::max();
    EXPECT_EQ(ReportValueLabels({0, -big - 1, 10, big}, 1.0f, 0).size(), 11u);
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

TEST(RoundValueLabels, RoundValuesWhereTheCurveDrawsThem) {
    struct Case {
        float max, min;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {317.0f, 0.0f, {"0", "50", "100", "150", "200", "250", "300"}},
        {16.0f, -12.8f, {"-10", "-5", "0", "5", "10", "15"}},
        {0.9f, 0.1f, {"0.2", "0.4", "0.6", "0.8"}},
        // No usable range: the minimum alone, on the bottom edge.
        {5.0f, 5.0f, {"5.0"}},
        {kInf, 0.0f, {"0.0"}},
        {1.0f, kNaN, {"0.0"}},
    };
    for (const Case& c : cases) {
        const auto labels = RoundValueLabels(0, 200, c.max, c.min, 30);
        EXPECT_EQ(Texts(labels), c.texts) << c.max << " " << c.min;
        if (labels.size() < 2)
            continue;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const double v = std::stod(labels[i].text);
            EXPECT_NEAR(labels[i].at, 200 - (v - c.min) * 200 / (c.max - c.min), 1.0);
            if (i > 0) {
                EXPECT_GE(labels[i - 1].at - labels[i].at, 29) << "spaced for their text";
            }
        }
    }
}

} // namespace
} // namespace tavo
