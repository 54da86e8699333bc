// register.dat run the way the program runs it: one command line through the
// console process runner, real ffmpeg underneath, outputs checked with ffprobe.

#include "engine/console_process.h"
#include "engine/encoder_command_line.h"
#include "engine/encoder_progress.h"
#include "engine/quote_if_spaced.h"
#include "tests/support/stand_in_run.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <csignal>

namespace {

using ravenmoor::test::Finished;
using ravenmoor::test::RunLine;
using ravenmoor::test::StatusSeconds;
using ravenmoor::test::WaitFor;
using ravenmoor::test::coreApp;
using ravenmoor::test::binDir;
using ravenmoor::test::makeClip;
using ravenmoor::test::probeFile;
using ravenmoor::test::processesInGroup;
using ravenmoor::test::runProgram;
using ravenmoor::test::streamOf;

QString Encoder() { return QuoteIfSpaced(QDir(binDir()).filePath(QStringLiteral("register.dat"))); }

double DurationOf(const QJsonObject &probe)
{
    return probe.value(QLatin1String("format")).toObject().value(QLatin1String("duration")).toString().toDouble();
}

intputrec Job(const QString &input, const QString &output)
{
    intputrec job;
    job.encoderPath = QDir(binDir()).filePath(QStringLiteral("register.dat"));
    job.workingFolder = binDir();
    job.input = input;
    job.output = output;
    return job;
}

// The program's file-conversion line with every option in the profile's place.
QString ConversionLine(const QString &input, const QString &output, const QString &options,
                       const QString &extra = {})
{
    intputrec job = Job(input, output);
    job.profileOptions = options;
    job.extraOption = extra;
    return FileConversionCommandLine(job);
}

const QString kMp4Pieces = QStringLiteral(
    " -r 25 -b 400000 -ab 128000 -ac 2 -aspect 1.3333 -t 00:00:03 -s 320x240  -ar 44100 "
    " -vcodec mpeg4 -pix_fmt yuv420p -acodec aac -f mp4 ");

class RegisterDat : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        coreApp();
        s_dir = new QTemporaryDir;
        s_clip = s_dir->filePath(QStringLiteral("source clip.mp4"));
        ASSERT_TRUE(makeClip(s_clip, 3, {"-s", "640x480", "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"},
                             QStringLiteral("testsrc=size=640x480:rate=25")));
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static QTemporaryDir *s_dir;
    static QString s_clip;
};

QTemporaryDir *RegisterDat::s_dir = nullptr;
QString RegisterDat::s_clip;

// The job as the file run builds it, its line exactly as the slots start it.
TEST_F(RegisterDat, ConvertsTheFileConversionLineWithRisingProgress)
{
    QTemporaryDir out;
    const QString output = out.filePath(QStringLiteral("result.mp4"));
    intputrec job = Job(s_clip, output);
    job.videoPiece = QStringLiteral(" -r 25 -b 400000");
    job.audioBitratePiece = QStringLiteral(" -ab 128000");
    job.channelsPiece = QStringLiteral(" -ac 2");
    job.aspectPiece = QStringLiteral(" -aspect 1.3333");
    job.durationPiece = QStringLiteral(" -t 00:00:03");
    job.sizePiece = QStringLiteral(" -s 320x240");
    job.sampleRatePiece = QStringLiteral(" -ar 44100 ");
    job.profileOptions = QStringLiteral(" -vcodec libx264 -profile:v main -pix_fmt yuv420p -acodec aac -f mp4 ");
    // Read at the clip's own pace, so that a status line comes every half second.
    job.extraOption = QStringLiteral(" -re");
    const Finished run = RunLine(FileConversionCommandLine(job));
    ASSERT_EQ(run.ends, QList<quint32>{0}) << run.screen.join(u'\n').toStdString();
    const QList<int32_t> seconds = StatusSeconds(run.reports);
    ASSERT_GE(seconds.size(), 2) << run.reports.join(u'\n').toStdString();
    EXPECT_EQ(seconds.last(), 3);
    for (qsizetype i = 1; i < seconds.size(); ++i)
        EXPECT_GE(seconds[i], seconds[i - 1]);
    EXPECT_LT(seconds.first(), seconds.last()) << "the seconds rise";

    const QJsonObject probe = probeFile(output);
    const QJsonObject video = streamOf(probe, QStringLiteral("video"));
    EXPECT_EQ(video.value(QLatin1String("width")).toInt(), 320);
    EXPECT_EQ(video.value(QLatin1String("height")).toInt(), 240);
    EXPECT_EQ(video.value(QLatin1String("codec_name")).toString(), QStringLiteral("h264"));
    EXPECT_EQ(streamOf(probe, QStringLiteral("audio")).value(QLatin1String("channels")).toInt(), 2);
    EXPECT_NEAR(DurationOf(probe), 3.0, 0.2);
}

