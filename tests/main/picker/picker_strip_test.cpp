#include "main/picker/picker_strip.h"

#include <gtest/gtest.h>
#include <span>
#include <string>

namespace {

TEST(PickerStrip, LayoutStacksTheStripAndTheAudioPanel)
{
    const ProfileStrip strip = LayoutProfileStrip();
    for (int i = 0; i < kStripButtons; ++i)
        EXPECT_EQ(strip.tops[i], 48 * i) << i;
    EXPECT_FALSE(strip.upShown);
    EXPECT_TRUE(strip.downShown);
    const std::vector<std::pair<int, int>> audio{{19, 0},   {21, 53},  {22, 101}, {23, 149},
                                                 {24, 197}, {25, 245}, {20, 293}, {26, 341}};
    EXPECT_EQ(LayoutAudioPanel(), audio);
}

TEST(PickerStrip, ElevenDownTicksReachTheEndAndElevenUpTicksComeBack)
{
    struct Tick {
        int first, last; // tops of btim_1 and btim_18 after the tick
        bool up, down;   // arrows shown
        bool stops;
    };
    const Tick down[] = {
        {-48, 768, true, true, false},  {-96, 720, true, true, false},  {-144, 672, true, true, false},
        {-192, 624, true, true, false}, {-240, 576, true, true, false}, {-288, 528, true, true, false},
        {-336, 480, true, true, false}, {-384, 432, true, true, false}, {-432, 384, true, true, false},
        {-480, 336, true, true, false}, {-506, 310, true, false, true},
    };
    const Tick up[] = {
        {-458, 358, true, false, false}, {-410, 406, true, true, false}, {-362, 454, true, true, false},
        {-314, 502, true, true, false},  {-266, 550, true, true, false}, {-218, 598, true, true, false},
        {-170, 646, true, true, false},  {-122, 694, true, true, false}, {-74, 742, true, true, false},
        {-26, 790, true, true, false},   {0, 816, false, true, true},
    };
    struct Run {
        const char *name;
        std::span<const Tick> ticks;
        bool (*step)(ProfileStrip &);
    };
    ProfileStrip strip = LayoutProfileStrip();
    for (const Run &run : {Run{"down", down, &StripDownTick}, Run{"up", up, &StripUpTick}}) {
        int n = 0;
        for (const Tick &t : run.ticks) {
            SCOPED_TRACE(std::string(run.name) + " tick " + std::to_string(++n));
            EXPECT_EQ(run.step(strip), t.stops);
            EXPECT_EQ(strip.tops[0], t.first);
            EXPECT_EQ(strip.tops[kStripButtons - 1], t.last);
            EXPECT_EQ(strip.upShown, t.up);
            EXPECT_EQ(strip.downShown, t.down);
            for (int i = 1; i < kStripButtons; ++i)
                ASSERT_EQ(strip.tops[i], strip.tops[i - 1] + 48) << "edge to edge";
        }
    }
}

} // namespace
