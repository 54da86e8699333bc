// The Blu-ray import around its disc probe: a stand-in profile.dat that logs
// how it was run (and, when told, empties the hand-shake file or takes its
// time), run through the real media probe and runner on a written disc.

#include "disc/bluray_import.h"
#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/media_probe.h"
#include "engine/source_list.h"
#include "platform/bluray/playlist_parser.h"
#include "tests/support/bluray_disc_writer.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bluray_disc;
using namespace ravenmoor::test;

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// Flags beside the script: empty-ides, slow (0.3 s), hang (30 s).
const char *kProbe = R"SH(#!/bin/sh
here=$(dirname "$0")
for a in "$@"; do printf '%s|' "$a"; done >> "$here/probe.log"
echo >> "$here/probe.log"
[ -e "$here/empty-ides" ] && : > "$here/ides"
[ -e "$here/slow" ] && sleep 0.3
[ -e "$here/hang" ] && sleep 30
echo "Volume: FILM"
)SH";

class BlurayImportTest : public ::testing::Test {
protected:
    BlurayImportTest()
        : texts(binDir() + "/language.info", LanguageTexts::lugIni(binDir() + "/lug.ini"), [] { return false; }),
          import(engine, list, texts, probe, *parser, programs(), hooks())
    {
        QDir().mkpath(programs());
        writeFile(programs() + "/profile.dat", kProbe);
        QFile(programs() + "/profile.dat")
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // As the program's folder holds it.
        writeFile(programs() + "/ides", {});
        writeFile(dir.filePath("seed.m2ts"), QByteArray(192, 'G'));
        writeDisc(disc(), {playlist("00001.mpls", "00001", 60), playlist("00002.mpls", "00002", 30)},
                  dir.filePath("seed.m2ts"));
        engine.sourceMode = SourceMode::DvdRows;
    }

    QString programs() const { return dir.filePath("my programs"); }
    QString disc() const { return dir.filePath("My Disc"); }
    void flag(const char *name) { writeFile(programs() + "/" + name, {}); }
    QStringList probeRuns() const
    {
        QFile log(programs() + "/probe.log");
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    QString ides() const
    {
        QFile f(programs() + "/ides");
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString("(none)");
    }

    BlurayImportHooks hooks()
    {
        BlurayImportHooks h;
        h.updateControlStates = [this] { ++controlStates; };
        h.lvClick = [this] { ++clicks; };
        h.pumpMessages = [this] {
            QCoreApplication::processEvents();
            if (onPump)
                onPump();
        };
        return h;
    }

    QCoreApplication &application = coreApp();
    QTemporaryDir dir;
    EngineState engine;
    SourceList list;
    LanguageTexts texts;
    MediaProbe probe;
    std::unique_ptr<PlaylistParser> parser = MakeBlurayPlaylistParser();
    BlurayImport import;
    std::function<void()> onPump;
    int controlStates = 0;
    int clicks = 0;
};

struct HandshakeCase {
    const char *what;
    std::function<void(const QString &programs)> prepare;
    int probeRuns; // 0: the import is refused before the first probe
    const char *idesAfter;
    const char *error;
};

TEST_F(BlurayImportTest, TheProbeRunsBeforeTheReadingAndUntilTheHandshakeFileIsWritten)
{
    const HandshakeCase cases[] = {
        {"empty hand-shake file", [](const QString &programs) { writeFile(programs + "/ides", {}); }, 2, "o", ""},
        {"a probe that empties it every time",
         [](const QString &programs) {
             writeFile(programs + "/ides", "xyz");
             writeFile(programs + "/empty-ides", {});
         },
         1 + BlurayImport::kProbeRepeats, "", ""},
        {"no hand-shake file", [](const QString &) {}, 0, "(none)", "No such file or directory"},
        {"a hand-shake file that cannot be opened",
         [](const QString &programs) { QDir().mkpath(programs + "/ides"); }, 0, "(none)", "Is a directory"},
    };
    int imports = 0;
    for (const HandshakeCase &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(programs() + "/ides").removeRecursively();
        for (const char *name : {"ides", "probe.log", "empty-ides"})
            QFile::remove(programs() + "/" + name);
        list.clear();
        c.prepare(programs());

        if (c.probeRuns == 0) {
            try {
                import.ImportBluRayDisc(disc());
                ADD_FAILURE() << "imported without its hand-shake file";
            } catch (const HandshakeFileError &e) {
                const QString text = QString::fromUtf8(e.what());
                EXPECT_TRUE(text.contains("Cannot open file \"" + programs() + "/ides\"")) << e.what();
                EXPECT_TRUE(text.contains(c.error)) << e.what();
            }
            EXPECT_TRUE(probeRuns().isEmpty());
            EXPECT_EQ(list.rowCount(), 0);
            EXPECT_FALSE(import.isBusy());
            continue;
        }
        ++imports;
        import.ImportBluRayDisc(disc());
        const QStringList runs = probeRuns();
        EXPECT_EQ(runs.size(), c.probeRuns);
        EXPECT_EQ(runs.value(0), "-s|" + disc() + "|");
        EXPECT_EQ(runs.filter(disc()).size(), runs.size());
        EXPECT_EQ(ides(), c.idesAfter);
        EXPECT_EQ(list.rowCount(), 2);
        EXPECT_EQ(import.titles().size(), 2);
        EXPECT_EQ(engine.sourceMode, SourceMode::FileRows);
        EXPECT_EQ(engine.currentJob.probeProgram, programs() + "/profile.dat");
        EXPECT_FALSE(import.isBusy());
    }
    EXPECT_EQ(controlStates, imports);
    EXPECT_EQ(clicks, imports);
}

TEST_F(BlurayImportTest, TheRepetitionIsBoundedInTimeAndTheEventLoopKeepsRunning)
{
    flag("empty-ides");
    flag("slow");
    import.RepeatBound = std::chrono::milliseconds(1000);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);

