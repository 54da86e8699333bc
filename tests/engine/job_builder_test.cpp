#include "engine/job_builder.h"
#include "engine/profile_captions.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A profile as a selection leaves it, with the settings window's choices.
struct Chosen {
    EngineState state;
    SettingsModel settings;

    Chosen(int n, QStringList sizes, int sizeIndex, int video, int audio, QStringList channels, int channel)
    {
        state.currentProfile = n;
        state.profileCaption = ProfileCaption(n);
        settings.cb_size.SetItems(sizes);
        settings.cb_size.SetItemIndex(sizeIndex);
        settings.cb_videobitrate.SetItemIndex(video);
        settings.cb_audiobitrate.SetItemIndex(audio);
        settings.cb_channel.SetItems(channels);
        settings.cb_channel.SetItemIndex(channel);
    }
};

const QStringList kTwo{"Mono", "Stereo"};
const QStringList kThree{" Mono", "Stereo", "6 Channel"};

struct Pieces {
    QString size, aspect, video, audio, rate, channels, options;
};

Pieces build(Chosen &c, const QString *rowChannels = nullptr, const QString &rowFrame = {})
{
    Pieces p;
    p.size = BuildSizeArg(c.state, c.settings);
    p.aspect = BuildAspectArg(p.size, c.state, c.settings);
    p.video = BuildVideoBitrateArg(c.state, c.settings, rowFrame);
    p.audio = BuildAudioBitrateArg(c.state, c.settings);
    p.rate = BuildAudioRateArg(p.audio, c.state, c.settings);
    p.channels = BuildChannelsArg(c.state, c.settings, rowChannels);
    p.options = BuildDiscTargetOptions(c.state, c.settings);
    return p;
}

TEST(JobPieces, DiscTargetBuildsOnlyChannelsAndTarget)
{
    Chosen c(113, {"PAL", "NTSC"}, 0, 2, 2, kTwo, 1);
    const Pieces p = build(c);
    EXPECT_EQ(p.size, "");
    EXPECT_EQ(p.aspect, "");
    EXPECT_EQ(p.video, "");
    EXPECT_EQ(p.audio, "");
    EXPECT_EQ(p.rate, "");
    EXPECT_EQ(p.channels, " -ac 2");
    EXPECT_EQ(p.options, " -target pal-svcd ");
    Chosen vcd(112, {"PAL", "NTSC"}, 1, 2, 2, kTwo, 1);
    EXPECT_EQ(BuildDiscTargetOptions(vcd.state, vcd.settings), " -target ntsc-vcd ");
    Chosen dvd(114, {"PAL", "NTSC"}, 0, 2, 2, kTwo, 1);
    EXPECT_EQ(BuildDiscTargetOptions(dvd.state, dvd.settings), " -target pal-dvd ");
}

TEST(JobPieces, AudioPiecesByExtensionQualityAndChannels)
{
    const QString fiveOne = QStringLiteral(" 5:1");
    const struct {
        const char *what;
        int profile, audio, channel;
        QStringList channels;
        const QString *rowChannels;
        const char *ab, *ar, *ac;
    } table[] = {
        {"mp3 higher stereo", 17, 0, 1, kTwo, nullptr, " -ab 320000", " -ar 48000 ", " -ac 2"},
        {"mp3 high", 17, 1, 0, kTwo, nullptr, " -ab 192000", " -ar 44100 ", " -ac 1"},
        {"mp3 low", 17, 3, 1, kTwo, nullptr, " -ab 64000", " -ar 22050 ", " -ac 2"},
        {"amr normal", 71, 2, 1, kTwo, nullptr, " -ab 7400", " -ar 8000 ", " -ac 1 "},
        {"amr lower", 71, 4, 0, kTwo, nullptr, " -ab 4750", " -ar 8000 ", " -ac 1 "},
        {"3gp higher", 68, 0, 1, kTwo, nullptr, " -ab 12200", " -ar 8000 ", " -ac 1 "},
        {"6 channels on a dvd row", 103, 2, 2, kThree, nullptr, " -ab 128000", " -ar 48000 ", " -ac 6 "},
        {"6 channels, 5:1 file row", 103, 2, 2, kThree, &fiveOne, " -ab 128000", " -ar 48000 ", " -ac 2 "},
        {"no audio quality chosen", 17, -1, 1, kTwo, nullptr, " -ab 128000 ", " -ar 44100 ", " -ac 2"},
    };
    for (const auto &row : table) {
        Chosen c(row.profile, {"No Video"}, 0, 5, row.audio, row.channels, row.channel);
        c.settings.cb_size.SetEnabled(false);
        const Pieces p = build(c, row.rowChannels);
        EXPECT_EQ(p.audio, row.ab) << row.what;
        EXPECT_EQ(p.rate, row.ar) << row.what;
        EXPECT_EQ(p.channels, row.ac) << row.what;
    }
}

