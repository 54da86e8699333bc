#include "engine/conversion_queue.h"
#include "engine/engine_state.h"
#include "engine/jv_encoder_runner.h"
#include "engine/language_texts.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/shell/recording_shell.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "conversion_queue_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Stands in for register.dat: the input file says how long to run and how to end.
const char *kEncoderScript = R"SH(#!/bin/bash
in=""; prev=""
for a in "$@"; do [ "$prev" = "-mardozb" ] && in="$a"; prev="$a"; done
out="${@: -1}"
. "$in"
echo "start $(date +%s.%N) $(basename "$in")" >> "$ENCODER_LOG"
for ((i = 1; i <= ${steps:-2}; i++)); do
  printf 'frame= %d time=%d.00 bitrate= 1.0kbits/s\r' "$i" "$((i * ${stepsecs:-1}))"
  sleep "${pause:-0.05}"
done
[ "${write:-1}" = 1 ] && echo data > "$out"
echo "end $(date +%s.%N) $(basename "$in")" >> "$ENCODER_LOG"
[ -n "$say" ] && printf '\n%s\n' "$say" >&2 # on a line of its own, after the status line
exit "${code:-0}"
)SH";

class Queue : public ::testing::Test {
protected:
    Queue()
        : texts(ravenmoor::test::sourceDir() + "/data/language.info", {}, [this] { return state.converting; })
    {
        app();
        QFile script(dir.filePath("register.dat"));
        script.open(QIODevice::WriteOnly);
        script.write(kEncoderScript);
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("ENCODER_LOG", log().toUtf8());
        QDir(dir.path()).mkdir("out");
        output = dir.filePath("out");
        state.outputFolder = output;
        makeQueue(dir.path());
    }

    void makeQueue(const QString &programFolder)
    {
        ConversionHooks hooks;
        hooks.updateControlStates = [this] { ++stateUpdates; };
        hooks.buildFileJob = [this](int row) {
            intputrec &job = state.currentJob;
            job.input = list.originalInfo().at(row).path;
            job.output = QDir(output).filePath(list.row(row).caption + ".out");
            job.clipSeconds = list.clipRanges().at(row).clipEnd - list.clipRanges().at(row).clipBegin;
            state.outputFolder = output;
        };
        hooks.outputFolder = [this] { return output; };
        queue = std::make_unique<ConversionQueue>(state, list, texts, dialogs, shell,
                                                  [] { return std::make_unique<JvEncoderRunner>(); }, programFolder,
                                                  hooks);
        QObject::connect(queue.get(), &ConversionQueue::jobStarted, [this](int, int, int row) { startedRows << row; });
        QObject::connect(queue.get(), &ConversionQueue::runFinished, [this] { ++finished; });
        QObject::connect(queue.get(), &ConversionQueue::runEnded, [this] { ++ended; });
        QObject::connect(&list, &SourceList::rowChanged, [this](int row) {
            statusHistory[row] << list.row(row).subItems[SourceRow::Status];
        });
    }

    QString log() const { return dir.filePath("encoder.log"); }

    // One row per script; each script is a few shell assignments for the encoder.
    // The short clip lets a few steps of the fake encoder cover it.
    void addRows(const QStringList &scripts, int clipSeconds = 2)
    {
        for (const QString &s : scripts) {
            const int i = list.rowCount();
            const QString path = dir.filePath("row" + QString::number(i) + ".in");
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(s.toUtf8() + "\n");
            list.appendRow({"row" + QString::number(i), {}, true, false});
            list.sizeArraysToRows();
            list.originalInfo()[i].path = path;
            list.clipRanges()[i].clipEnd = clipSeconds;
        }
    }

    bool waitFor(const std::function<bool()> &done, int ms = 30000) { return ravenmoor::test::waitUntil(done, ms); }

    QStringList statuses() const
    {
        QStringList out;
        for (int i = 0; i < list.rowCount(); ++i)
            out << list.row(i).subItems[SourceRow::Status];
        return out;
    }

