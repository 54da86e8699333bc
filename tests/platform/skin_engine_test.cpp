#include "platform/skin/skin.h"
#include "platform/skin/skin_error.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One application for the whole program, left to the process's end: Qt Test's
// input device must not outlive it during static destruction.
QApplication &app()
{
    static int argc = 1;
    static char name[] = "skin_engine_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new QApplication(argc, argv);
    return *application;
}

const QColor kBack(0x20, 0x30, 0x40);
const QColor kRed(0xe0, 0x10, 0x10);
const QColor kGreen(0x10, 0xc0, 0x10);
const QColor kBlue(0x10, 0x10, 0xe0);
const QColor kWhite(0xff, 0xff, 0xff);

// A skin with one object of every kind, in a temporary folder with its pictures.
class SkinEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        ASSERT_TRUE(dir.isValid());
        picture("back.bmp", 300, 200, kBack);
        picture("red.bmp", 40, 20, kRed);
        picture("green.bmp", 40, 20, kGreen);
        picture("blue.bmp", 40, 20, kBlue);
        picture("bar.bmp", 200, 10, kRed);
        picture("track.bmp", 200, 10, kWhite);
        picture("thumb.bmp", 20, 10, kBlue);
        write("test.skn", R"({"sections":{
          "main":{"size":[300,200],"background":"back.bmp","objects":[
            {"name":"go","kind":"button","rect":[10,10,50,30],"picture":"red.bmp","hover":"green.bmp","pressed":"blue.bmp"},
            {"name":"label","kind":"text","rect":[10,40,150,60],"text":"Ready","color":"#ffffff","font":{"size":14}},
            {"name":"cut_end","kind":"text","rect":[10,62,110,76],"color":"#ffffff","font":{"size":11}},
            {"name":"cut_middle","kind":"text","rect":[150,62,250,76],"color":"#ffffff","font":{"size":11},"elide":"middle"},
            {"name":"cover","kind":"text","rect":[20,12,40,28],"passive":true},
            {"name":"play_bar","kind":"slider","rect":[50,100,250,110],"track":"track.bmp","thumb":"thumb.bmp"},
            {"name":"playpos","kind":"bar","rect":[50,120,250,130],"picture":"bar.bmp"},
            {"name":"info","kind":"panel","rect":[200,10,290,60],"picture":"green.bmp","children":[
              {"name":"filename","kind":"text","rect":[205,15,285,30],"text":"a.mpg"}]},
            {"name":"spot","kind":"hotspot","rect":[10,150,60,190]},
            {"name":"shut","kind":"button","rect":[260,150,300,170],"picture":"red.bmp","disabled":"blue.bmp","action":"close"}]},
          "small":{"size":[120,80],"background":"back.bmp","objects":[
            {"name":"go","kind":"hotspot","rect":[0,0,10,10]}]}}})");
        skin.LoadSkinFile(dir.filePath("test.skn"));
        window = std::make_unique<QWidget>();
        skin.ApplySkinToWindow(window.get());
        skin.ApplySkinSection(window.get(), "main");
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void picture(const QString &name, int w, int h, const QColor &color)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(dir.filePath(name)));
    }

    void write(const QString &name, const QByteArray &text)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    ISkinObject *object(const char *name) { return skin.GetWindowObject(window.get())->FindChildObject(name); }

    QColor pixel(int x, int y)
    {
        QApplication::processEvents();
        return window->grab().toImage().pixelColor(x, y);
    }

    static QString errorOf(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const SkinError &e) {
            return QString::fromStdString(e.what());
        }
        return {};
    }

    QTemporaryDir dir;
    TSkin skin;
    std::unique_ptr<QWidget> window;
};