// Paths that a shell, an option parser or a naive quoting would break.
TEST_F(RegisterDat, HostilePathsConvertAndAreNeverOptions)
{
    const char *names[] = {
        "with blanks.mp4", "say \"hi\".mp4", "-leading-dash.mp4", "-y", "Ünïcödé ファイル.mp4",
        "tab\there.mp4", "back\\\"slash.mp4", "http:not-a-url.mp4", "ends in backslash\\",
    };
    QTemporaryDir dir;
    for (const char *raw : names) {
        const QString name = QString::fromUtf8(raw);
        const QString input = dir.filePath(QStringLiteral("in ") + name);
        const QString output = dir.filePath(name + QStringLiteral(".out.mp4"));
        ASSERT_TRUE(QFile::copy(s_clip, input)) << raw;
        const Finished run = RunLine(ConversionLine(input, output, QString(kMp4Pieces).replace(QLatin1String("00:00:03"),
                                                                                 QLatin1String("00:00:01"))));
        EXPECT_EQ(run.ends, QList<quint32>{0}) << raw << "\n" << run.screen.join(u'\n').toStdString();
        EXPECT_EQ(streamOf(probeFile(output), QStringLiteral("video")).value(QLatin1String("width")).toInt(), 320) << raw;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << raw << ": nothing but the output was written";
        QFile::remove(input);
        QFile::remove(output);
    }
    // A leading dash as the bare file name, relative to the working folder.
    ASSERT_TRUE(QFile::copy(s_clip, dir.filePath(QStringLiteral("-i"))));
    TJvCreateProcess runner;
    QList<quint32> ends;
    runner.CommandLine = ConversionLine(QStringLiteral("-i"), QStringLiteral("-sn"), QStringLiteral(" -t 00:00:01 -s 160x120 -f mp4 "));
    runner.CurrentDirectory = dir.path();
    runner.OnTerminate = [&](TJvCreateProcess *, quint32 code) { ends.append(code); };
    runner.Run();
    ASSERT_TRUE(WaitFor([&] { return !ends.isEmpty(); }));
    EXPECT_EQ(ends, QList<quint32>{0});
    EXPECT_EQ(streamOf(probeFile(dir.filePath(QStringLiteral("-sn"))), QStringLiteral("video")).value("width").toInt(), 160);
}

TEST_F(RegisterDat, TakesOneFrameSnapshot)
{
    QTemporaryDir out;
    const QString output = out.filePath(QStringLiteral("shot %d 1.jpg"));
    const Finished run = RunLine(ConversionLine(s_clip, output, QStringLiteral(" -s 320x240 -t 0.01 -f image2 "),
                                           QStringLiteral(" -ss 00:00:01")));
    ASSERT_EQ(run.ends, QList<quint32>{0}) << run.screen.join(u'\n').toStdString();
    // One picture under exactly that name: no "%d" numbering.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"shot %d 1.jpg"});
    const QJsonObject video = streamOf(probeFile(output, {"-pattern_type", "none"}), QStringLiteral("video"));
    EXPECT_EQ(video.value(QLatin1String("width")).toInt(), 320);
    EXPECT_EQ(video.value(QLatin1String("codec_name")).toString(), QStringLiteral("mjpeg"));
}

