// Local dates before 1970 and far ahead come out as the C library gives them on Linux,
// on Windows too, whose runtime stops at 1970 and at the year 3000.

#include "platform/local_time.h"

#include <cstdint>
#include <gtest/gtest.h>

#include "support/test_files.h"

namespace tavo {
namespace {

TEST(LocalTime, BreaksDownTheWholeCalendarInUtc) {
    test::UseUtc();
    const struct {
        std::int64_t seconds;
        std::int64_t year;
        int month, day, weekday, yearDay, hour, minute, second;
    } cases[] = {
        {0, 1970, 1, 1, 4, 0, 0, 0, 0},
        {-1, 1969, 12, 31, 3, 364, 23, 59, 59},
        {-2208988800, 1900, 1, 1, 1, 0, 0, 0, 0},
        {951868799, 2000, 2, 29, 2, 59, 23, 59, 59},
        {32503680000 + 3723, 3000, 1, 1, 3, 0, 1, 2, 3},
        {32535216000 + 86400 * 59, 3001, 3, 1, 0, 59, 0, 0, 0},
        {67768007758905600, 2147484647, 1, 1, 5, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        std::tm tm{};
        ASSERT_TRUE(LocalTime(static_cast<std::time_t>(c.seconds), tm));
        EXPECT_EQ(tm.tm_year + std::int64_t{1900}, c.year);
        EXPECT_EQ(tm.tm_mon + 1, c.month);
        EXPECT_EQ(tm.tm_mday, c.day);
        EXPECT_EQ(tm.tm_wday, c.weekday);
        EXPECT_EQ(tm.tm_yday, c.yearDay);
        EXPECT_EQ(tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec,
                  c.hour * 3600 + c.minute * 60 + c.second);
    }
    std::tm tm{};
    EXPECT_FALSE(LocalTime(static_cast<std::time_t>(INT64_MAX), tm));
}

} // namespace
} // namespace tavo