// Signals carry ISkinObject pointers; record them by name through lambdas.
struct Recorder {
    explicit Recorder(TSkin &skin)
    {
        QObject::connect(&skin, &TSkin::OnMouseDown, [this](ISkinObject *s, int b, int x, int y) {
            log << QStringLiteral("down %1 %2 %3,%4").arg(s->GetObjectName()).arg(b).arg(x).arg(y);
        });
        QObject::connect(&skin, &TSkin::OnMouseUp, [this](ISkinObject *s, int b, int x, int y) {
            log << QStringLiteral("up %1 %2 %3,%4").arg(s->GetObjectName()).arg(b).arg(x).arg(y);
        });
        QObject::connect(&skin, &TSkin::OnClick,
                         [this](ISkinObject *s) { log << QStringLiteral("click %1").arg(s->GetObjectName()); });
        QObject::connect(&skin, &TSkin::OnMouseMove, [this](ISkinObject *s, int x, int y) {
            log << QStringLiteral("move %1 %2,%3").arg(s->GetObjectName()).arg(x).arg(y);
        });
        QObject::connect(&skin, &TSkin::OnScrollTrack, [this](ISkinObject *s, int pos) {
            log << QStringLiteral("track %1 %2 (slider %3)").arg(s->GetObjectName()).arg(pos).arg(
                       s->SliderFacet()->GetPosition());
        });
    }
    QStringList log;
};

