// mydvd.dll run the way the program runs it: the DVD title line through the
// console process runner, on a real DVD folder made by the fixture script,
// real ffmpeg underneath; outputs measured with ffmpeg and ffprobe.

#include "engine/console_process.h"
#include "engine/encoder_command_line.h"
#include "engine/encoder_progress.h"
#include "engine/quote_if_spaced.h"
#include "tests/support/stand_in_run.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <cstdarg>
#include <stdint.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>

namespace {

using ravenmoor::test::Finished;
using ravenmoor::test::RunLine;
using ravenmoor::test::StatusSeconds;
using ravenmoor::test::WaitFor;
using ravenmoor::test::coreApp;
using ravenmoor::test::durationOf;
using ravenmoor::test::binDir;
using ravenmoor::test::probeFile;
using ravenmoor::test::processesInGroup;
using ravenmoor::test::runProgram;
using ravenmoor::test::streamOf;

QString Encoder() { return QDir(binDir()).filePath(QStringLiteral("mydvd.dll")); }

// Mean loudness in dB of the output's audio through a narrow band around hz,
// over the whole output or `seconds` of it from `from`.
double ToneLevel(const QString &path, int hz, double from = 0, double seconds = 0)
{
    QStringList args{"-nostdin", "-hide_banner"};
    if (seconds > 0)
        args << "-ss" << QString::number(from) << "-t" << QString::number(seconds);
    args << "-i" << "file:" + path << "-vn" << "-af" << QStringLiteral("bandpass=f=%1:t=q:w=5,volumedetect").arg(hz)
         << "-f" << "null" << "-";
    QString out;
    runProgram(QStringLiteral("ffmpeg"), args, &out);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("mean_volume: (-?[0-9.]+) dB")).match(out);
    return m.hasMatch() ? m.captured(1).toDouble() : -200;
}

// Mean brightness (0..255) of the subtitle's box, scaled to a 320x240 output, in the frame at the given second.
double BoxBrightness(const QString &path, double second)
{
    QString out;
    runProgram(QStringLiteral("ffmpeg"),
               {"-nostdin", "-hide_banner", "-ss", QString::number(second), "-i", "file:" + path, "-frames:v", "1",
                "-vf", "crop=140:18:90:185,signalstats,metadata=print:key=lavfi.signalstats.YAVG", "-f", "null", "-"},
               &out);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("YAVG=([0-9.]+)")).match(out);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

// The first and last sector and the length of a cell, from the IFO through libdvdread.
struct Cell {
    uint32_t first = 0, last = 0;
    double seconds = 0;
};

void Quiet(void *, dvd_logger_level_t, const char *, va_list) {}

Cell CellOf(const QString &disc, int titleSet, int cell)
{
    static const dvd_logger_cb quiet{Quiet};
    Cell result;
    dvd_reader_t *dvd = DVDOpen2(nullptr, &quiet, QFile::encodeName(disc).constData());
    if (!dvd)
        return result;
    if (ifo_handle_t *ifo = ifoOpen(dvd, titleSet)) {
        const pgc_t *pgc = ifo->vts_pgcit->pgci_srp[0].pgc;
        if (cell < pgc->nr_of_cells) {
            const cell_playback_t &c = pgc->cell_playback[cell];
            const auto bcd = [](uint8_t v) { return (v >> 4) * 10 + (v & 0x0f); };
            result = {c.first_sector, c.last_sector,
                      bcd(c.playback_time.hour) * 3600.0 + bcd(c.playback_time.minute) * 60.0 +
                          bcd(c.playback_time.second) +
                          bcd(c.playback_time.frame_u & 0x3f) / ((c.playback_time.frame_u >> 6) == 3 ? 29.97 : 25.0)};
        }
        ifoClose(ifo);
    }
    DVDClose(dvd);
    return result;
}

QString Address(const QString &disc, uint32_t first, uint32_t last, const char *audio, const char *subtitle,
                int titleSet = 1)
{
    return QStringLiteral("vts://%1*%2*%3*%4*%5*")
               .arg(titleSet, 2, 10, QLatin1Char('0'))
               .arg(first)
               .arg(last)
               .arg(QLatin1String(audio), QLatin1String(subtitle)) +
           disc;
}

