#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/source_list_commands.h"
#include "platform/dialogs/recording_dialogs.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Answers each probe from a table by file name when it is taken, in the order
// the probes were started; unknown files report nothing, a file named in
// `unstartable` has a probe that could not be started.
struct TableProbe : SourceProbe {
    QHash<QString, ProbeValues> facts;
    QStringList unstartable;
    QStringList commandLines; // every probe started
    qsizetype taken = 0;
    qsizetype mostAhead = 0;  // most probes started and not yet taken
    qsizetype cancelled = 0;  // probes ended before they were taken

    void start(const QString &commandLine, const QString &) override
    {
        commandLines << commandLine;
        mostAhead = std::max(mostAhead, commandLines.size() - taken);
    }
    std::optional<ProbeValues> takeNext() override
    {
        if (taken == commandLines.size())
            return std::nullopt;
        const QString line = commandLines[taken++];
        for (const QString &name : unstartable)
            if (line.contains(name))
                throw std::runtime_error("cannot start the probe");
        for (auto it = facts.cbegin(); it != facts.cend(); ++it)
            if (line.endsWith(it.key()) || line.endsWith(it.key() + "\""))
                return it.value();
        return ProbeValues{};
    }
    void cancel() override
    {
        cancelled += commandLines.size() - taken;
        taken = commandLines.size();
    }
    void restart()
    {
        commandLines.clear();
        taken = mostAhead = cancelled = 0;
    }
};

ProbeValues clipFacts(const QString &duration = "00:01:30")
{
    ProbeValues f;
    f.duration = duration;
    f.videoBitrate = "600";
    f.audioBitrate = "128";
    f.frameSize = "640x480";
    f.videoCodec = "h264";
    f.audioCodec = "aac";
    f.sampleRate = " 44100 Hz";
    f.channels = " stereo";
    f.frameRate = " 25 tbr";
    return f;
}

class SourceCommands : public ::testing::Test {
protected:
    SourceCommands()
        : texts(ravenmoor::test::sourceDir() + "/data/language.info", {}, [this] { return state.converting; }),
          commands(list, state, texts, dialogs, probe, "/prog",
                   {nullptr, [this] { ++clicks; }, [this] { ++stateUpdates; },
                    [this] {
                        if (onPump)
                            onPump();
                    },
                    [this](int32_t seconds) {
                        return QString::number(state.currentEstimateRow) + ":" + QString::number(seconds);
                    }})
    {
    }
    // The path of a file of the test's media folder, made when missing.
    QString v(const QString &name) const
    {
        const QString path = media.filePath(name);
        QFile(path).open(QIODevice::Append);
        return path;
    }
    QString line(int n) const { return *ReadLanguageInfoLine(ravenmoor::test::sourceDir() + "/data/language.info", n); }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < list.rowCount(); ++i)
            out << list.row(i).caption;
        return out;
    }

    QTemporaryDir media;
    EngineState state;
    SourceList list;
    RecordingDialogs dialogs;
    TableProbe probe;
    LanguageTexts texts;
    int clicks = 0;
    int stateUpdates = 0;
    std::function<void()> onPump;
    SourceListCommands commands;
};

TEST_F(SourceCommands, AddedFileBecomesACheckedRowWithItsRecords)
{
    probe.facts[v("my clip.avi")] = clipFacts();
    commands.AddSourceFile(v("my clip.avi"));

    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(probe.commandLines, QStringList{"/prog/register.dat -mardozb \"" + v("my clip.avi") + "\""});
    const SourceRow &row = list.row(0);
    EXPECT_EQ(row.caption, "my clip");
    EXPECT_TRUE(row.checked);
    EXPECT_EQ(row.subItems, (std::array<QString, 4>{"00:01:30", "00:01:30", "0:90", "Status"}));
    const Toriginalinfo &info = list.originalInfo().at(0);
    EXPECT_EQ(info.path, v("my clip.avi"));
    EXPECT_EQ(info.frameSize, "640x480");
    EXPECT_EQ(info.videoBitrate, "600");
    EXPECT_EQ(info.sampleRate, " 44100 Hz");
    EXPECT_EQ(info.channels, " stereo");
    EXPECT_EQ(info.frameRate, " 25 tbr");
    EXPECT_EQ(list.clipRanges().at(0).clipBegin, 0);
    EXPECT_EQ(list.clipRanges().at(0).clipEnd, 90);
    EXPECT_EQ(state.currentJob.probeProgram, "/prog/register.dat");
    EXPECT_EQ(state.sourceMode, SourceMode::FileRows);
}