    QElapsedTimer clock;
    clock.start();
    import.ImportBluRayDisc(disc());
    const qint64 ms = clock.elapsed();
    EXPECT_LT(ms, 4000);
    EXPECT_GE(probeRuns().size(), 3);
    EXPECT_LE(probeRuns().size(), 8);
    EXPECT_GT(ticks, int(ms / 50 / 2)) << "the wait must sleep in the event loop";
    EXPECT_EQ(list.rowCount(), 2);
}

TEST_F(BlurayImportTest, AProbeThatNeverEndsIsStopped)
{
    writeFile(programs() + "/ides", {});
    flag("hang");
    import.ProbeTimeout = std::chrono::milliseconds(300);
    QElapsedTimer clock;
    clock.start();
    import.ImportBluRayDisc(disc());
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_EQ(probeRuns().size(), 2);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(probe.Timeout, std::chrono::milliseconds(20000)) << "the file probe keeps its own bound";
}

TEST_F(BlurayImportTest, AMissingProbeProgramEndsTheImportWithTheRunnersError)
{
    QFile::remove(programs() + "/profile.dat");
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_ANY_THROW(import.ImportBluRayDisc(disc()));
        EXPECT_EQ(list.rowCount(), 0);
        EXPECT_FALSE(import.isBusy());
        EXPECT_FALSE(probe.ProbeRunning());
    }
    EXPECT_EQ(controlStates, 0);
}

TEST_F(BlurayImportTest, NoSecondImportOrProbeInsideARunningOne)
{
    ASSERT_TRUE(writeDisc(dir.filePath("Other"), {playlist("00001.mpls", "00009", 90)}, dir.filePath("seed.m2ts")));
    int nested = 0;
    onPump = [&] {
        if (nested++ == 0)
            import.ImportBluRayDisc(dir.filePath("Other"));
    };
    import.ImportBluRayDisc(disc());
    EXPECT_GT(nested, 0);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(probeRuns().size(), 2);

    // While another probe runs, the disc probe does not start a second one.
    flag("slow");
    probe.StartProbe(QStringLiteral("sleep 0.3"), dir.path());
    QFile::remove(programs() + "/probe.log");
    import.RunDiscProbe(disc());
    EXPECT_TRUE(probeRuns().isEmpty());
    probe.WaitForProbe();
}

TEST(DiscProbeCommandLine, TheProgramAndTheFolderEachStayOneArgument)
{
    EXPECT_EQ(DiscProbeCommandLine("/opt/ravenmoor", "/media/u/FILM"), "/opt/ravenmoor/profile.dat -s /media/u/FILM");
    EXPECT_EQ(DiscProbeCommandLine("/opt/my tools", "/media/u/MY FILM/BDMV"),
              "\"/opt/my tools/profile.dat\" -s \"/media/u/MY FILM/BDMV\"");
}

} // namespace
