#pragma once

// The built-in bitmaps: every name the theme table and the controls use, with
// its size and the number of equal frames it holds side by side. The pictures
// are drawn at build time into the folder "tsui" beside the executable; a
// lookup by name loads them from there.

#include "skin_controls/theme/ui_style.h"

#include <QImage>
#include <QString>
#include <span>
#include <stdexcept>

class TsuiResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ThemeResource {
    const char *name;
    int item; // the theme item that names it; 0 for the bitmaps the controls name directly
    int width;
    int height;
    int frames;
};

// Each name once.
std::span<const ThemeResource> ThemeResources();
// nullptr for a name that is not a built-in bitmap.
const ThemeResource *FindThemeResource(const QString &name);

// Where the bitmaps are read from; by default "tsui" beside the executable.
QString ThemeResourceFolder();
void SetThemeResourceFolder(const QString &folder);

// The named bitmap (read once, then kept); throws TsuiResourceError when it
// is missing.
QImage LoadThemeResource(const QString &name);

// Loads the bitmap of an Image item into bitmap; other kinds, and a null
// bitmap, leave it as it is.
void GetInsideThemeBitmap(TsuiUIStyle style, int index, QImage *bitmap);
// A frame count of 0 loads the whole bitmap; otherwise frame frameIndex
// (from 1) of frameCount equal frames.
void GetInsideThemeBitmapFrame(TsuiUIStyle style, int index, QImage *bitmap, int frameCount, int frameIndex);
