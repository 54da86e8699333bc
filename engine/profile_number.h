#pragma once

// What a ProfileNumber (1..131) stands for: a profile, a separator between
// catalogue blocks, a disc target, an audio-only or a slot-rated profile.

inline constexpr int kFirstProfileNumber = 1;
inline constexpr int kLastProfileNumber = 131;
inline constexpr int kProfileCount = 120;

bool IsSeparator(int n);
// A number that names one of the 120 profiles.
bool IsProfile(int n);
// Video CD, Super Video CD and DVD: 112, 113, 114.
bool IsDiscTarget(int n);
// Profiles without video: 15..25, 33, 40, 45, 59, 71, 80.
bool IsAudioOnly(int n);
// 15..101: the video rate comes from the five listed rates, not from the frame height.
bool IsSlotRated(int n);
