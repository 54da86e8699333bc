#include "main/picker/picker_tables.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

using P = PickerPanel;
using R = ButtonRole;

// Every picture button, from the top of its panel. The strip buttons stand
// where LayoutProfileStrip stacks them; the arrows lie in front of the strip.
constexpr PickerButton kButtons[] = {
    {1, 8, R::Profile, P::Video1, 0, 48},
    {2, 9, R::Profile, P::Video1, 48, 48},
    {3, 103, R::Profile, P::Video1, 96, 48},
    {4, 102, R::Profile, P::Video1, 144, 48},
    {5, 105, R::Profile, P::Video1, 192, 48},
    {6, 104, R::Profile, P::Video1, 240, 48},
    {7, 11, R::Profile, P::Video1, 288, 48},
    {8, 119, R::Profile, P::Video1, 336, 48},
    {9, 122, R::Profile, P::Video1, 384, 48},
    {10, 126, R::Profile, P::Video1, 432, 48},
    {11, 125, R::Profile, P::Video1, 480, 48},
    {12, 127, R::Profile, P::Video1, 528, 48},
    {13, 110, R::Profile, P::Video1, 576, 48},
    {14, 111, R::Profile, P::Video1, 624, 48},
    {15, 114, R::Profile, P::Video1, 672, 48},
    {16, 10, R::Profile, P::Video1, 720, 48},
    {17, 6, R::Profile, P::Video1, 768, 48},
    {18, 7, R::Profile, P::Video1, 816, 48},
    {kButtonUp, kCodeUp, R::Arrow, P::Video1, 0, 17},
    {kButtonDown, kCodeDown, R::Arrow, P::Video1, 338, 20},

    {19, 15, R::Profile, P::Audio1, 0, 53},
    {21, 17, R::Profile, P::Audio1, 53, 48},
    {22, 18, R::Profile, P::Audio1, 101, 48},
    {23, 19, R::Profile, P::Audio1, 149, 48},
    {24, 20, R::Profile, P::Audio1, 197, 48},
    {25, 21, R::Profile, P::Audio1, 245, 48},
    {20, 0, R::Blank, P::Audio1, 293, 48},
    {26, 0, R::Blank, P::Audio1, 341, 48},

    {27, 27, R::Profile, P::Ipod, 0, 53},
    {28, 28, R::Profile, P::Ipod, 53, 48},
    {29, 29, R::Profile, P::Ipod, 101, 48},
    {30, 30, R::Profile, P::Ipod, 149, 48},
    {31, 31, R::Profile, P::Ipod, 197, 51},
    {32, 32, R::Profile, P::Ipod, 245, 48},
    {33, 33, R::Profile, P::Ipod, 293, 67},

    {34, 34, R::Profile, P::Iphone, 0, 53},
    {35, 35, R::Profile, P::Iphone, 53, 48},
    {36, 36, R::Profile, P::Iphone, 101, 48},
    {37, 37, R::Profile, P::Iphone, 149, 48},
    {38, 38, R::Profile, P::Iphone, 197, 48},
    {39, 39, R::Profile, P::Iphone, 245, 48},
    {40, 40, R::Profile, P::Iphone, 293, 67},

    {41, 41, R::Profile, P::Gphone, 0, 53},
    {42, 42, R::Profile, P::Gphone, 53, 48},
    {43, 43, R::Profile, P::Gphone, 101, 48},
    {44, 44, R::Profile, P::Gphone, 149, 48},
    {45, 45, R::Profile, P::Gphone, 197, 161},

    {46, 46, R::Profile, P::Appletv, 0, 53},
    {47, 47, R::Profile, P::Appletv, 53, 48},
    {48, 48, R::Profile, P::Appletv, 101, 48},
    {49, 49, R::Profile, P::Appletv, 149, 48},
    {50, 50, R::Profile, P::Appletv, 197, 48},
    {51, 51, R::Profile, P::Appletv, 245, 48},
    {52, 52, R::Filler, P::Appletv, 293, 67},

    {53, 53, R::Profile, P::Psp, 0, 53},
    {54, 54, R::Profile, P::Psp, 53, 48},
    {55, 55, R::Profile, P::Psp, 101, 48},
    {56, 56, R::Profile, P::Psp, 149, 48},
    {57, 57, R::Profile, P::Psp, 197, 48},
    {58, 58, R::Profile, P::Psp, 245, 48},
    {59, 59, R::Profile, P::Psp, 293, 67},

    {60, 60, R::Profile, P::Xbox, 0, 53},
    {61, 61, R::Profile, P::Xbox, 53, 48},
    {62, 62, R::Profile, P::Xbox, 101, 48},
    {63, 63, R::Profile, P::Xbox, 149, 48},
    {64, 64, R::Profile, P::Xbox, 197, 48},
    {65, 65, R::Profile, P::Xbox, 245, 48},
    {66, 66, R::Profile, P::Xbox, 293, 48},
    {67, 67, R::Filler, P::Xbox, 341, 19},

    {68, 68, R::Profile, P::Phone, 0, 53},
    {69, 69, R::Profile, P::Phone, 53, 48},
    {70, 70, R::Profile, P::Phone, 101, 48},
    {71, 71, R::Profile, P::Phone, 149, 48},
    {72, 72, R::Profile, P::Phone, 197, 48},
    {73, 73, R::Profile, P::Phone, 245, 50},
    {74, 74, R::Filler, P::Phone, 293, 67},

    {75, 75, R::Profile, P::Win, 0, 53},
    {76, 76, R::Profile, P::Win, 53, 48},
    {77, 77, R::Profile, P::Win, 101, 48},
    {78, 78, R::Profile, P::Win, 149, 48},
    {79, 79, R::Profile, P::Win, 197, 48},
    {80, 80, R::Profile, P::Win, 245, 48},
    {81, 81, R::Profile, P::Win, 293, 48},
    {82, 82, R::Filler, P::Win, 341, 17},

    {83, 83, R::Profile, P::Pmp, 0, 53},
    {84, 84, R::Profile, P::Pmp, 53, 48},
    {85, 85, R::Profile, P::Pmp, 101, 48},
    {86, 86, R::Profile, P::Pmp, 149, 48},
    {87, 87, R::Profile, P::Pmp, 197, 48},
    {88, 88, R::Profile, P::Pmp, 245, 48},
    {89, 89, R::Profile, P::Pmp, 293, 48},
    {90, 90, R::Filler, P::Pmp, 341, 17},

    {91, 91, R::Profile, P::Hd, 1, 53},
    {92, 92, R::Profile, P::Hd, 54, 48},
    {93, 93, R::Profile, P::Hd, 102, 48},
    {94, 94, R::Profile, P::Hd, 150, 48},
    {95, 95, R::Profile, P::Hd, 198, 48},
    {96, 96, R::Profile, P::Hd, 246, 47},
    {97, 97, R::Profile, P::Hd, 293, 48},
    {98, 98, R::Still, P::Hd, 341, 17},

    {99, 99, R::Profile, P::Animation, 0, 53},
    {100, 100, R::Profile, P::Animation, 53, 308},
    {101, 101, R::Still, P::Animation, 358, 2},

    {102, 102, R::Profile, P::Avi, 0, 53},
    {103, 103, R::Profile, P::Avi, 53, 48},
    {104, 104, R::Profile, P::Avi, 101, 48},
    {105, 105, R::Profile, P::Avi, 149, 48},
    {106, 106, R::Profile, P::Avi, 197, 48},
    {107, 107, R::Profile, P::Avi, 245, 48},
    {108, 108, R::Profile, P::Avi, 293, 48},
    {109, 109, R::Filler, P::Avi, 341, 17},

    {110, 110, R::Profile, P::Mpeg, 0, 53},
    {111, 111, R::Profile, P::Mpeg, 53, 48},
    {112, 112, R::Profile, P::Mpeg, 101, 48},
    {113, 113, R::Profile, P::Mpeg, 149, 48},
    {114, 114, R::Profile, P::Mpeg, 197, 48},
    {115, 115, R::Profile, P::Mpeg, 245, 48},
    {116, 116, R::Profile, P::Mpeg, 293, 48},
    {117, 117, R::Still, P::Mpeg, 341, 17},

    {118, 118, R::Profile, P::Mp4, 0, 53},
    {119, 119, R::Profile, P::Mp4, 53, 48},
    {120, 120, R::Profile, P::Mp4, 101, 48},
    {121, 121, R::Profile, P::Mp4, 149, 48},
    {122, 122, R::Profile, P::Mp4, 197, 48},
    {123, 123, R::Profile, P::Mp4, 245, 48},
    {124, 124, R::Filler, P::Mp4, 293, 65},

    {125, 125, R::Profile, P::Mkv, 0, 53},
    {126, 126, R::Profile, P::Mkv, 53, 48},
    {128, 128, R::Profile, P::Mkv, 101, 48},
    {127, 127, R::Profile, P::Mkv, 149, 48},
    {129, 129, R::Profile, P::Mkv, 197, 48},
    {130, 130, R::Profile, P::Mkv, 245, 48},
    {131, 131, R::Profile, P::Mkv, 293, 48},
    {132, 132, R::Still, P::Mkv, 341, 17},
};

