#pragma once

// The check of a typed frame size in the settings window: "WxH", the height
// optionally followed by a "(note)". It only warns; the text stays as typed.

#include <QString>
#include <QStringList>
#include <optional>

// The width before the first "x"; nothing without an "x", for a text that is
// no whole number, or for a width that is not positive.
std::optional<int> ParseCustomSizeWidth(const QString &text);
// The height after the first "x", up to a "(" when one follows.
std::optional<int> ParseCustomSizeHeight(const QString &text);

// How many times the "invalid height or width" message shows for the text:
// once for a bad width, once more for a bad height. Nothing is checked when
// the size list ends with the source's own size item, and a text picked from
// the list (PAL or NTSC for a disc) is never refused.
int FrameSizeWarnings(const QStringList &sizeItems, const QString &text);
