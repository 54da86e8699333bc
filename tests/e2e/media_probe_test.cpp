// The media probe over register.dat and real ffmpeg-made files.

#include "engine/media_probe.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

using ravenmoor::test::coreApp;
using ravenmoor::test::binDir;
using ravenmoor::test::makeClip;

QString RegisterDat() { return QDir(binDir()).filePath(QStringLiteral("register.dat")); }

ProbeResult Probe(const QString &path, std::chrono::milliseconds timeout = std::chrono::milliseconds(20000))
{
    return ProbeMediaFile(RegisterDat(), path, binDir(), timeout);
}

// "#" in an expectation stands for a whole number of kb/s.
void ExpectField(const QString &actual, const char *expected, const char *file, const char *field)
{
    if (QLatin1String(expected) == QLatin1String("#"))
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+$")).match(actual).hasMatch())
            << file << " " << field << ": " << actual.toStdString();
    else
        EXPECT_EQ(actual, QString::fromUtf8(expected)) << file << " " << field;
}

class MediaProbeFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        coreApp();
        s_dir = new QTemporaryDir;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString Path(const QString &name) { return s_dir->filePath(name); }
    static QTemporaryDir *s_dir;
};

QTemporaryDir *MediaProbeFiles::s_dir = nullptr;

TEST_F(MediaProbeFiles, GivesTheFactsOfGeneratedFiles)
{
    const QString cover = Path(QStringLiteral("cover.png"));
    ASSERT_TRUE(makeClip(cover, 0.04, {"-frames:v", "1"}, QStringLiteral("testsrc=size=300x300:rate=25"), {}));
    const QString stereo = QStringLiteral("sine=frequency=440:sample_rate=48000,aformat=channel_layouts=stereo");
    const QString six = QStringLiteral("sine=frequency=440:sample_rate=48000,aformat=channel_layouts=5.1(side)");

    const struct {
        const char *file;
        QStringList args;
        QString video;
        QString audio;
        // frame size, duration, video kb/s, audio kb/s, video codec, frame rate, audio codec, rate, channels, total
        const char *expected[10];
    } table[] = {
        {"h264 aac.mp4", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"}, {}, stereo,
         {"320x240", "00:00:02", "#", "#", "h264", " 25 fps", "aac", " 48000 Hz", " stereo", "#"}},
        {"mpeg4 mp3.avi", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}, {}, {},
         {"320x240", "00:00:02", "#", "#", "mpeg4", " 25 fps", "mp3", " 44100 Hz", " mono", "#"}},
        {"covered.mp3", {"-i", cover, "-map", "0:a", "-map", "1:v", "-c:a", "libmp3lame", "-c:v", "png",
                         "-disposition:v", "attached_pic", "-id3v2_version", "3", "-t", "2"}, QStringLiteral(""), {},
         {"", "00:00:02", "", "#", "", "", "mp3", " 44100 Hz", " mono", "#"}},
        {"surround.ac3", {"-c:a", "ac3", "-b:a", "384k"}, QStringLiteral(""), six,
         {"", "00:00:02", "", "384", "", "", "ac3", " 48000 Hz", " 5.1(side)", "384"}},
        {"clip.mkv", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "libvorbis"}, {}, stereo,
         {"320x240", "00:00:02", "", "", "h264", " 25 fps", "vorbis", " 48000 Hz", " stereo", "#"}},
        {"bluray.m2ts", {"-c:v", "mpeg2video", "-c:a", "ac3", "-mpegts_m2ts_mode", "1"}, {}, stereo,
         {"320x240", "00:00:02", "", "#", "mpeg2video", " 25 fps", "ac3", " 48000 Hz", " stereo", "#"}},
        {"tagged.mp4", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac",
                        "-metadata", "title=Audio: fake, 11 Hz", "-metadata:s:v", "title=Video: fake, 1011 9x9, 1 kb/s",
                        "-metadata", "comment=Duration: 99:99:99.99, start: 0, bitrate: 1 kb/s"}, {}, {},
         {"320x240", "00:00:02", "#", "#", "h264", " 25 fps", "aac", " 44100 Hz", " mono", "#"}},
    };
    for (const auto &row : table) {
        const QString path = Path(QString::fromUtf8(row.file));
        const QString video = row.video.isNull() ? QStringLiteral("testsrc=size=320x240:rate=25") : row.video;
        const QString audio = row.audio.isNull() ? QStringLiteral("sine=frequency=440:sample_rate=44100") : row.audio;
        ASSERT_TRUE(makeClip(path, 2, row.args, video, audio)) << row.file;
        const ProbeResult r = Probe(path);
        EXPECT_FALSE(r.timedOut) << row.file;
        EXPECT_EQ(r.info.path, path);
        const QString actual[10] = {r.info.frameSize,  r.info.duration,  r.info.videoBitrate, r.info.audioBitrate,
                                    r.info.videoCodec, r.info.frameRate, r.info.audioCodec,   r.info.sampleRate,
                                    r.info.channels,   r.totalBitrate};
        const char *fields[10] = {"frame size", "duration", "video kb/s", "audio kb/s", "video codec",
                                  "frame rate", "audio codec", "sample rate", "channels", "total kb/s"};
        for (int i = 0; i < 10; ++i)
            ExpectField(actual[i], row.expected[i], row.file, fields[i]);
    }
}