// The program's DVD title line for a small MPEG-4 AVI; duration "" for none.
QString DvdLine(const QString &address, const QString &output, const QString &duration = QStringLiteral("00:00:04"),
                const QString &profile = QStringLiteral(" -vcodec mpeg4 -pix_fmt yuv420p -vtag XVID -acodec libmp3lame -f avi "))
{
    intputrec job;
    job.encoderPath = Encoder();
    job.workingFolder = binDir();
    job.input = address;
    job.output = output;
    job.videoPiece = QStringLiteral(" -r 25 -b 600000");
    job.audioBitratePiece = QStringLiteral(" -ab 128000");
    job.channelsPiece = QStringLiteral(" -ac 2");
    job.aspectPiece = QStringLiteral(" -aspect 1.3333");
    job.durationPiece = duration.isEmpty() ? QString() : QStringLiteral(" -t ") + duration;
    job.sizePiece = QStringLiteral(" -s 320x240");
    job.sampleRatePiece = QStringLiteral(" -ar 44100 ");
    job.profileOptions = profile;
    return DvdTitleCommandLine(job);
}

class MydvdDll : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        coreApp();
        s_dir = new QTemporaryDir;
        // Blanks and letters beyond ASCII in every rip's address.
        s_disc = s_dir->filePath(QStringLiteral("Mein Fïlm – ディスク"));
        ASSERT_TRUE(ravenmoor::test::makeDvdFixture(s_disc));
        s_title = CellOf(s_disc, 1, 0);
        s_title.last = CellOf(s_disc, 1, 3).last;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    QString out(const char *name) const { return m_out.filePath(QString::fromUtf8(name)); }

    static QTemporaryDir *s_dir;
    static QString s_disc;
    static Cell s_title; // title set 1's title: four cells
    QTemporaryDir m_out;
};

QTemporaryDir *MydvdDll::s_dir = nullptr;
QString MydvdDll::s_disc;
Cell MydvdDll::s_title;

TEST_F(MydvdDll, TakesTheAudioStreamByItsIdAndReportsProgress)
{
    ASSERT_GT(s_title.last, 7000u) << "the fixture's title";
    const struct {
        const char *audio;
        int loud, quiet; // Hz
    } table[] = {{"0x81", 1760, 440}, {"0x80", 440, 1760}};
    for (const auto &row : table) {
        const QString output = out("Title_01.avi");
        const Finished run = RunLine(DvdLine(Address(s_disc, 0, s_title.last, row.audio, "0"), output));
        ASSERT_EQ(run.ends, QList<quint32>{0}) << row.audio << "\n" << run.text().toStdString();
        EXPECT_GE(ToneLevel(output, row.loud), ToneLevel(output, row.quiet) + 10) << row.audio;
        EXPECT_NEAR(durationOf(output), 4.0, 0.15) << row.audio;
        const QJsonObject video = streamOf(probeFile(output), QStringLiteral("video"));
        EXPECT_EQ(video.value(QLatin1String("width")).toInt(), 320) << row.audio;
        const QList<int32_t> seconds = StatusSeconds(run.reports);
        ASSERT_FALSE(seconds.isEmpty()) << run.text().toStdString();
        EXPECT_EQ(seconds.last(), 4) << row.audio;
        for (qsizetype i = 1; i < seconds.size(); ++i)
            EXPECT_GE(seconds[i], seconds[i - 1]) << row.audio;
        for (const QString &line : run.reports) {
            if (ParseEncoderSeconds(line) > 0) {
                EXPECT_GT(line.indexOf(QLatin1String("bitrate=")), line.indexOf(QLatin1String("time=")))
                    << line.toStdString();
            }
        }
        QFile::remove(output);
    }
    // No stream chosen, or one the title lacks: the first stream, said on the way.
    const QString output = out("first.avi");
    const Finished run = RunLine(DvdLine(Address(s_disc, 0, s_title.last, "0x83", "0"), output));
    ASSERT_EQ(run.ends, QList<quint32>{0}) << run.text().toStdString();
    EXPECT_TRUE(run.text().contains(QLatin1String("0x83 is not in the sectors"))) << run.text().toStdString();
    EXPECT_GE(ToneLevel(output, 440), ToneLevel(output, 1760) + 10);
}

