#include "engine/conversion_queue.h"
#include "engine/dvd_conversion.h"
#include "engine/engine_state.h"
#include "engine/jv_encoder_runner.h"
#include "engine/language_texts.h"
#include "engine/profile_captions.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/vts_address.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/shell/recording_shell.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <signal.h>

namespace {

QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "dvd_conversion_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Stands in for mydvd.dll. The disc folder of the "vts://" address holds a
// "mode" file of shell assignments saying how to behave; the arguments and
// the process ids are left beside it.
const char *kEncoderScript = R"SH(#!/bin/bash
prev=""; in=""
for a in "$@"; do [ "$prev" = "-i" ] && in="$a"; prev="$a"; done
out="${@: -1}"
folder=$(printf '%s' "$in" | cut -d'*' -f6-)
printf '%s\n' "$@" > "$folder/args"
echo $$ > "$folder/pid"
. "$folder/mode"
[ -n "$stubborn" ] && trap 'sleep 0.3; echo late > "$out"; exit 0' TERM
if [ -n "$hold" ]; then sleep 60 & echo $! > "$folder/sleeppid"; wait; fi
if [ -n "$release" ]; then while [ ! -e "$folder/release" ]; do sleep 0.02; done; fi
for ((i = 1; i <= ${steps:-2}; i++)); do
  printf 'frame= %d time=%d.00 bitrate= 1.0kbits/s\r' "$i" "$((i * ${stepsecs:-1}))"
  sleep 0.02
done
[ "${write:-1}" = 1 ] && echo data > "$out"
[ -n "$say" ] && printf '\n%s\n' "$say" >&2 # on a line of its own, after the status line
exit "${code:-0}"
)SH";

struct RecordingDisplay : DvdRunDisplay {
    QHash<QString, QString> texts;
    bool convertInfoVisible = false;
    int previewHides = 0;
    void setJobText(const QString &object, const QString &text) override { texts[object] = text; }
    void setConvertInfoVisible(bool visible) override { convertInfoVisible = visible; }
    void hidePreviewPanel() override { ++previewHides; }
};

// A process gone, or a zombie waiting to be reaped.
bool processGone(const QString &pidFile)
{
    QFile f(pidFile);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const int pid = f.readAll().trimmed().toInt();
    if (pid <= 0 || ::kill(pid, 0) != 0)
        return true;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.open(QIODevice::ReadOnly) && stat.readAll().split(' ').value(2) == "Z";
}

const QString kLine1500 = QStringLiteral("frame=  1 fps=0 time=1500.00 bitrate= 1.0kbits/s");

class DvdRun : public ::testing::Test {
protected:
    DvdRun()
        : texts(ravenmoor::test::sourceDir() + "/data/language.info", {}, [this] { return state.converting; })
    {
        app();
        program = dir.filePath("program");
        QDir().mkpath(program);
        QFile script(program + "/mydvd.dll");
        script.open(QIODevice::WriteOnly);
        script.write(kEncoderScript);
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        output = dir.filePath("out");
        QDir().mkpath(output);

        state.sourceMode = SourceMode::DvdRows;
        state.currentProfile = 111;
        state.profileCaption = ProfileCaption(111);
        state.outputFolder = output;
        settings.ed_output = output;
        settings.cb_size.SetItems({"720x576"});
        settings.cb_size.SetItemIndex(0);
        settings.cb_videobitrate.SetItemIndex(2);
        settings.cb_audiobitrate.SetItemIndex(2);
        settings.cb_channel.SetItems({"Mono", "Stereo"});
        settings.cb_channel.SetItemIndex(1);
        make(program);
    }

    void make(const QString &programFolder)
    {
        queue.reset();
        dvd = std::make_unique<DvdConversion>(state, list, settings, texts, dialogs, shell, display, runners(),
                                              programFolder, DvdRunHooks{[this] { ++stateUpdates; }, {}});
        ConversionHooks hooks;
        hooks.convertNextItem = [this] { dvd->ConvertNextItem(); };
        hooks.stopDvdRun = [this] { dvd->StopDvdRun(); };
        queue = std::make_unique<ConversionQueue>(state, list, texts, dialogs, shell, runners(), programFolder, hooks);
        QObject::connect(dvd.get(), &DvdConversion::jobStarted, [this](int row) {
            startedRows << row;
            ticksAtStart << state.tickCount;
        });
        QObject::connect(dvd.get(), &DvdConversion::runFinished, [this] { ++finished; });
        QObject::connect(dvd.get(), &DvdConversion::runEnded, [this] { ++ended; });
    }

