#include "skin_controls/theme/theme_resources.h"

#include "skin_controls/drawing/bitmap_helpers.h"
#include "skin_controls/theme/theme_item_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <algorithm>
#include <vector>

namespace {

struct Size {
    int width, height;
};

struct ItemBitmaps {
    int item;
    int frames;
    Size sizes[5]; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

// Frames beyond item 1 (three button states) and item 5 (three states of six
// title-bar buttons) are the layout the picture generator draws.
constexpr ItemBitmaps kItemBitmaps[] = {
    {1, 3, {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
    {3, 4, {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {4, 4, {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {5, 18, {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
    {10, 1, {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}},
    {11, 1, {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}},
    {12, 1, {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}},
    {24, 1, {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}},
    {28, 1, {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}},
    {29, 1, {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}},
    {30, 1, {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}},
    {32, 6, {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}},
    {33, 3, {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}},
    {34, 4, {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}},
    {38, 4, {{72, 18}, {72, 18}, {72, 17}, {72, 17}, {72, 17}}},
    {39, 2, {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}},
    {40, 1, {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}},
    {41, 1, {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}},
    {42, 1, {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}},
};

constexpr ThemeResource kDirectBitmaps[] = {
    {"MACOS_COMBOBOX_BUTTON", 0, 16, 17, 1}, {"WINXP_COMBOBOX_BUTTON", 0, 16, 18, 1},
    {"MACOS_MENU_BAR", 0, 1, 22, 1},         {"MACOS_MENU_SELECT", 0, 1, 21, 1},
    {"MENU_CHECKED", 0, 16, 16, 1},          {"MACOS_FORM_BACKGROUND", 0, 8, 8, 1},
    {"PROTEIN_FORM_BACKGROUND", 0, 8, 8, 1}, {"MAINICON", 0, 16, 16, 1},
};

std::vector<ThemeResource> buildResources()
{
    std::vector<ThemeResource> out;
    for (const ItemBitmaps &row : kItemBitmaps)
        for (int s = 0; s < 5; ++s) {
            const char *name = ThemeItemTable()[row.item - 1].images[s];
            const bool known = std::any_of(out.begin(), out.end(),
                                           [&](const ThemeResource &r) { return qstrcmp(r.name, name) == 0; });
            if (!known)
                out.push_back({name, row.item, row.sizes[s].width, row.sizes[s].height, row.frames});
        }
    out.insert(out.end(), std::begin(kDirectBitmaps), std::end(kDirectBitmaps));
    return out;
}

struct Store {
    QString folder;
    QHash<QString, QImage> loaded;
};

Store &store()
{
    static Store s;
    return s;
}

} // namespace

std::span<const ThemeResource> ThemeResources()
{
    static const std::vector<ThemeResource> resources = buildResources();
    return resources;
}

const ThemeResource *FindThemeResource(const QString &name)
{
    for (const ThemeResource &r : ThemeResources())
        if (name == QLatin1String(r.name))
            return &r;
    return nullptr;
}

QString ThemeResourceFolder()
{
    if (store().folder.isEmpty())
        return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tsui"));
    return store().folder;
}

void SetThemeResourceFolder(const QString &folder)
{
    store().folder = folder;
    store().loaded.clear();
}

QImage LoadThemeResource(const QString &name)
{
    Store &s = store();
    if (const auto it = s.loaded.constFind(name); it != s.loaded.cend())
        return *it;
    QImage image;
    if (FindThemeResource(name))
        image.load(QDir(ThemeResourceFolder()).filePath(name + QStringLiteral(".bmp")));
    if (image.isNull())
        throw TsuiResourceError(QStringLiteral("Resource %1 not found").arg(name).toStdString());
    image = image.convertToFormat(QImage::Format_RGB32);
    s.loaded.insert(name, image);
    return image;
}

void GetInsideThemeBitmap(TsuiUIStyle style, int index, QImage *bitmap)
{
    const ThemeItemValue v = GetThemeItem(style, index);
    if (bitmap && v.kind == ThemeItemKind::Image)
        *bitmap = LoadThemeResource(QLatin1String(v.image));
}

void GetInsideThemeBitmapFrame(TsuiUIStyle style, int index, QImage *bitmap, int frameCount, int frameIndex)
{
    if (!bitmap)
        return;
    if (frameCount == 0) {
        GetInsideThemeBitmap(style, index, bitmap);
        return;
    }
    QImage whole;
    GetInsideThemeBitmap(style, index, &whole);
    CutBitmapFrame(whole, *bitmap, frameCount, frameIndex);
}
