#pragma once

// Reading an encoder's status line and showing a row's progress.

#include <QString>
#include <cstdint>

// Whole seconds done from a status line holding "time=<s>.<hh>" and, after it,
// "bitrate="; 0 when the line holds no usable value.
int32_t ParseEncoderSeconds(const QString &line);

// Progress in hundredths of a percent (0..9999) after `seconds` of a clip of
// `clipSeconds`; `tickCount` is subtracted from the full 10000 as the DVD run
// does (0 in a file run).
int ProgressFromSeconds(int32_t seconds, int32_t clipSeconds, int tickCount = 0);

// "12.34%" for 1234, "00.05%" for 5, "99.99%" for 9999.
QString ProgressPercentText(int hundredths);
