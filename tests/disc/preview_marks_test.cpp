// Cut marks and snapshots of the previewed row, over recording players: the
// marks' seconds and sectors, their order, the snapshot's names, its encoder
// job in slot 0 of the real conversion queue, and the DVD player's picture.

#include "disc/cut_marks.h"
#include "disc/preview_control.h"
#include "disc/snapshot.h"
#include "engine/clip_part.h"

#include "engine/conversion_queue.h"
#include "engine/engine_state.h"
#include "engine/job_builder.h"
#include "engine/language_texts.h"
#include "engine/quote_if_spaced.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "engine/vts_address.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/shell/recording_shell.h"
#include "tests/disc/fake_players.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <thread>
#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using namespace fake_players;
using ravenmoor::test::waitUntil;

QCoreApplication &App()
{
    static int argc = 1;
    static char name[] = "preview_marks_test";
    static char *argv[] = {name, nullptr};
    static auto *app = new QCoreApplication(argc, argv);
    return *app;
}

// Records the command line; at its end writes the last word (the output) as the encoder would.
class RecordingRunner : public EncoderSlotRunner {
public:
    explicit RecordingRunner(QStringList &lines) : m_lines(lines) {}
    void start(const QString &commandLine, const QString &) override
    {
        m_lines << commandLine;
        const QString output = commandLine.section(' ', -1);
        QMetaObject::invokeMethod(
            this,
            [this, output] {
                QFile f(output);
                if (f.open(QIODevice::WriteOnly))
                    f.write("BM");
                f.close();
                emit ended(0);
            },
            Qt::QueuedConnection);
    }
    void terminate() override {}

private:
    QStringList &m_lines;
};

TEST(SnapshotName, FollowsTheCaptionAndNeverTakesANameTwice)
{
    struct Case {
        const char *caption;
        QStringList taken;
        const char *name;
    };
    const Case cases[] = {
        {"Title_01", {}, "/out/Title_01.bmp"},
        {"Title_01", {"/out/Title_01.bmp"}, "/out/Title_01_1.bmp"},
        {"  Chapter_02", {}, "/out/Chapter_02.bmp"},
        {"  Chapter_02", {"/out/Chapter_02.bmp"}, "/out/  Chapter_02_1.bmp"},
        {"clip", {"/out/clip.bmp"}, "/out/clip_1.bmp"},
        {"my.movie", {}, "/out/my.bmp"},
        {"my.movie", {"/out/my.bmp", "/out/my.movie_1.bmp", "/out/my.movie_2.bmp"}, "/out/my.movie_3.bmp"},
    };
    for (const Case &c : cases) {
        const QSet<QString> taken(c.taken.begin(), c.taken.end());
        EXPECT_EQ(SnapshotFileName("/out/", c.caption, [&](const QString &p) { return taken.contains(p); }), c.name)
            << c.caption;
    }
}