    // The largest number of encoders running at one moment, from their own log.
    int maxConcurrent() const
    {
        QFile f(log());
        f.open(QIODevice::ReadOnly);
        QList<QPair<double, int>> events;
        for (const QByteArray &l : f.readAll().split('\n')) {
            const QList<QByteArray> parts = l.split(' ');
            if (parts.size() >= 2)
                events.append({parts[1].toDouble(), parts[0] == "start" ? 1 : -1});
        }
        std::sort(events.begin(), events.end());
        int now = 0, most = 0;
        for (const auto &e : events)
            most = std::max(most, now += e.second);
        return most;
    }

    QTemporaryDir dir;
    QString output;
    EngineState state;
    SourceList list;
    RecordingDialogs dialogs;
    RecordingShell shell;
    LanguageTexts texts;
    std::unique_ptr<ConversionQueue> queue;
    QVector<int> startedRows;
    QHash<int, QStringList> statusHistory;
    int stateUpdates = 0, finished = 0, ended = 0;
};

TEST_F(Queue, CheckedRowsRunInSlotsAndTheRunEndsWithTheAfterFinishAction)
{
    addRows(QStringList(10, "steps=3; pause=0.1"));
    list.setChecked(2, false);
    list.setChecked(5, false);
    state.ThCount = 3;
    state.FinishSelcet = 1;

    queue->StartConversion();
    EXPECT_TRUE(state.converting);
    EXPECT_EQ(queue->slotsInUse(), 4);
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(startedRows, (QVector<int>{0, 1, 3, 4, 6, 7, 8, 9}));
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Finish", "", "Finish", "Finish", "", "Finish", "Finish", "Finish",
                                       "Finish"}));
    EXPECT_LE(maxConcurrent(), 4);
    EXPECT_EQ(shell.openedFolders, QStringList{output});
    EXPECT_EQ(shell.shutDowns, 0);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(waitFor([&] { return queue->liveEncoders() == 0; }));
}

TEST_F(Queue, NoMoreSlotsThanJobs)
{
    addRows({"steps=2", "steps=2"});
    state.ThCount = 9;
    state.FinishSelcet = 2;
    queue->StartConversion();
    EXPECT_EQ(queue->slotsInUse(), 2);
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(shell.shutDowns, 1);
}

TEST_F(Queue, ProgressIsTheShareOfTheClip)
{
    addRows({"steps=2; stepsecs=300"}, 600);
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(statusHistory[0], (QStringList{"50.00%", "99.99%", "Finish"}));
    EXPECT_EQ(state.convertProgress, 9999);
    EXPECT_TRUE(state.lastEncoderLine.contains("time=600.00"));
}

TEST_F(Queue, FailedEncodesSayFailed)
{
    addRows({"steps=1", "steps=1; code=1", "steps=1; write=0", "steps=1"});
    state.ThCount = 1;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Failed", "Failed", "Finish"}));
}

