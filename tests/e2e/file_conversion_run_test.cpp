// A file run as the window drives it, over the real runner, register.dat and
// ffmpeg: rows added through the probe, a real profile, Start and Stop.

#include "engine/conversion_queue.h"
#include "engine/engine_state.h"
#include "engine/jv_encoder_runner.h"
#include "engine/language_texts.h"
#include "engine/profile_catalogue.h"
#include "engine/profile_captions.h"
#include "engine/runner_source_probe.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/source_list_commands.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/shell/recording_shell.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ravenmoor::test;

namespace {

struct NoCaption : ProfileCaptionDisplay {
    void loadCategoryIcon(const QString &) override {}
    void showProfileCaption(const QString &) override {}
};

// Runs ffmpeg for register.dat and notes when each one starts and ends.
const char *kFfmpegLogger = R"SH(#!/bin/bash
in=""; prev=""
for a in "$@"; do [ "$prev" = "-i" ] && in="$a"; prev="$a"; done
echo "start $(date +%s.%N) $in" >> "$FFMPEG_LOG"
/usr/bin/ffmpeg "$@" &
pid=$!
trap 'kill -TERM $pid 2>/dev/null' TERM INT
while wait $pid; rc=$?; kill -0 $pid 2>/dev/null; do :; done
echo "end $(date +%s.%N) $in" >> "$FFMPEG_LOG"
exit $rc
)SH";

class FileRun : public ::testing::Test {
protected:
    FileRun()
        : texts(binDir() + "/language.info", LanguageTexts::lugIni(binDir() + "/lug.ini"),
                [this] { return state.converting; }),
          rows(list), catalogue(state, settings, binDir(), [this](const QString &s, const QString &k, const QString &d) {
              return texts.Lug(s, k, d);
          }, caption, rows),
          commands(list, state, texts, dialogs, probe, binDir(), {})
    {
        QFile logger(dir.filePath("ffmpeg-logger"));
        logger.open(QIODevice::WriteOnly);
        logger.write(kFfmpegLogger);
        logger.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("FFMPEG", logger.fileName().toUtf8());
        qputenv("FFMPEG_LOG", dir.filePath("ffmpeg.log").toUtf8());
        qputenv("FFPROBE", "ffprobe");

        catalogue.SelectProfile(4); // MP4 - MPEG-4
        settings.ed_output = dir.filePath("out");
        state.currentJob.workingFolder = binDir();
        ConversionHooks hooks;
        hooks.addingSources = [this] { return commands.isAdding(); };
        SetFileJobHooks(hooks, state, settings, list, texts);
        queue = std::make_unique<ConversionQueue>(state, list, texts, dialogs, shell,
                                                  [] { return std::make_unique<JvEncoderRunner>(); }, binDir(), hooks);
        QObject::connect(queue.get(), &ConversionQueue::jobStarted, [this](int, int, int row) { startedRows << row; });
        QObject::connect(queue.get(), &ConversionQueue::runFinished, [this] { ++finished; });
        QObject::connect(&list, &SourceList::rowChanged, [this](int row) {
            statusHistory[row] << list.row(row).subItems[SourceRow::Status];
        });
    }

    // n clips of the given length, added through the real probe.
    void addClips(int n, double seconds, const QString &size = "320x240")
    {
        const QString seed = dir.filePath("seed-" + QString::number(seconds) + size + ".mkv");
        if (!QFile::exists(seed)) {
            ASSERT_TRUE(makeClip(seed, seconds, {"-c:v", "mpeg4", "-c:a", "mp2"},
                                 "testsrc=size=" + size + ":rate=25"));
        }
        for (int i = 0; i < n; ++i)
            addCopy(seed, QString("clip %1.mkv").arg(list.rowCount()));
        QFile::remove(dir.filePath("ffmpeg.log"));
    }

    void addCopy(const QString &seed, const QString &fileName)
    {
        const QString path = dir.filePath(fileName);
        QFile::copy(seed, path);
        commands.AddSourceFile(path);
    }

    void runToTheEnd()
    {
        const int before = finished;
        queue->StartConversion();
        ASSERT_TRUE(waitFor([&] { return finished == before + 1; }));
    }

