#include "tools/skin_pictures/button_table.h"

#include "tools/pictures/palette.h"

#include <vector>

namespace {

using pictures::ButtonFace;
using pictures::FaceStyle;
using pictures::Icon;
using namespace palette;

ButtonFace Tool(Icon icon, const char *label, const QColor &tint)
{
    return {FaceStyle::Tool, icon, QString::fromUtf8(label), tint};
}

const std::vector<NamedFace> &imageButtons()
{
    static const std::vector<NamedFace> faces{
        {"bt_dvdopen", Tool(Icon::Disc, "Add DVD", kAccent)},
        {"bt_open", Tool(Icon::Film, "Add Files", kHeather)},
        {"bt_ifo", Tool(Icon::Ifo, "Add IFO", kAccentDark)},
        {"bt_all", Tool(Icon::CheckAll, "Check All", kGo)},
        {"bt_none", Tool(Icon::CheckNone, "Uncheck", kTextMuted)},
        {"bt_remove", Tool(Icon::Remove, "Remove", kHalt)},
        {"bt_clear", Tool(Icon::Trash, "Clear", kTextMuted)},
        {"bt_chapte", Tool(Icon::Chapters, "Chapters", kHeather)},
        {"bt_set", Tool(Icon::Gear, "Settings", kTextMuted)},
        {"bt_back", {FaceStyle::Transport, Icon::Back, {}, kText}},
        {"bt_play", {FaceStyle::Transport, Icon::Play, {}, kGo}},
        {"bt_begin", {FaceStyle::Mark, Icon::MarkBegin, {}, kHeather}},
        {"bt_end", {FaceStyle::Mark, Icon::MarkEnd, {}, kHeather}},
        {"bt_next", {FaceStyle::Transport, Icon::Forward, {}, kText}},
        {"bt_playstop", {FaceStyle::Transport, Icon::Stop, {}, kHalt}},
        {"bt_images", {FaceStyle::Transport, Icon::Camera, {}, kText}},
        {"bt_start", {FaceStyle::Primary, Icon::Play, QStringLiteral("Start"), {}}},
        {"Bt_Convertstop", {FaceStyle::Danger, Icon::Stop, QStringLiteral("Stop"), {}}},
        {"bt_web", {FaceStyle::TitleIcon, Icon::Globe, {}, {}}},
    };
    return faces;
}

const ButtonFace *imageFace(const char *name)
{
    for (const NamedFace &f : imageButtons())
        if (qstrcmp(f.name, name) == 0)
            return &f.face;
    return nullptr;
}

// Skin objects that share a command with an image button.
struct Twin {
    const char *object;
    const char *button;
};
constexpr Twin kTwins[] = {
    {"dvdopen", "bt_dvdopen"}, {"openfiles", "bt_open"},     {"ifoopen", "bt_ifo"},    {"remove", "bt_remove"},
    {"clear", "bt_clear"},     {"chapter", "bt_chapte"},     {"hou", "bt_back"},       {"play", "bt_play"},
    {"stop", "bt_playstop"},   {"qian", "bt_next"},          {"begin", "bt_begin"},    {"end", "bt_end"},
    {"converter", "bt_start"}, {"stopconverter", "Bt_Convertstop"},
};

const std::vector<NamedFace> &skinOnly()
{
    static const std::vector<NamedFace> faces{
        {"file", {FaceStyle::Menu, {}, QStringLiteral("File"), {}}},
        {"dvdfile", {FaceStyle::Menu, {}, QStringLiteral("DVD"), {}}},
        {"settings", {FaceStyle::Menu, {}, QStringLiteral("Edit"), {}}},
        {"purchase", {FaceStyle::Menu, {}, QStringLiteral("Actions"), {}}},
        {"register", {FaceStyle::Menu, {}, QStringLiteral("Tools"), {}}},
        {"help", {FaceStyle::Menu, {}, QStringLiteral("Help"), {}}},
        {"mainclose", {FaceStyle::WindowClose, Icon::Close, {}, {}}},
        {"openfolder", Tool(Icon::Folder, "Add Folder", kAmber)},
        {"profiles", {FaceStyle::Chooser, {}, QStringLiteral("Output format"), {}}},
        {"pause", {FaceStyle::Transport, Icon::Pause, {}, kText}},
        {"cutter", {FaceStyle::Mark, Icon::Scissors, {}, kText}},
        {"cutclose", {FaceStyle::Mark, Icon::Eject, {}, kTextMuted}},
        {"browse", {FaceStyle::Text, {}, QStringLiteral("Browse..."), {}}},
        {"open", {FaceStyle::Text, Icon::FolderOpen, {}, kAmber}},
        {"aboutclose", {FaceStyle::Text, {}, QStringLiteral("Close"), {}}},
        {"showplayok", {FaceStyle::Text, {}, QStringLiteral("OK"), {}}},
    };
    return faces;
}

} // namespace

std::span<const NamedFace> ImageButtonFaces()
{
    return imageButtons();
}

const ButtonFace *SkinButtonOffFace(const QString &name)
{
    // Start is hidden while a conversion runs; the skin's start beneath it says so.
    static const NamedFace kOffFaces[] = {
        {"converter", {FaceStyle::Busy, Icon::Wait, QStringLiteral("Converting..."), {}}},
    };
    for (const NamedFace &f : kOffFaces)
        if (name == QLatin1String(f.name))
            return &f.face;
    return nullptr;
}

const ButtonFace *SkinButtonFace(const QString &name)
{
    for (const Twin &t : kTwins)
        if (name == QLatin1String(t.object))
            return imageFace(t.button);
    for (const NamedFace &f : skinOnly())
        if (name == QLatin1String(f.name))
            return &f.face;
    return nullptr;
}
