// A real DVD folder (ffmpeg + dvdauthor) opened through the DVD commands and
// the libdvdread reader, in both views.

#include "disc/dvd_titles.h"

#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/ifo/ifo_library.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

class RealDisc : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_made = ravenmoor::test::makeDvdFixture(s_dir->path());
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_made) << "tools/make_dvd_fixture.sh failed"; }

    // The last sector of a title set's title VOBs, counted from their start.
    static int32_t lastVobSector(int titleSet)
    {
        const QDir videoTs(QDir(s_dir->path()).filePath("VIDEO_TS"));
        qint64 bytes = 0;
        for (const QFileInfo &vob :
             videoTs.entryInfoList({QString("VTS_%1_[1-9].VOB").arg(titleSet, 2, 10, QLatin1Char('0'))}, QDir::Files))
            bytes += vob.size();
        return int32_t(bytes / 2048 - 1);
    }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < list.rowCount(); ++i)
            out << list.row(i).caption;
        return out;
    }

    static QTemporaryDir *s_dir;
    static bool s_made;

    DiscState disc;
    EngineState engine;
    SourceList list;
    LanguageTexts texts{ravenmoor::test::sourceDir() + "/data/language.info", {}, [this] { return engine.converting; }};
    RecordingDialogs dialogs;
    std::unique_ptr<IfoLibrary> ifo = MakeDvdReadIfoLibrary();
    ComboModel cb_audio, cb_subtitle;
    DvdTitles titles{disc, engine, list, texts, dialogs, *ifo, cb_audio, cb_subtitle, {}};
};

QTemporaryDir *RealDisc::s_dir = nullptr;
bool RealDisc::s_made = false;

TEST_F(RealDisc, TitlesAndChaptersComeFromTheDisc)
{
    dialogs.folderChoices = {s_dir->path()};
    QElapsedTimer clock;
    clock.start();
    titles.OpenDvdFolder();
    const qint64 openMs = clock.elapsed();
    EXPECT_LT(openMs, 200) << "opening the folder took " << openMs << " ms";
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Title set 1: a 24-s title; title set 2: an 8-s title. No cell lasts over
    // 8 s, so both start at their first sector; both end at their VOBs' end.
    ASSERT_EQ(captions(), (QStringList{"Title_01", "Title_02"}));
    EXPECT_EQ(list.row(0).subItems[SourceRow::OriginalTime], "00:00:24");
    EXPECT_EQ(list.row(1).subItems[SourceRow::OriginalTime], "00:00:08");
    const TConvertInfo first = list.convertInfo().at(0);
    const TConvertInfo second = list.convertInfo().at(1);
    EXPECT_EQ(first.startSector, 0);
    EXPECT_EQ(first.endSector, lastVobSector(1));
    EXPECT_EQ(second.endSector, lastVobSector(2));
    EXPECT_TRUE(first.ifoPath.endsWith("VIDEO_TS/VTS_01_0.IFO"));
    EXPECT_TRUE(second.ifoPath.endsWith("VIDEO_TS/VTS_02_0.IFO"));
    EXPECT_EQ(first.audioId, "0x80");
    EXPECT_EQ(list.originalInfo().at(0).frameSize, "720x576");
    EXPECT_EQ(list.checkedRows(), (QVector<int>{0, 1}));

    // The longest title is chosen and its streams fill the lists.
    EXPECT_EQ(list.selectedRows(), QVector<int>{0});
    EXPECT_EQ(cb_audio.Count(), 2);
    ASSERT_EQ(cb_subtitle.Count(), 2);
    EXPECT_EQ(cb_subtitle.Item(0), "No Subtitle");
    titles.cb_audioChange(1);
    titles.cb_subtitleChange(1);
    EXPECT_EQ(list.convertInfo().at(0).audioId, "0x81");
    EXPECT_EQ(list.convertInfo().at(0).subtitleId, "0x20");

    titles.ToggleTitleChapterView();
    ASSERT_EQ(captions(), (QStringList{"Title_01", "  Chapter_01", "  Chapter_02", "  Chapter_03", "  Chapter_04",
                                       "Title_06", "  Chapter_01"}));
    // The chapters tile their title: sectors follow on, each starts where the
    // cells before it end.
    int32_t nextSector = 0;
    int32_t nextSecond = 0;
    for (int row = 1; row <= 4; ++row) {
        const TConvertInfo chapter = list.convertInfo().at(row);
        EXPECT_EQ(chapter.startSector, nextSector) << row;
        EXPECT_EQ(chapter.startSeconds, nextSecond) << row;
        EXPECT_NEAR(double(chapter.length), 6.0, 1.0) << row;
        nextSector = chapter.endSector + 1;
        nextSecond = chapter.endSeconds;
    }
    EXPECT_EQ(nextSector - 1, list.convertInfo().at(0).endSector);
    EXPECT_EQ(list.convertInfo().at(0).audioId, "0x80");
    EXPECT_EQ(list.selectedRows(), QVector<int>{0});
}

} // namespace