// Every row that failed says why, in its note and in the log beside the
// settings; an output made with a warning is no plain "Finish".
TEST_F(Queue, EndedRowsKeepTheEncodersLastWord)
{
    state.conversionLog = dir.filePath("config/ravenmoor.log");
    addRows({"steps=1; say='register.dat: the source is damaged'; code=1", "steps=1; code=3", "steps=1; write=0",
             "steps=1; say='register.dat: warning: no audio in the source'", "steps=1; say='register.dat: note'"});
    addRows({"steps=1; stepsecs=5"}, 60);
    addRows({"steps=1"});
    state.ThCount = 2;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    const QStringList expected[] = {
        {"Failed", "register.dat: the source is damaged"},
        {"Failed", "the encoder ended with code 3 and said nothing"},
        {"Failed", "the encoder ended without writing the output"},
        {"Finish (warning)", "register.dat: warning: no audio in the source"},
        {"Finish", ""},
        {"Failed", "the source ended at 5 s of a 60-s clip; the output is short"},
        {"Finish", ""},
    };
    for (int row = 0; row < list.rowCount(); ++row)
        EXPECT_EQ((QStringList{list.row(row).subItems[SourceRow::Status], list.row(row).note}).join(" | ").toStdString(),
                  expected[row].join(" | ").toStdString());

    QFile logFile(state.conversionLog);
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(logFile.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.filter("Failed  " + dir.filePath("row0.in") + " -> " + output + "/row0.out: register.dat: the source is damaged").size() == 1)
        << lines.join(u'\n').toStdString();

    // A second run starts the rows afresh.
    for (int row = 0; row < list.rowCount(); ++row)
        list.setChecked(row, row == 0);
    QFile(dir.filePath("row0.in")).open(QIODevice::WriteOnly);
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 2; }));
    EXPECT_EQ(list.row(0).note, "");
}

// An encoder that ends well short of its clip converted a source cut short.
TEST(QueueRules, ASourceCutShortIsTold)
{
    const struct {
        int32_t last, clip;
        bool shortOfClip;
    } table[] = {
        {29, 60, true},  {60, 60, false}, {55, 60, false}, // 5 s short: under a tenth
        {53, 60, true},  {7, 10, true},   {8, 10, false},  // 2 s short: not more than two seconds
        {0, 0, false},   {5, 0, false},   {0, 3, true},    {62, 60, false},
    };
    for (const auto &row : table)
        EXPECT_EQ(EndsShortOfClip(row.last, row.clip), row.shortOfClip) << row.last << " of " << row.clip;
}

TEST_F(Queue, ASourceCutShortFails)
{
    addRows({"steps=2; stepsecs=15", "steps=2; stepsecs=29"}, 60);
    addRows({"steps=1"}, 0); // a clip under a second converts whole
    state.ThCount = 2;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(statuses(), (QStringList{"Failed", "Finish", "Finish"}));
}

TEST_F(Queue, StopEndsEveryEncoderAndStartsNothingMore)
{
    addRows(QStringList(6, "steps=100; pause=0.1"));
    state.ThCount = 1;
    state.FinishSelcet = 1;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return statusHistory[0].size() > 0 && statusHistory[1].size() > 0; }));

    int stoppedEnded = 0;
    QObject::connect(queue.get(), &ConversionQueue::stoppedEncodersEnded, [&] { ++stoppedEnded; });
    const int updatesBefore = stateUpdates;
    queue->StopConversion();
    EXPECT_TRUE(dialogs.shown.last().text.startsWith("Are you sure to sop converting?\r\n"));
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(statuses().mid(0, 2), (QStringList{"Stop", "Stop"}));
    EXPECT_EQ(stateUpdates, updatesBefore); // the controls come back after the settle wait
    ASSERT_TRUE(waitFor([&] { return stoppedEnded == 1 && stateUpdates > updatesBefore; }));
    EXPECT_EQ(queue->liveEncoders(), 0);
    // Give late events their chance: still nothing new.
    QTimer::singleShot(300, [] {});
    waitFor([] { return false; }, 300);
    EXPECT_EQ(startedRows, (QVector<int>{0, 1}));
    EXPECT_EQ(statuses(), (QStringList{"Stop", "Stop", "", "", "", ""}));
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(shell.openedFolders.isEmpty());
}

TEST_F(Queue, StopAnsweredNoGoesOn)
{
    addRows({"steps=3; pause=0.1"});
    queue->StartConversion();
    dialogs.answers = {false};
    queue->StopConversion();
    EXPECT_TRUE(state.converting);
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(statuses(), QStringList{"Finish"});
}

