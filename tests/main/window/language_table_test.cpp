#include "engine/language_texts.h"
#include "main/window/language_table.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QTemporaryDir>

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct RecordingReceiver : LanguageReceiver {
    QStringList log;
    void setCaption(const QString &w, const QString &c, const QString &t) override
    {
        log << w + "." + c + " caption=" + t;
    }
    void setColumnCaption(const QString &w, const QString &c, int column, const QString &t) override
    {
        log << w + "." + c + " column" + QString::number(column) + "=" + t;
    }
    void setHint(const QString &w, const QString &c, const QString &t) override { log << w + "." + c + " hint=" + t; }
    void clearItems(const QString &w, const QString &c) override { log << w + "." + c + " clear"; }
    void appendItem(const QString &w, const QString &c, const QString &t) override
    {
        log << w + "." + c + " item=" + t;
    }
};

QStringList linesFor(const QStringList &log, const QString &prefix)
{
    QStringList out;
    for (const QString &l : log)
        if (l.startsWith(prefix))
            out << l.mid(prefix.size());
    return out;
}

TEST(ApplyLanguage, WithoutTranslationEveryTextIsItsDefault)
{
    const LanguageTexts texts(QString(), {}, {});
    RecordingReceiver r;
    ApplyLanguage(texts, r);

    EXPECT_EQ(linesFor(r.log, "Tfm_main.AddFiles2 "), QStringList{"caption=&Add DVD Moive(A)"});
    EXPECT_EQ(linesFor(r.log, "Tfm_main.bt_dvdopen "), QStringList{"hint=Add DVD Movies"});
    EXPECT_EQ(linesFor(r.log, "Tfm_main.bt_open "), QStringList{"hint=Add Video Files"});
    EXPECT_EQ(linesFor(r.log, "Tfm_main.lv "),
              (QStringList{"column0=Title", "column1=Original time", "column2=Conversion time",
                           "column3=Output size", "column4=Status"}));
    EXPECT_EQ(linesFor(r.log, "Tfm_set.cb_channel "), (QStringList{"clear", "item= Mono", "item=Stereo"}));
    EXPECT_EQ(linesFor(r.log, "Tfm_info.GroupBox2 "), QStringList{"caption=Basic Info"});
    EXPECT_EQ(linesFor(r.log, "Tfm_dir.btn_cancel "), QStringList{"caption=Cancel"});
}

TEST(ApplyLanguage, ListsAreEmptiedBeforeTheirItemsInTableOrder)
{
    const LanguageTexts texts(QString(), {}, {});
    RecordingReceiver r;
    ApplyLanguage(texts, r);

    EXPECT_EQ(linesFor(r.log, "Tfm_set.rg_finish "),
              (QStringList{"caption=Output Settings", "clear", "item=Do nothing after conversion finished",
                           "item=Open the target folder after conversion finished",
                           "item=Automatically shut down after conversion finished"}));
    EXPECT_EQ(linesFor(r.log, "Tfm_set.cb_videobitrate "),
              (QStringList{"clear", "item=Higher Quality", "item=High Quality", "item=Normal", "item=Low Quality",
                           "item=Lower Quality"}));
    // The three quality lists are emptied only after the after-finish items are in.
    const auto lastFinish = r.log.indexOf("Tfm_set.rg_finish item=Automatically shut down after conversion finished");
    EXPECT_LT(lastFinish, r.log.indexOf("Tfm_set.cb_videobitrate clear"));
    EXPECT_LT(r.log.indexOf("Tfm_set.cb_channel clear"), r.log.indexOf("Tfm_set.cb_videobitrate item=Higher Quality"));
}

