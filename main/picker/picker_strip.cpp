#include "main/picker/picker_strip.h"

#include "main/picker/picker_tables.h"

namespace {

constexpr int kAudioOrder[] = {19, 21, 22, 23, 24, 25, 20, 26};

void moveBy(ProfileStrip &strip, int dy)
{
    for (int &top : strip.tops)
        top += dy;
}

// Every button by its own height, keeping them edge to edge.
void stepBy(ProfileStrip &strip, int sign)
{
    for (int i = 0; i < kStripButtons; ++i)
        strip.tops[i] += sign * strip.heights[i];
}

} // namespace

ProfileStrip LayoutProfileStrip()
{
    ProfileStrip strip;
    int top = 0;
    for (int i = 0; i < kStripButtons; ++i) {
        strip.heights[i] = FindPickerButton(i + 1)->height;
        strip.tops[i] = top;
        top += strip.heights[i];
    }
    strip.upShown = false;
    strip.downShown = true;
    return strip;
}

std::vector<std::pair<int, int>> LayoutAudioPanel()
{
    std::vector<std::pair<int, int>> out;
    int top = 0;
    for (int id : kAudioOrder) {
        out.emplace_back(id, top);
        top += FindPickerButton(id)->height;
    }
    return out;
}

bool StripDownTick(ProfileStrip &strip)
{
    const int lastTop = strip.tops[kStripButtons - 1];
    if (kStripPanelHeight >= lastTop) {
        moveBy(strip, -(lastTop - kStripPanelHeight + strip.heights[kStripButtons - 1]));
        strip.downShown = false;
        return true;
    }
    stepBy(strip, -1);
    if (strip.tops[0] < 0)
        strip.upShown = true;
    return false;
}

bool StripUpTick(ProfileStrip &strip)
{
    const int firstTop = strip.tops[0];
    if (firstTop >= -(strip.heights[0] - 1)) {
        moveBy(strip, -firstTop);
        strip.upShown = false;
        return true;
    }
    stepBy(strip, 1);
    if (strip.tops[kStripButtons - 1] > kStripPanelHeight)
        strip.downShown = true;
    return false;
}