TEST(JobPieces, VideoPieceBySlotsOrFrameHeight)
{
    Chosen slot(27, {"320x240"}, 0, 1, 2, kTwo, 1);
    slot.state.videoRateSlots = {"768", "600", "500", "400", "300"};
    EXPECT_EQ(build(slot).video, " -r 25 -b 600000");

    Chosen audioOnly(17, {"No Video"}, 0, 5, 2, kTwo, 1);
    audioOnly.state.videoRateSlots[0] = "*";
    audioOnly.settings.cb_size.SetEnabled(false);
    EXPECT_EQ(build(audioOnly).video, "");
    EXPECT_EQ(build(audioOnly).size, "");

    Chosen height(102, {"320x240", "640x480", "The original"}, 1, 2, 2, kThree, 1);
    EXPECT_EQ(build(height).video, " -r 25 -b 1598000");
}

TEST(JobPieces, EachJobTakesTheHeightOfItsOwnRow)
{
    // Last frame-size item: the height comes from the job's row, not from
    // whichever row the estimate looked at last.
    Chosen c(102, {"320x240", "640x480", "The original"}, 2, 2, 2, kThree, 1);
    c.state.currentEstimateRow = 7;
    EXPECT_EQ(BuildVideoBitrateArg(c.state, c.settings, "1920x1080"), " -r 25 -b 3596000");
    EXPECT_EQ(BuildVideoBitrateArg(c.state, c.settings, "640x480"), " -r 25 -b 1598000");
}

TEST(JobPieces, AmrVideoRateLeavesOutTheAmrAudioRate)
{
    // 96 × 1.51 = 145 kbit/s of video; the total counts 12 kbit/s of AMR, so
    // the video piece is 145 kbit/s, never the total less 320 (negative).
    Chosen c(8, {"128x96", "176x144"}, 0, 4, 0, kTwo, 1);
    EXPECT_EQ(build(c).video, " -r 25 -b 145000");
}

TEST(JobPieces, SizeAndAspect)
{
    const struct {
        const char *text;
        const char *size, *aspect;
    } table[] = {
        {"640x480", " -s 640x480", " -aspect 1.3333"},
        {"720x576", " -s 720x576", " -aspect 1.2500"},
        {"1280x720(16:9)", " -s 1280x720", " -aspect 1.7778"},
        {"1000x90", " -s 1000x90", " -aspect 11.1110"},
    };
    for (const auto &row : table) {
        Chosen c(102, {row.text}, 0, 2, 2, kThree, 1);
        const Pieces p = build(c);
        EXPECT_EQ(p.size, row.size) << row.text;
        EXPECT_EQ(p.aspect, row.aspect) << row.text;
    }
}

TEST(JobPieces, AspectUsesADotInEveryLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Chosen c(102, {"640x480"}, 0, 2, 2, kThree, 1);
    EXPECT_EQ(build(c).aspect, " -aspect 1.3333");
    QLocale::setDefault(QLocale::c());
}

TEST(JobPieces, UnusableFrameSizesAreRefused)
{
    const struct {
        int profile;
        const char *text;
        bool enabled, usable;
    } table[] = {
        {102, "720x576", true, true},      {102, "640x480(4:3)", true, true}, {102, "720x", true, false},
        {102, "x576", true, false},        {102, "720", true, false},         {102, "640x480 (4:3)", true, false},
        {102, "0x480", true, false},       {102, "-640x480", true, false},    {102, "64a0x480", true, false},
        {102, "640x480x2", true, false},   {102, "", true, false},            {17, "No Video", false, true},
        {113, "PAL", true, true},          {113, "ntsc", true, true},         {113, "720x576", true, false},
        {113, "SECAM", false, false},
    };
    for (const auto &row : table) {
        Chosen c(row.profile, {}, -1, 2, 2, kThree, 1);
        c.settings.cb_size.SetText(row.text);
        c.settings.cb_size.SetEnabled(row.enabled);
        EXPECT_EQ(IsUsableFrameSize(c.state, c.settings), row.usable) << row.text;
        const QString refusal = FrameSizeRefusal(c.state, c.settings, {});
        EXPECT_EQ(refusal.isEmpty(), row.usable) << row.text;
        if (!row.usable) {
            EXPECT_TRUE(refusal.startsWith("Invalid height or width") && refusal.contains(row.text))
                << refusal.toStdString();
        }
    }
    Chosen c(102, {"720x"}, 0, 2, 2, kThree, 1);
    EXPECT_THROW(BuildAspectArg(" -s 720x", c.state, c.settings), FrameSizeError);
}