TEST(ApplyLanguage, TranslatedKeysReachTheirControls)
{
    const LanguageTexts texts(QString(), [](const QString &s, const QString &k, const QString &d) {
        if (s == "Hint" && k == "Open")
            return QStringLiteral("Öffnen");
        if (s == "Audio Quality" && k == "Normal")
            return QStringLiteral("Mittel");
        return d;
    }, {});
    RecordingReceiver r;
    ApplyLanguage(texts, r);
    EXPECT_EQ(linesFor(r.log, "Tfm_main.bt_dvdopen "), QStringList{"hint=Öffnen"});
    EXPECT_EQ(linesFor(r.log, "Tfm_main.bt_open "), QStringList{"hint=Öffnen"});
    EXPECT_TRUE(r.log.contains("Tfm_set.cb_audiobitrate item=Mittel"));
    EXPECT_TRUE(r.log.contains("Tfm_set.cb_videobitrate item=Normal"));
}

// The shipped translation file is the English one: it changes no default.
TEST(ApplyLanguage, ShippedLugIniGivesTheBuiltInTexts)
{
    const LanguageTexts texts(QString(), LanguageTexts::lugIni(ravenmoor::test::sourceDir() + "/data/lug.ini"), {});
    for (const LanguageEntry &e : LanguageTable()) {
        if (e.target == LanguageTarget::ClearItems)
            continue;
        const QString def = QString::fromUtf8(e.def ? e.def : e.key);
        EXPECT_EQ(LanguageEntryText(texts, e), def) << e.window << "." << e.control << " " << e.section << "/" << e.key;
    }
    const struct {
        const char *section, *key;
    } others[] = {{"Add", "No Video"}, {"Add", "Status"}, {"Add", "No Subtitle"}, {"Add", "Please add blu-ray movie."},
                  {"channel", " Mono"}, {"channel", "Stereo"}, {"channel", "6 Channel"},
                  {"MessageDlg", "Please select one file."},
                  {"MessageDlg", "The program file cannot be found, please install again."},
                  {"MessageDlg", "Invalid height or width, please input again or select from the pull-down menu."},
                  {"MessageDlg", "The encoder could not be started."},
                  {"MessageDlg", "The output folder cannot be created or written:"},
                  {"Caption", "File Directory"}, {"Caption", "Title"}};
    for (const auto &o : others)
        EXPECT_EQ(texts.Lug(o.section, o.key), QString::fromUtf8(o.key)) << o.section << "/" << o.key;
}

TEST(ApplyLanguage, TranslationFileReplacesTextsByKey)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("lug.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("[file]\r\nadd file=Datei &hinzufügen\r\n[Settings]\r\nVideo Size:=Bildgröße:\r\n").toUtf8());
    f.close();
    const LanguageTexts texts(QString(), LanguageTexts::lugIni(f.fileName()), {});
    RecordingReceiver r;
    ApplyLanguage(texts, r);
    EXPECT_TRUE(r.log.contains("Tfm_main.AddFiles2 caption=Datei &hinzufügen"));
    EXPECT_TRUE(r.log.contains("Tfm_set.Label1 caption=Bildgröße:"));
    EXPECT_TRUE(r.log.contains("Tfm_main.AddFolder2 caption=R&emove Files(e)"));
}

struct RecordingHint : HintDisplay {
    QStringList shown;
    void showHint(const QString &line) override { shown << line; }
};

TEST(ToolbarHints, OverAndLeaveShowTheirLines)
{
    const QString info = ravenmoor::test::sourceDir() + "/data/language.info";
    auto line = [&](int n) { return *ReadLanguageInfoLine(info, n); };
    bool converting = false;
    RecordingHint hint;
    const LanguageTexts texts(info, {}, [&] { return converting; }, &hint);
    ShowToolbarHint(texts, "bt_open", true);
    ShowToolbarHint(texts, "bt_ifo", true);
    ShowToolbarHint(texts, "bt_remove", true);
    ShowToolbarHint(texts, "bt_set", true); // no line of its own
    ShowToolbarHint(texts, "bt_set", false);
    ShowToolbarHint(texts, "bt_start", true); // no hover handler
    EXPECT_EQ(hint.shown, (QStringList{line(2), line(2), line(23), line(25)}));

    // During a conversion hovering leaves the hint line as it is.
    converting = true;
    hint.shown.clear();
    ShowToolbarHint(texts, "bt_dvdopen", true);
    ShowToolbarHint(texts, "bt_dvdopen", false);
    EXPECT_TRUE(hint.shown.isEmpty());
}

} // namespace
