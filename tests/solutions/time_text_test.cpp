#include <gtest/gtest.h>

#include "solutions/time_text.h"

namespace {

TEST(TimeText, DurationsKeepWholeHours) {
    EXPECT_EQ(formatDuration(0), "0:00:00");
    EXPECT_EQ(formatDuration(59), "0:00:59");
    EXPECT_EQ(formatDuration(3723), "1:02:03");
    EXPECT_EQ(formatDuration(3725), "1:02:05");
    EXPECT_EQ(formatDuration(25 * 3600), "25:00:00");
    EXPECT_EQ(formatDuration(100 * 3600), "100:00:00");
    EXPECT_EQ(formatDuration(-5), "0:00:00");  // a clock set back
}

TEST(TimeText, DateAndTimeDayFirst) {
    std::tm fields{};
    fields.tm_year = 1999 - 1900;
    fields.tm_mon = 11;
    fields.tm_mday = 16;
    fields.tm_hour = 14;
    fields.tm_min = 5;
    fields.tm_sec = 9;
    EXPECT_EQ(formatDateTime(fields), "16-12-1999 14:05:09");
    fields.tm_year = 2031 - 1900;
    fields.tm_mon = 0;
    fields.tm_mday = 2;
    fields.tm_hour = 0;
    EXPECT_EQ(formatDateTime(fields), "02-01-2031 00:05:09");
}

}  // namespace