constexpr PickerCategory kCategories[] = {
    {1, "img_gvideo1", "img_video1", P::Video1, 0, 27},
    {2, "img_audio1", "img_audio1", P::Audio1, 27, 25},
    {3, "img_ipod", "img_ipod", P::Ipod, 52, 25},
    {4, "img_iphone", "img_iphone", P::Iphone, 77, 25},
    {5, "img_gphone", "img_gphone", P::Gphone, 102, 25},
    {6, "img_appletv", "img_appletv", P::Appletv, 127, 25},
    {7, "img_psp", "img_psp", P::Psp, 152, 25},
    {8, "img_xbox", "img_xbox", P::Xbox, 177, 25},
    {9, "img_phone", "img_phone", P::Phone, 202, 25},
    {10, "img_win", "img_win", P::Win, 227, 25},
    {11, "img_pmp", "img_pmp", P::Pmp, 252, 25},
    {12, "img_hd", "img_hd", P::Hd, 277, 25},
    {13, "img_animation", "img_animation", P::Animation, 302, 25},
};

constexpr QRect kCategoryPanel{206, 81, 310, 358};
constexpr QRect kEditionPanel{206, 81, 311, 358};

constexpr PickerPanelInfo kPanels[] = {
    {P::Video1, "pl_video1", kCategoryPanel},   {P::Audio1, "pl_audio1", kCategoryPanel},
    {P::Ipod, "pl_ipod", kCategoryPanel},       {P::Iphone, "pl_iphone", kCategoryPanel},
    {P::Gphone, "pl_gphone", kCategoryPanel},   {P::Appletv, "pl_appletv", kCategoryPanel},
    {P::Psp, "pl_psp", kCategoryPanel},         {P::Xbox, "pl_xbox", kCategoryPanel},
    {P::Phone, "pl_phone", kCategoryPanel},     {P::Win, "pl_win", kCategoryPanel},
    {P::Pmp, "pl_pmp", kCategoryPanel},         {P::Hd, "pl_hd", kCategoryPanel},
    {P::Animation, "pl_animation", kCategoryPanel},
    {P::Avi, "pl_avi", kEditionPanel},          {P::Mpeg, "pl_mpeg", kEditionPanel},
    {P::Mp4, "pl_mp4", kEditionPanel},          {P::Mkv, "pl_mkv", kEditionPanel},
};

