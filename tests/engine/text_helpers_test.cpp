#include "engine/text_helpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(TextHelpers, SecondsToHms)
{
    const struct {
        int32_t seconds;
        const char *text;
    } table[] = {
        {0, "00:00:00"},     {59, "00:00:59"},      {60, "00:01:00"},
        {3725, "01:02:05"},  {86399, "23:59:59"},   {360000, "100:00:00"},
        {kMax, "596523:14:07"},
    };
    for (const auto &row : table)
        EXPECT_EQ(SecondsToHms(row.seconds), row.text) << row.seconds;
}

TEST(TextHelpers, HmsToSeconds)
{
    const struct {
        const char *text;
        int32_t seconds;
    } table[] = {
        {"00:01:30", 90},
        {"01:02:03", 3723},
        {"01:02:03.45", 3723},  // hundredths after the seconds are not read
        {"01-02-03", 3723},     // only positions 1, 4 and 7 count
        {" 1: 2: 3", 3723},     // a leading blank belongs to the number
        {"-1:00:00", -3600},
        {"$A:00:00", 36000},    // hexadecimal, as every integer text
        {"N/A", 0},
        {"1:02:03", 0},         // "1:" is no integer
        {"100:00:00", 0},       // "0:" is no integer
        {"01:02", 0},           // no seconds
        {"", 0},
        {"aa:bb:cc", 0},
    };
    for (const auto &row : table)
        EXPECT_EQ(HmsToSeconds(QString::fromUtf8(row.text)), row.seconds) << row.text;
}

TEST(TextHelpers, MulDiv)
{
    const struct {
        int32_t a, b, c, result;
    } table[] = {
        {50, 10000, 100, 5000},
        {10, 20, 3, 67},          // 66.67 rounds up
        {1, 1, 3, 0},             // 0.33 rounds down
        {1, 1, 2, 1},             // halves go away from zero
        {-1, 1, 2, -1},
        {1, -1, 2, -1},
        {-1, -1, 2, 1},
        {-7, 1, -2, 4},
        {kMax, kMax, kMax, kMax}, // the product needs 64 bits
        {kMax, 2, 1, -1},         // the result does not fit
        {kMin, 1, 1, -1},
        {5, 10000, 0, -1},        // zero divisor
    };
    for (const auto &row : table)
        EXPECT_EQ(MulDiv(row.a, row.b, row.c), row.result) << row.a << " * " << row.b << " / " << row.c;
}

} // namespace
