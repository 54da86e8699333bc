#pragma once

#include <QChar>
#include <QString>

// Fixed notation as the size estimate and the aspect ratio show numbers: the
// value rounded once to at most `precision` significant digits and `digits`
// decimals, then padded to exactly `digits` decimals ("1.3333", "9.96",
// "1234.60"). A value with more than `precision` digits before the point is
// written in exponent form instead ("1.2346E+05").
QString FormatFixed(double value, int precision, int digits, QChar decimalPoint = u'.');
