// Draws every picture the skins and the main window's image buttons load,
// fitted to the layout in the skin files and Skin.ini:
//   make_skin_pictures <skn.skn> <wait.skn> <Skin.ini> <program folder> <program name>
// Pictures land below the program folder as the files name them; every
// edition of the program gets its own title picture.

#include "main/picker/picker_editions.h"
#include "platform/ini/ini_file.h"
#include "platform/skin/skin_file.h"
#include "tools/pictures/button_faces.h"
#include "tools/pictures/painting.h"
#include "tools/pictures/picture_writer.h"
#include "tools/skin_pictures/button_table.h"
#include "tools/skin_pictures/skin_art.h"
#include "tools/skin_pictures/skin_geometry.h"

#include <QGuiApplication>
#include <QSet>
#include <cstdio>
#include <exception>

using pictures::FaceState;
using pictures::PictureError;
using pictures::PictureWriter;

namespace {

struct Field {
    const char *name;
    QString SkinObjectDef::*path;
    FaceState state; // for buttons
};
const Field kFields[] = {
    {"picture", &SkinObjectDef::picture, FaceState::Normal}, {"hover", &SkinObjectDef::hover, FaceState::Hover},
    {"pressed", &SkinObjectDef::pressed, FaceState::Pressed}, {"disabled", &SkinObjectDef::disabled, FaceState::Disabled},
    {"track", &SkinObjectDef::track, FaceState::Normal},
    {"thumb", &SkinObjectDef::thumb, FaceState::Normal},
};

// The word each edition's title shows beside the program's name.
constexpr std::pair<const char *, const char *> kEditionTitles[] = {
    {"ipod", "iPod"}, {"psp", "PSP"}, {"iphone", "iPhone"}, {"3gp", "3GP"}, {"gphone", "GPhone"},
    {"mp3", "MP3"},   {"audio", "Audio"}, {"avi", "AVI"},   {"mpeg", "MPEG"}, {"mp4", "MP4"},
    {"mkv", "MKV"},   {"hd", "HD"},   {"wmv", "WMV"},       {"rm", "RM"},     {"flv", "FLV"},
};

// The title word of an edition's program name; empty for the program itself.
QString EditionTitle(const QString &program, const QString &edition)
{
    if (edition == program)
        return {};
    const QString word = edition.mid(program.size() + 1);
    for (const auto &[w, title] : kEditionTitles)
        if (word == QLatin1String(w))
            return QString::fromUtf8(title);
    throw PictureError(QStringLiteral("No title is designed for the edition \"%1\"").arg(edition).toStdString());
}

void writeOnce(PictureWriter &out, QSet<QString> &done, const QString &path, const QImage &image)
{
    if (done.contains(path))
        throw PictureError(QStringLiteral("Two pictures are named \"%1\"").arg(path).toStdString());
    done.insert(path);
    out.write(path, image);
}

void drawSkin(const SkinFile &file, const TIniFile &layout, PictureWriter &out, QSet<QString> &done)
{
    for (const auto &[name, section] : file.sections) {
        const QImage background = SectionBackground(section, layout);
        if (!section.background.isEmpty())
            writeOnce(out, done, section.background, background);
        for (const SkinObjectDef &object : section.objects)
            for (const Field &field : kFields) {
                const QString &path = object.*field.path;
                if (path.isEmpty())
                    continue;
                const QImage under =
                    pictures::Under(background, PictureRect(section, object, field.name, layout));
                QImage picture;
                if (object.kind == SkinKind::Button) {
                    const pictures::ButtonFace *face = SkinButtonFace(object.name);
                    if (!face)
                        throw PictureError(
                            QStringLiteral("No face is designed for button \"%1\"").arg(object.name).toStdString());
                    // A button with a look of its own for off wears it; any other is its face greyed.
                    const pictures::ButtonFace *off =
                        field.state == FaceState::Disabled ? SkinButtonOffFace(object.name) : nullptr;
                    picture = off ? DrawButtonFace(under, *off, FaceState::Normal)
                                  : DrawButtonFace(under, *face, field.state);
                } else {
                    picture = ObjectPicture(section, object, field.name, under);
                }
                writeOnce(out, done, path, picture);
            }
    }
}

void drawImageButtons(const SkinSectionDef &main, const TIniFile &layout, const QString &program, PictureWriter &out,
                      QSet<QString> &done)
{
    const QImage background = SectionBackground(main, layout);
    struct Variant {
        const char *suffix;
        FaceState state;
    };
    constexpr Variant kVariants[] = {{"", FaceState::Normal}, {"on", FaceState::Hover}, {"D", FaceState::Disabled}};
    for (const NamedFace &button : ImageButtonFaces()) {
        const QImage under = pictures::Under(background, IniRect(layout, button.name));
        for (const Variant &v : kVariants)
            writeOnce(out, done, QStringLiteral("images/%1%2.bmp").arg(QLatin1String(button.name), v.suffix),
                      DrawButtonFace(under, button.face, v.state));
    }
    // The title pictures, named after the program and each of its editions.
    const QRect title(IniNumber(layout, "Title", "Left"), IniNumber(layout, "Title", "Top"),
                      IniNumber(layout, "Title", "Width"), 28);
    const QImage under = pictures::Under(background, title);
    for (const QString &edition : EditionProgramNames(program))
        writeOnce(out, done, QStringLiteral("images/main/%1.bmp").arg(edition),
                  TitlePicture(under, EditionTitle(program, edition)));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr,
                     "usage: make_skin_pictures <skn.skn> <wait.skn> <Skin.ini> <program folder> <program name>\n");
        return 2;
    }
    try {
        const SkinFile mainSkin = ReadSkinFile(QString::fromLocal8Bit(argv[1]));
        const SkinFile waitSkin = ReadSkinFile(QString::fromLocal8Bit(argv[2]));
        const TIniFile layout(QString::fromLocal8Bit(argv[3]));
        PictureWriter out(QString::fromLocal8Bit(argv[4]));
        QSet<QString> done;
        drawSkin(mainSkin, layout, out, done);
        drawSkin(waitSkin, layout, out, done);
        const SkinSectionDef *main = mainSkin.section(QStringLiteral("popravenmoor"));
        if (!main)
            throw PictureError("The main skin has no section \"popravenmoor\"");
        drawImageButtons(*main, layout, QString::fromLocal8Bit(argv[5]), out, done);
        std::printf("make_skin_pictures: %d pictures\n", out.written());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_skin_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