void sendMove(QWidget *w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST_F(SkinEngine, SectionSizesTheWindowAndNamesItsObjects)
{
    EXPECT_EQ(window->size(), QSize(300, 200));
    ISkinWindowObject *main = skin.GetWindowObject(window.get());
    EXPECT_EQ(main->GetObjectName(), "main");
    EXPECT_EQ(main->FindChildObject("Go"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(main->FindChildObject("nothing"), nullptr);
    EXPECT_EQ(main->TextFacet(), nullptr);
    EXPECT_EQ(main->FrameFacet(), nullptr);

    struct Case {
        const char *name;
        bool text, slider;
    };
    const Case cases[] = {{"go", false, false},       {"label", true, false},   {"play_bar", false, true},
                          {"playpos", false, false},  {"info", false, false},   {"filename", true, false},
                          {"spot", false, false}};
    for (const Case &c : cases) {
        ISkinObject *o = object(c.name);
        ASSERT_NE(o, nullptr) << c.name;
        EXPECT_EQ(o->GetObjectName(), c.name);
        EXPECT_EQ(o->TextFacet() != nullptr, c.text) << c.name;
        EXPECT_EQ(o->SliderFacet() != nullptr, c.slider) << c.name;
        EXPECT_NE(o->FrameFacet(), nullptr) << c.name;
    }
    EXPECT_EQ(object("label")->TextFacet()->GetText(), "Ready");
    EXPECT_EQ(object("go")->FrameFacet()->GetRect(), (SkinRect{10, 10, 50, 30}));
}

TEST_F(SkinEngine, FacetWritesShowAfterRedraw)
{
    // The background, the button's picture and the bar's picture where the file put them.
    EXPECT_EQ(pixel(5, 5), kBack);
    EXPECT_EQ(pixel(15, 15), kRed);
    EXPECT_EQ(pixel(60, 125), kRed);

    // A bar shows its picture up to its right edge.
    ISkinFrame *bar = object("playpos")->FrameFacet();
    bar->SetRect({50, 120, 60, 130});
    bar->Redraw();
    EXPECT_EQ(pixel(55, 125), kRed);
    EXPECT_EQ(pixel(65, 125), kBack);
    bar->SetRect({50, 120, 50, 130});
    bar->Redraw();
    EXPECT_EQ(pixel(50, 125), kBack);

    // Moving an object draws it at its new place only.
    ISkinFrame *go = object("go")->FrameFacet();
    go->SetRect({100, 150, 140, 170});
    go->Redraw();
    EXPECT_EQ(pixel(15, 15), kBack);
    EXPECT_EQ(pixel(110, 160), kRed);

    // Hidden: not drawn; shown again: drawn.
    go->SetVisible(false);
    EXPECT_FALSE(go->IsVisible());
    EXPECT_EQ(pixel(110, 160), kBack);
    go->SetVisible(true);
    EXPECT_EQ(pixel(110, 160), kRed);

    // A text: white glyphs appear in its rectangle; an empty text leaves the background.
    ISkinText *label = object("label")->TextFacet();
    label->SetText("");
    object("label")->FrameFacet()->Redraw();
    QImage blank = (QApplication::processEvents(), window->grab().toImage()).copy(10, 40, 140, 20);
    label->SetText("WWWWWWWW");
    EXPECT_EQ(label->GetText(), "WWWWWWWW");
    object("label")->FrameFacet()->Redraw();
    QImage written = (QApplication::processEvents(), window->grab().toImage()).copy(10, 40, 140, 20);
    EXPECT_NE(blank, written);
    EXPECT_EQ(blank.pixelColor(70, 10), kBack);

    // The slider's thumb follows its position; values outside 0..10000 are clamped.
    ISkinSlider *slider = object("play_bar")->SliderFacet();
    slider->SetPosition(0);
    EXPECT_EQ(pixel(55, 105), kBlue);
    slider->SetPosition(10000);
    EXPECT_EQ(pixel(55, 105), kWhite);
    EXPECT_EQ(pixel(245, 105), kBlue);
    slider->SetPosition(12000);
    EXPECT_EQ(slider->GetPosition(), 10000);
    slider->SetPosition(-5);
    EXPECT_EQ(slider->GetPosition(), 0);
}

TEST_F(SkinEngine, HidingAPanelHidesWhatItHolds)
{
    EXPECT_EQ(pixel(210, 40), kGreen);
    object("info")->FrameFacet()->SetVisible(false);
    EXPECT_EQ(pixel(210, 40), kBack);
    EXPECT_TRUE(object("filename")->FrameFacet()->IsVisible()) << "the child keeps its own flag";
    Recorder r(skin);
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(210, 20));
    EXPECT_EQ(r.log.last(), "click main") << "a hidden panel's child takes no clicks";
}

TEST_F(SkinEngine, ClickOnAnObjectReportsDownUpAndClick)
{
    Recorder r(skin);
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(r.log, (QStringList{"down go 1 12,12", "up go 1 12,12", "click go"}));

    // A passive object lets the press through to what lies beneath.
    r.log.clear();
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(r.log.last(), "click go");

    // Bare background reports the window object; a hotspot reports itself.
    r.log.clear();
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(150, 80));
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(20, 160));
    EXPECT_EQ(r.log, (QStringList{"down main 1 150,80", "up main 1 150,80", "click main", "down spot 1 20,160",
                                  "up spot 1 20,160", "click spot"}));

    // Right button: down and up, no click.
    r.log.clear();
    QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(12, 12));
    EXPECT_EQ(r.log, (QStringList{"down go 2 12,12", "up go 2 12,12"}));
}

TEST_F(SkinEngine, ReleaseElsewhereIsNoClickAndGoesToThePressedObject)
{
    Recorder r(skin);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(12, 12));
    sendMove(window.get(), QPoint(150, 80), Qt::LeftButton);
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_EQ(r.log, (QStringList{"down go 1 12,12", "move go 150,80", "up go 1 150,80"}));
}

TEST_F(SkinEngine, ButtonShowsHoverAndPressedPictures)
{
    Recorder r(skin);
    sendMove(window.get(), QPoint(12, 12));
    EXPECT_EQ(r.log, QStringList{"move go 12,12"});
    EXPECT_EQ(pixel(15, 15), kGreen);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(pixel(15, 15), kBlue);
    sendMove(window.get(), QPoint(150, 80), Qt::LeftButton);
    EXPECT_NE(pixel(15, 15), kBlue) << "pressed look only while the pointer is on it";
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(150, 80));
    sendMove(window.get(), QPoint(150, 80));
    EXPECT_EQ(pixel(15, 15), kRed);
    EXPECT_EQ(r.log.last(), "move main 150,80");
}