// A 12-s PAL title whose second audio stream (0x81, 1760 Hz) starts at 8 s,
// long after the opening sectors; the first (0x80, 440 Hz) plays throughout.
bool MakeLateCommentaryDisc(const QString &dir)
{
    const QString mpg = dir + QStringLiteral(".mpg");
    const bool made =
        runProgram(QStringLiteral("ffmpeg"),
                   {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=720x576:rate=25:duration=12",
                    "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=12", "-itsoffset", "8", "-f",
                    "lavfi", "-i", "sine=frequency=1760:sample_rate=48000:duration=4", "-map", "0:v", "-map", "1:a",
                    "-map", "2:a", "-c:v", "mpeg2video", "-s", "720x576", "-r", "25", "-g", "15", "-b:v", "5000k",
                    "-maxrate", "5000k", "-bufsize", "1835k", "-aspect", "4:3", "-c:a", "ac3", "-b:a", "192k", "-ac", "2",
                    "-f", "dvd", "-muxrate", "10080000", "-packetsize", "2048", mpg}) == 0 &&
        runProgram(QStringLiteral("env"), {"VIDEO_FORMAT=PAL", "dvdauthor", "-o", dir, "-t", "-a", "ac3+en,ac3+fr", mpg}) == 0 &&
        runProgram(QStringLiteral("env"), {"VIDEO_FORMAT=PAL", "dvdauthor", "-o", dir, "-T"}) == 0;
    QFile::remove(mpg);
    return made;
}