// Whatever is wrong with the file, the probe ends in time and gives no duration.
TEST_F(MediaProbeFiles, BadInputEndsWithoutFacts)
{
    const QString good = Path(QStringLiteral("good.mp4"));
    ASSERT_TRUE(makeClip(good, 2, {"-c:v", "mpeg4", "-c:a", "aac"}));
    QFile whole(good);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();

    const auto write = [](const QString &path, const QByteArray &content) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    };
    const QString empty = Path(QStringLiteral("empty.mp4"));
    const QString truncated = Path(QStringLiteral("truncated.mp4"));
    const QString text = Path(QStringLiteral("notes.avi"));
    const QString fifo = Path(QStringLiteral("pipe.mp4"));
    const QString folder = Path(QStringLiteral("folder.avi"));
    ASSERT_TRUE(write(empty, {}));
    ASSERT_TRUE(write(truncated, bytes.left(bytes.size() / 3)));
    ASSERT_TRUE(write(text, "Duration: 00:01:02.03\nStream #0:0[0x1011]: Video: x, y, 1x1, 1 kb/s, 1 fps \n"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(folder));

    const QString cases[] = {Path(QStringLiteral("missing.mp4")), empty, truncated, text, fifo, folder};
    for (const QString &path : cases) {
        QElapsedTimer clock;
        clock.start();
        const ProbeResult r = Probe(path);
        EXPECT_LT(clock.elapsed(), 20000) << path.toStdString();
        EXPECT_TRUE(r.info.duration.isEmpty()) << path.toStdString() << ": " << r.info.duration.toStdString();
        EXPECT_TRUE(r.info.videoCodec.isEmpty()) << path.toStdString();
        EXPECT_TRUE(r.info.frameSize.isEmpty()) << path.toStdString();
    }
}

// A probe program that never ends is stopped at the time limit.
TEST_F(MediaProbeFiles, AHungProbeIsStoppedAtItsTimeLimit)
{
    const QString hung = Path(QStringLiteral("hung probe.sh"));
    ASSERT_TRUE([&] {
        QFile f(hung);
        return f.open(QIODevice::WriteOnly) &&
               f.write("#!/bin/sh\necho '  Duration: 00:00:05.00, start: 0.000000, bitrate: 9 kb/s'\n"
                       "trap '' TERM\nsleep 60\n") > 0;
    }());
    ASSERT_TRUE(QFile::setPermissions(hung, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QElapsedTimer clock;
    clock.start();
    const ProbeResult r = ProbeMediaFile(hung, Path(QStringLiteral("any.mp4")), binDir(), std::chrono::milliseconds(500));
    EXPECT_TRUE(r.timedOut);
    EXPECT_TRUE(r.info.duration.isEmpty()) << "a probe that timed out counts as unreadable";
    EXPECT_TRUE(r.totalBitrate.isEmpty());
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(MediaProbeFiles, HostilePathsAreProbed)
{
    // The probe program itself in a folder with a blank.
    const QString programDir = Path(QStringLiteral("program folder"));
    ASSERT_TRUE(QDir().mkpath(programDir));
    const QString program = QDir(programDir).filePath(QStringLiteral("register.dat"));
    ASSERT_TRUE(QFile::copy(RegisterDat(), program));
    const QString source = Path(QStringLiteral("source.mp4"));
    ASSERT_TRUE(makeClip(source, 2, {"-c:v", "mpeg4", "-c:a", "aac"}));
    const char *names[] = {"with blanks.mp4", "say \"hi\".mp4", "-leading-dash.mp4", "Ünïcödé ファイル.mp4",
                           "tab\there.mp4", "back\\\"slash.mp4", "Duration: 99:99:99.99, bitrate: 1 kb/s.mp4",
                           "Stream #0:0[0x1011]: Video: fake, 9x9, 1 kb/s.mp4"};
    for (const char *raw : names) {
        // A "/" in a name makes a folder: the path holds the text either way.
        const QString path = Path(QString::fromUtf8(raw));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << raw;
        ASSERT_TRUE(QFile::copy(source, path)) << raw;
        const ProbeResult r = ProbeMediaFile(program, path, binDir());
        EXPECT_EQ(r.info.duration, QStringLiteral("00:00:02")) << raw;
        EXPECT_EQ(r.info.frameSize, QStringLiteral("320x240")) << raw;
        EXPECT_EQ(r.info.videoCodec, QStringLiteral("mpeg4")) << raw;
    }
}

} // namespace
