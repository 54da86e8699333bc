#include "main/skin/skin_layout.h"
#include "skin_controls/theme/tsui_color.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QString Hex(TColor c)
{
    return QString::number(uint32_t(c), 16);
}

QString Rect(const QRect &r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Records every value in the order it arrives; can fail the pictures of one button.
struct RecordingTarget : SkinLayoutTarget {
    QStringList log;
    QString failPicturesOf;

    void setPopupColors(const QString &menu, const PopupColors &c) override
    {
        log << QString("popup %1 bar=%2 border=%3 color=%4 font=%5 selborder=%6 sel=%7 selfont=%8 sep=%9")
                   .arg(menu, Hex(c.BarColor), Hex(c.BorderColor), Hex(c.Color), Hex(c.FontColor),
                        Hex(c.SelectedBorderColor), Hex(c.SelectedColor), Hex(c.SelectedFontColor),
                        Hex(c.SeparatorColor));
    }
    void setVersion(int v) override { log << QString("version %1").arg(v); }
    void setButtonBounds(const QString &b, const QRect &r) override { log << b + " bounds " + Rect(r); }
    void loadButtonPictures(const QString &b, const ImageButtonPictures &p) override
    {
        if (b == failPicturesOf)
            throw std::runtime_error(("cannot open " + p.normal).toStdString());
        log << b + " pictures " + QFileInfo(p.normal).fileName() + " " + QFileInfo(p.mouseOn).fileName() + " " +
                   QFileInfo(p.disabled).fileName();
    }
    void setButtonVisible(const QString &b, bool v) override { log << b + " visible " + QString::number(v); }
    void setComboPlace(const QString &c, int l, int t, int w) override
    {
        log << QString("%1 place %2,%3 w%4").arg(c).arg(l).arg(t).arg(w);
    }
    void setComboColors(const QString &c, const ComboColors &k) override
    {
        log << QString("%1 colors arrow=%2 border=%3 button=%4 color=%5")
                   .arg(c, Hex(k.ArrowColor), Hex(k.BorderColor), Hex(k.ButtonColor), Hex(k.Color));
    }
    void setOutputEdit(const QRect &r, bool v) override { log << "ed_output " + Rect(r) + " visible " + QString::number(v); }
    void movePanel(const QString &p, int l, int t) override { log << QString("%1 at %2,%3").arg(p).arg(l).arg(t); }
    void setPreviewPanelBounds(const QRect &r) override { log << "pl_play " + Rect(r); }
    void setListBounds(const QRect &r) override { log << "lv " + Rect(r); }
    void setListColumnCaption(int c, const QString &t) override { log << QString("lv column %1 caption %2").arg(c).arg(t); }
    void setListColumnWidth(int c, int w) override { log << QString("lv column %1 width %2").arg(c).arg(w); }
    void setListCheckBoxes(bool s) override { log << "lv checkboxes " + QString::number(s); }
    void showTitle(int l, int t, int w, const QString &p) override
    {
        log << QString("title %1,%2 w%3 %4").arg(l).arg(t).arg(w).arg(QFileInfo(p).fileName());
    }
    void hideTitle() override { log << "title hidden"; }

    QStringList with(const QString &prefix) const
    {
        QStringList out;
        for (const QString &l : log)
            if (l.startsWith(prefix))
                out << l;
        return out;
    }
};

class SkinLayoutTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString exeFolder() const { return dir.path() + "/bin"; }
    QString programIni() const { return exeFolder() + "/Skin.ini"; }
    QString userIni() const { return dir.path() + "/config/Skin.ini"; }

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(exeFolder())); }
    void writeProgramIni(const QByteArray &text) const
    {
        QFile f(programIni());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    RecordingTarget load(const QString &exeName = "ravenmoor") const
    {
        RecordingTarget target;
        const SkinIni ini(programIni(), userIni());
        LoadSkinLayout(ini, exeFolder(), exeName, {}, target);
        return target;
    }
};

const QString kDarkPopup = "bar=323232 border=323232 color=fefbfa font=0 selborder=323232 sel=323232 "
                           "selfont=ffffff sep=0";