    static QByteArray content(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool waitFor(const std::function<bool()> &done, int ms = 120000) { return ravenmoor::test::waitUntil(done, ms); }

    QStringList statuses() const
    {
        QStringList out;
        for (int i = 0; i < list.rowCount(); ++i)
            out << list.row(i).subItems[SourceRow::Status];
        return out;
    }

    struct Encoding {
        double start = 0, end = 0;
        QString input;
    };
    QList<Encoding> encodings() const
    {
        QList<Encoding> out;
        QFile f(dir.filePath("ffmpeg.log"));
        f.open(QIODevice::ReadOnly);
        for (const QString &l : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList p = l.split(' ');
            const QString input = p.mid(2).join(' ');
            if (p[0] == "start") {
                out.append({p[1].toDouble(), 0, input});
                continue;
            }
            for (Encoding &e : out) {
                if (e.input == input && e.end == 0) {
                    e.end = p[1].toDouble();
                    break;
                }
            }
        }
        return out;
    }

    // ffmpeg processes whose command line names this test's folder.
    int ffmpegsLeft() const
    {
        int left = 0;
        for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile cmd("/proc/" + pid + "/cmdline");
            if (!cmd.open(QIODevice::ReadOnly))
                continue;
            const QByteArray c = cmd.readAll();
            left += c.contains("ffmpeg") && c.contains(dir.path().toUtf8());
        }
        return left;
    }

    QCoreApplication &application = coreApp(); // before any object that needs the event loop
    QTemporaryDir dir;
    EngineState state;
    SettingsModel settings;
    SourceList list;
    RecordingDialogs dialogs;
    RecordingShell shell;
    LanguageTexts texts;
    NoCaption caption;
    SourceListEstimateRows rows;
    ProfileCatalogue catalogue;
    RunnerSourceProbe probe;
    SourceListCommands commands;
    std::unique_ptr<ConversionQueue> queue;
    QVector<int> startedRows;
    QHash<int, QStringList> statusHistory;
    int finished = 0;
};

TEST_F(FileRun, TenRowsTwoUncheckedFourSlots)
{
    addClips(10, 2);
    ASSERT_EQ(list.rowCount(), 10);
    list.setChecked(2, false);
    list.setChecked(5, false);
    state.ThCount = 3;
    state.FinishSelcet = 1;

    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(startedRows, (QVector<int>{0, 1, 3, 4, 6, 7, 8, 9}));
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Finish", "Status", "Finish", "Finish", "Status", "Finish", "Finish",
                                       "Finish", "Finish"}));

    // From the encoders' own start and end times: never more than four at once,
    // and the first four are the rows 0, 1, 3 and 4.
    const QList<Encoding> runs = encodings();
    ASSERT_EQ(runs.size(), 8);
    QList<QPair<double, int>> events;
    for (const Encoding &e : runs)
        events << qMakePair(e.start, 1) << qMakePair(e.end, -1);
    std::sort(events.begin(), events.end());
    int now = 0, most = 0;
    for (const auto &e : events)
        most = std::max(most, now += e.second);
    EXPECT_LE(most, 4);
    QStringList firstFour;
    for (int i = 0; i < 4; ++i)
        firstFour << QFileInfo(runs[i].input).fileName();
    firstFour.sort();
    EXPECT_EQ(firstFour, (QStringList{"clip 0.mkv", "clip 1.mkv", "clip 3.mkv", "clip 4.mkv"}));

    // Eight real outputs of about two seconds.
    const QStringList outputs = QDir(settings.ed_output).entryList({"*.mp4"}, QDir::Files, QDir::Name);
    EXPECT_EQ(outputs.size(), 8);
    for (const QString &name : outputs) {
        QString out;
        ASSERT_EQ(runProgram("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0",
                                          QDir(settings.ed_output).filePath(name)}, &out), 0) << name.toStdString();
        EXPECT_NEAR(out.trimmed().toDouble(), 2.0, 0.3) << name.toStdString();
    }
    EXPECT_EQ(shell.openedFolders, QStringList{settings.ed_output});
    for (int row : {0, 9})
        for (const QString &s : statusHistory[row].mid(0, statusHistory[row].size() - 1))
            EXPECT_TRUE(QRegularExpression("^\\d\\d\\.\\d\\d%$").match(s).hasMatch()) << s.toStdString();
}