    static EncoderRunnerFactory runners()
    {
        return [] { return std::make_unique<JvEncoderRunner>(); };
    }

    // One DVD row whose disc lies in its own folder; `mode` tells the stand-in what to do.
    QString addRow(const QString &mode, int clipSeconds = 10, QString caption = {}, QString folder = {})
    {
        const int i = list.rowCount();
        if (folder.isEmpty())
            folder = "disc" + QString::number(i);
        const QString disc = dir.filePath(folder);
        QDir().mkpath(disc + "/VIDEO_TS");
        QFile ifo(disc + "/VIDEO_TS/VTS_01_0.IFO");
        ifo.open(QIODevice::WriteOnly);
        QFile modeFile(disc + "/mode");
        modeFile.open(QIODevice::WriteOnly);
        modeFile.write(mode.toUtf8() + "\n");
        if (caption.isEmpty())
            caption = QStringLiteral("Title_%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        list.appendRow({caption, {"", "", "", "Status"}, true, false});
        list.sizeArraysToRows(true);
        TConvertInfo &info = list.convertInfo()[i];
        info.ifoPath = ifo.fileName();
        info.audioId = "0x80";
        info.endSeconds = clipSeconds;
        list.clipRanges()[i] = ClipRange{300, 9000, 0, clipSeconds, 1};
        list.originalInfo()[i].duration = "00:00:10";
        return disc;
    }

    QStringList statuses() const
    {
        QStringList out;
        for (int i = 0; i < list.rowCount(); ++i)
            out << list.row(i).subItems[SourceRow::Status];
        return out;
    }

    QString status(int row) const { return list.row(row).subItems[SourceRow::Status]; }

    static QStringList readLines(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    bool waitFor(const std::function<bool()> &done, int ms = 20000) { return ravenmoor::test::waitUntil(done, ms); }

    // Stop through the command, as the user does, and let the encoder go.
    void stop()
    {
        queue->StopConversion();
        ASSERT_TRUE(waitFor([&] { return dvd->liveEncoders() == 0; }));
    }

    QTemporaryDir dir;
    QString program, output;
    EngineState state;
    SettingsModel settings;
    SourceList list;
    RecordingDialogs dialogs;
    RecordingShell shell;
    RecordingDisplay display;
    LanguageTexts texts;
    std::unique_ptr<DvdConversion> dvd;
    std::unique_ptr<ConversionQueue> queue;
    QVector<int> startedRows, ticksAtStart;
    int stateUpdates = 0, finished = 0, ended = 0;
};

// Rows 0 and 2 checked, row 1 not: the step for row 1 marks row 0, skips row
// 1, rips row 2; its end marks it and runs the after-finish action.
TEST_F(DvdRun, CheckedRowsAreRippedOneAfterAnother)
{
    addRow("steps=3; stepsecs=3");
    addRow("steps=1");
    const QString odd = addRow("steps=2; stepsecs=4", 10, "  Chapter_03", "Mes vidéos/disc 2");
    list.setChecked(1, false);
    state.FinishSelcet = 1;

    QHash<int, QStringList> history;
    QObject::connect(&list, &SourceList::rowChanged,
                     [&](int row) { history[row] << list.row(row).subItems[SourceRow::Status]; });
    queue->StartConversion();
    EXPECT_TRUE(display.convertInfoVisible);
    EXPECT_TRUE(dvd->Timer2().isActive());
    EXPECT_TRUE(dvd->Convert_used().isActive());
    ASSERT_TRUE(waitFor([&] { return ended == 1; }));

    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(startedRows, (QVector<int>{0, 2}));
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Status", "Finish"}));
    EXPECT_EQ(history[0].last(), "Finish");
    EXPECT_TRUE(history[0].contains("90.00%")) << history[0].join(' ').toStdString();
    EXPECT_TRUE(history[2].contains("80.00%")) << history[2].join(' ').toStdString();
    EXPECT_TRUE(history[1].isEmpty());
    EXPECT_EQ(shell.openedFolders, QStringList{output});
    EXPECT_FALSE(display.convertInfoVisible);
    EXPECT_FALSE(dvd->Timer2().isActive());
    EXPECT_FALSE(dvd->Convert_used().isActive());
    EXPECT_TRUE(QFileInfo::exists(output + "/Title_01.mpg"));

    // The address crossed the process boundary as one argument, blanks and accents included.
    const QStringList args = readLines(odd + "/args");
    ASSERT_GE(args.indexOf("-i"), 0);
    TConvertInfo info = list.convertInfo()[2];
    EXPECT_EQ(args.value(args.indexOf("-i") + 1), VtsAddress(info, list.clipRanges()[2]));
    EXPECT_TRUE(args.value(args.indexOf("-i") + 1).endsWith("*" + dir.filePath("Mes vidéos/disc 2")));
    // A chapter's output drops the caption's leading blanks, and the skin shows that name.
    EXPECT_EQ(args.last(), output + "/Chapter_03.mpg");
    EXPECT_EQ(display.texts["filepath"], output + "/Chapter_03.mpg");
    EXPECT_EQ(display.texts["filename"], "Chapter_03.mpg");
    EXPECT_TRUE(QFileInfo::exists(output + "/Chapter_03.mpg"));
}

// Clip 3000 s, 50 ticks of creep, then 1500 s done: 50 + 1500 × 9950 / 3000.
TEST_F(DvdRun, CreepThenEncoderProgressAndTheJobFigures)
{
    addRow("hold=1", 3000);
    queue->StartConversion();
    ASSERT_EQ(startedRows, QVector<int>{0});
    for (int i = 0; i < 50; ++i)
        dvd->Timer2Timer();
    EXPECT_EQ(status(0), "00.50%");

    dvd->JvCreateProcessRead(kLine1500, true);
    EXPECT_EQ(status(0), "50.25%");
    EXPECT_FALSE(dvd->Timer2().isActive());
    EXPECT_EQ(state.convertProgress, 4975);
    EXPECT_EQ(state.lastEncoderLine, kLine1500);
    dvd->JvCreateProcessRead("frame=  1 fps=0 q=0.0 size=       0kB", false);
    EXPECT_EQ(status(0), "50.25%");

    // 100 s for 4975 of the 9950 the encoder has: 100 s to go.
    for (int i = 0; i < 100; ++i)
        dvd->Convert_usedTimer();
    dvd->JvCreateProcessRead(kLine1500, false);
    EXPECT_EQ(display.texts["usedtime"], "00:01:40");
    EXPECT_EQ(display.texts["resttime"], "00:01:40");
    EXPECT_EQ(display.texts["filesize"], "1 KB"); // nothing written yet
    EXPECT_EQ(display.texts["filename"], "Title_01.mpg");

    QFile out(state.currentJob.output);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(5000, 'x'));
    out.close();
    dvd->Convert_usedTimer();
    dvd->JvCreateProcessRead("frame= 9 time=3000.00 bitrate= 1.0kbits/s", false);
    EXPECT_EQ(display.texts["filesize"], "4 KB");
    EXPECT_EQ(status(0), "99.99%");
    stop();
}

TEST_F(DvdRun, RemainingTimeRoundsHalvesToEven)
{
    addRow("hold=1", 10000);
    queue->StartConversion();
    dvd->JvCreateProcessRead("time=4000.00 bitrate=", true); // 40 % in the first second
    dvd->Convert_usedTimer();
    EXPECT_EQ(state.remainingSeconds, 2); // 1.5
    dvd->Convert_usedTimer();
    dvd->Convert_usedTimer();
    EXPECT_EQ(state.remainingSeconds, 4); // 4.5
    stop();
}

// However long a title creeps, the encoder's part of the scale stays positive.
TEST_F(DvdRun, CreepIsBoundedToHalfTheBar)
{
    addRow("hold=1", 3000);
    queue->StartConversion();
    for (int i = 0; i < 12000; ++i)
        dvd->Timer2Timer();
    EXPECT_EQ(state.tickCount, DvdConversion::kMaxTicks);
    EXPECT_EQ(status(0), "50.00%");
    dvd->JvCreateProcessRead(kLine1500, true);
    EXPECT_EQ(status(0), "75.00%");
    dvd->JvCreateProcessRead("time=2999.00 bitrate=", false);
    EXPECT_EQ(status(0), "99.98%");
    stop();
}

// Each job creeps from 0: the ticks of one job never shorten the next one's scale.
TEST_F(DvdRun, EveryJobStartsItsCreepFromZero)
{
    const QString first = addRow("release=1; steps=1");
    addRow("release=1; steps=1");
    queue->StartConversion();
    for (int i = 0; i < 30; ++i)
        dvd->Timer2Timer();
    EXPECT_EQ(status(0), "00.30%");
    QFile(first + "/release").open(QIODevice::WriteOnly);
    ASSERT_TRUE(waitFor([&] { return startedRows.size() == 2; }));
    EXPECT_EQ(ticksAtStart, (QVector<int>{0, 0}));
    EXPECT_TRUE(dvd->Timer2().isActive());
    EXPECT_EQ(status(0), "Finish");
    stop();
}

TEST_F(DvdRun, FailedRipsSayFailedAndTheRunGoesOn)
{
    addRow("code=1");
    addRow("write=0");
    addRow("steps=1");
    addRow("code=3; write=0");
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return ended == 1; }));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(statuses(), (QStringList{"Failed", "Failed", "Finish", "Failed"}));
    // The names claimed for rips that wrote nothing are given back.
    EXPECT_EQ(QDir(output).entryList(QDir::Files), (QStringList{"Title_01.mpg", "Title_03.mpg"}));
}