TEST(CutOrder, MarksAreTakenAsTheyComeAndAPartWithoutLengthIsUnusable)
{
    const ClipRange clip{100, 900, 10, 50, 1};
    EXPECT_EQ(MarkedClip(clip, CutMark::Begin, 20, std::nullopt).clipBegin, 20);
    EXPECT_EQ(MarkedClip(clip, CutMark::Begin, 60, std::nullopt).clipBegin, 60) << "a begin after the end";
    EXPECT_EQ(MarkedClip(clip, CutMark::End, 5, std::nullopt).clipEnd, 5) << "an end before the begin";
    const ClipRange dvd = MarkedClip(clip, CutMark::End, 40, 700);
    EXPECT_EQ(dvd.endSector, 700);
    EXPECT_EQ(dvd.startSector, 100);
    EXPECT_EQ(MarkedClip(clip, CutMark::Begin, 20, 950).startSector, 950) << "a begin sector past the end sector";

    struct Case {
        ClipRange clip;
        bool usable;
    };
    const Case cases[] = {
        {{0, 0, 10, 50, 0}, true}, {{0, 0, 50, 10, 0}, false}, {{0, 0, 30, 30, 0}, false}, {{0, 0, 0, 0, 0}, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClipPartUsable(c.clip), c.usable) << c.clip.clipBegin << "-" << c.clip.clipEnd;
}

class Marks : public testing::Test {
protected:
    Marks()
        : texts(ravenmoor::test::sourceDir() + "/data/language.info",
                [](const QString &, const QString &, const QString &def) { return def; },
                [this] { return engine.converting; })
    {
        App();
        auto dvd = std::make_unique<FakeDvdPlayer>();
        dvdPlayer = dvd.get();
        PreviewHooks hooks;
        hooks.playTimeText = [this] { return playTime; };
        preview = std::make_unique<PreviewControl>(disc, engine, list, texts, dialogs,
                                                   std::make_unique<FakeFilePlayer>(), std::move(dvd), hooks);
        settings.ed_output = out.filePath("snapshots");
        settings.cb_size.SetItems({"320x240"});
        settings.cb_size.SetItemIndex(0);
        engine.currentProfile = 1;
        engine.profileCaption = "MPEG-4(*.mp4)";
        engine.profileOptionString = " -vcodec mpeg4 ";
        engine.videoRateSlots = {"900", "700", "500", "300", "200"};
    }

    void addRow(const QString &caption, const QString &duration)
    {
        SourceRow row;
        row.caption = caption;
        row.subItems[SourceRow::OriginalTime] = duration;
        list.appendRow(row);
        list.sizeArraysToRows(true);
        list.originalInfo().last().path = "/media/" + caption;
        list.originalInfo().last().duration = duration;
        list.originalInfo().last().videoCodec = "h264";
        list.clipRanges().last().clipEnd = HmsToSeconds(duration);
    }
    CutMarkTarget cutTarget()
    {
        return {list, disc, engine, *preview,
                [this](const QString &object, const QString &text) { skinTexts[object] = text; }};
    }
    SnapshotTarget snapshotTarget(ConversionQueue *queue)
    {
        return {list, disc, engine, settings, texts, dialogs, *preview,
                [queue](int slot, int job, const intputrec &j) { queue->StartSlotJob(slot, job, j); }};
    }

    QTemporaryDir out;
    DiscState disc;
    EngineState engine;
    SettingsModel settings;
    SourceList list;
    LanguageTexts texts;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FakeDvdPlayer *dvdPlayer = nullptr;
    std::unique_ptr<PreviewControl> preview;
    QString playTime = "00:00:00";
    QHash<QString, QString> skinTexts;
};

TEST_F(Marks, FileMarksSetTheClipOfThePreviewedRowAndItsConversionTime)
{
    addRow("a.mp4", "00:05:00");
    addRow("b.mp4", "00:05:00");
    engine.sourceMode = SourceMode::FileRows;
    disc.PreviewRow = 1;
    list.selectOnly(0);

    playTime = "00:01:00";
    SetCutBegin(cutTarget());
    playTime = "00:02:30";
    SetCutEnd(cutTarget());
    EXPECT_EQ(list.clipRanges()[1].clipBegin, 60);
    EXPECT_EQ(list.clipRanges()[1].clipEnd, 150);
    EXPECT_EQ(list.row(1).subItems[SourceRow::ConversionTime], "00:01:30");
    EXPECT_EQ(skinTexts["begin_time"], "00:01:00");
    EXPECT_EQ(skinTexts["End_time"], "00:02:30");
    EXPECT_EQ(list.clipRanges()[0].clipEnd, 300) << "the selected row is not the previewed one";

    // An end before the begin is taken as it comes; its part shows no length.
    playTime = "00:00:10";
    SetCutEnd(cutTarget());
    EXPECT_EQ(list.clipRanges()[1].clipEnd, 10);
    EXPECT_EQ(skinTexts["End_time"], "00:00:10");
    EXPECT_EQ(list.row(1).subItems[SourceRow::ConversionTime], "00:00:00");
    EXPECT_TRUE(dialogs.shown.isEmpty());
    playTime = "00:02:30";
    SetCutEnd(cutTarget());
    EXPECT_EQ(list.row(1).subItems[SourceRow::ConversionTime], "00:01:30");

    // Without a selection nothing is marked.
    list.selectOnly(-1);
    playTime = "00:00:20";
    SetCutBegin(cutTarget());
    EXPECT_EQ(list.clipRanges()[1].clipBegin, 60);
}

TEST_F(Marks, DvdMarksTakeThePlayersSectorAndCountFromTheTitlesStart)
{
    addRow("Title_01", "00:00:24");
    addRow("  Chapter_02", "00:00:06");
    list.convertInfo()[1].startSeconds = 6;
    list.clipRanges()[1] = {4000, 7999, 6, 12, 0};
    engine.sourceMode = SourceMode::DvdRows;
    disc.PreviewRow = 1;
    list.selectOnly(1);
    dvdPlayer->InitPreviewWindow({});
    preview->dvdPlayer().Stop();

    // No sector while the player does not play: no mark.
    playTime = "00:00:02";
    SetCutBegin(cutTarget());
    EXPECT_EQ(list.clipRanges()[1].startSector, 4000);

    dvdPlayer->InitPreviewWindow({});
    std::thread play([this] { dvdPlayer->Play("vts://"); });
    ASSERT_TRUE(waitUntil([&] { return dvdPlayer->loop.playing(); }, 2000));
    dvdPlayer->sector = 5300;
    SetCutBegin(cutTarget());
    dvdPlayer->sector = 7100;
    playTime = "00:00:05";
    SetCutEnd(cutTarget());
    dvdPlayer->Stop();
    play.join();

    const ClipRange clip = list.clipRanges()[1];
    EXPECT_EQ(clip.startSector, 5300);
    EXPECT_EQ(clip.endSector, 7100);
    EXPECT_EQ(clip.clipBegin, 8) << "second 2 of a chapter that starts at second 6";
    EXPECT_EQ(clip.clipEnd, 11);
    EXPECT_EQ(list.row(1).subItems[SourceRow::ConversionTime], "00:00:03");
    EXPECT_EQ(skinTexts["begin_time"], "00:00:02");
    EXPECT_EQ(skinTexts["End_time"], "00:00:05");

    // The rip of the row takes the marked sectors; the marked length divides its progress.
    list.convertInfo()[1].ifoPath = "/discs/A/VIDEO_TS/VTS_01_0.IFO";
    const QString address = VtsAddress(list.convertInfo()[1], clip);
    EXPECT_TRUE(address.startsWith("vts://01*5300*7100*")) << address.toStdString();
    BuildDvdJob(engine, settings, list.row(1).caption, list.originalInfo()[1], list.convertInfo()[1], address);
    EXPECT_EQ(engine.currentJob.durationPiece, "");
    EXPECT_EQ(engine.currentClipSeconds, 3) << "the progress divisor";
    EXPECT_EQ(list.convertInfo()[1].startSeconds, 6) << "the row still starts where it did";
}

TEST_F(Marks, AFileSnapshotIsOnePictureJobInSlotZeroForThePreviewedRow)
{
    for (const char *name : {"first.mp4", "second.mp4", "clip.mp4"})
        addRow(name, "00:00:10");
    engine.sourceMode = SourceMode::FileRows;
    QStringList lines;
    ConversionHooks hooks;
    SetFileJobHooks(hooks, engine, settings, list, texts);
    ConversionQueue queue(engine, list, texts, dialogs, shell, [&lines] { return std::make_unique<RecordingRunner>(lines); },
                          out.path(), hooks);
    // What an earlier run left: its job indexes name other rows.
    engine.countConvert = {2, {0, 1}};

    disc.PreviewRow = 2;
    list.setStatus(2, "Play");
    playTime = "00:00:07";
    TakeSnapshot(snapshotTarget(&queue));
    ASSERT_EQ(lines.size(), 1);
    const QString shot = out.filePath("snapshots/clip.bmp");
    EXPECT_EQ(lines[0], QuoteIfSpaced(out.filePath("register.dat")) + " -y  -ss 00:00:07 -mardozb /media/clip.mp4 -t 0.01 -s 320x240  -f image2  -sn  " + shot);
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(shot); }, 2000));
    EXPECT_EQ(list.row(2).subItems[SourceRow::Status], "Play") << "the previewed row plays on";
    EXPECT_TRUE(list.row(0).subItems[SourceRow::Status].isEmpty());
    EXPECT_TRUE(list.row(1).subItems[SourceRow::Status].isEmpty());

    // The second picture of the same moment takes the next free name.
    TakeSnapshot(snapshotTarget(&queue));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith(" " + out.filePath("snapshots/clip.mp4_1.bmp"))) << lines[1].toStdString();

    // A conversion afterwards is built from the profile again.
    list.clipRanges()[1].clipBegin = 3;
    list.setChecked(0, false);
    list.setChecked(2, false);
    settings.ed_output = out.path();
    lines.clear();
    queue.StartConversion();
    ASSERT_EQ(lines.size(), 1) << dialogs.texts().join("\n").toStdString();
    EXPECT_TRUE(lines[0].contains(" -vcodec mpeg4 ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(" -ss 00:00:03 ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(" -t 00:00:07")) << lines[0].toStdString();
    EXPECT_FALSE(lines[0].contains("image2"));
    EXPECT_FALSE(lines[0].contains("0.01"));
    EXPECT_FALSE(lines[0].contains("00:00:07 -mardozb"));
    ASSERT_TRUE(waitUntil([&] { return !engine.converting; }, 2000));
}

TEST_F(Marks, ADvdSnapshotIsTheDvdPlayersPicture)
{
    addRow("Title_01", "00:00:24");
    engine.sourceMode = SourceMode::DvdRows;
    disc.PreviewRow = 0;
    QDir().mkpath(settings.ed_output);
    QFile taken(settings.ed_output + "/Title_01.bmp");
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();
    TakeSnapshot(snapshotTarget(nullptr));
    EXPECT_EQ(dvdPlayer->log.take(), QStringList{"CatchPicture " + settings.ed_output + "/Title_01_1.bmp"});
    EXPECT_TRUE(dialogs.shown.isEmpty());

    dvdPlayer->pictureWritten = false;
    TakeSnapshot(snapshotTarget(nullptr));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(settings.ed_output + "/Title_01_1.bmp"));
    EXPECT_FALSE(list.row(0).note.isEmpty()) << "the row tells why, as its other failures do";
    dvdPlayer->log.take();

    disc.PreviewRow = -1;
    TakeSnapshot(snapshotTarget(nullptr));
    EXPECT_TRUE(dvdPlayer->log.take().isEmpty());
}

} // namespace
