// Day-counted date-times: calendar round trips and the two time-of-day texts.
#include "catalogue/DateTime.h"

#include <gtest/gtest.h>

using namespace catalogue;

TEST(DateTime, EpochAndKnownDatesEncode) {
    EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 29, 0, 0, 0, 0}), -1.0);
}

TEST(DateTime, DecodeRoundTripsToTheMillisecond) {
    const DateTimeParts cases[] = {
        {2015, 3, 5, 14, 7, 33, 120}, {2024, 2, 29, 23, 59, 59, 999}, {2026, 12, 31, 0, 0, 0, 1}};
    for (const auto& in : cases) {
        const DateTimeParts out = DecodeDateTime(EncodeDateTime(in));
        EXPECT_EQ(out.year, in.year);
        EXPECT_EQ(out.month, in.month);
        EXPECT_EQ(out.day, in.day);
        EXPECT_EQ(out.hour, in.hour);
        EXPECT_EQ(out.minute, in.minute);
        EXPECT_EQ(out.second, in.second);
        EXPECT_EQ(out.millisecond, in.millisecond);
    }
}

TEST(DateTime, TimeTextsPadEveryField) {
    EXPECT_EQ(FormatMinSecMs(12 * kOneSecond), "00:12.000");
    EXPECT_EQ(FormatMinSecMs(2.52 * kOneSecond), "00:02.520");
    EXPECT_EQ(FormatTimeOfDay(EncodeDateTime({2015, 3, 5, 4, 7, 3, 20})), "04:07:03.020");
    // Half a millisecond before midnight rounds into the next day, not to 24:00.
    EXPECT_EQ(FormatTimeOfDay(1.0 - 0.0004 * kOneSecond), "00:00:00.000");
}
