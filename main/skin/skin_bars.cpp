#include "main/skin/skin_bars.h"

#include "engine/text_helpers.h"

#include <algorithm>

int BarRightEdge(int left, int position, int cap, int fullLength)
{
    return left + MulDiv(std::min(position, cap), fullLength, 10000);
}
