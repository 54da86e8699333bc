#pragma once

// Where things lie, read from the skin files and Skin.ini, so the pictures
// always fit the layout they are drawn for.

#include "platform/ini/ini_file.h"
#include "platform/skin/skin_file.h"

#include <QRect>

// The object's rectangle in its section; throws when the section lacks it.
QRect ObjectRect(const SkinSectionDef &section, const QString &name);
const SkinObjectDef &ObjectDef(const SkinSectionDef &section, const QString &name);
// Left, Top, Width, Height of a Skin.ini section; throws when a key is missing.
QRect IniRect(const TIniFile &ini, const QString &section);
int IniNumber(const TIniFile &ini, const QString &section, const QString &key);
