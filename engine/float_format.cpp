#include "engine/float_format.h"

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

QString FormatFixed(double value, int precision, int digits, QChar decimalPoint)
{
    if (!std::isfinite(value))
        return QString::number(value);
    char buf[64];
    // The exponent after rounding to `precision` significant digits.
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, value);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    QString text;
    if (value != 0 && exponent >= precision) {
        const char *e = std::strchr(buf, 'e');
        text = QString::fromLatin1(buf, e - buf) +
               QStringLiteral("E%1%2").arg(QChar(exponent < 0 ? u'-' : u'+')).arg(std::abs(exponent), 2, 10, QChar(u'0'));
    } else {
        const int decimals = std::clamp(precision - 1 - std::max(exponent, 0), 0, digits);
        std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
        text = QString::fromLatin1(buf);
        if (digits > 0) {
            if (decimals == 0)
                text += u'.';
            text += QString(digits - decimals, u'0');
        }
    }
    if (decimalPoint != u'.')
        text.replace(u'.', decimalPoint);
    return text;
}
