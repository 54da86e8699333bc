// Draws every picture of the profile picker into <folder>/images/ as BMP files.
//   picker_pictures <folder>

#include "main/picker_tables.h"
#include "picker_art.h"

#include <QDir>
#include <QFileInfo>
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
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const PickerPicture &picture : PickerPictureFiles()) {
        const QString path = folder + QLatin1Char('/') + picture.path;
        if (!QDir().mkpath(QFileInfo(path).path()) || !DrawPickerPicture(picture).save(path, "BMP")) {
            std::fprintf(stderr, "picker_pictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
