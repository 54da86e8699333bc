// The shipped skins with the pictures the build drew for them, in real windows.

#include "platform/ini/ini_file.h"
#include "platform/skin/required_objects.h"
#include "platform/skin/skin.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

using ravenmoor::test::binDir;

namespace {

QApplication &app()
{
    static int argc = 1;
    static char name[] = "skin_data_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new QApplication(argc, argv);
    return *application;
}

QImage picture(const QString &relative)
{
    return QImage(binDir() + "/" + relative);
}

// The main window's image buttons, in the order the layout reads them.
const char *const kImageButtons[] = {"bt_dvdopen", "bt_open",     "bt_ifo",    "bt_all",   "bt_none",
                                     "bt_remove",  "bt_clear",    "bt_chapte", "bt_set",   "bt_back",
                                     "bt_play",    "bt_begin",    "bt_end",    "bt_next",  "bt_playstop",
                                     "bt_images",  "bt_start",    "Bt_Convertstop", "bt_web"};

} // namespace

TEST(SkinData, EverySectionDressesAWindowAtItsSize)
{
    app();
    for (const RequiredSkinSection &s : RequiredSkinSections()) {
        TSkin skin;
        skin.LoadSkinFile(binDir() + "/" + s.file);
        QWidget window;
        skin.ApplySkinSection(&window, s.section);
        const SkinSectionDef &def = *skin.LoadedFile().section(s.section);
        EXPECT_EQ(window.size(), QSize(def.width, def.height)) << s.section;
        // Buttons and panels are drawn 1:1: their pictures have their rectangles' sizes.
        for (const SkinObjectDef &o : def.objects) {
            for (const QString &path : {o.picture, o.hover, o.pressed, o.disabled}) {
                if (path.isEmpty() || o.kind == SkinKind::Bar)
                    continue;
                EXPECT_EQ(picture(path).size(), o.rect.toQRect().size()) << s.section << " " << o.name.toStdString();
            }
        }
    }
}

TEST(SkinData, LayoutButtonsHaveTheirThreePicturesAtTheirSize)
{
    const TIniFile layout(binDir() + "/Skin.ini");
    for (const char *name : kImageButtons) {
        const QSize size(layout.ReadInteger(name, "Width", 0), layout.ReadInteger(name, "Height", 0));
        ASSERT_FALSE(size.isEmpty()) << name;
        for (const char *suffix : {"", "on", "D"})
            EXPECT_EQ(picture(QStringLiteral("images/%1%2.bmp").arg(name, suffix)).size(), size) << name << suffix;
    }
    const QImage title = picture("images/main/ravenmoor.bmp");
    EXPECT_EQ(title.width(), layout.ReadInteger("Title", "Width", 0));
}

TEST(SkinData, BarsSpanTheLengthsOfTheLayout)
{
    app();
    const TIniFile layout(binDir() + "/Skin.ini");
    TSkin skin;
    skin.LoadSkinFile(binDir() + "/skn.skn");
    const SkinSectionDef &main = *skin.LoadedFile().section("popravenmoor");
    struct Bar {
        const char *object, *section;
    };
    for (const Bar &bar : {Bar{"playpos", "Play"}, Bar{"convertpos", "convert"}}) {
        const auto it = std::find_if(main.objects.begin(), main.objects.end(),
                                     [&](const SkinObjectDef &o) { return o.name == bar.object; });
        ASSERT_NE(it, main.objects.end());
        const int length = layout.ReadInteger(bar.section, "pos", 0);
        EXPECT_EQ(picture(it->picture).width(), length) << bar.object;
        EXPECT_LE(it->rect.left + length, main.width) << bar.object << " would leave the window";
    }
}

TEST(SkinData, ConverterClickTakesTheRealEventPath)
{
    app();
    TSkin skin;
    skin.LoadSkinFile(binDir() + "/skn.skn");
    QWidget window;
    skin.ApplySkinToWindow(&window);
    skin.ApplySkinSection(&window, "popravenmoor");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList clicks;
    QObject::connect(&skin, &TSkin::OnClick, [&](ISkinObject *o) { clicks << o->GetObjectName(); });
    for (const char *name : {"converter", "stop", "mainclose", "profiles"}) {
        const QRect r = skin.GetWindowObject(&window)->FindChildObject(name)->FrameFacet()->GetRect().toQRect();
        QTest::mouseClick(&window, Qt::LeftButton, {}, r.center());
    }
    // The profile caption lies on the chooser without taking its clicks.
    EXPECT_EQ(clicks, (QStringList{"converter", "stop", "mainclose", "profiles"}));
}
