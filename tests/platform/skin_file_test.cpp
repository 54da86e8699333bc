#include "platform/skin/required_objects.h"
#include "platform/skin/skin_error.h"
#include "platform/skin/skin_file.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString errorOf(const QByteArray &text)
{
    try {
        ParseSkinText(text, QStringLiteral("/skins/test.skn"));
    } catch (const SkinError &e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

QByteArray section(const QByteArray &objects)
{
    return R"({"sections":{"main":{"size":[200,100],"objects":[)" + objects + "]}}}";
}

} // namespace

TEST(SkinFile, ReadsSectionsObjectsAndNesting)
{
    const SkinFile file = ParseSkinText(R"({"sections":{
        "main":{"size":[320,240],"background":"back.bmp","objects":[
          {"name":"hint","kind":"text","rect":[10,200,300,220],"text":"Ready","color":"#102030",
           "font":{"size":14,"bold":true},"align":"center"},
          {"name":"info","kind":"panel","rect":[0,0,100,100],"picture":"p.bmp","visible":false,"children":[
             {"name":"filename","kind":"text","rect":[5,5,95,20],"passive":true}]},
          {"name":"play_bar","kind":"slider","rect":[0,150,300,160],"track":"t.bmp","thumb":"h.bmp","position":2500},
          {"name":"close","kind":"button","rect":[290,0,310,20],"picture":"c.bmp","hover":"ch.bmp","action":"close"}]},
        "about":{"size":[100,50]}}})",
                                        QStringLiteral("/skins/a.skn"));
    EXPECT_EQ(file.folder, "/skins");
    EXPECT_EQ(file.picturePath("back.bmp"), "/skins/back.bmp");
    ASSERT_NE(file.section("about"), nullptr);
    EXPECT_EQ(file.section("About"), nullptr) << "section names are exact";
    const SkinSectionDef &s = *file.section("main");
    EXPECT_EQ(s.width, 320);
    EXPECT_EQ(s.height, 240);
    EXPECT_EQ(s.background, "back.bmp");
    ASSERT_EQ(s.objects.size(), 5u);
    EXPECT_EQ(s.objects[0].kind, SkinKind::Text);
    EXPECT_EQ(s.objects[0].rect, (SkinRect{10, 200, 300, 220}));
    EXPECT_EQ(s.objects[0].text, "Ready");
    EXPECT_EQ(s.objects[0].color, QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(s.objects[0].fontSize, 14);
    EXPECT_TRUE(s.objects[0].bold);
    EXPECT_EQ(s.objects[0].align, SkinAlign::Center);
    EXPECT_EQ(s.objects[1].name, "info");
    EXPECT_FALSE(s.objects[1].visible);
    EXPECT_EQ(s.objects[2].name, "filename");
    EXPECT_EQ(s.objects[2].parent, 1);
    EXPECT_TRUE(s.objects[2].passive);
    EXPECT_EQ(s.objects[3].position, 2500);
    EXPECT_EQ(s.objects[3].parent, -1);
    EXPECT_EQ(s.objects[4].action, "close");
    EXPECT_EQ(s.objects[4].hover, "ch.bmp");
}

TEST(SkinFile, FaultsNameTheFileAndWhatIsWrong)
{
    struct Case {
        QByteArray text;
        const char *expected;
    };
    const Case cases[] = {
        {"{\"sections\":{", "at byte"},
        {"[]", "must be an object with \"sections\""},
        {R"({"sections":{"main":{"objects":[]}}})", "section \"main\": \"size\" must be [width, height]"},
        {R"({"sections":{"main":{"size":[0,10]}}})", "\"size\" must be"},
        {section(R"({"kind":"text","rect":[0,0,1,1]})"), "an object has no \"name\""},
        {section(R"({"name":"a","kind":"label","rect":[0,0,1,1]})"), "object \"a\": \"kind\" must be one of"},
        {section(R"({"name":"a","kind":"text","rect":[0,0,1]})"), "object \"a\": \"rect\" must be"},
        {section(R"({"name":"a","kind":"text","rect":[0,0,1.5,1]})"), "\"rect\" must be"},
        {section(R"({"name":"a","kind":"text","rect":[10,0,5,1]})"), "\"rect\" ends before it starts"},
        {section(R"({"name":"a","kind":"text","rect":[0,0,1,1]},{"name":"a","kind":"bar","rect":[0,0,1,1]})"),
         "object \"a\": the name is used twice"},
        {section(R"({"name":"p","kind":"panel","rect":[0,0,1,1],"children":[{"name":"p","kind":"text","rect":[0,0,1,1]}]})"),
         "the name is used twice"},
        {section(R"({"name":"a","kind":"text","rect":[0,0,1,1],"color":"#zzz"})"), "\"color\" is no colour"},
        {section(R"({"name":"a","kind":"slider","rect":[0,0,1,1],"position":10001})"), "between 0 and 10000"},
        {section(R"({"name":"a","kind":"button","rect":[0,0,1,1],"action":"explode"})"), "the only \"action\""},
        {section(R"({"name":"a","kind":"text","rect":[0,0,1,1],"visible":"yes"})"), "\"visible\" must be true or false"},
        {section(R"({"name":"a","kind":"text","rect":[0,0,1,1],"font":{"size":0}})"), "font size must be positive"},
    };
    for (const Case &c : cases) {
        const QString error = errorOf(c.text);
        EXPECT_TRUE(error.startsWith("Skin file \"/skins/test.skn\"")) << c.text.constData() << " -> "
                                                                        << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.expected))) << c.text.constData() << " -> " << error.toStdString();
    }
}

