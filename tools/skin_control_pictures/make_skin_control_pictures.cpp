// Draws the built-in bitmaps of the skinned controls:
//   make_skin_control_pictures <program folder>
// Each lands as tsui/<name>.bmp below the program folder, where the controls
// look them up by name.

#include "skin_controls/theme/theme_resources.h"
#include "tools/pictures/picture_writer.h"
#include "tools/skin_control_pictures/control_art.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skin_control_pictures <program folder>\n");
        return 2;
    }
    try {
        pictures::PictureWriter out(QString::fromLocal8Bit(argv[1]));
        for (const ThemeResource &resource : ThemeResources()) {
            const QImage picture = DrawThemeResource(resource);
            if (picture.size() != QSize(resource.width, resource.height))
                throw pictures::PictureError(std::string("Drawn at the wrong size: ") + resource.name);
            out.write(QStringLiteral("tsui/%1.bmp").arg(QLatin1String(resource.name)), picture);
        }
        std::printf("%d pictures of the skinned controls\n", out.written());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_skin_control_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
