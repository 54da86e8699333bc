#pragma once

// How integer texts are read everywhere (ini values, time fields): optional
// leading blanks, an optional sign, then decimal digits, or "$", "0x" or "0X"
// followed by hexadecimal digits; nothing may follow. Decimal must fit 32 bits
// signed; hexadecimal may use all 32 bits, so "$FFFFFFFF" is -1 (colour values
// with the system-colour byte set are written that way).

#include <QStringView>
#include <optional>
#include <cstdint>

std::optional<int32_t> ParseIntegerText(QStringView text);