TEST_F(RegisterDat, EncodesAmrNbItself)
{
    const struct {
        const char *name;
        QString pieces;
        bool video;
    } table[] = {
        {"a.amr", QStringLiteral(" -ab 7400 -ac 1  -t 00:00:02  -ar 8000  -vn -acodec libopencore_amrnb -f amr "),
         false},
        {"v.3gp",
         QStringLiteral(" -r 25 -b 200000 -ab 12200 -ac 1  -aspect 1.2222 -t 00:00:02 -s 176x144  -ar 8000 "
                        " -vcodec h263 -acodec libopencore_amrnb -f 3gp "),
         true},
    };
    for (const auto &row : table) {
        QTemporaryDir out;
        const QString output = out.filePath(QString::fromUtf8(row.name));
        const Finished run = RunLine(ConversionLine(s_clip, output, row.pieces));
        ASSERT_EQ(run.ends, QList<quint32>{0}) << row.name << run.screen.join(u'\n').toStdString();
        EXPECT_FALSE(StatusSeconds(run.reports).isEmpty()) << row.name;
        const QJsonObject probe = probeFile(output);
        const QJsonObject audio = streamOf(probe, QStringLiteral("audio"));
        EXPECT_EQ(audio.value(QLatin1String("codec_name")).toString(), QStringLiteral("amr_nb")) << row.name;
        EXPECT_EQ(audio.value(QLatin1String("sample_rate")).toString(), QStringLiteral("8000")) << row.name;
        EXPECT_EQ(audio.value(QLatin1String("channels")).toInt(), 1) << row.name;
        EXPECT_NEAR(DurationOf(probe), 2.0, 0.2) << row.name;
        EXPECT_EQ(streamOf(probe, QStringLiteral("video")).value(QLatin1String("width")).toInt(), row.video ? 176 : 0)
            << row.name;
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 1) << row.name;
    }
}

TEST_F(RegisterDat, FailuresEndWithAClearMessageAndNonZeroCode)
{
    QTemporaryDir out;
    const QString output = out.filePath(QStringLiteral("o.mp4"));
    const struct {
        const char *name;
        QString line;
        const char *message;
    } table[] = {
        {"missing input", ConversionLine(out.filePath(QStringLiteral("missing.avi")), output, kMp4Pieces),
         "No such file"},
        {"folder as input", ConversionLine(out.path(), output, kMp4Pieces), "not a regular file"},
        {"output folder missing", ConversionLine(s_clip, out.filePath(QStringLiteral("no/o.mp4")), kMp4Pieces),
         "No such file"},
        {"AMR output folder missing",
         ConversionLine(s_clip, out.filePath(QStringLiteral("no/o.amr")),
                        QStringLiteral(" -ab 7400 -vn -acodec libopencore_amrnb -f amr ")),
         "cannot create the output file"},
        {"no output", Encoder() + QStringLiteral(" -y -mardozb ") + QuoteIfSpaced(s_clip) + QStringLiteral(" -ac 2"),
         "no output"},
    };
    for (const auto &row : table) {
        const Finished run = RunLine(row.line);
        ASSERT_EQ(run.ends.size(), 1) << row.name;
        EXPECT_NE(run.ends[0], 0u) << row.name;
        EXPECT_TRUE(run.screen.join(u'\n').contains(QLatin1String(row.message))) << row.name << "\n"
                                                                                   << run.screen.join(u'\n').toStdString();
        EXPECT_TRUE(StatusSeconds(run.reports).isEmpty()) << row.name;
    }
}

