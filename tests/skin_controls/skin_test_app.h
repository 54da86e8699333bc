#pragma once

// The application the control tests run in, reading the built-in bitmaps
// from the program folder the build drew them into.

#include "skin_controls/theme/theme_resources.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QWidget>

inline QApplication &SkinTestApp()
{
    static int argc = 1;
    static char name[] = "skin_controls_test";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        auto *a = new QApplication(argc, argv);
        SetThemeResourceFolder(QStringLiteral(RAVENMOOR_BIN_DIR "/tsui"));
        return a;
    }();
    return *app;
}

// What the widget shows, as painted now.
inline QImage Shot(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor At(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

// $00BBGGRR as a QColor.
inline QColor Bgr(uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
