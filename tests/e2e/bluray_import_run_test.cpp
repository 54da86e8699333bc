// A Blu-ray playlist imported from a disc folder and converted through the
// ordinary file run: the real profile.dat, playlist parser, register.dat and
// ffmpeg on a disc written with real transport streams.

#include "disc/bluray_import.h"
#include "engine/conversion_queue.h"
#include "engine/engine_state.h"
#include "engine/jv_encoder_runner.h"
#include "engine/language_texts.h"
#include "engine/profile_captions.h"
#include "engine/profile_catalogue.h"
#include "engine/media_probe.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/source_list_commands.h"
#include "platform/bluray/playlist_parser.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/shell/recording_shell.h"
#include "tests/support/bluray_disc_writer.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bluray_disc;
using namespace ravenmoor::test;

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

struct NoCaption : ProfileCaptionDisplay {
    void loadCategoryIcon(const QString &) override {}
    void showProfileCaption(const QString &) override {}
};

TEST(BlurayImportRun, TheLongestPlaylistConvertsAsItsFirstClip)
{
    QCoreApplication &application = coreApp();
    (void)application;
    QTemporaryDir dir;
    const QString disc = dir.filePath("FILM DISC");
    // The feature plays a 4-s clip and then a 3-s one; a 3-s playlist is too short to list.
    Playlist feature = playlist("00001.mpls", "00010", 4);
    feature.items << Item{"00011", 3};
    const QString seed = dir.filePath("seed.m2ts");
    ASSERT_TRUE(makeM2ts(seed, 4));
    ASSERT_TRUE(writeDisc(disc, {feature, playlist("00002.mpls", "00011", 3)}, seed));
    ASSERT_TRUE(makeM2ts(disc + "/BDMV/STREAM/00011.m2ts", 3));

    EngineState state;
    SettingsModel settings;
    SourceList list;
    RecordingDialogs dialogs;
    RecordingShell shell;
    LanguageTexts texts(binDir() + "/language.info", LanguageTexts::lugIni(binDir() + "/lug.ini"),
                        [&state] { return state.converting; });
    NoCaption caption;
    SourceListEstimateRows rows(list);
    ProfileCatalogue catalogue(
        state, settings, binDir(),
        [&texts](const QString &s, const QString &k, const QString &d) { return texts.Lug(s, k, d); }, caption, rows);
    catalogue.SelectProfile(4); // MP4 - MPEG-4
    settings.ed_output = dir.filePath("out");
    state.currentJob.workingFolder = binDir();
    state.sourceMode = SourceMode::DvdRows;

    MediaProbe probe;
    const std::unique_ptr<PlaylistParser> parser = MakeBlurayPlaylistParser();
    SourceListHooks estimate;
    SetEstimateHook(estimate, state, settings, list);
    BlurayImportHooks hooks;
    hooks.estimatedSize = estimate.estimatedSize;
    hooks.pumpMessages = [] { QCoreApplication::processEvents(); };
    BlurayImport import(state, list, texts, probe, *parser, binDir(), hooks);
    import.ImportBluRayDisc(disc + "/BDMV/STREAM");

    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.row(0).caption, "Title_01");
    EXPECT_EQ(list.row(0).subItems[SourceRow::OriginalTime], "00:00:07");
    EXPECT_TRUE(list.row(0).subItems[SourceRow::OutputSize].endsWith("MB"));
    EXPECT_EQ(list.originalInfo().at(0).path, disc + "/BDMV/STREAM/00010.m2ts");
    EXPECT_EQ(list.checkedRows(), QVector<int>{0});
    EXPECT_EQ(state.sourceMode, SourceMode::FileRows);
    ASSERT_EQ(import.titles().size(), 1);
    EXPECT_EQ(import.titles()[0].clipPaths.size(), 2);

    ConversionHooks run;
    SetFileJobHooks(run, state, settings, list, texts);
    ConversionQueue queue(state, list, texts, dialogs, shell, [] { return std::make_unique<JvEncoderRunner>(); },
                          binDir(), run);
    int finished = 0;
    QObject::connect(&queue, &ConversionQueue::runFinished, [&] { ++finished; });
    queue.StartConversion();
    ASSERT_TRUE(waitUntil([&] { return finished == 1; }, 120000));
    // The row promises the playlist's 7 s and gets its first clip's 4: a source cut short.
    EXPECT_EQ(list.row(0).subItems[SourceRow::Status], "Failed");
    const QString output = dir.filePath("out/Title_01.mp4");
    ASSERT_TRUE(QFile::exists(output));
    EXPECT_NEAR(durationOf(output), 4.0, 0.4) << "the output is the playlist's first clip";
}

} // namespace
