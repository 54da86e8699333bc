#pragma once

// The pictures of the profile picker: category rows, category icons, profile
// cards with their highlighted variants, strip arrows and panel feet.

#include "main/picker/picker_tables.h"

#include <QImage>

// The picture at its size; every pixel is drawn.
QImage DrawPickerPicture(const PickerPicture &picture);
