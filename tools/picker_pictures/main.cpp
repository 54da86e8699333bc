// Draws every picture of the profile picker into <folder>/images/ as BMP files.
//   picker_pictures <folder>

#include "main/picker/picker_tables.h"
#include "picker_art.h"
#include "tools/pictures/picture_writer.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: picker_pictures <folder>\n");
        return 2;
    }
    pictures::PictureWriter writer(QString::fromLocal8Bit(argv[1]));
    try {
        for (const PickerPicture &picture : PickerPictureFiles())
            writer.write(picture.path, DrawPickerPicture(picture));
    } catch (const pictures::PictureError &e) {
        std::fprintf(stderr, "picker_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