TEST(JobHelpers, ChangeFileExtAndDuration)
{
    EXPECT_EQ(ChangeFileExt("clip.avi", ".mp4"), "clip.mp4");
    EXPECT_EQ(ChangeFileExt("my.movie.avi", ".mp4"), "my.movie.mp4");
    EXPECT_EQ(ChangeFileExt("clip", ".mp4"), "clip.mp4");
    EXPECT_EQ(ChangeFileExt("a.b/clip", ".mp4"), "a.b/clip.mp4");
    EXPECT_EQ(BuildDurationArg(90), " -t 00:01:30");
    EXPECT_EQ(BuildDurationArg(360000), " -t 100:00:00");
    EXPECT_EQ(BuildDurationArg(0), ""); // a clip under one second converts whole
    EXPECT_EQ(BuildDurationArg(1), " -t 00:00:01");
}

TEST(JobHelpers, TypedOutputFoldersAreMadeAbsoluteAgainstHome)
{
    const struct {
        const char *typed, *kept;
    } table[] = {
        {"relout", "/home/ann/relout"},
        {"videos/out/", "/home/ann/videos/out"},
        {"./a/../b", "/home/ann/b"},
        {"/srv/media", "/srv/media"},
        {"/srv/media/../x", "/srv/x"},
        {"Mes vidéos", "/home/ann/Mes vidéos"},
        {"~", "/home/ann"},
        {"~/Videos", "/home/ann/Videos"},
        {"~other", "/home/ann/~other"},
        {"", ""},
    };
    for (const auto &row : table)
        EXPECT_EQ(AbsoluteOutputFolder(QString::fromUtf8(row.typed), "/home/ann"), QString::fromUtf8(row.kept))
            << row.typed;
}

