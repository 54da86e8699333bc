// Adding a folder that holds every kind of trouble: only the media files
// become rows, in name order, and nothing hangs.

#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/runner_source_probe.h"
#include "engine/source_list.h"
#include "engine/source_list_commands.h"
#include "platform/dialogs/recording_dialogs.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ravenmoor::test;

namespace {

TEST(BadInputFolder, OnlyMediaFilesBecomeRowsAndNothingHangs)
{
    coreApp();
    QTemporaryDir dir;
    const QString folder = dir.filePath("incoming");
    QDir().mkdir(folder);
    const QString seed = dir.filePath("seed.mkv");
    ASSERT_TRUE(makeClip(seed, 1, {"-c:v", "mpeg4", "-c:a", "mp2"}));

    // The media files, with names a shell or a command line could trip over.
    const QStringList media = {"a clip with blanks.avi", "it's \"quoted\".mkv", "Ünïcödé 日本.mp4", "-leading dash.mov",
                               "plain.ts"};
    for (const QString &name : media)
        ASSERT_TRUE(QFile::copy(seed, QDir(folder).filePath(name)));

    // Garbage under media extensions: empty, a few bytes, a truncated clip.
    QFile seedFile(seed);
    seedFile.open(QIODevice::ReadOnly);
    const QByteArray clipBytes = seedFile.readAll();
    const QStringList mediaExt = {".avi", ".mpg", ".mp4", ".mkv", ".flv", ".wmv", ".mov", ".ts", ".3gp", ".vob"};
    int made = int(media.size());
    auto *random = QRandomGenerator::global();
    for (int i = 0; i < 80; ++i, ++made) {
        QByteArray bytes;
        if (i % 4 == 1)
            for (int k = 0; k < 200; ++k)
                bytes.append(char(random->bounded(256)));
        else if (i % 4 == 2)
            bytes = "not a video at all\n";
        else if (i % 4 == 3)
            bytes = clipBytes.mid(clipBytes.size() / 2, 300); // no header: a piece from the middle
        writeBytes(QDir(folder).filePath(QString("junk %1 ’%2").arg(i).arg(mediaExt[i % mediaExt.size()])), bytes);
    }
    // Files the folder command never takes: other extensions or none.
    const QStringList otherExt = {".txt", ".jpg", ".srt", ".nfo", "", ".avi.part", ".mkv~", ".AVI.bak"};
    for (int i = 0; made < 497; ++i, ++made)
        writeBytes(QDir(folder).filePath(QString("other \"%1\"%2").arg(i).arg(otherExt[i % otherExt.size()])), "x");
    // And things that are not files at all.
    ASSERT_EQ(mkfifo(QFile::encodeName(QDir(folder).filePath("pipe.avi")).constData(), 0600), 0);
    QDir(folder).mkdir("folder.mkv");
    QFile::link(dir.filePath("gone.mp4"), QDir(folder).filePath("dead link.mp4"));
    writeBytes(QDir(folder).filePath("locked.mkv"), "locked");
    QFile::setPermissions(QDir(folder).filePath("locked.mkv"), QFileDevice::Permissions());
    ASSERT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(), 501);

    EngineState state;
    SourceList list;
    RecordingDialogs dialogs;
    dialogs.folderChoices = {folder};
    const LanguageTexts texts(binDir() + "/language.info", {}, [&] { return state.converting; });
    RunnerSourceProbe probe;
    SourceListCommands commands(list, state, texts, dialogs, probe, binDir(), {});

    QElapsedTimer timer;
    timer.start();
    commands.AddSourceFolder();
    const qint64 ms = timer.elapsed();

    QStringList captions;
    for (int i = 0; i < list.rowCount(); ++i)
        captions << list.row(i).caption;
    EXPECT_EQ(captions, (QStringList{"-leading dash", "a clip with blanks", "it's \"quoted\"", "plain", "Ünïcödé 日本"}));
    for (int i = 0; i < list.rowCount(); ++i) {
        EXPECT_EQ(list.row(i).subItems[SourceRow::OriginalTime], "00:00:01");
        EXPECT_TRUE(QFile::exists(list.originalInfo()[i].path));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_LT(ms, 60000) << "adding took " << ms << " ms";
    std::printf("added %d rows from 501 entries in %lld ms\n", int(list.rowCount()), static_cast<long long>(ms));
}

} // namespace