TEST_F(FileRun, StopLeavesNoEncoderAndNoAfterFinishAction)
{
    addClips(4, 40, "640x480");
    state.ThCount = 1;
    state.FinishSelcet = 2;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return !statusHistory[0].isEmpty() && !statusHistory[1].isEmpty(); }));
    queue->StopConversion();
    EXPECT_FALSE(state.converting);
    int stoppedEnded = 0;
    QObject::connect(queue.get(), &ConversionQueue::stoppedEncodersEnded, [&] { ++stoppedEnded; });
    ASSERT_TRUE(waitFor([&] { return queue->liveEncoders() == 0; }, 20000));
    EXPECT_TRUE(waitFor([&] { return ffmpegsLeft() == 0; }, 5000));
    waitFor([] { return false; }, 700);
    EXPECT_EQ(startedRows, (QVector<int>{0, 1}));
    EXPECT_EQ(statuses(), (QStringList{"Stop", "Stop", "Status", "Status"}));
    EXPECT_EQ(shell.shutDowns, 0);
    EXPECT_EQ(finished, 0);
}

TEST_F(FileRun, CorruptInputFailsAndTheOthersFinish)
{
    addClips(3, 2);
    // The middle file turns to garbage after it was probed.
    QFile bad(list.originalInfo()[1].path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write(QByteArray(4096, 'x'));
    bad.close();
    state.ThCount = 2;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Failed", "Finish"}));
}

TEST_F(FileRun, AFileThatAppearsAfterStartIsNeverWrittenOver)
{
    addClips(3, 1);
    state.ThCount = 0; // one slot: the last row starts well after Start
    const QByteArray theirs = "not yours";
    QString planned;
    QObject::connect(queue.get(), &ConversionQueue::jobStarted, [&](int, int job, int) {
        if (job != 0)
            return;
        // Another program writes under the last row's name once the run is under way.
        planned = state.jobs[2].output;
        QFile f(planned);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::NewOnly));
        f.write(theirs);
    });
    runToTheEnd();
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Finish", "Finish"}));
    ASSERT_EQ(QFileInfo(planned).fileName(), "clip 2.mp4");
    EXPECT_EQ(content(planned), theirs);
    EXPECT_EQ(state.jobs[2].output, settings.ed_output + "/clip 2_1.mp4");
    EXPECT_NEAR(durationOf(state.jobs[2].output), 1.0, 0.3);
}

TEST_F(FileRun, LongNamesStillFitWhenTheyAreNumbered)
{
    struct Case {
        QString base; // 250 bytes, so the first output is 254
        QString numbered; // the base of the "_1" output: 249 bytes at most, whole characters
    };
    const Case cases[] = {
        {QString(250, u'a'), QString(249, u'a')},
        {QString(125, QChar(0xE9)), QString(124, QChar(0xE9))},
        {QString("ab") + QString("\U0001F600").repeated(62), QString("ab") + QString("\U0001F600").repeated(61)},
    };
    const QString seed = dir.filePath("seed.mkv");
    ASSERT_TRUE(makeClip(seed, 1, {"-c:v", "mpeg4", "-c:a", "mp2"}));
    for (const Case &c : cases) {
        ASSERT_EQ(c.base.toUtf8().size(), 250);
        addCopy(seed, c.base + ".mkv");
    }
    state.ThCount = 2;
    // The second run finds every name taken and numbers them all.
    for (int run = 0; run < 2; ++run) {
        runToTheEnd();
        EXPECT_EQ(statuses(), (QStringList{"Finish", "Finish", "Finish"})) << "run " << run;
    }
    const QDir out(settings.ed_output);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.base.left(4).toStdString());
        EXPECT_NEAR(durationOf(out.filePath(c.base + ".mp4")), 1.0, 0.3);
        EXPECT_NEAR(durationOf(out.filePath(c.numbered + "_1.mp4")), 1.0, 0.3);
    }
    EXPECT_EQ(out.entryList(QDir::Files).size(), 6);
}

TEST_F(FileRun, MissingEncoderEndsTheRunCleanly)
{
    addClips(2, 1);
    ConversionHooks hooks;
    SetFileJobHooks(hooks, state, settings, list, texts);
    ConversionQueue elsewhere(state, list, texts, dialogs, shell, [] { return std::make_unique<JvEncoderRunner>(); },
                              dir.filePath("no encoder here"), hooks);
    elsewhere.StartConversion();
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(statuses().first(), "Failed");
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_TRUE(dialogs.shown.last().text.startsWith("The encoder could not be started."));
}

} // namespace