// The run ends while the Stop question is open: the late Yes changes nothing.
TEST_F(Queue, StopQuestionOutlivedByTheRunDoesNothing)
{
    addRows({"steps=2"});
    state.FinishSelcet = 1;
    queue->StartConversion();
    dialogs.whileOpen = [&] { waitFor([&] { return finished == 1; }); };
    queue->StopConversion();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(statuses(), QStringList{"Finish"});
    EXPECT_EQ(shell.openedFolders.size(), 1);
}

// Stop, then at once a new Start: the stopped encoders' ends belong to the old
// run and must not hand out jobs or end the new one early.
TEST_F(Queue, EventsOfStoppedEncodersAreIgnoredByTheNextRun)
{
    addRows(QStringList(4, "steps=3; pause=0.1"));
    state.ThCount = 3;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return !statusHistory[3].isEmpty(); }));
    queue->StopConversion();
    for (int i = 0; i < 4; ++i)
        statusHistory[i].clear();
    startedRows.clear();
    state.ThCount = 1;
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_EQ(startedRows, (QVector<int>{0, 1, 2, 3}));
    EXPECT_EQ(statuses(), (QStringList{"Finish", "Finish", "Finish", "Finish"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(statusHistory[i].count("Finish"), 1) << "row " << i;
}

TEST_F(Queue, MissingEncoderEndsTheRunWithAMessage)
{
    addRows({"steps=1", "steps=1"});
    makeQueue(dir.filePath("nowhere"));
    queue->StartConversion();
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(statuses().first(), "Failed");
    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_TRUE(dialogs.shown.last().text.startsWith("The encoder could not be started."));
    EXPECT_TRUE(startedRows.isEmpty());
    // A second Start is possible at once.
    makeQueue(dir.path());
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
}

TEST_F(Queue, UnusableOutputFolderIsReportedBeforeAnyJob)
{
    QFile(dir.filePath("plainfile")).open(QIODevice::WriteOnly);
    for (const QString &folder : {dir.filePath("plainfile/out"), QStringLiteral("/proc/ravenmoor-out"),
                                  QStringLiteral("/proc/self")}) {
        output = folder;
        addRows({"steps=1"});
        dialogs.shown.clear();
        queue->StartConversion();
        EXPECT_FALSE(state.converting) << folder.toStdString();
        ASSERT_EQ(dialogs.shown.size(), 1) << folder.toStdString();
        EXPECT_TRUE(dialogs.shown[0].text.contains(folder));
        EXPECT_TRUE(startedRows.isEmpty());
    }
    output = dir.filePath("fresh"); // one missing level is created
    queue->StartConversion();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("fresh/row0.out")));
}

// An edited frame size the encoder cannot take refuses the run before any job.
TEST_F(Queue, UnusableFrameSizeRefusesTheRun)
{
    addRows({"steps=1", "steps=1"});
    SettingsModel settings;
    settings.ed_output = output;
    settings.cb_size.SetText("720x");
    state.currentProfile = 102;
    ConversionHooks hooks;
    SetFileJobHooks(hooks, state, settings, list, texts);
    ConversionQueue withBuilder(state, list, texts, dialogs, shell, [] { return std::make_unique<JvEncoderRunner>(); },
                                dir.path(), hooks);
    int jobs = 0;
    QObject::connect(&withBuilder, &ConversionQueue::jobStarted, [&] { ++jobs; });
    withBuilder.StartConversion();
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(jobs, 0);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("Invalid height or width")) << dialogs.shown[0].text.toStdString();
}

TEST_F(Queue, StartRefusals)
{
    queue->StartConversion();
    addRows({"steps=1"});
    list.setChecked(0, false);
    queue->StartConversion();
    state.previewing = true;
    queue->StartConversion();
    EXPECT_EQ(dialogs.texts(), (QStringList{"Please add blu-ray movie.", "Please select one file.",
                                            *ReadLanguageInfoLine(ravenmoor::test::sourceDir() + "/data/language.info", 27)}));
    EXPECT_FALSE(state.converting);
    EXPECT_EQ(stateUpdates, 0);
}

} // namespace