TEST_F(SkinLayoutTest, EmptyFileGivesEveryDefault)
{
    writeProgramIni("");
    const RecordingTarget t = load();

    EXPECT_EQ(t.with("popup"), (QStringList{"popup zm_popup_file " + kDarkPopup, "popup zm_pop_edit " + kDarkPopup,
                                            "popup zm_pop_actions " + kDarkPopup, "popup zm_pop_tools " + kDarkPopup,
                                            "popup zm_pop_help " + kDarkPopup}));
    EXPECT_EQ(t.with("version"), QStringList{"version 1"});
    for (const SkinButtonRow &b : SkinImageButtons()) {
        const QString name = b.name;
        EXPECT_EQ(t.with(name + " "),
                  (QStringList{name + " bounds 6,6 6x6", name + " pictures " + name + ".bmp " + name + "on.bmp " + name +
                                                             "D.bmp",
                               name + " visible " + QString::number(b.visible)}));
    }
    QStringList hidden;
    for (const QString &l : t.log)
        if (l.endsWith(" visible 0"))
            hidden << l.section(' ', 0, 0);
    EXPECT_EQ(hidden, (QStringList{"bt_chapte", "bt_set", "bt_back", "ed_output"}));
    EXPECT_EQ(t.with("cb_"), (QStringList{"cb_audio place 6,6 w6", "cb_audio colors arrow=0 border=0 button=f7e1d0 color=ff00000f",
                                          "cb_subtitle place 6,6 w6",
                                          "cb_subtitle colors arrow=0 border=0 button=f7e1d0 color=ff00000f"}));
    EXPECT_EQ(t.with("ed_output"), QStringList{"ed_output 6,6 6x15 visible 0"});
    EXPECT_EQ(t.with("pl_"), (QStringList{"pl_main at 6,6", "pl_video1 at 6,6", "pl_audio1 at 6,6", "pl_ipod at 6,6",
                                          "pl_iphone at 6,6", "pl_psp at 6,6", "pl_phone at 6,6", "pl_pmp at 6,6",
                                          "pl_appletv at 6,6", "pl_animation at 6,6", "pl_gphone at 6,6",
                                          "pl_win at 6,6", "pl_xbox at 6,6", "pl_hd at 6,6", "pl_avi at 6,6",
                                          "pl_mpeg at 6,6", "pl_mp4 at 6,6", "pl_mkv at 6,6", "pl_play 6,6 6x6"}));
    EXPECT_EQ(t.with("lv"), (QStringList{"lv 6,6 6x6", "lv column 0 caption Title", "lv column 0 width 90",
                                         "lv column 1 width 90", "lv column 2 width 90", "lv column 3 width 80",
                                         "lv column 4 width 60", "lv checkboxes 1"}));
    EXPECT_EQ(t.log.last(), "title hidden");
}

TEST_F(SkinLayoutTest, ValuesOfTheFileReachTheirControls)
{
    writeProgramIni("[File]\r\nColor=$00102030\r\nSelectedFontColor=clYellow\r\nFontColor=255\r\n"
                    "[Edit]\r\nColor=clRed\r\nleft=100\r\n"
                    "[version]\r\nversion=0\r\n"
                    "[bt_start]\r\nLeft=400\r\nTop=20\r\nWidth=80\r\nHeight=30\r\nVisible=0\r\n"
                    "[bt_set]\r\nVisible=1\r\n"
                    "[Audio]\r\nButtonColor=clBtnFace\r\n"
                    "[ed_output]\r\nLeft=10\r\nTop=300\r\nWidth=200\r\nVisible=1\r\n"
                    "[pl_main]\r\nplleft=12\r\n[pltop]\r\npltop=34\r\n"
                    "[lv]\r\nLeft=8\r\nTop=90\r\nHeight=250\r\nWidth=600\r\n1=240\r\n5=100\r\n");
    const RecordingTarget t = load();
    // Every popup takes section "File"; "Edit" only places its popup.
    for (const QString &l : t.with("popup"))
        EXPECT_TRUE(l.endsWith("bar=323232 border=323232 color=102030 font=ff selborder=323232 sel=323232 "
                               "selfont=ffff sep=0"))
            << l.toStdString();
    EXPECT_EQ(t.with("version"), QStringList{"version 0"});
    EXPECT_EQ(t.with("bt_start "), (QStringList{"bt_start bounds 400,20 80x30", "bt_start pictures bt_start.bmp "
                                                                              "bt_starton.bmp bt_startD.bmp",
                                                "bt_start visible 0"}));
    EXPECT_TRUE(t.log.contains("bt_set visible 1"));
    EXPECT_TRUE(t.log.contains("cb_audio colors arrow=0 border=0 button=ff00000f color=ff00000f"));
    EXPECT_TRUE(t.log.contains("ed_output 10,300 200x15 visible 1"));
    EXPECT_TRUE(t.log.contains("pl_mkv at 12,34"));
    EXPECT_TRUE(t.log.contains("pl_main at 6,6"));
    EXPECT_TRUE(t.log.contains("lv 8,90 600x250"));
    EXPECT_TRUE(t.log.contains("lv column 0 width 240"));
    EXPECT_TRUE(t.log.contains("lv column 4 width 100"));

    const SkinIni ini(programIni(), userIni());
    EXPECT_EQ(PopupOffset(ini, "Edit"), QPoint(100, 64));
    EXPECT_EQ(PopupOffset(ini, "help"), QPoint(6, 64));
}