TEST_F(SkinEngine, ButtonThatIsOffIsGreyWithoutHoverOrHand)
{
    ISkinFrame *go = object("go")->FrameFacet();
    EXPECT_TRUE(go->IsEnabled());
    go->SetEnabled(false);
    EXPECT_FALSE(go->IsEnabled());
    const QColor off = pixel(15, 15);
    EXPECT_EQ(off.red(), off.green());
    EXPECT_EQ(off.green(), off.blue());
    EXPECT_GT(off.red(), kRed.red() / 2);
    sendMove(window.get(), QPoint(12, 12));
    EXPECT_EQ(pixel(15, 15), off) << "no hover look";
    EXPECT_NE(window->cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(pixel(15, 15), off) << "no pressed look";
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(12, 12));

    // A button with a picture of its own for off shows that instead.
    ISkinFrame *shut = object("shut")->FrameFacet();
    EXPECT_EQ(pixel(265, 155), kRed);
    shut->SetEnabled(false);
    EXPECT_EQ(pixel(265, 155), kBlue);
    shut->SetEnabled(true);
    EXPECT_EQ(pixel(265, 155), kRed);

    go->SetEnabled(true);
    sendMove(window.get(), QPoint(150, 80));
    sendMove(window.get(), QPoint(12, 12));
    EXPECT_EQ(pixel(15, 15), kGreen);
    EXPECT_EQ(window->cursor().shape(), Qt::PointingHandCursor);
}

// Two long texts that differ only at their end: cut at the right they look
// alike; cut in the middle their ends stay readable.
TEST_F(SkinEngine, TextCutInTheMiddleKeepsItsEnd)
{
    const auto shot = [&](const char *name, const QString &text) {
        object(name)->TextFacet()->SetText(text);
        object(name)->FrameFacet()->Redraw();
        QApplication::processEvents();
        return window->grab().toImage().copy(object(name)->FrameFacet()->GetRect().toQRect());
    };
    const QString common = "A rather long profile caption that never fits, ";
    EXPECT_EQ(shot("cut_end", common + "MPEG-4 (*.mp4)"), shot("cut_end", common + "AVC (*.avi)"));
    EXPECT_NE(shot("cut_middle", common + "MPEG-4 (*.mp4)"), shot("cut_middle", common + "AVC (*.avi)"));
    EXPECT_TRUE(errorOf([&] {
                    ParseSkinText(R"({"sections":{"s":{"size":[10,10],"objects":[
                        {"name":"t","kind":"text","rect":[0,0,5,5],"elide":"left"}]}}})",
                                  "x.skn");
                }).contains("elide"));
}

TEST_F(SkinEngine, SliderTracksThePointerWhilePressed)
{
    Recorder r(skin);
    // Thumb 20 wide on a 200 wide slider: the span is 180 pixels from x 60 to 240.
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(150, 105));
    sendMove(window.get(), QPoint(240, 105), Qt::LeftButton);
    sendMove(window.get(), QPoint(10, 105), Qt::LeftButton);
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(10, 105));
    EXPECT_EQ(r.log, (QStringList{"down play_bar 1 150,105", "track play_bar 5000 (slider 5000)",
                                  "track play_bar 10000 (slider 10000)", "move play_bar 240,105",
                                  "track play_bar 0 (slider 0)", "move play_bar 10,105", "up play_bar 1 10,105"}));
    EXPECT_EQ(object("play_bar")->SliderFacet()->GetPosition(), 0);
}

