#pragma once

// The video panel's eighteen buttons form one strip, taller than the panel,
// that scrolls one button per timer tick behind two arrow pictures. Pure
// state: the panels apply it to the widgets.

#include <QPoint>
#include <array>
#include <utility>
#include <vector>

inline constexpr int kStripButtons = 18; // btim_1 .. btim_18
inline constexpr int kStripPanelHeight = 358;
inline constexpr int kStripTickMs = 500;

struct ProfileStrip {
    std::array<int, kStripButtons> tops{};    // btim_1 first
    std::array<int, kStripButtons> heights{}; // from the button table
    bool upShown = false;
    bool downShown = true;
};

// The start-up layout: btim_1 at 0, every next button under the previous one,
// the down arrow shown and the up arrow hidden.
ProfileStrip LayoutProfileStrip();

// The audio panel's pictures stacked edge to edge: btim_19, 21 .. 25, 20, 26 (button id, top).
std::vector<std::pair<int, int>> LayoutAudioPanel();

// One tick of `downtime`: the strip moves up one button, or on the last step
// so far that btim_18 ends on the panel's bottom. True when the timer stops.
bool StripDownTick(ProfileStrip &strip);
// One tick of `uptime`: the strip moves down one button, or on the last step
// back to btim_1 at 0. True when the timer stops.
bool StripUpTick(ProfileStrip &strip);
