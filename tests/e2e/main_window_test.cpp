// The main road through the real windows: the program's seven windows over the
// real data files beside the executable, three clips added through the open
// dialog, the convert object of the skin clicked with the mouse, the real
// encoders run to their end, the outputs checked with ffprobe, the settings
// found in the file after the window closed.

#include "engine/source_list.h"
#include "main/dialogs/settings_window.h"
#include "platform/ini/ini_file.h"
#include "tests/support/test_support.h"
#include "tests/support/window_program.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QJsonArray>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

// Duration in seconds and the stream kinds of a media file, from ffprobe.
struct Probed {
    double seconds = 0;
    QStringList streams;
};

Probed Ffprobe(const QString &path)
{
    QString out;
    Probed p;
    if (runProgram("ffprobe", {"-v", "error", "-print_format", "json", "-show_format", "-show_streams", path}, &out) != 0)
        return p;
    const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
    p.seconds = json["format"].toObject()["duration"].toString().toDouble();
    for (const auto &s : json["streams"].toArray())
        p.streams << s.toObject()["codec_type"].toString();
    return p;
}

class MainWindowRoad : public testing::Test, protected RealProgram {
protected:
    QTemporaryDir media, output;

    void SetUp() override
    {
        windowTestApp();
        makeProgram();
        ASSERT_EQ(paths->configFolder(), config.path());
    }
    void TearDown() override { endProgram(); }
};

TEST_F(MainWindowRoad, ThreeClipsAddedConvertedAndSettingsSaved)
{
    QStringList clips;
    for (int i = 1; i <= 3; ++i) {
        clips << media.filePath(QString("clip %1.avi").arg(i));
        ASSERT_TRUE(makeClip(clips.last(), 1.0 + i, {"-c:v", "mpeg4", "-c:a", "mp3"}));
    }
    showWindow();
    const SourceList &list = window().sourceList();
    EXPECT_FALSE(list.isVisible());
    EXPECT_FALSE(window().controlStates().enabled("bt_start"));

    // The output folder through the skin's "browse" object and the folder picker.
    dialogs.folderChoices << output.path();
    ClickObject(window(), "browse");
    ASSERT_EQ(dialogs.folderCaptions.size(), 1);
    EXPECT_EQ(window().settings().ed_output, output.path());

    // Two encoders side by side, the target folder opened at the end.
    QTimer::singleShot(0, &program->settingsWindow(), [this] {
        Tfm_set &set = program->settingsWindow();
        QComboBox *threads = set.findChild<QComboBox *>("CB_NT");
        threads->setCurrentIndex(1);
        emit threads->activated(1);
        set.findChild<QGroupBox *>("rg_finish")->findChildren<QRadioButton *>().at(1)->click();
        set.findChild<QPushButton *>("Button1")->click();
    });
    program->settingsWindow().exec();
    EXPECT_EQ(window().state().ThCount, 1);
    EXPECT_EQ(window().state().FinishSelcet, 1);

    dialogs.fileChoices << clips;
    ClickObject(window(), "openfiles");
    ASSERT_EQ(list.rowCount(), 3) << errors.shown.join("\n").toStdString();
    EXPECT_TRUE(list.isVisible());
    EXPECT_TRUE(window().controlStates().enabled("bt_start"));
    EXPECT_EQ(list.row(0).caption, "clip 1");

    // Moving over the convert object shows its hint line.
    QTest::mouseMove(&window(), SkinObjectCentre(window(), "converter"));
    EXPECT_FALSE(window().binding().hint.getText().isEmpty());

    ClickObject(window(), "converter");
    ASSERT_TRUE(window().state().converting) << dialogs.texts().join("\n").toStdString()
                                             << errors.shown.join("\n").toStdString();
    EXPECT_FALSE(window().controlStates().visible("bt_start"));
    EXPECT_TRUE(window().controlStates().enabled("Bt_Convertstop"));
    const auto ended = [&] {
        for (int i = 0; i < list.rowCount(); ++i)
            if (list.row(i).subItems[SourceRow::Status] != "Finish")
                return false;
        return true;
    };
    ASSERT_TRUE(QTest::qWaitFor(ended, 120000)) << list.row(0).subItems[SourceRow::Status].toStdString() << " "
                                                << list.row(1).subItems[SourceRow::Status].toStdString() << " "
                                                << list.row(2).subItems[SourceRow::Status].toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().state().converting; }, 10000));
    EXPECT_TRUE(window().controlStates().visible("bt_start"));
    EXPECT_EQ(shell.openedFolders, QStringList{output.path()});

    const QStringList outputs = QDir(output.path()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(outputs.size(), 3) << outputs.join(", ").toStdString();
    for (int i = 0; i < 3; ++i) {
        const Probed p = Ffprobe(output.filePath(outputs[i]));
        EXPECT_TRUE(outputs[i].startsWith(QString("clip %1").arg(i + 1))) << outputs[i].toStdString();
        EXPECT_NEAR(p.seconds, 2.0 + i, 0.3) << outputs[i].toStdString();
        EXPECT_TRUE(p.streams.contains("video")) << outputs[i].toStdString();
        EXPECT_TRUE(p.streams.contains("audio")) << outputs[i].toStdString();
    }

    window().close();
    const TIniFile saved(config.filePath("ravenmoor.ini"));
    EXPECT_EQ(saved.ReadString("output", "path", ""), output.path());
    EXPECT_EQ(saved.ReadInteger("ThCount", "ThCount", -1), 1);
    EXPECT_EQ(saved.ReadInteger("profiles", "FinishSelcet", -1), 1);
    EXPECT_EQ(saved.ReadInteger("profiles", "selcetsubindex", -1), window().state().currentProfile);
    EXPECT_GT(window().state().currentProfile, 0);
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

// The register.dat processes that write into folder.
QList<qint64> EncodersWritingInto(const QString &folder)
{
    QList<qint64> pids;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray words = cmdline.readAll();
        if (words.contains("register.dat") && words.contains(folder.toUtf8()))
            pids << entry.toLongLong();
    }
    return pids;
}

