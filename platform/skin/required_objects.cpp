#include "platform/skin/required_objects.h"

#include <algorithm>
#include <array>

namespace {

constexpr const char *kMain = "popravenmoor";

// One button serves the preview stop's click and its "Stop Play" hint, so
// the hint needs no object of its own.
constexpr std::array kObjects{
    // Bound at start-up, in binding order.
    RequiredSkinObject{kMain, "profilestext", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "play_time", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "hint", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "play_bar", SkinUse::Bound, false, true},
    RequiredSkinObject{kMain, "di", SkinUse::Bound, false, false},
    RequiredSkinObject{kMain, "alltime", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "playpos", SkinUse::Bound, false, false},
    RequiredSkinObject{kMain, "convertpos", SkinUse::Bound, false, false},
    RequiredSkinObject{kMain, "convertinfo", SkinUse::Bound, false, false},
    RequiredSkinObject{kMain, "filename", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "filesize", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "filepath", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "usedtime", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "resttime", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "begin_time", SkinUse::Bound, true, false},
    RequiredSkinObject{kMain, "End_time", SkinUse::Bound, true, false},
    // Clicks.
    RequiredSkinObject{kMain, "mainclose", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "cutclose", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "profiles", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "openfiles", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "chapter", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "ifoopen", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "dvdopen", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "openfolder", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "converter", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "remove", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "clear", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "stopconverter", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "browse", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "open", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "help", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "file", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "dvdfile", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "register", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "play", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "stop", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "pause", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "settings", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "cutter", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "purchase", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "begin", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "end", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "hou", SkinUse::Click, false, false},
    RequiredSkinObject{kMain, "qian", SkinUse::Click, false, false},
    // Hints only (the others above show hints too).
    RequiredSkinObject{kMain, "audio", SkinUse::Hint, false, false},
    RequiredSkinObject{kMain, "subtitle", SkinUse::Hint, false, false},
    RequiredSkinObject{kMain, "video_size", SkinUse::Hint, false, false},
    RequiredSkinObject{kMain, "video_quality", SkinUse::Hint, false, false},
    RequiredSkinObject{kMain, "audio_quality", SkinUse::Hint, false, false},
    RequiredSkinObject{kMain, "channels", SkinUse::Hint, false, false},
    RequiredSkinObject{kMain, "hint1", SkinUse::Hint, false, false},
};

constexpr std::array kSections{
    RequiredSkinSection{"skn.skn", kMain},
    RequiredSkinSection{"skn.skn", "about"},
    RequiredSkinSection{"wait.skn", "show"},
    RequiredSkinSection{"wait.skn", "showplay"},
};

} // namespace

std::span<const RequiredSkinObject> RequiredSkinObjects()
{
    return kObjects;
}

std::span<const RequiredSkinSection> RequiredSkinSections()
{
    return kSections;
}

QStringList CheckSkinSection(const SkinFile &file, const QString &section)
{
    const SkinSectionDef *def = file.section(section);
    if (!def)
        return {QStringLiteral("section \"%1\" is missing").arg(section)};
    QStringList problems;
    for (const RequiredSkinObject &need : kObjects) {
        if (section != QLatin1String(need.section))
            continue;
        const QString name = QLatin1String(need.name);
        const auto it = std::find_if(def->objects.begin(), def->objects.end(),
                                     [&](const SkinObjectDef &o) { return o.name == name; });
        if (it == def->objects.end()) {
            problems << QStringLiteral("object \"%1\" is missing").arg(name);
            continue;
        }
        if (need.text && !SkinKindHasText(it->kind))
            problems << QStringLiteral("object \"%1\" is a %2 and has no text; it must be a text")
                            .arg(name, SkinKindName(it->kind));
        if (need.slider && !SkinKindHasSlider(it->kind))
            problems << QStringLiteral("object \"%1\" is a %2 and has no slider; it must be a slider")
                            .arg(name, SkinKindName(it->kind));
    }
    return problems;
}
