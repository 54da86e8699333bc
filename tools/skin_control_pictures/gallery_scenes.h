#pragma once

// Pictures of the real skinned controls, each shown on a small form in one
// style and one state, for review by eye.

#include "skin_controls/theme/ui_style.h"

#include <QImage>
#include <QString>
#include <vector>

struct GalleryPicture {
    QString name; // file name without extension, for example "button_DeepBlue_hover"
    QImage image;
};

std::vector<GalleryPicture> ButtonPictures(TsuiUIStyle style);
std::vector<GalleryPicture> PopupMenuPictures(TsuiUIStyle style);
std::vector<GalleryPicture> ComboBoxPictures(TsuiUIStyle style);
std::vector<GalleryPicture> ImageButtonPictures();
// A DeepBlue popup menu in the colours the layout file gives by default.
GalleryPicture LayoutColoursPopupMenu();