// A colour no one knows makes the file a damaged one; the layout ends there.
TEST_F(SkinLayoutTest, BadColourEndsTheLayoutThere)
{
    writeProgramIni("[Audio]\nArrowColor=darkish\n");
    RecordingTarget t;
    const SkinIni ini(programIni(), userIni());
    try {
        LoadSkinLayout(ini, exeFolder(), "ravenmoor", {}, t);
        FAIL() << "no error";
    } catch (const SkinLayoutError &e) {
        EXPECT_TRUE(QString(e.what()).endsWith(programIni() + "\" is damaged.")) << e.what();
    }
    EXPECT_EQ(t.log.last(), "cb_audio place 6,6 w6");
}

TEST_F(SkinLayoutTest, MissingPictureEndsTheLayoutAtItsButton)
{
    writeProgramIni("");
    RecordingTarget t;
    t.failPicturesOf = "bt_remove";
    const SkinIni ini(programIni(), userIni());
    try {
        LoadSkinLayout(ini, exeFolder(), "ravenmoor", {}, t);
        FAIL() << "no error";
    } catch (const SkinLayoutError &e) {
        EXPECT_TRUE(QString(e.what()).endsWith(exeFolder() + "/images/bt_remove.bmp\" is missing.")) << e.what();
    }
    EXPECT_EQ(t.log.last(), "bt_remove bounds 6,6 6x6");
    EXPECT_TRUE(t.with("bt_clear").isEmpty());
}

TEST_F(SkinLayoutTest, TitlePictureOfTheEditionShowsTheTitlePanel)
{
    writeProgramIni("[Title]\nLeft=40\n");
    ASSERT_TRUE(QDir().mkpath(exeFolder() + "/images/main"));
    QFile picture(exeFolder() + "/images/main/ravenmoor-ipod.bmp");
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.close();
    EXPECT_EQ(load("ravenmoor-ipod.exe").log.last(), "title 40,5 w5 ravenmoor-ipod.bmp");
    EXPECT_EQ(load("ravenmoor-ipod").log.last(), "title 40,5 w5 ravenmoor-ipod.bmp");
    EXPECT_EQ(load("ravenmoor").log.last(), "title hidden");
}

TEST(SkinColors, NamesAndNumbers)
{
    const struct {
        const char *text;
        std::optional<TColor> color;
    } cases[] = {
        {"$00FEFBFA", 0x00FEFBFA}, {"clBlack", 0},         {"clwhite", 0xFFFFFF},
        {"CLBTNFACE", TColor(0xFF00000Fu)}, {"clRed", 0x0000FF}, {" 255 ", 255},
        {"0x00F7E1D0", 0x00F7E1D0}, {"$FFFFFFFF", -1},    {"clNone", 0x1FFFFFFF},
        {"red", std::nullopt},     {"", std::nullopt},   {"$00FEFBFAX", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
}

TEST(SkinColors, BlueGreenRedOrderAndSystemColoursFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    EXPECT_EQ(TsuiColorToQColor(0x00FEFBFA, palette), QColor(0xFA, 0xFB, 0xFE));
    EXPECT_EQ(TsuiColorToQColor(*StringToColor("clBtnFace"), palette), QColor(1, 2, 3));
    EXPECT_FALSE(TsuiColorToQColor(*StringToColor("clNone"), palette).isValid());
}

// The hint window's check box may not be able to write beside the executable:
// it writes into the user's config folder, which is read first.
TEST_F(SkinLayoutTest, UserFileIsReadFirstAndTakesTheWrites)
{
    writeProgramIni("[play]\nhint=1\n[convert]\npos=300\n");
    ASSERT_TRUE(QFile::setPermissions(exeFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    ASSERT_TRUE(QFile::setPermissions(programIni(), QFileDevice::ReadOwner));

    SkinIni ini(programIni(), userIni());
    EXPECT_TRUE(ini.ReadBool("play", "hint", false));
    ini.WriteBool("play", "hint", false);
    EXPECT_FALSE(ini.ReadBool("play", "hint", true));
    EXPECT_EQ(ini.ReadInteger("convert", "pos", 263), 300);

    // A second program start sees the choice; the shipped file is unchanged.
    const SkinIni again(programIni(), userIni());
    EXPECT_FALSE(again.ReadBool("play", "hint", true));
    QFile shipped(programIni());
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll(), QByteArray("[play]\nhint=1\n[convert]\npos=300\n"));
    QFile::setPermissions(exeFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
