#include "main/picker/picker_tables.h"

#include <QSet>
#include <gtest/gtest.h>
#include <map>

namespace {

QSet<int> codesWithPictures()
{
    QSet<int> codes;
    for (const PickerButton &b : PickerButtons())
        if (b.code != 0 && b.role != ButtonRole::Arrow)
            codes.insert(b.code);
    return codes;
}

TEST(PickerTables, ProfileButtonsCoverTheCodesThatRestoreLoadsPicturesFor)
{
    QSet<int> expected;
    for (int c : {6, 7, 8, 9, 10, 11, 15, 17, 18, 19, 20, 21})
        expected.insert(c);
    for (int c = 27; c <= 132; ++c)
        expected.insert(c);
    EXPECT_EQ(codesWithPictures(), expected);
    for (int c : {1, 2, 3, 4, 5, 12, 13, 14, 16, 22, 23, 24, 25, 26})
        EXPECT_TRUE(ButtonsOfCode(c).empty()) << c;
}

TEST(PickerTables, TwelveCodesHaveAStripButtonAndAnEditionButton)
{
    std::map<int, std::vector<QString>> shared;
    for (int code = 1; code <= 132; ++code) {
        const auto buttons = ButtonsOfCode(code);
        if (buttons.size() > 1)
            for (const PickerButton *b : buttons)
                shared[code].push_back(ButtonName(b->id));
    }
    const std::map<int, std::vector<QString>> expected{
        {102, {"btim_4", "btim_102"}},  {103, {"btim_3", "btim_103"}},  {104, {"btim_6", "btim_104"}},
        {105, {"btim_5", "btim_105"}},  {110, {"btim_13", "btim_110"}}, {111, {"btim_14", "btim_111"}},
        {114, {"btim_15", "btim_114"}}, {119, {"btim_8", "btim_119"}},  {122, {"btim_9", "btim_122"}},
        {125, {"btim_11", "btim_125"}}, {126, {"btim_10", "btim_126"}}, {127, {"btim_12", "btim_127"}},
    };
    EXPECT_EQ(shared, expected);
}

TEST(PickerTables, ButtonsStandWhereTheFormPutsThem)
{
    struct Case {
        int id, code;
        ButtonRole role;
        PickerPanel panel;
        int top, height, width;
    };
    const Case cases[] = {
        {27, 27, ButtonRole::Profile, PickerPanel::Ipod, 0, 53, 310},
        {31, 31, ButtonRole::Profile, PickerPanel::Ipod, 197, 51, 310},
        {33, 33, ButtonRole::Profile, PickerPanel::Ipod, 293, 67, 310},
        {45, 45, ButtonRole::Profile, PickerPanel::Gphone, 197, 161, 310},
        {52, 52, ButtonRole::Filler, PickerPanel::Appletv, 293, 67, 310},
        {67, 67, ButtonRole::Filler, PickerPanel::Xbox, 341, 19, 310},
        {73, 73, ButtonRole::Profile, PickerPanel::Phone, 245, 50, 310},
        {91, 91, ButtonRole::Profile, PickerPanel::Hd, 1, 53, 310},
        {96, 96, ButtonRole::Profile, PickerPanel::Hd, 246, 47, 310},
        {98, 98, ButtonRole::Still, PickerPanel::Hd, 341, 17, 310},
        {100, 100, ButtonRole::Profile, PickerPanel::Animation, 53, 308, 310},
        {101, 101, ButtonRole::Still, PickerPanel::Animation, 358, 2, 310},
        {109, 109, ButtonRole::Filler, PickerPanel::Avi, 341, 17, 311},
        {124, 124, ButtonRole::Filler, PickerPanel::Mp4, 293, 65, 311},
        {128, 128, ButtonRole::Profile, PickerPanel::Mkv, 101, 48, 311},
        {127, 127, ButtonRole::Profile, PickerPanel::Mkv, 149, 48, 311},
        {20, 0, ButtonRole::Blank, PickerPanel::Audio1, 293, 48, 310},
        {kButtonUp, kCodeUp, ButtonRole::Arrow, PickerPanel::Video1, 0, 17, 308},
        {kButtonDown, kCodeDown, ButtonRole::Arrow, PickerPanel::Video1, 338, 20, 308},
    };
    for (const Case &c : cases) {
        const PickerButton *b = FindPickerButton(c.id);
        ASSERT_NE(b, nullptr) << c.id;
        EXPECT_EQ(b->code, c.code) << ButtonName(c.id).toStdString();
        EXPECT_EQ(b->role, c.role) << c.id;
        EXPECT_EQ(b->panel, c.panel) << c.id;
        EXPECT_EQ(b->top, c.top) << c.id;
        EXPECT_EQ(b->height, c.height) << c.id;
        EXPECT_EQ(ButtonWidth(*b), c.width) << c.id;
    }
    EXPECT_EQ(FindPickerButton(0), nullptr);
    EXPECT_EQ(FindPickerButton(135), nullptr);
}

TEST(PickerTables, EveryButtonIdAppearsOnce)
{
    QSet<int> ids;
    for (const PickerButton &b : PickerButtons()) {
        EXPECT_FALSE(ids.contains(b.id)) << b.id;
        ids.insert(b.id);
    }
    EXPECT_EQ(ids.size(), 134);
}

TEST(PickerTables, PictureFilesHaveTheSizeOfTheLargestButtonShowingThem)
{
    std::map<QString, std::pair<int, int>> sizes;
    for (const PickerPicture &p : PickerPictureFiles())
        sizes[p.path] = {p.width, p.height};
    const std::map<QString, std::pair<int, int>> expected{
        {"images/sub/general/8.bmp", {310, 48}},   {"images/sub/move/8.bmp", {310, 48}},
        {"images/sub/general/102.bmp", {311, 53}}, {"images/sub/general/103.bmp", {311, 48}},
        {"images/sub/general/33.bmp", {310, 67}},  {"images/sub/general/100.bmp", {310, 308}},
        {"images/sub/general/up.bmp", {308, 17}},  {"images/sub/move/down.bmp", {308, 20}},
        {"images/main/general/img_video1.bmp", {153, 27}}, {"images/main/move/img_hd.bmp", {153, 25}},
        {"images/main/1.bmp", {16, 16}},           {"images/main/14.bmp", {16, 16}},
        {"images/sub/general/101.bmp", {310, 2}},
    };
    for (const auto &[path, size] : expected) {
        ASSERT_TRUE(sizes.count(path)) << path.toStdString();
        EXPECT_EQ(sizes[path], size) << path.toStdString();
    }
    // Pictures without events have no hover picture; blanks have none at all.
    EXPECT_FALSE(sizes.count("images/sub/move/101.bmp"));
    EXPECT_FALSE(sizes.count("images/sub/general/0.bmp"));
}

TEST(PickerTables, EditionNumbersStandForTheEditionPanels)
{
    struct Case {
        PickerPanel panel;
        int edition, firstCode;
    };
    for (const Case &c : {Case{PickerPanel::Avi, 2, 102}, Case{PickerPanel::Mpeg, 3, 110},
                          Case{PickerPanel::Mp4, 4, 118}, Case{PickerPanel::Mkv, 5, 125}}) {
        EXPECT_EQ(EditionNumberOfPanel(c.panel), c.edition);
        EXPECT_EQ(FirstCodeOfPanel(c.panel), c.firstCode);
        PickerPanel back{};
        ASSERT_TRUE(PanelOfEditionNumber(c.edition, &back));
        EXPECT_EQ(back, c.panel);
    }
    EXPECT_EQ(EditionNumberOfPanel(PickerPanel::Video1), 0);
    PickerPanel none{};
    EXPECT_FALSE(PanelOfEditionNumber(6, &none));
}

} // namespace