// The first sector of the title VOB whose pack carries private-stream-1 substream id.
qint64 FirstSectorOf(const QString &disc, int id)
{
    QFile vob(disc + QStringLiteral("/VIDEO_TS/VTS_01_1.VOB"));
    if (!vob.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = vob.readAll();
    for (qsizetype at = 0; at + 2048 <= data.size(); at += 2048) {
        const qsizetype pes = at + 14 + (data[at + 13] & 7);
        if (static_cast<unsigned char>(data[pes + 3]) == 0xbd &&
            static_cast<unsigned char>(data[pes + 9 + static_cast<unsigned char>(data[pes + 8])]) == id)
            return at / 2048;
    }
    return -1;
}

TEST_F(MydvdDll, RipsAnAudioStreamThatStartsLongAfterTheTitle)
{
    const QString disc = m_out.filePath(QStringLiteral("late commentary"));
    ASSERT_TRUE(MakeLateCommentaryDisc(disc));
    ASSERT_GT(FirstSectorOf(disc, 0x81), 1500) << "the commentary must start well after the opening";
    const Cell title = CellOf(disc, 1, 0);
    const QString output = out("commentary.avi");
    const Finished run = RunLine(DvdLine(Address(disc, 0, title.last, "0x81", "0"), output, {}));
    ASSERT_EQ(run.ends, QList<quint32>{0}) << run.text().toStdString();
    EXPECT_FALSE(run.text().contains(QLatin1String("warning"))) << run.text().toStdString();
    EXPECT_NEAR(durationOf(output), 12.0, 0.3);
    // Silence until the commentary's first packet, then the commentary, in step with the picture.
    EXPECT_LT(ToneLevel(output, 1760, 0.5, 7), -70);
    EXPECT_LT(ToneLevel(output, 440, 0.5, 7), -70);
    EXPECT_GE(ToneLevel(output, 1760, 8.3, 3), ToneLevel(output, 440, 8.3, 3) + 10);
    EXPECT_GT(ToneLevel(output, 1760, 8.3, 3), -40);

    // Sectors before the commentary begins do not hold it: the first stream, with a warning.
    const QString before = out("before.avi");
    const Finished early = RunLine(DvdLine(Address(disc, 0, 1200, "0x81", "0"), before, {}));
    ASSERT_EQ(early.ends, QList<quint32>{0}) << early.text().toStdString();
    EXPECT_TRUE(early.text().contains(QLatin1String("mydvd.dll: warning: audio stream 0x81 is not in the sectors")))
        << early.text().toStdString();
    EXPECT_GE(ToneLevel(before, 440), ToneLevel(before, 1760) + 10);
}

// A 12-s NTSC title of three audio streams, AC-3 440 Hz (0x80), MP2 660 Hz
// (0xc0) and AC-3 1250 Hz (0x81) that starts 6 s in, in chapters at 0 and
// 8 s. At this low video rate the opening sectors reach past 6 s: they hold
// the late stream's first packet.
bool MakeLateLanguageDisc(const QString &dir)
{
    QTemporaryDir work;
    const QString mpg = work.filePath(QStringLiteral("title.mpg"));
    const QStringList args =
        QStringList{"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=720x480:rate=30000/1001:duration=12",
                    "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=12",
                    "-f", "lavfi", "-i", "sine=frequency=660:sample_rate=48000:duration=12", "-itsoffset", "6",
                    "-f", "lavfi", "-i", "sine=frequency=1250:sample_rate=48000:duration=6",
                    "-map", "0:v", "-map", "1:a", "-map", "2:a", "-map", "3:a"} +
        ravenmoor::test::dvdVideoOptions(QStringLiteral("ntsc")) +
        QStringList{"-b:v", "2000k", "-minrate", "2000k", "-maxrate", "2000k", "-c:a:0", "ac3", "-c:a:1", "mp2", "-c:a:2", "ac3",
                    "-b:a", "128k", "-ac", "2"} +
        ravenmoor::test::dvdMuxOptions() + QStringList{mpg};
    return runProgram(QStringLiteral("ffmpeg"), args) == 0 &&
           ravenmoor::test::authorDvd(
               dir, QStringLiteral("ntsc"),
               QStringLiteral("<titleset><titles><video format=\"ntsc\" aspect=\"4:3\"/><audio lang=\"en\"/>"
                              "<audio lang=\"fr\"/><audio lang=\"de\"/><pgc><vob file=\"%1\" chapters=\"0,8\"/></pgc>"
                              "</titles></titleset>")
                   .arg(mpg));
}

double AudioSecondsOf(const QString &path)
{
    return streamOf(probeFile(path), QStringLiteral("audio")).value(QLatin1String("duration")).toString().toDouble();
}

// Whatever part is ripped and into whatever output, the late stream sounds
// where it lies on the disc, silence before it, and the sound lasts as the picture.
TEST_F(MydvdDll, ALateAudioStreamStaysWhereItLiesInEveryPartAndOutput)
{
    const QString disc = m_out.filePath(QStringLiteral("late language"));
    ASSERT_TRUE(MakeLateLanguageDisc(disc));
    const Cell first = CellOf(disc, 1, 0);
    const Cell second = CellOf(disc, 1, 1);
    const Cell title{first.first, second.last, 12};
    ASSERT_NEAR(first.seconds, 8, 0.5);
    const QString avi = QStringLiteral(" -vcodec mpeg4 -pix_fmt yuv420p -vtag XVID -acodec mp2 -f avi ");
    const struct {
        const char *name;
        Cell part;
        QString profile;
        double toneFrom; // where the stream starts in the output
    } table[] = {
        {"title.avi", title, avi, 6},
        {"title.3g2", title, QStringLiteral(" -vcodec mpeg4 -pix_fmt yuv420p -acodec aac -f 3g2 "), 6},
        {"title.mpg", title, QStringLiteral(" -vcodec mpeg2video -acodec mp2 -f vob "), 6},
        {"title.mp3", title, QStringLiteral(" -vn -acodec libmp3lame -f mp3 "), 6},
        {"chapter 1.avi", first, avi, 6},
        {"chapter 2.avi", second, avi, 0},
    };
    for (const auto &row : table) {
        const QString output = out(row.name);
        const Finished run = RunLine(DvdLine(Address(disc, row.part.first, row.part.last, "0x81", "0"), output, {}, row.profile));
        ASSERT_EQ(run.ends, QList<quint32>{0}) << row.name << "\n" << run.text().toStdString();
        EXPECT_FALSE(run.text().contains(QLatin1String("warning"))) << row.name << "\n" << run.text().toStdString();
        EXPECT_NEAR(AudioSecondsOf(output), row.part.seconds, 0.25) << row.name;
        if (row.toneFrom > 0) {
            EXPECT_LT(ToneLevel(output, 1250, 0.2, row.toneFrom - 0.4), -70) << row.name;
        }
        EXPECT_GT(ToneLevel(output, 1250, row.toneFrom + 0.1, 1), -40) << row.name;
        EXPECT_LT(ToneLevel(output, 440, row.toneFrom + 0.1, 1), ToneLevel(output, 1250, row.toneFrom + 0.1, 1) - 10)
            << row.name;
    }
}

TEST_F(MydvdDll, BurnsTheSubtitleInWhereTheDiscShowsIt)
{
    const QString with = out("with.avi");
    const QString without = out("without.avi");
    const QString absent = out("absent.avi");
    const Finished burned = RunLine(DvdLine(Address(s_disc, 0, s_title.last, "0x80", "0x20"), with, "00:00:07"));
    ASSERT_EQ(burned.ends, QList<quint32>{0}) << burned.text().toStdString();
    ASSERT_EQ(RunLine(DvdLine(Address(s_disc, 0, s_title.last, "0x80", "0"), without, "00:00:07")).ends,
              QList<quint32>{0});
    // A subtitle the title does not have: ripped without it, said, no failure.
    const Finished missing = RunLine(DvdLine(Address(s_disc, 0, s_title.last, "0x80", "0x21"), absent, "00:00:07"));
    ASSERT_EQ(missing.ends, QList<quint32>{0}) << missing.text().toStdString();
    EXPECT_TRUE(missing.text().contains(QLatin1String("subtitle 0x21 is not on this title"))) << missing.text().toStdString();

    // The fixture shows a white box from 2 s to 4 s of the title.
    EXPECT_GT(BoxBrightness(with, 3), 220);
    EXPECT_LT(BoxBrightness(without, 3), 180);
    EXPECT_LT(BoxBrightness(absent, 3), 180);
    EXPECT_LT(BoxBrightness(with, 6), 180) << "the box is gone after 4 s";
    EXPECT_NEAR(BoxBrightness(with, 6), BoxBrightness(without, 6), 3);

    // A chapter after the subtitle's picture: the stream is known, nothing is shown, the rip goes through.
    const Cell third = CellOf(s_disc, 1, 2);
    const QString later = out("later.avi");
    const Finished chapter = RunLine(DvdLine(Address(s_disc, third.first, third.last, "0x80", "0x20"), later, {}));
    ASSERT_EQ(chapter.ends, QList<quint32>{0}) << chapter.text().toStdString();
    EXPECT_LT(BoxBrightness(later, 1), 180);
    EXPECT_NEAR(durationOf(later), third.seconds, 0.3);
}

TEST_F(MydvdDll, OutputLastsAsTheSectorRangeOrTheDuration)
{
    const Cell second = CellOf(s_disc, 1, 1);
    const Cell other = CellOf(s_disc, 2, 0);
    ASSERT_GT(second.seconds, 5);
    const struct {
        const char *name;
        QString address;
        QString duration;
        double seconds;
    } table[] = {
        {"one chapter", Address(s_disc, second.first, second.last, "0x81", "0"), {}, second.seconds},
        {"the other title set", Address(s_disc, other.first, other.last, "0x80", "0", 2), {}, other.seconds},
        {"the duration cuts the title", Address(s_disc, 0, s_title.last, "0x81", "0"), "00:00:03", 3.0},
    };
    for (const auto &row : table) {
        const QString output = out("range.avi");
        const Finished run = RunLine(DvdLine(row.address, output, row.duration));
        ASSERT_EQ(run.ends, QList<quint32>{0}) << row.name << "\n" << run.text().toStdString();
        EXPECT_NEAR(durationOf(output), row.seconds, 0.3) << row.name;
        QFile::remove(output);
    }
}

TEST_F(MydvdDll, OpensCopiesWhoseVideoTsFolderIsNamedInAnyCase)
{
    const QString copy = m_out.filePath(QStringLiteral("copy"));
    const QString files = copy + QStringLiteral("/Video_Ts");
    ASSERT_TRUE(QDir().mkpath(files));
    const QDir original(s_disc + QStringLiteral("/VIDEO_TS"));
    for (const QString &name : original.entryList(QDir::Files))
        ASSERT_TRUE(QFile::link(original.filePath(name), files + u'/' + name.toLower()));
    const QString output = out("copy.avi");
    const Finished run = RunLine(DvdLine(Address(copy, 0, s_title.last, "0x81", "0"), output, "00:00:02"));
    ASSERT_EQ(run.ends, QList<quint32>{0}) << run.text().toStdString();
    EXPECT_NEAR(durationOf(output), 2.0, 0.15);
}

TEST_F(MydvdDll, EncodesAmrNbItselfFromOneReading)
{
    const struct {
        const char *name;
        QString profile;
        bool video;
    } table[] = {
        {"a.3gp", QStringLiteral(" -vcodec h263 -acodec libopencore_amrnb -f 3gp "), true},
        {"a.amr", QStringLiteral(" -vn -acodec libopencore_amrnb -f amr "), false},
    };
    for (const auto &row : table) {
        const QString output = out(row.name);
        // The program's pieces for these profiles: 8 kHz mono, an AMR bit rate, a 3GP frame size.
        QString line = DvdLine(Address(s_disc, 0, s_title.last, "0x81", "0x20"), output, "00:00:03", row.profile);
        line.replace(QLatin1String(" -s 320x240"), QLatin1String(" -s 176x144"))
            .replace(QLatin1String(" -ab 128000"), QLatin1String(" -ab 12200"))
            .replace(QLatin1String(" -ar 44100 "), QLatin1String(" -ar 8000 "))
            .replace(QLatin1String(" -ac 2"), QLatin1String(" -ac 1 "));
        const Finished run = RunLine(line);
        ASSERT_EQ(run.ends, QList<quint32>{0}) << row.name << "\n" << run.text().toStdString();
        EXPECT_FALSE(StatusSeconds(run.reports).isEmpty()) << row.name;
        const QJsonObject probe = probeFile(output);
        const QJsonObject audio = streamOf(probe, QStringLiteral("audio"));
        EXPECT_EQ(audio.value(QLatin1String("codec_name")).toString(), QStringLiteral("amr_nb")) << row.name;
        EXPECT_EQ(streamOf(probe, QStringLiteral("video")).value(QLatin1String("width")).toInt(), row.video ? 176 : 0)
            << row.name;
        EXPECT_NEAR(durationOf(output), 3.0, 0.2) << row.name;
        EXPECT_GE(ToneLevel(output, 1760), ToneLevel(output, 440) + 10) << row.name;
        EXPECT_EQ(QDir(m_out.path()).entryList(QDir::Files), QStringList{QString::fromUtf8(row.name)}) << row.name;
        QFile::remove(output);
    }
}

// A copy of the fixture whose packs from sector `from` on carry the CSS scrambling bits.
QString ScrambledCopy(const QString &disc, const QString &copy, uint32_t from)
{
    QDir().mkpath(copy + QStringLiteral("/VIDEO_TS"));
    const QDir original(disc + QStringLiteral("/VIDEO_TS"));
    for (const QString &name : original.entryList(QDir::Files))
        QFile::copy(original.filePath(name), copy + QStringLiteral("/VIDEO_TS/") + name);
    QFile vob(copy + QStringLiteral("/VIDEO_TS/VTS_01_1.VOB"));
    if (!vob.open(QIODevice::ReadWrite))
        return {};
    QByteArray data = vob.readAll();
    for (qsizetype at = qsizetype(from) * 2048; at + 2048 <= data.size(); at += 2048) {
        const qsizetype pes = at + 14 + (data[at + 13] & 7);
        const auto id = static_cast<unsigned char>(data[pes + 3]);
        if (data[pes + 2] == 1 && (id == 0xbd || id == 0xe0 || id == 0xc0))
            data[pes + 6] = char(data[pes + 6] | 0x10);
    }
    vob.seek(0);
    vob.write(data);
    return copy;
}

// A copy of the fixture made of links to its files, with `name` a FIFO, or a
// link to `device` when one is given.
QString CopyWithSpecialFile(const QString &disc, const QString &copy, const QString &name, const char *device = nullptr)
{
    const QString files = copy + QStringLiteral("/VIDEO_TS");
    QDir().mkpath(files);
    const QDir original(disc + QStringLiteral("/VIDEO_TS"));
    for (const QString &file : original.entryList(QDir::Files)) {
        if (file != name)
            QFile::link(original.filePath(file), files + u'/' + file);
    }
    const QString special = files + u'/' + name;
    const bool made = device ? QFile::link(QString::fromLatin1(device), special)
                             : ::mkfifo(QFile::encodeName(special).constData(), 0600) == 0;
    return made ? copy : QString();
}

TEST_F(MydvdDll, WhatItCannotRipEndsNonZeroWithAClearMessage)
{
    const QString encrypted = ScrambledCopy(s_disc, m_out.filePath(QStringLiteral("encrypted")), 3000);
    ASSERT_FALSE(encrypted.isEmpty());
    const QString fifoVob = CopyWithSpecialFile(s_disc, m_out.filePath(QStringLiteral("fifo vob")), "VTS_01_1.VOB");
    const QString fifoIfo = CopyWithSpecialFile(s_disc, m_out.filePath(QStringLiteral("fifo ifo")), "VTS_01_0.IFO");
    const QString deviceVob =
        CopyWithSpecialFile(s_disc, m_out.filePath(QStringLiteral("device vob")), "VTS_01_1.VOB", "/dev/zero");
    ASSERT_FALSE(fifoVob.isEmpty() || fifoIfo.isEmpty() || deviceVob.isEmpty());
    QDir().mkpath(m_out.filePath(QStringLiteral("empty/VIDEO_TS")));
    const struct {
        const char *name;
        QString address;
        const char *message;
    } table[] = {
        {"past the VOB", Address(s_disc, 0, s_title.last + 1, "0x80", "0"), "lie past the end of title set 01"},
        {"missing folder", Address(m_out.filePath(QStringLiteral("gone away")), 0, 10, "0x80", "0"), "does not exist"},
        {"folder without a DVD", Address(m_out.filePath(QStringLiteral("empty")), 0, 10, "0x80", "0"), "no DVD"},
        {"unknown title set", Address(s_disc, 0, 10, "0x80", "0", 3), "title set 03 is not on the DVD"},
        {"start after end", Address(s_disc, 10, 9, "0x80", "0"), "lies after the end sector"},
        {"scrambled from the first sector read", Address(encrypted, 3000, s_title.last, "0x80", "0"), "encrypted"},
        {"scrambled further on", Address(encrypted, 0, s_title.last, "0x80", "0"), "encrypted"},
        {"a FIFO for the title's VOB", Address(fifoVob, 0, 10, "0x80", "0"), "VTS_01_1.VOB\" is not a regular file"},
        {"a FIFO for the title set's IFO", Address(fifoIfo, 0, 10, "0x80", "0"), "VTS_01_0.IFO\" is not a regular file"},
        {"a device for the title's VOB", Address(deviceVob, 0, 10, "0x80", "0"), "VTS_01_1.VOB\" is not a regular file"},
    };
    for (const auto &row : table) {
        const QString output = out("failed.avi");
        const Finished run = RunLine(DvdLine(row.address, output, {}));
        ASSERT_EQ(run.ends.size(), 1) << row.name;
        EXPECT_NE(run.ends[0], 0u) << row.name;
        EXPECT_TRUE(run.text().contains(QLatin1String(row.message))) << row.name << "\n" << run.text().toStdString();
        EXPECT_TRUE(WaitFor([&] { return processesInGroup(run.group) == 0; }, 3000)) << row.name;
        QFile::remove(output);
    }
    // ffmpeg's own failure, relayed; and an output it reports unwritable though it ends well.
    const Finished bad = RunLine(DvdLine(Address(s_disc, 0, s_title.last, "0x80", "0"), out("x.avi"), "00:00:01",
                                         QStringLiteral(" -vcodec no_such_codec -f avi ")));
    ASSERT_EQ(bad.ends.size(), 1);
    EXPECT_NE(bad.ends[0], 0u);
    EXPECT_TRUE(bad.text().contains(QLatin1String("ffmpeg: Unknown encoder 'no_such_codec'"))) << bad.text().toStdString();
    // A full disc: ffmpeg fails on the first write it cannot make, or, when the
    // whole output fits its buffer, ends well after failing to write the trailer.
    const struct {
        const char *name;
        const char *duration, *size;
        const char *message;
    } full[] = {
        {"output larger than ffmpeg's buffer", "00:00:02", " -s 320x240", "No space left on device"},
        {"output within ffmpeg's buffer", "00:00:01", " -s 64x48", "the output could not be written"},
    };
    for (const auto &row : full) {
        QString line = DvdLine(Address(s_disc, 0, s_title.last, "0x80", "0"), QStringLiteral("/dev/full"),
                               QString::fromLatin1(row.duration));
        line.replace(QLatin1String(" -s 320x240"), QLatin1String(row.size));
        const Finished run = RunLine(line);
        ASSERT_EQ(run.ends.size(), 1) << row.name;
        EXPECT_NE(run.ends[0], 0u) << row.name;
        EXPECT_TRUE(run.text().contains(QLatin1String(row.message))) << row.name << "\n" << run.text().toStdString();
        // After the status lines, the message stands on a line of its own, as the program keeps it.
        EXPECT_FALSE(StatusSeconds(run.reports).isEmpty()) << row.name;
        EXPECT_FALSE(run.reports
                         .filter(QRegularExpression(QStringLiteral("^(mydvd\\.dll|ffmpeg): .*") +
                                                    QRegularExpression::escape(QLatin1String(row.message)) + u'$'))
                         .isEmpty())
            << row.name << "\n" << run.text().toStdString();
    }
}

// A rip stopped mid-way: nothing of it is left, and it ends at once.
TEST_F(MydvdDll, StopEndsTheRipAndItsFfmpegPromptly)
{
    // The sectors read at the title's own pace (-re before the input), so the rip is still running.
    QString line = DvdLine(Address(s_disc, 0, s_title.last, "0x81", "0x20"), out("stopped.avi"), {});
    line.replace(QLatin1String(" -i "), QLatin1String(" -re -i "));
    const struct {
        const char *name;
        int signal;     // sent to mydvd.dll alone; 0: the runner's Stop of the whole group
        int endsWithin; // ms
    } table[] = {{"Stop", 0, 2500}, {"SIGTERM to mydvd.dll", SIGTERM, 2000}, {"SIGINT to mydvd.dll", SIGINT, 2000},
                 {"mydvd.dll killed", SIGKILL, 1000}};
    for (const auto &row : table) {
        QElapsedTimer sinceStop;
        bool stopped = false;
        const Finished run = RunLine(line, [&](TJvCreateProcess &runner, Finished &r) {
            const QList<int32_t> seconds = StatusSeconds(r.reports);
            if (stopped || seconds.isEmpty() || seconds.last() < 2)
                return;
            stopped = true;
            EXPECT_GE(processesInGroup(runner.ProcessId()), 2) << "ffmpeg runs";
            sinceStop.start();
            if (row.signal == 0)
                runner.Terminate();
            else
                ::kill(pid_t(runner.ProcessId()), row.signal);
        });
        ASSERT_TRUE(stopped) << row.name << "\n" << run.text().toStdString();
        ASSERT_EQ(run.ends.size(), 1) << row.name;
        EXPECT_NE(run.ends[0], 0u) << row.name;
        EXPECT_TRUE(WaitFor([&] { return processesInGroup(run.group) == 0; }, row.endsWithin)) << row.name;
        EXPECT_LT(sinceStop.elapsed(), row.endsWithin + 500) << row.name;
        EXPECT_LT(StatusSeconds(run.reports).last(), 10) << row.name << ": the rip ran on";
    }
}

// The program that started it killed outright: the rip and its ffmpeg end too.
TEST_F(MydvdDll, EndsWithTheProgramThatStartedIt)
{
    QString line = DvdLine(Address(s_disc, 0, s_title.last, "0x80", "0"), out("orphan.avi"), {});
    line.replace(QLatin1String(" -i "), QLatin1String(" -re -i "));
    EXPECT_TRUE(ravenmoor::test::EndsWithItsKilledParent(line, 3000));
}

} // namespace