TEST_F(DvdRun, ALongTitleNameStillFitsWhenNumbered)
{
    const QString title(125, QChar(0xE9)); // 250 bytes: the first output has 254
    addRow({}, 10, title);
    for (int run = 1; run <= 2; ++run) {
        queue->StartConversion();
        ASSERT_TRUE(waitFor([&] { return ended == run; }));
        EXPECT_EQ(statuses(), QStringList{"Finish"}) << "run " << run;
    }
    QStringList outputs = QDir(output).entryList(QDir::Files);
    outputs.sort();
    EXPECT_EQ(outputs, (QStringList{QString(124, QChar(0xE9)) + "_1.mpg", title + ".mpg"}));
}

// A failed rip says why in its row's note and in the log; a rip made with a
// warning (a chosen stream the title lacks) is no plain "Finish".
TEST_F(DvdRun, EndedRowsKeepTheEncodersLastWord)
{
    state.conversionLog = dir.filePath("config/ravenmoor.log");
    addRow("say='mydvd.dll: sectors 0..8072 lie past the end of title set 01, which has 3906 sectors'; code=1");
    addRow("say='mydvd.dll: warning: audio stream 0x83 is not in the sectors: taking the first, 0x80'");
    addRow("steps=1");
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return ended == 1; }));
    EXPECT_EQ(statuses(), (QStringList{"Failed", "Finish (warning)", "Finish"}));
    EXPECT_EQ(list.row(0).note, "mydvd.dll: sectors 0..8072 lie past the end of title set 01, which has 3906 sectors");
    EXPECT_EQ(list.row(1).note, "mydvd.dll: warning: audio stream 0x83 is not in the sectors: taking the first, 0x80");
    EXPECT_EQ(list.row(2).note, "");
    const QStringList logged = readLines(state.conversionLog);
    ASSERT_EQ(logged.size(), 2);
    EXPECT_TRUE(logged[0].contains("  Failed  vts://01*300*9000*0x80*0*" + dir.filePath("disc0") + " -> " + output +
                                   "/Title_01.mpg: mydvd.dll: sectors 0..8072"))
        << logged[0].toStdString();
    EXPECT_TRUE(logged[1].contains("  Finish (warning)  ")) << logged[1].toStdString();
}

