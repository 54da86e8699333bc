#include "skin_controls/theme/theme_item_table.h"

namespace {

using K = ThemeItemKind;

constexpr ThemeItem kItems[kThemeItemCount] = {
    {"ButtonImage", K::Image, {}, {"MACOS_BUTTON", "WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON", "BLUEGLASS_BUTTON"}},
    {"ButtonTransparentBool", K::Bool, {1, 0, 0, 0, 1}, {}},
    {"CheckBoxImage", K::Image, {},
     {"MACOS_CHECKBOX", "WINXP_CHECKBOX", "DEEPBLUE_CHECKBOX", "PROTEIN_CHECKBOX", "BLUEGLASS_CHECKBOX"}},
    {"RadioButtonImage", K::Image, {},
     {"MACOS_RADIOBUTTON", "WINXP_RADIOBUTTON", "DEEPBLUE_RADIOBUTTON", "PROTEIN_RADIOBUTTON", "BLUEGLASS_RADIOBUTTON"}},
    {"TitleBarButtonImage", K::Image, {},
     {"MACOS_TITLEBTN", "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "PROTEIN_TITLEBTN", "BLUEGLASS_TITLEBTN"}},
    {"TitleBarButtonTransparentBool", K::Bool, {0, 0, 0, 1, 1}, {}},
    {"TitleBarButtonLeftOffsetInt", K::Int, {3, 2, 0, 0, 4}, {}},
    {"TitleBarButtonRightOffsetInt", K::Int, {-2, -2, 0, 0, -3}, {}},
    {"TitleBarButtonTopInt", K::Int, {4, 5, 2, 2, 6}, {}},
    {"TitleBarLeftImage", K::Image, {},
     {"MACOS_TITLE_LEFT", "WINXP_TITLE_LEFT", "DEEPBLUE_TITLE_LEFT", "PROTEIN_TITLE_LEFT", "BLUEGLASS_TITLE_LEFT"}},
    {"TitleBarClientImage", K::Image, {},
     {"MACOS_TITLE_CLIENT", "WINXP_TITLE_CLIENT", "DEEPBLUE_TITLE_CLIENT", "PROTEIN_TITLE_CLIENT",
      "BLUEGLASS_TITLE_CLIENT"}},
    {"TitleBarRightImage", K::Image, {},
     {"MACOS_TITLE_RIGHT", "WINXP_TITLE_RIGHT", "DEEPBLUE_TITLE_RIGHT", "PROTEIN_TITLE_RIGHT", "BLUEGLASS_TITLE_RIGHT"}},
    {"FormMinWidthInt", K::Int, {130, 150, 130, 130, 270}, {}},
    {"FormRoundCornerInt", K::Int, {0, 13, 0, 0, 11}, {}},
    {"FormBackgroundColor", K::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}, {}},
    {"FormBorderColor", K::Color, {0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000}, {}},
    {"FormBorderWidthInt", K::Int, {1, 3, 1, 1, 1}, {}},
    {"MenuSelectedBorderColor", K::Color, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}, {}},
    {"MenuSelectedBackgroundColor", K::Color, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}, {}},
    {"MenuSelectedFontColor", K::Color, {0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, {}},
    {"MenuBackgroundColor", K::Color, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}, {}},
    {"MenuFontColor", K::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}, {}},
    {"MenuBarColor", K::Color, {0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}, {}},
    {"ProgressBarImage", K::Image, {},
     {"MACOS_PROGRESSBAR", "WINXP_PROGRESSBAR", "DEEPBLUE_PROGRESSBAR", "PROTEIN_PROGRESSBAR", "BLUEGLASS_PROGRESSBAR"}},
    {"ControlBorderColor", K::Color, {0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000}, {}},
    {"ControlBackgroundColor", K::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}, {}},
    {"ControlFontColor", K::Color, {0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000}, {}},
    {"TrackBarBarImage", K::Image, {},
     {"MACOS_TRACKBAR_BAR", "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR", "PROTEIN_TRACKBAR_BAR",
      "BLUEGLASS_TRACKBAR_BAR"}},
    {"TrackBarSliderImage", K::Image, {},
     {"MACOS_TRACKBAR_SLIDER", "WINXP_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER", "PROTEIN_TRACKBAR_SLIDER",
      "BLUEGLASS_TRACKBAR_SLIDER"}},
    {"TrackBarSliderVImage", K::Image, {},
     {"MACOS_TRACKBAR_SLIDER_V", "WINXP_TRACKBAR_SLIDER_V", "DEEPBLUE_TRACKBAR_SLIDER_V", "PROTEIN_TRACKBAR_SLIDER_V",
      "BLUEGLASS_TRACKBAR_SLIDER_V"}},
    {"ScrollBarBackgroundColor", K::Color, {0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4}, {}},
    {"ScrollBarButtonImage", K::Image, {},
     {"MACOS_SCROLLBAR_BUTTON", "WINXP_SCROLLBAR_BUTTON", "DEEPBLUE_SCROLLBAR_BUTTON", "PROTEIN_SCROLLBAR_BUTTON",
      "BLUEGLASS_SCROLLBAR_BUTTON"}},
    {"ScrollBarSliderImage", K::Image, {},
     {"MACOS_SCROLLBAR_TRACK", "WINXP_SCROLLBAR_TRACK", "DEEPBLUE_SCROLLBAR_TRACK", "PROTEIN_SCROLLBAR_TRACK",
      "BLUEGLASS_SCROLLBAR_TRACK"}},
    {"CheckListBoxImage", K::Image, {},
     {"MACOS_CHECKLIST", "WINXP_CHECKLIST", "DEEPBLUE_CHECKLIST", "PROTEIN_CHECKLIST", "BLUEGLASS_CHECKLIST"}},
    {"ToolBarButtonBorderColor", K::Color, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}, {}},
    {"ToolBarButtonBackgroundColor", K::Color, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}, {}},
    {"ToolBarButtonDownBackgroundColor", K::Color, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}, {}},
    {"ScrollButtonImage", K::Image, {},
     {"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON"}},
    {"TabControlTabImage", K::Image, {}, {"MACOS_TAB", "WINXP_TAB", "DEEPBLUE_TAB", "PROTEIN_TAB", "BLUEGLASS_TAB"}},
    {"TabControlBarImage", K::Image, {},
     {"MACOS_TAB_LINE", "WINXP_TAB_LINE", "DEEPBLUE_TAB_LINE", "PROTEIN_TAB_LINE", "BLUEGLASS_TAB_LINE"}},
    {"SideChannelHandleImage", K::Image, {},
     {"MACOS_SIDECHENNEL_HANDLE", "WINXP_SIDECHENNEL_HANDLE", "DEEPBLUE_SIDECHENNEL_HANDLE",
      "PROTEIN_SIDECHENNEL_HANDLE", "BLUEGLASS_SIDECHENNEL_HANDLE"}},
    {"SideChannelBarImage", K::Image, {},
     {"MACOS_SIDECHENNEL_BAR", "WINXP_SIDECHENNEL_BAR", "DEEPBLUE_SIDECHENNEL_BAR", "PROTEIN_SIDECHENNEL_BAR",
      "BLUEGLASS_SIDECHENNEL_BAR"}},
};

