#include "engine/text_helpers.h"

#include "platform/ini/integer_text.h"

#include <limits>

QString SecondsToHms(int32_t seconds)
{
    return QString::asprintf("%.2d:%.2d:%.2d", seconds / 3600, (seconds % 3600) / 60, seconds % 60);
}

int32_t HmsToSeconds(const QString &text)
{
    const auto h = ParseIntegerText(QStringView(text).mid(0, 2));
    const auto m = ParseIntegerText(QStringView(text).mid(3, 2));
    const auto s = ParseIntegerText(QStringView(text).mid(6, 2));
    if (!h || !m || !s)
        return 0;
    return *h * 3600 + *m * 60 + *s;
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    int64_t product = int64_t(a) * b;
    int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const int64_t half = divisor / 2;
    const int64_t q = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (q > std::numeric_limits<int32_t>::max() || q < -std::numeric_limits<int32_t>::max())
        return -1;
    return int32_t(q);
}