class OutputNames : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path() + "/out"; }
    void touch(const QString &name)
    {
        QFile f(folder() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

TEST_F(OutputNames, ExistingFilesAreSkipped)
{
    ASSERT_TRUE(QDir().mkdir(folder()));
    touch("clip.avi.mp4");
    touch("clip.avi_1.mp4");
    EXPECT_EQ(UniqueOutputPath(folder(), "clip.avi", "clip.avi", ".mp4", {}), folder() + "/clip.avi_2.mp4");
    EXPECT_EQ(UniqueOutputPath(folder() + "/", "other", "other", ".mp4", {}), folder() + "/other.mp4");
}

// Every name the rule can make from a caption (the longest "_n" included)
// must fit the 255 bytes of a file name; bytes count, not characters.
TEST(OutputNameLength, CaptionFitsWithTheLongestNumberAndTheExtension)
{
    const QString umlaut = QString(QChar(0xE4)); // two bytes in UTF-8
    const struct {
        QString caption;
        const char *ext;
        bool fits;
    } cases[] = {
        {QString(240, 'a'), ".mp4", true},   // 240 + "_2147483647" + 4 = 255
        {QString(241, 'a'), ".mp4", false},
        {QString(239, 'a'), ".flac", true},
        {QString(240, 'a'), ".flac", false},
        {umlaut.repeated(120), ".mp4", true}, // 120 characters, 240 bytes
        {umlaut.repeated(120) + "a", ".mp4", false},
        {QString(300, 'a'), "", false},
        {"clip", ".mp4", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CaptionFitsFileName(c.caption, c.ext), c.fits) << c.caption.size() << " " << c.ext;
    // What fits can be made: the longest name with the highest number is a file.
    QTemporaryDir dir;
    QFile longest(dir.filePath(QString(240, 'a') + "_2147483647.mp4"));
    EXPECT_TRUE(longest.open(QIODevice::WriteOnly));
}

TEST_F(OutputNames, MissingFolderIsCreated)
{
    EXPECT_EQ(UniqueOutputPath(folder(), "clip", "clip", ".avi", {}), folder() + "/clip.avi");
    EXPECT_TRUE(QFileInfo(folder()).isDir());
}

// A file row's caption is its source name less the extension: every part of
// it stays, the profile's extension is appended, the numbering is unchanged.
TEST_F(OutputNames, FileRowsKeepTheWholeCaption)
{
    ASSERT_TRUE(QDir().mkdir(folder()));
    touch("taken.mp4");
    const struct {
        const char *caption; // as the list makes it from the source name in the comment
        const char *output;
    } table[] = {
        {"a", "a.mp4"},                                   // a.mp4
        {"Movie.2010.720p", "Movie.2010.720p.mp4"},       // Movie.2010.720p.mkv
        {"Show.S01E01.Pilot", "Show.S01E01.Pilot.mp4"},   // Show.S01E01.Pilot.avi
        {"no_extension", "no_extension.mp4"},             // no_extension
        {"clip.avi", "clip.avi.mp4"},                     // a caption the user renamed
        {"Mein Urlaub – Øresund", "Mein Urlaub – Øresund.mp4"},
        {"taken", "taken_1.mp4"},                         // the numbering rule
    };
    for (const auto &row : table) {
        Chosen c(122, {"320x240"}, 0, 2, 2, kTwo, 1);
        c.settings.ed_output = folder();
        Toriginalinfo info;
        info.path = "/src/x.mkv";
        info.duration = "00:00:10";
        BuildFileJob(c.state, c.settings, QString::fromUtf8(row.caption), info, ClipRange{0, 0, 0, 10, 0});
        EXPECT_EQ(c.state.currentJob.output, folder() + "/" + QString::fromUtf8(row.output)) << row.caption;
    }
}

TEST_F(OutputNames, TwoRowsOfOneRunNeverShareAName)
{
    Chosen c(122, {"320x240", "640x480"}, 0, 2, 2, kTwo, 1);
    c.settings.ed_output = folder();
    Toriginalinfo info;
    info.path = "/src/a/clip.avi";
    info.duration = "00:00:10";
    ClipRange clip{0, 0, 0, 10, 0};
    BuildFileJob(c.state, c.settings, "clip", info, clip);
    const QString first = c.state.currentJob.output;
    info.path = "/src/b/clip.avi";
    BuildFileJob(c.state, c.settings, "clip", info, clip);
    EXPECT_EQ(first, folder() + "/clip.mp4");
    EXPECT_EQ(c.state.currentJob.output, folder() + "/clip_1.mp4");
}

TEST_F(OutputNames, DvdRowsDropLeadingBlanksInEveryName)
{
    Chosen c(111, {"720x576"}, 0, 2, 2, kTwo, 1);
    c.settings.ed_output = folder();
    Toriginalinfo info;
    TConvertInfo dvd;
    const char *expected[] = {"/Chapter_02.mpg", "/Chapter_02_1.mpg", "/Chapter_02_2.mpg"};
    for (const char *name : expected) {
        BuildDvdJob(c.state, c.settings, "  Chapter_02", info, dvd, "vts://01*0*10*128*0*/d");
        EXPECT_EQ(c.state.currentJob.output, folder() + name);
    }
}

TEST(JobBuild, FileRowFillsEveryPieceInTheCurrentJob)
{
    QTemporaryDir dir;
    Chosen c(102, {"320x240", "640x480", "The original"}, 1, 2, 2, kThree, 1);
    c.settings.ed_output = dir.path();
    c.state.profileOptionString = " -vcodec libx264 -f avi ";
    c.state.currentJob.profileOptions = " -ss 00:00:05 -f image2 "; // left by a snapshot
    c.state.currentJob.extraOption = " -ss 00:00:05";
    c.state.currentJob.encoderPath = "/bin/register.dat";
    Toriginalinfo info;
    info.path = "/videos/holiday trip.mkv";
    info.duration = "00:02:00";
    info.channels = " stereo";
    info.frameSize = "1920x1080";
    BuildFileJob(c.state, c.settings, "holiday trip", info, ClipRange{0, 0, 30, 120, 0});
    const intputrec &job = c.state.currentJob;
    EXPECT_EQ(c.state.outputFolder, dir.path());
    EXPECT_EQ(job.input, "/videos/holiday trip.mkv");
    EXPECT_EQ(job.output, dir.path() + "/holiday trip.avi");
    EXPECT_EQ(job.sizePiece, " -s 640x480");
    EXPECT_EQ(job.aspectPiece, " -aspect 1.3333");
    EXPECT_EQ(job.videoPiece, " -r 25 -b 1598000");
    EXPECT_EQ(job.audioBitratePiece, " -ab 128000");
    EXPECT_EQ(job.sourceSeconds, 120);
    EXPECT_EQ(job.sampleRatePiece, " -ar 44100 ");
    EXPECT_EQ(job.channelsPiece, " -ac 2");
    EXPECT_EQ(job.extraOption, " -ss 00:00:30"); // the snapshot's option is gone
    EXPECT_EQ(job.durationPiece, " -t 00:01:30");
    EXPECT_EQ(job.clipSeconds, 90);
    EXPECT_EQ(c.state.currentClipSeconds, 90);
    EXPECT_EQ(job.profileOptions, " -vcodec libx264 -f avi ");
    EXPECT_EQ(job.encoderPath, "/bin/register.dat"); // untouched by a build
}

TEST(JobBuild, MarkedClipStartsAtItsMark)
{
    QTemporaryDir dir;
    Chosen c(122, {"320x240"}, 0, 2, 2, kTwo, 1);
    c.settings.ed_output = dir.path();
    Toriginalinfo info;
    info.duration = "00:10:00";
    BuildFileJob(c.state, c.settings, "a", info, ClipRange{0, 0, 0, 600, 0});
    EXPECT_EQ(c.state.currentJob.extraOption, "");
    BuildFileJob(c.state, c.settings, "b", info, ClipRange{0, 0, 75, 135, 0});
    EXPECT_EQ(c.state.currentJob.extraOption, " -ss 00:01:15");
    EXPECT_EQ(c.state.currentJob.durationPiece, " -t 00:01:00");
}

TEST(JobBuild, UnusableFrameSizeStopsTheBuildBeforeAnythingChanges)
{
    QTemporaryDir dir;
    Chosen c(102, {}, -1, 2, 2, kThree, 1);
    c.settings.cb_size.SetText("720x");
    c.settings.ed_output = dir.path();
    c.state.currentJob.output = "previous";
    Toriginalinfo info;
    EXPECT_THROW(BuildFileJob(c.state, c.settings, "clip", info, ClipRange{}), FrameSizeError);
    EXPECT_EQ(c.state.currentJob.output, "previous");
    EXPECT_TRUE(c.state.usedOutputNames.isEmpty());
}

TEST(JobBuild, DvdRowTakesClipLengthFromItsTitleAndKeepsSixChannels)
{
    QTemporaryDir dir;
    Chosen c(113, {"PAL", "NTSC"}, 1, 2, 2, kTwo, 1);
    c.settings.ed_output = dir.path();
    c.state.currentJob.clipSeconds = 77;
    Toriginalinfo info;
    info.duration = "01:00:00";
    TConvertInfo dvd;
    dvd.startSeconds = 60;
    dvd.endSeconds = 3660;
    BuildDvdJob(c.state, c.settings, "Title_01", info, dvd, "vts://01*0*10*128*0*/disc");
    const intputrec &job = c.state.currentJob;
    EXPECT_EQ(job.input, "vts://01*0*10*128*0*/disc");
    EXPECT_EQ(job.output, dir.path() + "/Title_01.mpg");
    EXPECT_EQ(job.durationPiece, "") << "the sectors bound the rip, not whole seconds";
    EXPECT_EQ(c.state.currentClipSeconds, 3600);
    EXPECT_EQ(job.clipSeconds, 77); // a file-row field
    EXPECT_EQ(job.profileOptions, " -target ntsc-svcd ");
    EXPECT_EQ(job.sourceSeconds, 3600);
}

struct RecordingTexts : JobTextDisplay {
    QStringList calls;
    void setJobText(const QString &object, const QString &text) override { calls << object + "=" + text; }
};

TEST(JobBuild, MakeUniqueOutputNameSetsTheJobTexts)
{
    QTemporaryDir dir;
    EngineState state;
    state.profileCaption = ProfileCaption(114);
    state.outputFolder = dir.path();
    QFile existing(dir.path() + "/Title_01.vob");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    RecordingTexts texts;
    const QString out = MakeUniqueOutputName(state, "Title_01", texts);
    EXPECT_EQ(out, dir.path() + "/Title_01_1.vob");
    EXPECT_EQ(state.currentJob.output, out);
    EXPECT_EQ(texts.calls, (QStringList{"filename=", "filesize=", "usedtime=", "resttime=", "filepath=" + out}));
}

} // namespace
