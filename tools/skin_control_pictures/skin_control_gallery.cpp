// Draws the gallery of the skinned controls for review by eye:
//   skin_control_gallery <tsui folder> <output folder>
// One PNG per control, style and state.

#include "skin_controls/theme/theme_resources.h"
#include "tools/skin_control_pictures/gallery_scenes.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin_control_gallery <tsui folder> <output folder>\n");
        return 2;
    }
    SetThemeResourceFolder(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "skin_control_gallery: cannot make %s\n", argv[2]);
        return 1;
    }
    std::vector<GalleryPicture> all = ImageButtonPictures();
    for (TsuiUIStyle style : kBuiltInStyles)
        for (auto *scenes : {&ButtonPictures, &PopupMenuPictures, &ComboBoxPictures, &ProgressBarPictures,
                              &FormFramePictures})
            for (GalleryPicture &picture : scenes(style))
                all.push_back(std::move(picture));
    all.push_back(LayoutColoursPopupMenu());
    for (const GalleryPicture &picture : all)
        if (!picture.image.save(out.filePath(picture.name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "skin_control_gallery: cannot write %s\n", qPrintable(picture.name));
            return 1;
        }
    std::printf("%zu gallery pictures in %s\n", all.size(), qPrintable(out.path()));
    return 0;
}