// Edition panel → edition number and first code.
struct EditionPanelRow {
    PickerPanel panel;
    int edition;
    int firstCode;
};
constexpr EditionPanelRow kEditionPanels[] = {
    {P::Avi, 2, 102}, {P::Mpeg, 3, 110}, {P::Mp4, 4, 118}, {P::Mkv, 5, 125}};

const EditionPanelRow *editionRow(PickerPanel panel)
{
    for (const EditionPanelRow &row : kEditionPanels)
        if (row.panel == panel)
            return &row;
    return nullptr;
}

QString arrowFile(int code)
{
    return code == kCodeUp ? QStringLiteral("up.bmp") : QStringLiteral("down.bmp");
}

} // namespace

std::span<const PickerButton> PickerButtons() { return kButtons; }
std::span<const PickerCategory> PickerCategories() { return kCategories; }
std::span<const PickerPanelInfo> PickerPanelTable() { return kPanels; }

const PickerButton *FindPickerButton(int id)
{
    for (const PickerButton &b : kButtons)
        if (b.id == id)
            return &b;
    return nullptr;
}

const PickerCategory *FindPickerCategory(int category)
{
    if (category < 1 || category > kCategoryCount)
        return nullptr;
    return &kCategories[category - 1];
}

const PickerPanelInfo &PanelInfo(PickerPanel panel) { return kPanels[static_cast<int>(panel) - 1]; }

