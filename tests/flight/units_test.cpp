#include "flight/units.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(MotorThrust, IsMassTimesAccelerationInNewtons) {
    EXPECT_DOUBLE_EQ(MotorThrust(1.0, 1.0), 9.81);
    EXPECT_DOUBLE_EQ(MotorThrust(0.5, 4.0), 19.62);
    EXPECT_DOUBLE_EQ(MotorThrust(2.0, 0.0), 0.0);
}

// Recompute and the motor report divide in float, the exports in double; the helpers
// must keep each precision, or exported and displayed figures drift apart.
TEST(Units, CountsToGeeKeepTheCallersPrecision) {
    const float half = CountsPerGee<float>(15.0f);
    EXPECT_EQ(half, 7.5f);
    const float inFloat = GeeFromCounts<float>(512.0f, 505.0f, CountsPerGee<float>(15.3f));
    const double inDouble = GeeFromCounts<double>(512.0f, 505.0f, CountsPerGee<double>(15.3f));
    EXPECT_EQ(inFloat, 7.0f / (15.3f * 0.5f));
    EXPECT_EQ(inDouble, 7.0 / (static_cast<double>(15.3f) * 0.5));
    EXPECT_NE(static_cast<double>(inFloat), inDouble);
    // The count difference is taken in float before the division, whatever T is: at
    // 2^24 half a count is lost to float's rounding, as it always was.
    EXPECT_EQ(GeeFromCounts<double>(16777216.0f, 0.5f, 1.0), 16777216.0);
}

} // namespace
} // namespace tavo
