#pragma once

// Rates behind the five quality items (index 0 "Higher Quality" .. 4 "Lower Quality").

#include <array>

// Audio kbit/s of every output but AMR and WAV.
inline constexpr std::array<int, 5> kAudioKbps{320, 192, 128, 64, 32};
// AMR-NB modes in bit/s, as the encoder is asked for them.
inline constexpr std::array<const char *, 5> kAmrBps{"12200", "10200", "7400", "5900", "4750"};
// The same modes rounded to whole kbit/s, as the size estimate counts them.
inline constexpr std::array<int, 5> kAmrKbpsRounded{12, 10, 7, 6, 5};
// A WAV output's audio rate in kbit/s, whatever the quality.
inline constexpr int kWavKbps = 1500;

// Whether an index names one of the five quality columns.
inline constexpr bool IsQualityIndex(int i) { return i >= 0 && i < 5; }