TEST(FillBitrates, MissingRatesComeFromTheTotal)
{
    const struct {
        const char *v, *a, *t, *wantV, *wantA;
    } cases[] = {
        {"", "", "", "768", "128"},    {"", "", "1000", "1000", "128"}, {"", "128", "1000", "872", "128"},
        {"500", "", "1000", "500", "500"}, {"500", "0", "", "500", "128"}, {"", "", "abc", "768", "128"},
        {"", "x", "1000", "768", "128"}, {"2.5", "96", "", "768", "96"},
    };
    for (const auto &c : cases) {
        const RowBitrates r = FillBitrates(c.v, c.a, c.t);
        EXPECT_EQ(r.video, c.wantV) << c.v << "/" << c.a << "/" << c.t;
        EXPECT_EQ(r.audio, c.wantA) << c.v << "/" << c.a << "/" << c.t;
    }
}

TEST_F(SourceCommands, FilesWithoutADurationAreSkippedInDialogOrder)
{
    probe.facts[v("a.avi")] = clipFacts();
    probe.facts[v("b.avi")] = clipFacts("N/A");
    probe.facts[v("c.mkv")] = clipFacts("00:00:05");
    dialogs.fileChoices = {{v("c.mkv"), v("b.avi"), v("nothing.mp4"), v("a.avi")}};
    commands.AddFilesDialog();
    EXPECT_EQ(captions(), (QStringList{"c", "a"}));
    EXPECT_EQ(list.originalInfo().at(1).path, v("a.avi"));
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(stateUpdates, 1);
    ASSERT_EQ(dialogs.fileFilters.size(), 1);
    EXPECT_EQ(dialogs.fileFilters[0].size(), 35);
    EXPECT_EQ(dialogs.fileFilters[0].back().patterns, QStringList{"*.*"});
    EXPECT_EQ(dialogs.fileFilters[0].front().patterns.size(), 36);
}

TEST_F(SourceCommands, FilesReplaceDvdRowsButACancelKeepsThem)
{
    probe.facts[v("a.avi")] = clipFacts();
    state.sourceMode = SourceMode::DvdRows;
    list.appendRow({"Title 1", {}, true, false});
    commands.AddFilesDialog(); // cancelled
    EXPECT_EQ(captions(), QStringList{"Title 1"});
    EXPECT_EQ(state.sourceMode, SourceMode::DvdRows);
    dialogs.fileChoices = {{v("a.avi")}};
    commands.AddFilesDialog();
    EXPECT_EQ(captions(), QStringList{"a"});
    EXPECT_EQ(state.sourceMode, SourceMode::FileRows);
}

TEST_F(SourceCommands, AddCommandsAreRefusedWhileConverting)
{
    state.converting = true;
    dialogs.fileChoices = {{v("a.avi")}};
    commands.AddFilesDialog();
    commands.AddSourceFolder();
    EXPECT_EQ(dialogs.texts(), (QStringList{line(26), line(26)}));
    EXPECT_EQ(dialogs.shown.front().kind, MessageKind::Warning);
    EXPECT_TRUE(probe.commandLines.isEmpty());
    EXPECT_TRUE(dialogs.folderCaptions.isEmpty());
}