TEST_F(SkinEngine, ChildWidgetsLieAboveTheSkin)
{
    QPushButton child("child", window.get());
    child.setGeometry(0, 0, 60, 40);
    child.show();
    QApplication::processEvents();
    Recorder r(skin);
    QTest::mouseClick(&child, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_TRUE(r.log.isEmpty()) << r.log.join(", ").toStdString();
    EXPECT_NE(pixel(15, 15), kRed) << "the child covers the skin button";
}

TEST_F(SkinEngine, CloseActionClosesTheWindowAfterTheClick)
{
    Recorder r(skin);
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(270, 160));
    EXPECT_EQ(r.log.last(), "click shut");
    EXPECT_TRUE(window->isVisible()) << "the click is reported first";
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SkinEngine, ObjectsOutliveTheirSectionAndWindow)
{
    ISkinObject *label = object("label");
    skin.ApplySkinSection(window.get(), "small");
    EXPECT_EQ(window->size(), QSize(120, 80));
    EXPECT_EQ(object("label"), nullptr);
    EXPECT_EQ(skin.GetWindowObject(window.get())->GetObjectName(), "small");
    label->TextFacet()->SetText("still here");
    label->FrameFacet()->Redraw();
    EXPECT_EQ(label->TextFacet()->GetText(), "still here");

    ISkinObject *go = object("go");
    window.reset();
    go->FrameFacet()->SetRect({0, 0, 5, 5});
    go->FrameFacet()->Redraw();
    EXPECT_EQ(go->FrameFacet()->GetRect(), (SkinRect{0, 0, 5, 5}));
}

TEST_F(SkinEngine, FailuresNameWhatIsMissing)
{
    const QString none = dir.filePath("none.skn");
    EXPECT_EQ(errorOf([&] { skin.LoadSkinFile(none); }), QStringLiteral("Skin file \"%1\" does not exist").arg(none));
    EXPECT_EQ(errorOf([&] { skin.ApplySkinSection(window.get(), "gone"); }),
              QStringLiteral("Skin file \"%1\" has no section \"gone\"").arg(dir.filePath("test.skn")));

    write("broken.skn", "{\"sections\": {\"main\": ");
    EXPECT_TRUE(errorOf([&] { skin.LoadSkinFile(dir.filePath("broken.skn")); })
                    .startsWith(QStringLiteral("Skin file \"%1\": ").arg(dir.filePath("broken.skn"))));

    // A missing picture is named, and the window keeps the look it had.
    write("nopic.skn", R"({"sections":{"main":{"size":[50,50],"objects":[
        {"name":"x","kind":"button","rect":[0,0,5,5],"picture":"gone.bmp"}]}}})");
    skin.LoadSkinFile(dir.filePath("nopic.skn"));
    EXPECT_EQ(errorOf([&] { skin.ApplySkinSection(window.get(), "main"); }),
              QStringLiteral("The skin picture \"%1\" does not exist").arg(dir.filePath("gone.bmp")));
    EXPECT_EQ(window->size(), QSize(300, 200));
    EXPECT_NE(object("go"), nullptr);

    TSkin fresh;
    QWidget other;
    EXPECT_EQ(errorOf([&] { fresh.ApplySkinToWindow(&other); }), "No skin file is loaded");
    EXPECT_EQ(errorOf([&] { fresh.GetWindowObject(&other); }), "The window is not drawn by this skin");
}

TEST_F(SkinEngine, MagentaBackgroundShapesTheWindow)
{
    QImage back(100, 60, QImage::Format_RGB32);
    back.fill(kBack);
    for (int i = 0; i < 4; ++i)
        back.setPixelColor(i, 0, QColor(255, 0, 255));
    ASSERT_TRUE(back.save(dir.filePath("round.bmp")));
    write("round.skn", R"({"sections":{"w":{"size":[100,60],"background":"round.bmp"}}})");
    skin.LoadSkinFile(dir.filePath("round.skn"));
    QWidget shaped;
    skin.ApplySkinSection(&shaped, "w");
    EXPECT_FALSE(shaped.mask().contains(QPoint(1, 0)));
    EXPECT_TRUE(shaped.mask().contains(QPoint(5, 0)));
    EXPECT_TRUE(window->mask().isEmpty()) << "an opaque background leaves the window unshaped";
}
