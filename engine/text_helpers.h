#pragma once

// Small text and number helpers the engine shares: time texts of the
// "hh:mm:ss" kind and the rounding multiply-divide used for progress and bars.

#include <QString>
#include <cstdint>

// n div 3600, (n mod 3600) div 60 and n mod 60, each at least two digits
// (zero-filled), joined by ":": 3725 → "01:02:05", 360000 → "100:00:00".
QString SecondsToHms(int32_t seconds);

// Reads two characters at each of positions 1, 4 and 7 (counted from 1) as
// hours, minutes and seconds; 0 when any of them is not an integer
// ("00:01:30" → 90, "N/A" → 0, "1:02:03" → 0).
int32_t HmsToSeconds(const QString &text);

// a × b / c with a 64-bit product, rounded to the nearest integer (halves away
// from zero); -1 for c = 0 or a result outside 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