TEST_F(SourceCommands, FolderIsTakenByExtensionInNameOrder)
{
    QTemporaryDir dir;
    for (const char *name : {"c.mkv", "b.txt", "a.AVI", "d.mp4.part", "noext", "E.mov"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("sub.avi");
    for (const char *name : {"a.AVI", "c.mkv", "E.mov"})
        probe.facts[dir.filePath(name)] = clipFacts();
    list.appendRow({"old", {}, true, false});
    dialogs.folderChoices = {dir.path()};

    commands.AddSourceFolder();
    EXPECT_EQ(dialogs.folderCaptions, QStringList{"File Directory"});
    EXPECT_EQ(captions(), (QStringList{"a", "c", "E"}));
    EXPECT_EQ(probe.commandLines.size(), 3);
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(stateUpdates, 1);
}

TEST_F(SourceCommands, FolderWithoutMediaLeavesAnEmptyVisibleList)
{
    QTemporaryDir dir;
    QFile(dir.filePath("notes.txt")).open(QIODevice::WriteOnly);
    state.sourceMode = SourceMode::DvdRows;
    list.appendRow({"old", {}, true, false});
    dialogs.folderChoices = {dir.path()};
    commands.AddSourceFolder();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(state.sourceMode, SourceMode::DvdRows);
    EXPECT_EQ(stateUpdates, 1); // the emptied list is followed by the states

    list.appendRow({"kept", {}, true, false});
    commands.AddSourceFolder(); // nothing chosen
    EXPECT_EQ(captions(), QStringList{"kept"});
    EXPECT_EQ(stateUpdates, 1);
}

TEST_F(SourceCommands, RemovingRowsMovesTheirRecordsAlong)
{
    for (int i = 0; i < 5; ++i) {
        list.appendRow({"r" + QString::number(i), {}, true, i == 1 || i == 3});
        list.sizeArraysToRows();
        list.originalInfo()[i].path = "/v/" + QString::number(i);
        list.clipRanges()[i].clipEnd = 100 + i;
    }
    commands.RemoveSelectedSources();
    EXPECT_EQ(captions(), (QStringList{"r0", "r2", "r4"}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.originalInfo()[i].path, "/v/" + QString::number(2 * i));
        EXPECT_EQ(list.clipRanges()[i].clipEnd, 100 + 2 * i);
    }
    EXPECT_EQ(list.originalInfo().size(), 5); // arrays are never shortened
    EXPECT_EQ(list.selectedRows(), QVector<int>{2});
    EXPECT_EQ(stateUpdates, 1);
}

TEST_F(SourceCommands, RemovingEveryRowHidesTheList)
{
    list.setVisible(true);
    for (int i = 0; i < 3; ++i)
        list.appendRow({"r", {}, true, true});
    list.sizeArraysToRows();
    commands.RemoveSelectedSources();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(list.isVisible());
}

TEST_F(SourceCommands, ClearAsksFirstAndNoKeepsTheRows)
{
    list.setVisible(true);
    list.appendRow({"r", {}, true, false});
    dialogs.answers = {false, true};
    commands.ClearSourceList();
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(dialogs.shown.at(0).kind, MessageKind::Confirmation);
    EXPECT_EQ(dialogs.shown.at(0).text, line(29));
    commands.ClearSourceList();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(stateUpdates, 2);
}

TEST_F(SourceCommands, RemoveAndClearTestPreviewingFirst)
{
    list.appendRow({"r", {}, true, true});
    state.previewing = true;
    commands.RemoveSelectedSources();
    commands.ClearSourceList();
    EXPECT_EQ(dialogs.texts(), (QStringList{line(27), line(27)}));
    // With both flags up the preview refusal comes first; its text is held back,
    // since only the busy line is served while converting.
    state.converting = true;
    commands.RemoveSelectedSources();
    EXPECT_EQ(dialogs.texts().last(), "");
    state.previewing = false;
    commands.ClearSourceList();
    EXPECT_EQ(dialogs.texts().last(), line(26));
    EXPECT_EQ(list.rowCount(), 1);
    for (const auto &shown : dialogs.shown)
        EXPECT_EQ(shown.kind, MessageKind::Warning);
}

// The folder command lets window events run between files; an add command
// arriving then is refused, not nested.
TEST_F(SourceCommands, AnAddCommandArrivingMeanwhileIsRefused)
{
    QTemporaryDir dir;
    for (const char *name : {"a.avi", "b.avi"}) {
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        probe.facts[dir.filePath(name)] = clipFacts();
    }
    probe.facts[v("x.avi")] = clipFacts();
    int pumps = 0;
    onPump = [&] {
        ++pumps;
        EXPECT_TRUE(commands.isAdding());
        dialogs.fileChoices = {{v("x.avi")}};
        dialogs.folderChoices = {dir.path()};
        commands.AddFilesDialog();
        commands.AddSourceFolder();
        commands.ClearSourceList();
    };
    dialogs.folderChoices = {dir.path()};
    commands.AddSourceFolder();
    onPump = nullptr;
    EXPECT_EQ(pumps, 4);
    EXPECT_EQ(captions(), (QStringList{"a", "b"}));
    EXPECT_EQ(probe.commandLines.size(), 2);
    EXPECT_FALSE(commands.isAdding());
}

// Probes run ahead of the walk, at most the look-ahead at once, and their
// results still make the rows in the walk's order.
TEST_F(SourceCommands, ProbesRunAheadAndRowsFollowTheWalk)
{
    QStringList files;
    for (int i = 0; i < 7; ++i) {
        files << v(QString("%1.avi").arg(i));
        probe.facts[files.last()] = clipFacts(QString("00:00:0%1").arg(i + 1));
    }
    probe.facts.remove(v("4.avi"));
    for (const int ahead : {1, 3, 16}) {
        SCOPED_TRACE(ahead);
        probe.restart();
        list.clear();
        commands.setProbeLookAhead(ahead);
        dialogs.fileChoices = {files};
        commands.AddFilesDialog();
        EXPECT_EQ(captions(), (QStringList{"0", "1", "2", "3", "5", "6"}));
        for (int i = 0; i < list.rowCount(); ++i) {
            EXPECT_EQ(list.originalInfo()[i].path, v(list.row(i).caption + ".avi"));
            EXPECT_EQ(list.row(i).subItems[SourceRow::OutputSize],
                      QString("%1:%2").arg(i).arg(list.row(i).caption.toInt() + 1));
        }
        EXPECT_EQ(probe.mostAhead, std::min<qsizetype>(ahead, files.size()));
        EXPECT_EQ(probe.cancelled, 0);
    }
}

TEST(ProbeLookAhead, TheLargerOfSlotsAndCoresAtMostSixteen)
{
    const struct {
        int encoderSlots, cores, want;
    } cases[] = {{4, 8, 8}, {10, 8, 10}, {4, 64, 16}, {1, 1, 1}, {1, 0, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(DefaultProbeLookAhead(c.encoderSlots, c.cores), c.want) << c.encoderSlots << " slots, " << c.cores << " cores";
}

// A probe that could not be started fails at its own turn: the files before
// it are rows, and the probes started after it are ended.
TEST_F(SourceCommands, AnUnstartableProbeEndsTheCommandAtItsTurn)
{
    const QStringList files = {v("a.avi"), v("b.avi"), v("c.avi"), v("d.avi")};
    for (const QString &file : files)
        probe.facts[file] = clipFacts();
    probe.unstartable = {v("b.avi")};
    commands.setProbeLookAhead(4);
    dialogs.fileChoices = {files};
    EXPECT_THROW(commands.AddFilesDialog(), std::runtime_error);
    EXPECT_EQ(captions(), QStringList{"a"});
    EXPECT_EQ(probe.cancelled, 2);
    EXPECT_FALSE(commands.isAdding());
}

// Between files the window's events run: a file deleted meanwhile adds no
// row, and a cancel (the window closing) ends the walk and its probes.
TEST_F(SourceCommands, AFileGoneBeforeItsTurnOrACancelInTheWalk)
{
    QTemporaryDir dir;
    for (const char *name : {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"}) {
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        probe.facts[dir.filePath(name)] = clipFacts();
    }
    commands.setProbeLookAhead(3);
    dialogs.folderChoices = {dir.path()};
    int pumps = 0;
    onPump = [&] {
        if (++pumps == 1)
            QFile::remove(dir.filePath("b.avi"));
    };
    commands.AddSourceFolder();
    EXPECT_EQ(captions(), (QStringList{"a", "c", "d", "e"}));
    EXPECT_EQ(probe.cancelled, 0);

    probe.restart();
    pumps = 0;
    onPump = [&] {
        if (++pumps == 5) // before the third file's turn
            commands.CancelAdding();
    };
    dialogs.folderChoices = {dir.path()};
    commands.AddSourceFolder();
    onPump = nullptr;
    EXPECT_EQ(captions(), (QStringList{"a", "c"}));
    EXPECT_EQ(probe.cancelled, 2);
    EXPECT_FALSE(commands.isAdding());
    EXPECT_EQ(list.selectedRow(), 0);
}

} // namespace