// Choices the window offers whose codec cannot take them, from a six-channel
// source: each converts with the nearest request the codec takes and says so.
TEST_F(RegisterDat, ConvertsWhatTheCodecCannotTakeAsTheNearestItCan)
{
    QTemporaryDir out;
    const QString source = out.filePath(QStringLiteral("six.mkv"));
    ASSERT_TRUE(makeClip(source, 1, {"-af", "pan=5.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0", "-c:v", "mpeg4"}));
    const QString video = QStringLiteral(" -r 25 -b 500000 ");
    const struct {
        const char *name;
        const char *file;
        QString pieces;
        const char *note;
        const char *stream; // what ffprobe must find
    } table[] = {
        {"MP3 in AVI, 6 Channel", "mp3.avi",
         video + " -ab 128000 -ac 6  -aspect 1.3333 -t 00:00:01 -s 320x240  -ar 48000 "
                 " -vcodec mpeg4 -pix_fmt yuv420p -vtag XVID -acodec libmp3lame -f avi ",
         "at most 2 channels", "mp3 2 ch"},
        {"AC-3 in AVI, 6 Channel at the lowest quality", "ac3.avi",
         video + " -ab 32000 -ac 6  -aspect 1.3333 -t 00:00:01 -s 320x240  -ar 48000 "
                 " -vcodec mpeg4 -pix_fmt yuv420p -vtag XVID -acodec ac3 -ar 48000 -f avi ",
         "converting at 64000", "ac3 6 ch"},
        {"RealVideo at 480x360", "rv.rm",
         video + " -ab 128000 -ac 2 -aspect 1.3333 -t 00:00:01 -s 480x360  -ar 44100 "
                 " -vcodec rv10 -acodec ac3 -ar 48000 -f rm ",
         "multiples of 16", "rv10 480x368"},
        {"Vorbis, Higher Quality, Mono", "v.ogg",
         QStringLiteral(" -ab 320000 -ac 1 -t 00:00:01  -ar 48000  -vn -acodec libvorbis -f ogg "), "converting at 240000",
         "vorbis 1 ch"},
    };
    for (const auto &row : table) {
        const QString output = out.filePath(QLatin1String(row.file));
        const Finished run = RunLine(ConversionLine(source, output, row.pieces));
        const QString screen = run.screen.join(u'\n');
        EXPECT_EQ(run.ends, QList<quint32>{0}) << row.name << "\n" << screen.toStdString();
        EXPECT_TRUE(screen.contains(QLatin1String(row.note))) << row.name << "\n" << screen.toStdString();
        QStringList found;
        for (const QJsonValue &v : probeFile(output).value(QLatin1String("streams")).toArray()) {
            const QJsonObject st = v.toObject();
            found << st.value(QLatin1String("codec_name")).toString() + u' ' +
                         (st.value(QLatin1String("codec_type")).toString() == u"video"
                              ? QStringLiteral("%1x%2").arg(st.value(QLatin1String("width")).toInt())
                                    .arg(st.value(QLatin1String("height")).toInt())
                              : QStringLiteral("%1 ch").arg(st.value(QLatin1String("channels")).toInt()));
        }
        EXPECT_TRUE(found.contains(QLatin1String(row.stream))) << row.name << ": " << found.join(", ").toStdString();
    }
}

// ffmpeg 5.1 ends well when all it failed to write was the end of a small output.
TEST_F(RegisterDat, AnOutputThatCouldNotBeWrittenFails)
{
    const Finished run = RunLine(
        ConversionLine(s_clip, QStringLiteral("/dev/full"), QStringLiteral(" -t 00:00:01 -s 64x48 -an -vcodec mpeg4 -f avi ")));
    ASSERT_EQ(run.ends.size(), 1);
    EXPECT_NE(run.ends[0], 0u);
    EXPECT_TRUE(run.screen.join(u'\n').contains(QLatin1String("Error writing trailer")));
    EXPECT_TRUE(run.screen.join(u'\n').contains(QLatin1String("the output could not be written")))
        << run.screen.join(u'\n').toStdString();
}

