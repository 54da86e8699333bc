#pragma once

// The pictures the window loads from files beside the program.

#include <QImage>
#include <QString>

// A picture from a file; throws std::runtime_error naming the path when it cannot be read.
QImage LoadPicture(const QString &path);
