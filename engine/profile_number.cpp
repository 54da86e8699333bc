#include "engine/profile_number.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kSeparators{26, 52, 67, 74, 82, 90, 98, 101, 109, 117, 124};
constexpr std::array kAudioOnly{15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 33, 40, 45, 59, 71, 80};

template <std::size_t N>
bool contains(const std::array<int, N> &list, int n)
{
    return std::find(list.begin(), list.end(), n) != list.end();
}

} // namespace

bool IsSeparator(int n) { return contains(kSeparators, n); }

bool IsProfile(int n) { return n >= kFirstProfileNumber && n <= kLastProfileNumber && !IsSeparator(n); }

bool IsDiscTarget(int n) { return n >= 112 && n <= 114; }

bool IsAudioOnly(int n) { return contains(kAudioOnly, n); }

bool IsSlotRated(int n) { return n >= 15 && n <= 101; }
