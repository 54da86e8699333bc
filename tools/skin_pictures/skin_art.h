#pragma once

// The skins' own pictures: window backgrounds, panels, bars and the title.

#include "platform/ini/ini_file.h"
#include "platform/skin/skin_file.h"

#include <QImage>

// The background of a section (its size); throws for a section it cannot draw.
QImage SectionBackground(const SkinSectionDef &section, const TIniFile &layout);
// The picture of a non-button object, drawn over under (the background beneath
// its rectangle); throws for an object it cannot draw.
QImage ObjectPicture(const SkinSectionDef &section, const SkinObjectDef &object, const QString &field,
                     const QImage &under);
// Where the picture of an object's field lies and how large it is (a bar's
// picture has its full length, a slider's thumb its own width).
QRect PictureRect(const SkinSectionDef &section, const SkinObjectDef &object, const QString &field,
                  const TIniFile &layout);
// The title picture dragged to move the main window: the program's name, and
// an edition's own word (empty for the full product) beside it.
QImage TitlePicture(const QImage &under, const QString &edition);
