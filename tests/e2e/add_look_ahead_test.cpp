// Adding files with the next ones probed ahead, through the real register.dat:
// the rows are the same as when each file is probed in turn, a file that goes
// away before its turn stops nothing, and no probe is left running.

#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/runner_source_probe.h"
#include "engine/source_list.h"
#include "engine/source_list_commands.h"
#include "platform/dialogs/recording_dialogs.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace ravenmoor::test;

namespace {

// Everything the add command leaves of a row, as one text per row.
QStringList rowsOf(const SourceList &list)
{
    QStringList rows;
    for (int i = 0; i < list.rowCount(); ++i) {
        const SourceRow &r = list.row(i);
        const Toriginalinfo &o = list.originalInfo()[i];
        const ClipRange &c = list.clipRanges()[i];
        rows << QStringList{r.caption, r.subItems[0], r.subItems[1], r.subItems[2], r.subItems[3],
                            r.checked ? "checked" : "unchecked", o.path, o.frameSize, o.duration, o.spare,
                            o.videoBitrate, o.audioBitrate, o.videoCodec, o.audioCodec, o.sampleRate,
                            o.channels, o.frameRate, QString::number(c.clipBegin), QString::number(c.clipEnd)}
                    .join(" | ");
    }
    return rows;
}

class AddLookAhead : public testing::Test {
protected:
    AddLookAhead()
        : texts(binDir() + "/language.info", {}, [this] { return state.converting; }),
          commands(list, state, texts, dialogs, probe, binDir(),
                   {nullptr, nullptr, nullptr,
                    [this] {
                        if (onPump)
                            onPump();
                    },
                    // Names the facts the estimate reads, so a row given another file's facts shows.
                    [this](int32_t seconds) {
                        return list.originalInfo().value(state.currentEstimateRow).frameSize + "/" +
                               QString::number(seconds);
                    }})
    {
        coreApp();
    }

    QStringList addFolder(const QString &folder, int lookAhead)
    {
        commands.setProbeLookAhead(lookAhead);
        dialogs.folderChoices = {folder};
        commands.AddSourceFolder();
        return rowsOf(list);
    }

    EngineState state;
    SourceList list;
    RecordingDialogs dialogs;
    RunnerSourceProbe probe;
    LanguageTexts texts;
    std::function<void()> onPump;
    SourceListCommands commands;
};

TEST_F(AddLookAhead, RowsAreTheSameAsWithOneProbeAtATime)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    // Lengths, sizes and codecs differ from file to file, so that facts given
    // to the wrong row would show.
    ASSERT_TRUE(makeClip(folder.filePath("a short.mp4"), 1, {"-c:v", "mpeg4", "-c:a", "aac"}));
    ASSERT_TRUE(makeClip(folder.filePath("b large.mkv"), 3, {"-c:v", "mpeg4", "-c:a", "mp2"},
                         "testsrc=size=640x480:rate=30"));
    ASSERT_TRUE(makeClip(folder.filePath("c.avi"), 2, {"-c:v", "mpeg4", "-c:a", "libmp3lame"},
                         "testsrc=size=176x144:rate=15", "sine=frequency=440:sample_rate=22050"));
    ASSERT_TRUE(makeClip(folder.filePath("d silent.mov"), 4, {"-c:v", "mpeg4"}, "testsrc=size=352x288:rate=25", ""));
    ASSERT_TRUE(makeClip(folder.filePath("Ünïcödé clip ñ.ts"), 5, {"-c:v", "mpeg2video", "-c:a", "mp2"}));
    ASSERT_TRUE(makeClip(folder.filePath("f mono.flv"), 2, {"-c:v", "flv", "-c:a", "mp3", "-ac", "1"},
                         "testsrc=size=320x240:rate=25", "sine=frequency=440:sample_rate=44100"));
    writeBytes(folder.filePath("g text.avi"), "not a video at all\n");
    writeBytes(folder.filePath("h empty.mp4"), "");
    writeBytes(folder.filePath("notes.txt"), "not taken\n");

    const QStringList oneAtATime = addFolder(dir.path(), 1);
    const QStringList ahead = addFolder(dir.path(), 0);
    ASSERT_EQ(oneAtATime.size(), 6) << oneAtATime.join("\n").toStdString();
    EXPECT_EQ(ahead, oneAtATime);
    EXPECT_TRUE(oneAtATime[3].startsWith("d silent | 00:00:04")) << oneAtATime[3].toStdString();
    EXPECT_TRUE(oneAtATime[5].startsWith("Ünïcödé clip ñ | 00:00:05")) << oneAtATime[5].toStdString();
    EXPECT_EQ(processesNaming(dir.path()), 0);
}

TEST_F(AddLookAhead, AFileGoneBeforeItsTurnStopsNothing)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    ASSERT_TRUE(makeClip(folder.filePath("seed.mp4"), 1, {"-c:v", "mpeg4", "-c:a", "aac"}));
    for (const char *name : {"1.mp4", "2.mp4", "3.mp4", "4.mp4", "5.mp4"})
        ASSERT_TRUE(QFile::copy(folder.filePath("seed.mp4"), folder.filePath(name)));
    ASSERT_TRUE(QFile::remove(folder.filePath("seed.mp4")));
    // Once the walk has begun, the third file's probe runs or has ended already.
    onPump = [&] { QFile::remove(folder.filePath("3.mp4")); };
    const QStringList rows = addFolder(dir.path(), 4);
    QStringList captions;
    for (int i = 0; i < list.rowCount(); ++i)
        captions << list.row(i).caption;
    EXPECT_EQ(captions, (QStringList{"1", "2", "4", "5"})) << rows.join("\n").toStdString();
    EXPECT_EQ(processesNaming(dir.path()), 0);
}

// A probe that cannot be started gives its error at its own turn; the probes
// after it keep their results, and a cancel ends those still running.
TEST_F(AddLookAhead, ProbeResultsComeInStartOrder)
{
    QTemporaryDir dir;
    const QString clip = dir.filePath("clip.mp4");
    ASSERT_TRUE(makeClip(clip, 2, {"-c:v", "mpeg4", "-c:a", "aac"}));
    RunnerSourceProbe pool;
    pool.start(dir.filePath("missing/register.dat") + " -mardozb " + clip, binDir());
    pool.start(binDir() + "/register.dat -mardozb " + clip, binDir());
    pool.start(binDir() + "/register.dat -mardozb " + dir.filePath("none.mp4"), binDir());
    for (int i = 0; i < 3; ++i)
        pool.start(binDir() + "/register.dat -mardozb " + clip, binDir());
    EXPECT_THROW(pool.takeNext(), std::runtime_error);
    const std::optional<ProbeValues> first = pool.takeNext();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->duration, "00:00:02");
    const std::optional<ProbeValues> second = pool.takeNext();
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->duration.isEmpty());
    pool.cancel();
    EXPECT_FALSE(pool.takeNext());
    EXPECT_TRUE(waitUntil([&] { return processesNaming(clip) == 0; }, 5000));
}

} // namespace