// Closing while a conversion runs asks the Stop question first: No keeps the
// window and the run; Yes stops the run as Stop does and closes, and nothing
// of it is left running once the program is gone.
TEST_F(MainWindowRoad, CloseDuringARunAsksTheStopQuestionFirst)
{
    const QString clip = media.filePath("long.avi");
    ASSERT_TRUE(makeClip(clip, 30.0, {"-s", "640x480", "-c:v", "mpeg4", "-c:a", "mp3"},
                         QStringLiteral("testsrc=size=640x480:rate=25")));
    showWindow();
    window().state().FinishSelcet = 2;
    window().state().ThCount = 0;
    dialogs.folderChoices << output.path();
    ClickObject(window(), "browse");
    dialogs.fileChoices << QStringList{clip, clip};
    ClickObject(window(), "openfiles");
    ASSERT_EQ(window().sourceList().rowCount(), 2);
    ClickObject(window(), "converter");
    ASSERT_TRUE(QTest::qWaitFor([&] { return encoders.running() == 1; }, 10000));
    const QString stopQuestion =
        "Are you sure to sop converting?\r\nThe unfinished-conversion file in some formats cannot be played properly.";

    dialogs.shown.clear();
    dialogs.answers << false;
    window().close();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, stopQuestion);
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().state().converting);
    EXPECT_EQ(EncodersWritingInto(output.path()).size(), 1);

    dialogs.answers << true;
    window().close();
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(window().state().converting);
    EXPECT_EQ(window().sourceList().row(0).subItems[SourceRow::Status], "Stop");
    EXPECT_TRUE(QFile::exists(config.filePath("ravenmoor.ini")));
    program->shutDown();
    program.reset();
    EXPECT_EQ(encoders.running(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return EncodersWritingInto(output.path()).isEmpty(); }, 5000));
    EXPECT_LE(QDir(output.path()).entryList(QDir::Files).size(), 1) << "the second row never starts";
    EXPECT_EQ(shell.shutDowns, 0);
}

// Start takes the folder the output box shows: one that cannot be made
// refuses the run with one message and converts nothing, the box keeping
// what was typed, whether the box still has the focus at the press or was
// left before; a usable one typed there is where the run goes.
TEST_F(MainWindowRoad, StartRefusesAnOutputFolderThatCannotBeMade)
{
    ASSERT_TRUE(makeClip(media.filePath("clip.avi"), 1.0, {"-c:v", "mpeg4", "-c:a", "mp3"}));
    showWindow();
    dialogs.folderChoices << output.path();
    ClickObject(window(), "browse");
    dialogs.fileChoices << QStringList{media.filePath("clip.avi")};
    ClickObject(window(), "openfiles");
    ASSERT_EQ(window().sourceList().rowCount(), 1);
    auto *box = window().findChild<QLineEdit *>("ed_output");
    ASSERT_TRUE(box);
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));

    const QString unusable = output.filePath("two/levels");
    for (const bool leftFirst : {false, true}) {
        SCOPED_TRACE(leftFirst ? "box left before Start" : "focus in the box at Start");
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, unusable);
        if (leftFirst) {
            window().ed_outputExit();
            box->clearFocus();
        }
        dialogs.shown.clear();
        ClickObject(window(), "converter");
        EXPECT_FALSE(window().state().converting);
        EXPECT_EQ(dialogs.texts(), QStringList{"Unable to create the directory."});
        EXPECT_EQ(box->text(), unusable);
        EXPECT_EQ(window().settings().ed_output, output.path());
        EXPECT_EQ(encoders.running(), 0);
    }
    EXPECT_TRUE(QDir(output.path()).entryList(QDir::Files).isEmpty());

    // A folder one level down is made and used, though the box never lost the focus.
    const QString usable = output.filePath("made");
    box->clear();
    QTest::keyClicks(box, usable);
    dialogs.shown.clear();
    ClickObject(window(), "converter");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().state().converting; }, 60000));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.texts().join("\n").toStdString();
    EXPECT_EQ(QDir(usable).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(window().settings().ed_output, usable);
}