std::vector<const PickerButton *> ButtonsOfPanel(PickerPanel panel)
{
    std::vector<const PickerButton *> out;
    for (const PickerButton &b : kButtons)
        if (b.panel == panel)
            out.push_back(&b);
    return out;
}

std::vector<const PickerButton *> ButtonsOfCode(int code)
{
    std::vector<const PickerButton *> out;
    if (code <= 0)
        return out;
    for (const PickerButton &b : kButtons)
        if (b.code == code)
            out.push_back(&b);
    return out;
}

QString ButtonName(int id)
{
    if (id == kButtonUp)
        return QStringLiteral("btim_up");
    if (id == kButtonDown)
        return QStringLiteral("btim_down");
    return QStringLiteral("btim_%1").arg(id);
}

int ButtonWidth(const PickerButton &button)
{
    return button.role == ButtonRole::Arrow ? kArrowWidth : PanelInfo(button.panel).rect.width();
}

bool IsEditionPanel(PickerPanel panel) { return editionRow(panel) != nullptr; }

int EditionNumberOfPanel(PickerPanel panel)
{
    const EditionPanelRow *row = editionRow(panel);
    return row ? row->edition : 0;
}

int FirstCodeOfPanel(PickerPanel panel)
{
    const EditionPanelRow *row = editionRow(panel);
    return row ? row->firstCode : 0;
}

bool PanelOfEditionNumber(int edition, PickerPanel *panel)
{
    for (const EditionPanelRow &row : kEditionPanels) {
        if (row.edition == edition) {
            *panel = row.panel;
            return true;
        }
    }
    return false;
}

QString NormalButtonPicture(int code)
{
    if (code == kCodeUp || code == kCodeDown)
        return QStringLiteral("images/sub/general/") + arrowFile(code);
    return QStringLiteral("images/sub/general/%1.bmp").arg(code);
}

QString HoverButtonPicture(int code)
{
    if (code == kCodeUp || code == kCodeDown)
        return QStringLiteral("images/sub/move/") + arrowFile(code);
    return QStringLiteral("images/sub/move/%1.bmp").arg(code);
}

QString NormalCategoryPicture(const PickerCategory &category)
{
    return QStringLiteral("images/main/general/%1.bmp").arg(QLatin1String(category.pictureName));
}

QString HoverCategoryPicture(const PickerCategory &category)
{
    return QStringLiteral("images/main/move/%1.bmp").arg(QLatin1String(category.pictureName));
}

std::vector<PickerPicture> PickerPictureFiles()
{
    std::vector<PickerPicture> out;
    for (const PickerCategory &c : kCategories) {
        out.push_back({NormalCategoryPicture(c), kCategoryWidth, c.height, PickerPicture::Kind::Category,
                       c.category, false});
        out.push_back({HoverCategoryPicture(c), kCategoryWidth, c.height, PickerPicture::Kind::Category,
                       c.category, true});
    }
    for (int n = 1; n <= kCategoryIconCount; ++n)
        out.push_back({QStringLiteral("images/main/%1.bmp").arg(n), kCategoryIconSize, kCategoryIconSize,
                       PickerPicture::Kind::CategoryIcon, n, false});

    struct CodeSize {
        int width = 0, height = 0;
        bool hovered = false; // some button of the code takes hover events
    };
    std::map<int, CodeSize> sizeOfCode;
    for (const PickerButton &b : kButtons) {
        if (b.code == 0)
            continue;
        CodeSize &size = sizeOfCode[b.code];
        size.width = std::max(size.width, ButtonWidth(b));
        size.height = std::max(size.height, b.height);
        size.hovered = size.hovered || b.role != ButtonRole::Still;
    }
    for (const auto &[code, size] : sizeOfCode) {
        out.push_back({NormalButtonPicture(code), size.width, size.height, PickerPicture::Kind::Button, code, false});
        if (size.hovered)
            out.push_back({HoverButtonPicture(code), size.width, size.height, PickerPicture::Kind::Button, code, true});
    }
    return out;
}
