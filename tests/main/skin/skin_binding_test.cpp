#include "main/skin/skin_binding.h"
#include "main/skin/skin_dispatch.h"
#include "main/skin/skin_ini.h"
#include "platform/skin/required_objects.h"
#include "platform/skin/skin.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

QApplication &app()
{
    static int argc = 1;
    static char name[] = "skin_binding_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new QApplication(argc, argv);
    return *application;
}

// A section with the bars, the hint, the play bar and the panel, but without
// "alltime", and with "play_time" drawn as a button (no text facet).
class SkinBindingTest : public testing::Test {
protected:
    QTemporaryDir dir;
    TSkin skin;
    std::unique_ptr<QWidget> window;
    SkinBinding binding;

    void SetUp() override
    {
        app();
        QImage back(400, 200, QImage::Format_RGB32);
        back.fill(Qt::gray);
        ASSERT_TRUE(back.save(dir.filePath("back.bmp")));
        write("t.skn", R"({"sections":{"popravenmoor":{"size":[400,200],"background":"back.bmp","objects":[
            {"name":"profilestext","kind":"text","rect":[0,0,100,20],"text":"x"},
            {"name":"play_time","kind":"button","rect":[0,20,50,40]},
            {"name":"hint","kind":"text","rect":[0,40,300,60]},
            {"name":"play_bar","kind":"slider","rect":[0,60,300,70],"position":4000},
            {"name":"di","kind":"panel","rect":[10,10,20,20]},
            {"name":"playpos","kind":"bar","rect":[20,80,300,90]},
            {"name":"convertpos","kind":"bar","rect":[30,100,350,110]},
            {"name":"convertinfo","kind":"panel","rect":[0,120,400,180],"children":[
              {"name":"filename","kind":"text","rect":[5,125,200,140]}]},
            {"name":"resttime","kind":"text","rect":[5,150,200,170]},
            {"name":"begin_time","kind":"text","rect":[300,0,400,20]},
            {"name":"End_time","kind":"text","rect":[300,20,400,40]}]}}})");
        skin.LoadSkinFile(dir.filePath("t.skn"));
        window = std::make_unique<QWidget>();
        skin.ApplySkinToWindow(window.get());
        skin.ApplySkinSection(window.get(), "popravenmoor");
        BindSkinObjects(*skin.GetWindowObject(window.get()), binding);
    }

    void write(const QString &name, const QByteArray &text)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    void writeIni(const QByteArray &text) { write("Skin.ini", text); }
    SkinIni ini() const { return SkinIni(dir.filePath("Skin.ini"), dir.filePath("user/Skin.ini")); }
};

TEST_F(SkinBindingTest, BindsTheFacetsEachNameUses)
{
    EXPECT_TRUE(binding.profilestext.text);
    EXPECT_EQ(binding.profilestext.getText(), "x");
    EXPECT_TRUE(binding.play_bar.slider);
    EXPECT_FALSE(binding.play_bar.text);
    EXPECT_TRUE(binding.di.frame);
    // A button has no text: the object is bound, its text goes nowhere.
    EXPECT_TRUE(binding.play_time.bound());
    EXPECT_FALSE(binding.play_time.text);
    binding.play_time.setText("00:00:01");
    EXPECT_EQ(binding.play_time.getText(), "");
}

TEST_F(SkinBindingTest, MissingObjectsStayUnboundAndTakeWritesSilently)
{
    for (const BoundSkinObject *b : {&binding.alltime, &binding.filesize, &binding.usedtime}) {
        EXPECT_FALSE(b->bound());
        b->setText("lost");
        b->setVisible(true);
        b->setRect({1, 2, 3, 4});
        b->redraw();
        EXPECT_EQ(b->getText(), "");
    }
}

TEST_F(SkinBindingTest, BindingHidesTheConversionPanelSavesTheOriginsAndZeroesThePlayBar)
{
    EXPECT_FALSE(binding.convertinfo.frame->IsVisible());
    EXPECT_EQ(binding.convertBarOrigin, (SkinRect{30, 100, 350, 110}));
    EXPECT_EQ(binding.playBarOrigin, (SkinRect{20, 80, 300, 90}));
    EXPECT_EQ(binding.play_bar.position(), 0);
    EXPECT_EQ(binding.find("End_time"), &binding.End_time);
    EXPECT_EQ(binding.find("mainclose"), nullptr);
}

TEST_F(SkinBindingTest, BarsFollowTheirLengthsFromSkinIni)
{
    writeIni("[Play]\npos=200\n");
    SetPlayBarPosition(binding, ini(), 5000);
    EXPECT_EQ(binding.playpos.rect(), (SkinRect{20, 80, 120, 90}));
    SetPlayBarPosition(binding, ini(), 15000);
    EXPECT_EQ(binding.playpos.rect(), (SkinRect{20, 80, 220, 90}));

    SetConvertProgress(binding, ini(), 10000, "time=12.00 bitrate=300");
    EXPECT_EQ(binding.convertpos.rect(), (SkinRect{30, 100, 293, 110})); // 263 × 9999 / 10000 rounds to 263
    EXPECT_EQ(binding.hint.getText(), "time=12.00 bitrate=300");
    SetConvertProgress(binding, ini(), 0, "");
    EXPECT_EQ(binding.convertpos.rect(), (SkinRect{30, 100, 30, 110}));
    EXPECT_EQ(binding.hint.getText(), "");
}

TEST_F(SkinBindingTest, BackPanelFrameCollapsesWhenHidden)
{
    ShowBackPanelFrame(binding, true, 50, 60, 100, 40);
    EXPECT_TRUE(binding.di.frame->IsVisible());
    EXPECT_EQ(binding.di.rect(), (SkinRect{50, 60, 150, 100}));
    ShowBackPanelFrame(binding, false, 0, 0, 0, 0);
    EXPECT_FALSE(binding.di.frame->IsVisible());
    EXPECT_EQ(binding.di.rect(), (SkinRect{0, 0, 0, 0}));
}

// What the window binds, clicks and hints on is what skincheck demands of a skin.
TEST(SkinNames, EveryNameTheWindowUsesIsRequiredOfTheSkin)
{
    QSet<QString> required;
    for (const RequiredSkinObject &o : RequiredSkinObjects())
        if (QLatin1String(o.section) == QLatin1String("popravenmoor"))
            required << QLatin1String(o.name);
    for (const QString &name : BoundSkinObjectNames())
        EXPECT_TRUE(required.contains(name)) << name.toStdString();
    for (const SkinClickRow &row : SkinClickTable())
        EXPECT_TRUE(required.contains(QLatin1String(row.name))) << row.name;
    for (const SkinHintRow &row : SkinHintTable())
        EXPECT_TRUE(required.contains(QLatin1String(row.name))) << row.name;
}

} // namespace