// An ffmpeg that ends well without making what it was asked for: the
// conversion fails and says so.
TEST_F(RegisterDat, AMissingOrStreamlessOutputFails)
{
    QTemporaryDir out;
    const struct {
        const char *name;
        const char *write; // shell text run with the output path as $out
        const char *message;
    } table[] = {
        {"nothing written", ":", "the output was not made"},
        {"an empty file", ": > \"$out\"", "the output was not made"},
        {"no media in it", "printf 'not a media file at all' > \"$out\"", "the output holds no stream"},
    };
    for (const auto &row : table) {
        const QString fake = out.filePath(QStringLiteral("ffmpeg"));
        QFile script(fake);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(QByteArray("#!/bin/sh\nfor a; do last=\"$a\"; done\nout=\"${last#file:}\"\n") + row.write +
                     "\nexit 0\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QString output = out.filePath(QStringLiteral("o.avi"));
        QFile::remove(output);
        qputenv("FFMPEG", fake.toUtf8());
        qputenv("FFPROBE", "ffprobe"); // the real one checks the output
        const Finished run = RunLine(
            ConversionLine(s_clip, output, QStringLiteral(" -s 64x48 -an -vcodec mpeg4 -f avi ")));
        qunsetenv("FFMPEG");
        qunsetenv("FFPROBE");
        EXPECT_EQ(run.ends, QList<quint32>{1}) << row.name;
        EXPECT_TRUE(run.screen.join(u'\n').contains(QLatin1String(row.message)))
            << row.name << "\n" << run.screen.join(u'\n').toStdString();
    }
}

// A one-frame source without a duration piece converts whole.
TEST_F(RegisterDat, AOneFrameSourceConvertsWhole)
{
    QTemporaryDir out;
    const QString source = out.filePath(QStringLiteral("frame.mp4"));
    ASSERT_TRUE(makeClip(source, 0.04, {"-frames:v", "1", "-an"}, QStringLiteral("testsrc=size=320x240:rate=25"), {}));
    const QString output = out.filePath(QStringLiteral("frame.avi"));
    const Finished run = RunLine(ConversionLine(
        source, output, QStringLiteral(" -r 25 -b 500000 -aspect 1.3333 -s 320x240 -vcodec mpeg4 -f avi ")));
    EXPECT_EQ(run.ends, QList<quint32>{0}) << run.screen.join(u'\n').toStdString();
    EXPECT_FALSE(streamOf(probeFile(output), QStringLiteral("video")).isEmpty());
}

TEST_F(RegisterDat, SaysSoWhenFfmpegIsMissing)
{
    qputenv("FFMPEG", "/nonexistent/ffmpeg");
    const Finished run = RunLine(ConversionLine(s_clip, s_dir->filePath(QStringLiteral("never.mp4")), kMp4Pieces));
    qunsetenv("FFMPEG");
    EXPECT_EQ(run.ends, QList<quint32>{127});
    EXPECT_TRUE(run.screen.join(u'\n').contains(QLatin1String("FFMPEG"))) << run.screen.join(u'\n').toStdString();
    EXPECT_FALSE(QFile::exists(s_dir->filePath(QStringLiteral("never.mp4"))));
}

// A long conversion stopped at its first progress: nothing of it is left.
TEST_F(RegisterDat, StopLeavesNoEncoderBehind)
{
    // Read at the clip's own pace: still running when the first status comes.
    const QString extra = QStringLiteral(" -re");
    const struct {
        const char *name;
        int signal; // sent to register.dat alone; 0: the runner's Stop of the whole group
        int endsWithin; // ms; a killed stand-in takes its ffmpeg along at once
    } table[] = {{"Stop", 0, 5000}, {"SIGTERM to register.dat", SIGTERM, 5000}, {"register.dat killed", SIGKILL, 1000}};
    for (const auto &row : table) {
        QTemporaryDir out;
        bool stopped = false;
        const Finished run = RunLine(ConversionLine(s_clip, out.filePath(QStringLiteral("big.mp4")), kMp4Pieces, extra),
                                [&](TJvCreateProcess &runner, Finished &r) {
                                    if (stopped || StatusSeconds(r.reports).isEmpty())
                                        return;
                                    stopped = true;
                                    EXPECT_GE(processesInGroup(runner.ProcessId()), 2) << "ffmpeg runs";
                                    if (row.signal == 0)
                                        runner.Terminate();
                                    else
                                        ::kill(pid_t(runner.ProcessId()), row.signal);
                                });
        ASSERT_TRUE(stopped) << row.name;
        EXPECT_LT(StatusSeconds(run.reports).last(), 3) << row.name << ": the conversion ran to its end";
        ASSERT_EQ(run.ends.size(), 1) << row.name;
        EXPECT_NE(run.ends[0], 0u) << row.name;
        EXPECT_TRUE(WaitFor([&] { return processesInGroup(run.group) == 0; }, row.endsWithin)) << row.name;
    }
}

// The program that started it killed outright: the stand-in and its ffmpeg
// end too, long before the conversion would have.
TEST_F(RegisterDat, EndsWithTheProgramThatStartedIt)
{
    QTemporaryDir out;
    const QString line =
        ConversionLine(s_clip, out.filePath(QStringLiteral("orphan.mp4")), kMp4Pieces, QStringLiteral(" -re -stream_loop 9"));
    EXPECT_TRUE(ravenmoor::test::EndsWithItsKilledParent(line, 3000));
}

} // namespace
