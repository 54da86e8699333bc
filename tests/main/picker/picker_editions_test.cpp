#include "main/picker/picker_editions.h"

#include <gtest/gtest.h>

namespace {

using Tops = std::vector<std::pair<int, int>>;

struct EditionCase {
    const char *name;
    bool full; // no edition row matches
    EditionKind kind;
    PickerPanel panel;
    int left;
    Tops tops;
};

const Tops kIpodTops{{27, -1}, {28, 52}, {29, 100}, {30, 148}, {31, 196}, {32, 244}, {33, 292}};
const Tops kHdTops{{91, -1}, {92, 52}, {93, 100}, {94, 148}, {95, 196}, {96, 244}, {97, 291}, {98, 339}};

TEST(PickerEditions, NameChoosesPanelLeftAndButtonTops)
{
    const EditionCase cases[] = {
        {"ravenmoor-ipod", false, EditionKind::Device, PickerPanel::Ipod, 53, kIpodTops},
        {"Ravenmoor-IPOD.exe", false, EditionKind::Device, PickerPanel::Ipod, 53, kIpodTops},
        {"iphone-psp", false, EditionKind::Device, PickerPanel::Psp, 53,
         {{53, -1}, {54, 52}, {55, 100}, {56, 148}, {57, 196}, {58, 244}, {59, 292}}},
        {"ipod-iphone", false, EditionKind::Device, PickerPanel::Ipod, 53, kIpodTops},
        {"my-iphone", false, EditionKind::Device, PickerPanel::Iphone, 53,
         {{34, -1}, {35, 52}, {36, 100}, {37, 148}, {38, 196}, {39, 244}, {40, 292}}},
        {"3gp-tool", false, EditionKind::Device, PickerPanel::Phone, 53,
         {{68, -1}, {69, 52}, {70, 100}, {71, 148}, {72, 196}, {73, 244}, {74, 292}}},
        {"gphone-tool", false, EditionKind::Device, PickerPanel::Gphone, 53,
         {{41, -1}, {42, 52}, {43, 100}, {44, 148}, {45, 196}}},
        {"to-mp3", false, EditionKind::Device, PickerPanel::Audio1, 53,
         {{19, -1}, {21, 52}, {22, 100}, {23, 148}, {24, 196}, {25, 244}, {20, 292}}},
        {"audio-x", false, EditionKind::Device, PickerPanel::Audio1, 53,
         {{19, -1}, {21, 52}, {22, 100}, {23, 148}, {24, 196}, {25, 244}, {20, 292}}},
        {"hd-mp4", false, EditionKind::Format, PickerPanel::Mp4, 53, {}},
        {"avi-mp3", false, EditionKind::Device, PickerPanel::Audio1, 53,
         {{19, -1}, {21, 52}, {22, 100}, {23, 148}, {24, 196}, {25, 244}, {20, 292}}},
        {"to-avi", false, EditionKind::Format, PickerPanel::Avi, 53, {}},
        {"to-mpeg", false, EditionKind::Format, PickerPanel::Mpeg, 53, {}},
        {"to-mkv", false, EditionKind::Format, PickerPanel::Mkv, 53, {}},
        {"ravenmoor-hd", false, EditionKind::Device, PickerPanel::Hd, 53, kHdTops},
        {"qorva-hd", false, EditionKind::Device, PickerPanel::Hd, 88, kHdTops},
        {"QORVA-ipod", false, EditionKind::Device, PickerPanel::Ipod, 88, kIpodTops},
        {"qorva-avi", false, EditionKind::Format, PickerPanel::Avi, 88, {}},
        {"to-wmv", false, EditionKind::CloseOnly, PickerPanel::Video1, 53, {}},
        {"storm", false, EditionKind::CloseOnly, PickerPanel::Video1, 53, {}},
        {"to-flv", false, EditionKind::CloseOnly, PickerPanel::Video1, 53, {}},
        {"ravenmoor", true, EditionKind::CloseOnly, PickerPanel::Video1, 0, {}},
        {"qorva", true, EditionKind::CloseOnly, PickerPanel::Video1, 0, {}},
    };
    for (const EditionCase &c : cases) {
        SCOPED_TRACE(c.name);
        const auto opening = EditionOpeningFor(QString::fromLatin1(c.name), 53);
        ASSERT_EQ(!opening.has_value(), c.full);
        if (c.full)
            continue;
        EXPECT_EQ(opening->kind, c.kind);
        if (c.kind != EditionKind::CloseOnly) {
            EXPECT_EQ(opening->panel, c.panel);
            EXPECT_EQ(opening->left, c.left);
        }
        EXPECT_EQ(opening->buttonTops, c.tops);
    }
}

TEST(PickerEditions, BrandWordIsFoundInAnyCase)
{
    EXPECT_TRUE(HasBrandWord("Qorva Converter"));
    EXPECT_FALSE(HasBrandWord("ravenmoor"));
}

TEST(PickerEditions, AppliedProfileChoosesTheCategory)
{
    struct Case {
        int profile, category;
    };
    const Case cases[] = {
        {33, 3},  {17, 2},  {15, 2},  {18, 2},  {16, 1},  {22, 2},  {25, 2},  {110, 1}, {8, 1},
        {1, 1},   {13, 1},  {102, 1}, {125, 1}, {131, 1}, {101, 1}, {27, 3},  {40, 4},  {41, 5},
        {51, 6},  {53, 7},  {66, 8},  {73, 9},  {75, 10}, {89, 11}, {97, 12}, {99, 13}, {100, 13},
        {26, 0},  {52, 0},  {67, 0},  {74, 0},  {82, 0},  {90, 0},  {98, 0},  {0, 0},   {-1, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PickerCategoryOfProfile(c.profile), c.category) << c.profile;
}

} // namespace