TEST_F(MainWindowRoad, SetUpRunsOnceAndLeavesTheStartStates)
{
    showWindow();
    Tfm_main &w = window();
    EXPECT_EQ(w.executableName(), "ravenmoor");
    EXPECT_GT(w.state().currentProfile, 0);
    EXPECT_FALSE(w.sourceList().isVisible());
    EXPECT_EQ(w.binding().playpos.rect().width(), 0);
    EXPECT_EQ(w.binding().convertpos.rect().width(), 0);
    EXPECT_FALSE(w.binding().play_bar.frame->IsVisible());
    EXPECT_EQ(w.controlStates(), UpdateControlStates(ControlFacts{}, ControlStates()));
    EXPECT_TRUE(program->language().missing().isEmpty()) << program->language().missing().join(", ").toStdString();

    // Every control the state rules name exists in the window.
    for (const ControlRule &rule : ControlRules())
        EXPECT_TRUE(w.findChild<QObject *>(rule.control)) << rule.control;

    // A second showing repeats nothing: a caption changed since stays.
    w.binding().profilestext.setText("kept");
    w.hide();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.binding().profilestext.getText(), "kept");
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

// A folder's rows bring the control states along, as the open dialog's do; a
// folder without media empties the list and turns them off again.
TEST_F(MainWindowRoad, AddFolderLeavesTheStatesOfItsList)
{
    QTemporaryDir empty;
    for (const char *name : {"one.avi", "two.mkv"})
        ASSERT_TRUE(makeClip(media.filePath(name), 1, {"-c:v", "mpeg4", "-c:a", "mp2"}));
    QFile(QDir(empty.path()).filePath("notes.txt")).open(QIODevice::WriteOnly);
    showWindow();
    const SourceList &list = window().sourceList();
    const char *const listControls[] = {"bt_start", "bt_remove", "bt_clear", "bt_all",      "bt_none",
                                        "Remove1",  "Clear2",    "Rename1",  "SelectAll1", "UnselectAll1",
                                        "Convert2"};

    dialogs.folderChoices << media.path() << empty.path();
    ClickObject(window(), "openfolder");
    ASSERT_EQ(list.rowCount(), 2) << errors.shown.join("\n").toStdString();
    EXPECT_EQ(list.selectedRow(), 0);
    for (const char *control : listControls)
        EXPECT_TRUE(window().controlStates().enabled(control)) << control;

    ClickObject(window(), "openfolder");
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(list.isVisible());
    for (const char *control : listControls)
        EXPECT_FALSE(window().controlStates().enabled(control)) << control;
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

// Closing the window while a folder of 200 files is being added ends the add
// and every probe it has running.
TEST_F(MainWindowRoad, CloseDuringAFolderAddEndsEveryProbe)
{
    const QString seed = output.filePath("seed.mp4");
    ASSERT_TRUE(makeClip(seed, 1, {"-c:v", "mpeg4", "-c:a", "aac"}));
    for (int i = 1; i <= 200; ++i)
        ASSERT_TRUE(QFile::copy(seed, media.filePath(QString("clip%1.mp4").arg(i, 3, 10, QChar('0')))));
    showWindow();
    const SourceList &list = window().sourceList();
    QTimer closer;
    int probesAtClose = 0;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (list.rowCount() < 5)
            return;
        closer.stop();
        probesAtClose = processesNaming(media.path());
        window().close();
    });
    closer.start(5);
    dialogs.folderChoices << media.path();
    ClickObject(window(), "openfolder");

    EXPECT_FALSE(window().isVisible());
    EXPECT_GE(list.rowCount(), 5);
    EXPECT_LT(list.rowCount(), 200);
    EXPECT_GT(probesAtClose, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesNaming(media.path()) == 0; }, 5000))
        << processesNaming(media.path()) << " probe processes left";
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

} // namespace