TEST(SkinFile, MissingFileIsNamed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("none.skn");
    try {
        ReadSkinFile(path);
        FAIL() << "no error";
    } catch (const SkinError &e) {
        EXPECT_EQ(QString::fromStdString(e.what()), QStringLiteral("Skin file \"%1\" does not exist").arg(path));
    }
}

TEST(SkinFile, KindsOfferTheirFacets)
{
    struct Case {
        SkinKind kind;
        bool text, slider;
    };
    const Case cases[] = {{SkinKind::Text, true, false},    {SkinKind::Button, false, false},
                          {SkinKind::Slider, false, true},  {SkinKind::Bar, false, false},
                          {SkinKind::Panel, false, false},  {SkinKind::Hotspot, false, false}};
    for (const Case &c : cases) {
        EXPECT_EQ(SkinKindHasText(c.kind), c.text) << SkinKindName(c.kind).toStdString();
        EXPECT_EQ(SkinKindHasSlider(c.kind), c.slider) << SkinKindName(c.kind).toStdString();
        SkinKind back{};
        ASSERT_TRUE(SkinKindFromName(SkinKindName(c.kind), &back));
        EXPECT_EQ(back, c.kind);
    }
}

TEST(RequiredObjects, CheckNamesWhatTheMainSectionLacks)
{
    // A section holding every required object with a fitting kind passes.
    QByteArray objects;
    for (const RequiredSkinObject &o : RequiredSkinObjects()) {
        const char *kind = o.slider ? "slider" : o.text ? "text" : "hotspot";
        if (!objects.isEmpty())
            objects += ',';
        objects += QByteArray(R"({"name":")") + o.name + R"(","kind":")" + kind + R"(","rect":[0,0,1,1]})";
    }
    const QByteArray full = R"({"sections":{"popravenmoor":{"size":[10,10],"objects":[)" + objects + "]}}}";
    const SkinFile good = ParseSkinText(full, "a.skn");
    EXPECT_EQ(CheckSkinSection(good, "popravenmoor"), QStringList());

    // The preview stop is one button for click and hint: no "stopplay" is asked for.
    EXPECT_FALSE(full.contains("\"stopplay\""));
    EXPECT_TRUE(full.contains("\"stop\""));

    QByteArray renamed = full;
    renamed.replace(R"("name":"hint",)", R"("name":"hint2",)");
    EXPECT_EQ(CheckSkinSection(ParseSkinText(renamed, "a.skn"), "popravenmoor"),
              QStringList{"object \"hint\" is missing"});

    QByteArray wrongKind = full;
    wrongKind.replace(R"("name":"play_bar","kind":"slider")", R"("name":"play_bar","kind":"bar")");
    wrongKind.replace(R"("name":"alltime","kind":"text")", R"("name":"alltime","kind":"panel")");
    EXPECT_EQ(CheckSkinSection(ParseSkinText(wrongKind, "a.skn"), "popravenmoor"),
              (QStringList{"object \"play_bar\" is a bar and has no slider; it must be a slider",
                           "object \"alltime\" is a panel and has no text; it must be a text"}));

    EXPECT_EQ(CheckSkinSection(good, "about"), QStringList{"section \"about\" is missing"});
}
