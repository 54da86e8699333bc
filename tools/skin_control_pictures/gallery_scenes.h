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

// "MacOS", "WinXP", ... for the pictures' names.
QString GalleryStyleName(TsuiUIStyle style);
// Lets the shown controls paint before they are shot.
void SettleGallery();

std::vector<GalleryPicture> ButtonPictures(TsuiUIStyle style);
std::vector<GalleryPicture> PopupMenuPictures(TsuiUIStyle style);
std::vector<GalleryPicture> ComboBoxPictures(TsuiUIStyle style);
std::vector<GalleryPicture> ImageButtonPictures();
std::vector<GalleryPicture> ProgressBarPictures(TsuiUIStyle style);
// A skinned form with its title bar, main menu and a progress bar: the whole
// form, the title bar hovered and with a cut caption, a menu dropped down.
std::vector<GalleryPicture> FormFramePictures(TsuiUIStyle style);
// A DeepBlue popup menu in the colours the layout file gives by default.
GalleryPicture LayoutColoursPopupMenu();