bool validIndex(int index)
{
    return index >= 1 && index <= kThemeItemCount;
}

} // namespace

std::span<const ThemeItem> ThemeItemTable()
{
    return kItems;
}

const char *ThemeItemName(int index)
{
    return validIndex(index) ? kItems[index - 1].name : nullptr;
}

ThemeItemValue GetThemeItem(uint8_t style, int index)
{
    const int column = (style & 0x7F) - 1;
    if (column < 0 || column >= 5 || !validIndex(index))
        return {-1, ThemeItemKind::Int, nullptr};
    const ThemeItem &item = kItems[index - 1];
    return {item.values[column], item.kind, item.images[column]};
}

TColor GetInsideThemeColor(TsuiUIStyle style, int index)
{
    const ThemeItemValue v = GetThemeItem(style, index);
    return v.kind == ThemeItemKind::Color ? v.value : 0;
}

int32_t GetInsideThemeInt(TsuiUIStyle style, int index)
{
    const ThemeItemValue v = GetThemeItem(style, index);
    return v.kind == ThemeItemKind::Int ? v.value : -1;
}

bool GetInsideThemeBool(TsuiUIStyle style, int index)
{
    const ThemeItemValue v = GetThemeItem(style, index);
    return v.kind == ThemeItemKind::Bool && v.value != 0;
}
