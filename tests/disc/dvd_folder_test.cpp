#include "disc/dvd_folder.h"

#include "disc/ifo_titles.h"
#include "engine/engine_state.h"
#include "engine/source_list.h"
#include "tests/disc/fake_ifo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fake_ifo;

namespace {

class FolderScan : public ::testing::Test {
protected:
    // Makes the files (empty) under the temporary folder; names ending in
    // ".IFO"/".ifo" become readable title sets of one 30-s title.
    void make(const QStringList &files)
    {
        for (const QString &file : files) {
            const QString path = root.filePath(file);
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            if (file.endsWith(".ifo", Qt::CaseInsensitive))
                ifo.sets[path].chains = {oneCell(30, 0, 5000)};
        }
    }
    QString at(const QString &relative) const { return root.filePath(relative); }
    bool scan(const QString &relative = {})
    {
        const IfoReadTarget target{list, engine, ifo, "Status", {}, {}};
        return ScanFolderForIfo(relative.isEmpty() ? root.path() : at(relative), disc, target, [this] { ++pumps; });
    }
    QStringList readRelative() const
    {
        QStringList out;
        for (const QString &path : ifo.opened)
            out << QDir(root.path()).relativeFilePath(path);
        return out;
    }

    QTemporaryDir root;
    SourceList list;
    EngineState engine;
    DiscState disc;
    FakeIfo ifo;
    int pumps = 0;
};

TEST_F(FolderScan, DiscRootReadsItsTitleSetsInNameOrder)
{
    make({"VIDEO_TS/VTS_02_0.IFO", "VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/vts_01_0.ifo", "VIDEO_TS/VTS_01_1.VOB",
          "VIDEO_TS/VTS_01_0.BUP", "AUDIO_TS/AUDIO.IFO", "extras/VTS_09_0.IFO"});
    EXPECT_TRUE(scan());
    EXPECT_EQ(readRelative(), (QStringList{"VIDEO_TS/vts_01_0.ifo", "VIDEO_TS/VTS_02_0.IFO"}));
    ASSERT_EQ(disc.TIFOAS.size(), 2);
    EXPECT_EQ(disc.TIFOAS.at(0).ifoPath, at("VIDEO_TS/vts_01_0.ifo"));
    EXPECT_EQ(list.rowCount(), 2);
    // Two rounds of events before each entry of both folders (3 in the root, 5 in VIDEO_TS).
    EXPECT_EQ(pumps, 2 * (3 + 5));
}

TEST_F(FolderScan, VideoTsFolderIsFoundInAnyLetterCase)
{
    for (const char *name : {"Video_TS", "video_ts", "VIDEO_TS"}) {
        QTemporaryDir fresh;
        ifo.opened.clear();
        const QString path = QDir(fresh.path()).filePath(QString(name) + "/VTS_01_0.IFO");
        QDir().mkpath(QFileInfo(path).path());
        QFile(path).open(QIODevice::WriteOnly);
        ifo.sets[path].chains = {oneCell(30, 0, 5000)};
        const IfoReadTarget target{list, engine, ifo, "Status", {}, {}};
        EXPECT_TRUE(ScanFolderForIfo(fresh.path(), disc, target, {})) << name;
        EXPECT_EQ(ifo.opened, QStringList{path}) << name;
    }
}

TEST_F(FolderScan, TheVideoTsFolderItselfIsReadDirectly)
{
    make({"VIDEO_TS/VTS_01_0.IFO", "VIDEO_TS/VIDEO_TS.IFO"});
    EXPECT_TRUE(scan("VIDEO_TS"));
    EXPECT_EQ(readRelative(), QStringList{"VIDEO_TS/VTS_01_0.IFO"});
}

TEST_F(FolderScan, ASuccessfulVideoTsFolderEndsTheScan)
{
    make({"a.ifo", "VIDEO_TS/VTS_01_0.IFO", "z.ifo"});
    EXPECT_TRUE(scan());
    EXPECT_EQ(readRelative(), (QStringList{"a.ifo", "VIDEO_TS/VTS_01_0.IFO"}));
}

TEST_F(FolderScan, AnEmptyVideoTsFolderLetsTheScanGoOn)
{
    make({"a.ifo", "VIDEO_TS/VIDEO_TS.IFO", "z.IFO"});
    EXPECT_TRUE(scan());
    EXPECT_EQ(readRelative(), (QStringList{"a.ifo", "z.IFO"}));
}

TEST_F(FolderScan, NothingToReadIsNotFound)
{
    make({"VIDEO_TS/VIDEO_TS.IFO", "movie.vob", "notes.ifo.txt"});
    QDir().mkpath(at("folder.ifo"));
    EXPECT_FALSE(scan());
    EXPECT_FALSE(scan("gone"));
    EXPECT_TRUE(ifo.opened.isEmpty());
    EXPECT_TRUE(disc.TIFOAS.isEmpty());
}

TEST_F(FolderScan, AnUnreadableIfoStillCountsAsRead)
{
    make({"VIDEO_TS/VTS_01_0.IFO"});
    ifo.sets.clear();
    EXPECT_TRUE(scan());
    ASSERT_EQ(disc.TIFOAS.size(), 1);
    EXPECT_EQ(disc.TIFOAS.at(0).endRow, -1);
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(FolderScan, ALinkBackUpTheTreeIsEnteredOnce)
{
    make({"VIDEO_TS/VIDEO_TS.IFO"});
    ASSERT_TRUE(QFile::link(at("VIDEO_TS"), at("VIDEO_TS/video_ts")));
    EXPECT_FALSE(scan());
}

TEST_F(FolderScan, AFolderVanishingMidScanEndsIt)
{
    make({"VIDEO_TS/VTS_01_0.IFO", "VIDEO_TS/VTS_02_0.IFO"});
    ifo.requireFiles = true;
    const IfoReadTarget target{list, engine, ifo, "Status", {}, {}};
    bool removed = false;
    const bool found = ScanFolderForIfo(at("VIDEO_TS"), disc, target, [&] {
        if (!removed)
            removed = QDir(at("VIDEO_TS")).removeRecursively();
    });
    ASSERT_TRUE(removed);
    EXPECT_TRUE(found);
    EXPECT_EQ(disc.TIFOAS.size(), 2);
    EXPECT_EQ(list.rowCount(), 0);
}

} // namespace