// Stop: the row being ripped reads "Stop", earlier rows keep "Finish", later
// rows their text; the encoder's whole group ends; no after-finish action.
TEST_F(DvdRun, StopEndsTheEncoderGroupAndTheRun)
{
    addRow("steps=1");
    const QString held = addRow("hold=1");
    addRow("steps=1");
    state.FinishSelcet = 2;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return startedRows.size() == 2 && QFileInfo::exists(held + "/sleeppid"); }));

    stop();
    EXPECT_TRUE(dialogs.shown.last().text.startsWith("Are you sure to sop ripping?\r\n"));
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Stop", "Status"}));
    EXPECT_FALSE(dvd->Timer2().isActive());
    EXPECT_FALSE(dvd->Convert_used().isActive());
    EXPECT_FALSE(display.convertInfoVisible);
    EXPECT_TRUE(waitFor([&] { return processGone(held + "/pid") && processGone(held + "/sleeppid"); }, 5000));
    EXPECT_EQ(shell.shutDowns, 0);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(startedRows, (QVector<int>{0, 1}));
    // The stopped rip wrote nothing: its name is given back.
    EXPECT_EQ(QDir(output).entryList(QDir::Files), QStringList{"Title_01.mpg"});
}

// The stopped encoder ends only after a new run has started: its end belongs
// to the old run and must neither end the new job nor start another.
TEST_F(DvdRun, StaleEndAfterStopAndNewStartChangesNothing)
{
    const QString stubborn = addRow("stubborn=1; hold=1");
    const QString next = addRow("release=1; steps=1");
    state.FinishSelcet = 1;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(stubborn + "/sleeppid"); }));
    queue->StopConversion();
    EXPECT_EQ(dvd->liveEncoders(), 1);
    EXPECT_EQ(status(0), "Stop");

    list.setChecked(0, false);
    queue->StartConversion();
    ASSERT_EQ(startedRows, (QVector<int>{0, 1}));
    ASSERT_TRUE(waitFor([&] { return dvd->liveEncoders() == 1 && processGone(stubborn + "/pid"); }));
    EXPECT_TRUE(QFileInfo::exists(output + "/Title_01.mpg")); // it did end, and "well"
    EXPECT_TRUE(state.converting);
    EXPECT_EQ(state.currentRowIndex, 1);
    EXPECT_EQ(status(0), "Stop");
    EXPECT_EQ(status(1), "Status");
    EXPECT_TRUE(dvd->Timer2().isActive());
    EXPECT_TRUE(dvd->Convert_used().isActive());
    EXPECT_TRUE(display.convertInfoVisible);
    EXPECT_TRUE(shell.openedFolders.isEmpty());

    QFile(next + "/release").open(QIODevice::WriteOnly);
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(statuses(), (QStringList{"Stop", "Finish"}));
    EXPECT_EQ(startedRows, (QVector<int>{0, 1}));
    EXPECT_EQ(shell.openedFolders.size(), 1);
}

