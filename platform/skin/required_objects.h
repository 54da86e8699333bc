#pragma once

// The sections and objects the program's windows rely on, with the facets
// each needs: the main window binds some objects, dispatches clicks and hints
// by name, and the hint window picks its section. skincheck checks a skin file
// against this table; the main window's binding reads its names from here.

#include "platform/skin/skin_file.h"

#include <QStringList>
#include <span>

enum class SkinUse {
    Bound, // bound once at start-up and written by the program
    Click, // its click runs a command
    Hint,  // moving over it shows a hint line
};

struct RequiredSkinObject {
    const char *section;
    const char *name;
    SkinUse use;
    bool text;   // needs the text facet
    bool slider; // needs the slider facet
};

struct RequiredSkinSection {
    const char *file; // skin file name beside the executable
    const char *section;
};

// Every object some window needs, grouped by section; bound objects in binding order.
std::span<const RequiredSkinObject> RequiredSkinObjects();
std::span<const RequiredSkinSection> RequiredSkinSections();

// What the section lacks for the program: one line per missing section or
// object, or object without a needed facet. Empty when the section serves.
QStringList CheckSkinSection(const SkinFile &file, const QString &section);
