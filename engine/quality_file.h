#pragma once

// The per-profile quality file: the chosen item indexes of the four format
// lists, one section per ProfileNumber ("size", "video bitrate",
// "audio bitrate", "Channel"; audio-only profiles only the last two).

#include "engine/settings_model.h"

class TIniFile;

// The frame-size item a profile starts on when nothing is stored.
int DefaultSizeIndex(int n);

// Chooses the stored (or default) items of profile n; a list left without a
// chosen item, or given an index outside its items, ends on item 1 (on its
// only item when it has one). A null file reads as all defaults.
void LoadProfileQuality(const TIniFile *ini, int n, SettingsModel &settings);

// Stores the chosen indexes under profile n; nothing at all when one of the
// four lists has no chosen item, or when n names no profile.
void SaveProfileQuality(TIniFile *ini, int n, const SettingsModel &settings);