TEST_F(DvdRun, UnusableFrameSizeEndsTheRunWithTheMessage)
{
    addRow("steps=1");
    settings.cb_size.SetText("720x");
    queue->StartConversion();
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(startedRows.isEmpty());
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_TRUE(dialogs.shown.last().text.startsWith("Invalid height or width")) << dialogs.shown.last().text.toStdString();
    EXPECT_FALSE(dvd->Convert_used().isActive());

    settings.cb_size.SetItemIndex(0);
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(statuses(), QStringList{"Finish"});
}

// An output folder that exists but takes no file, or cannot be made: said
// before any rip starts, as the file run says it.
TEST_F(DvdRun, UnusableOutputFolderIsReportedBeforeAnyRip)
{
    addRow("steps=1");
    addRow("steps=1");
    for (const QString &folder : {QStringLiteral("/proc/self"), dir.filePath("disc0/mode/out")}) {
        state.outputFolder = folder;
        settings.ed_output = folder;
        dialogs.shown.clear();
        queue->StartConversion();
        EXPECT_FALSE(state.converting) << folder.toStdString();
        EXPECT_TRUE(startedRows.isEmpty()) << folder.toStdString();
        EXPECT_EQ(statuses(), (QStringList{"Status", "Status"})) << folder.toStdString();
        ASSERT_EQ(dialogs.shown.size(), 1) << folder.toStdString();
        EXPECT_EQ(dialogs.shown[0].text, "The output folder cannot be created or written:\n" + folder);
    }
}

TEST_F(DvdRun, MissingEncoderEndsTheRunWithAMessage)
{
    addRow("steps=1");
    addRow("steps=1");
    make(dir.filePath("nowhere"));
    queue->StartConversion();
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(statuses(), (QStringList{"Failed", "Status"}));
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_TRUE(dialogs.shown.last().text.startsWith("The encoder could not be started.\n"));
    EXPECT_FALSE(dvd->Timer2().isActive());
    EXPECT_FALSE(dvd->Convert_used().isActive());
    EXPECT_FALSE(display.convertInfoVisible);
    EXPECT_EQ(dvd->liveEncoders(), 0);
}

} // namespace
