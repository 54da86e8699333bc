#include "engine/profile_captions.h"
#include "engine/profile_number.h"

#include <gtest/gtest.h>

namespace {

struct RecordingDisplay : ProfileCaptionDisplay {
    QStringList icons, captions;
    void loadCategoryIcon(const QString &path) override { icons << path; }
    void showProfileCaption(const QString &caption) override { captions << caption; }
};

TEST(ProfileCaptions, EveryProfileHasACaptionWithAnExtension)
{
    int count = 0;
    for (int n = 0; n <= 140; ++n) {
        const QString caption = ProfileCaption(n);
        EXPECT_EQ(caption.isEmpty(), !IsProfile(n)) << n;
        if (caption.isEmpty())
            continue;
        ++count;
        EXPECT_TRUE(caption.endsWith(")") && caption.contains("(*.")) << n;
    }
    EXPECT_EQ(count, kProfileCount);
}

TEST(ProfileCaptions, ExtensionsKeepTheCaptionsCase)
{
    const struct {
        int profile;
        const char *ext;
    } table[] = {{123, ".MP4"}, {53, ".MP4"}, {122, ".mp4"}, {48, ".mp4"}, {114, ".vob"}, {71, ".amr"},
                 {25, ".au"},   {22, ".aiff"}, {66, ".mpeg"}, {95, ".ts"}};
    for (const auto &row : table)
        EXPECT_EQ(ExtensionOfCaption(ProfileCaption(row.profile)), row.ext) << row.profile;
    EXPECT_EQ(ExtensionOfCaption(""), "");
    EXPECT_EQ(ProfileCaption(27), QString::fromUtf8("iPod(320\u00D7240)MPEG-4 Codec(*.mp4)"));
}

TEST(ProfileCaptions, SeparatorShowsThePreviousCaptionAgain)
{
    EngineState state;
    RecordingDisplay display;
    ShowProfileCaption(state, "/opt/rm", 25, display);
    ShowProfileCaption(state, "/opt/rm", 26, display);
    EXPECT_EQ(display.captions, (QStringList{"SUN AU Format(*.au)", "SUN AU Format(*.au)"}));
    EXPECT_EQ(GetProfileExtension(state), ".au");
}

TEST(ProfileCaptions, CategoryIconOnlyForCategoriesOneToFourteen)
{
    const struct {
        int category;
        const char *icon;
    } table[] = {{1, "/opt/rm/images/main/1.bmp"}, {14, "/opt/rm/images/main/14.bmp"}, {0, nullptr}, {15, nullptr}, {-1, nullptr}};
    for (const auto &row : table) {
        EngineState state;
        state.currentCategory = row.category;
        RecordingDisplay display;
        ShowProfileCaption(state, "/opt/rm", 102, display);
        EXPECT_EQ(display.icons, row.icon ? QStringList{row.icon} : QStringList{}) << row.category;
        EXPECT_EQ(display.captions, QStringList{"AVI - H264 Movie(*.avi)"});
    }
}

TEST(EditionDefault, FirstListedSubstringDecides)
{
    const struct {
        const char *name;
        int profile;
    } table[] = {
        {"ravenmoor", 9},          {"avi-mp3-tool.exe", 102}, {"Ravenmoor-MP3", 17},   {"audio converter", 17},
        {"3gp maker", 69},         {"psp video", 53},         {"MPEG studio", 110},    {"mp4 box", 118},
        {"mkv-it", 125},           {"ipod-tool", 27},         {"iphone-tool", 36},     {"gphone-tool", 41},
        {"wmv-tool", 7},           {"rmconv", 6},             {"Ravenmoor-Firmware", 6}, {"flv-tool", 11},
        {"/usr/bin/ravenmoor-ipod", 27},
    };
    for (const auto &row : table)
        EXPECT_EQ(DefaultProfileForEdition(row.name), row.profile) << row.name;
}

TEST(ProfileNumbers, Classes)
{
    int audio = 0, separators = 0;
    for (int n = 1; n <= kLastProfileNumber; ++n) {
        audio += IsAudioOnly(n);
        separators += IsSeparator(n);
    }
    EXPECT_EQ(audio, 17);
    EXPECT_EQ(separators, 11);
    EXPECT_TRUE(IsSlotRated(15) && IsSlotRated(101) && !IsSlotRated(14) && !IsSlotRated(102));
    EXPECT_TRUE(IsDiscTarget(112) && IsDiscTarget(114) && !IsDiscTarget(115));
    EXPECT_FALSE(IsProfile(0) || IsProfile(132) || IsProfile(124));
}

} // namespace
