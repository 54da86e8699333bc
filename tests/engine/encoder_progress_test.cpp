#include "engine/encoder_command_line.h"
#include "engine/encoder_progress.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseEncoderSeconds, ReadsWholeSecondsBetweenTimeAndBitrate)
{
    const struct {
        const char *line;
        int32_t want;
    } cases[] = {
        {"frame=  50 fps=0.0 q=2.0 size=  100kB time=83.45 bitrate= 792.5kbits/s", 83},
        {"time=300.00 bitrate=", 300},
        {"time=0.04 bitrate=", 0},
        {"time=00:01:23.45 bitrate= 792.5kbits/s", 0}, // ffmpeg's own clock form carries no usable value
        {"time=83.45", 0},                             // no bitrate=
        {"bitrate= 1 time=83.45", 0},                  // bitrate= before time=
        {"time=83 bitrate=1.5", 0},                    // the first "." lies past bitrate=
        {"time=.50 bitrate=", 0},
        {"time=-0.02 bitrate=", 0},
        {"time=100000.00 bitrate=", 100000},
        {"time=100001.00 bitrate=", 0},
        {"time=99999999999999999999.0 bitrate=", 0},
        {"Duration: 00:10:00.00, start: 0.000000, bitrate: 1 kb/s", 0},
        {"", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseEncoderSeconds(QString::fromLatin1(c.line)), c.want) << c.line;
}

TEST(ProgressText, FormatsHundredthsOfAPercent)
{
    EXPECT_EQ(ProgressPercentText(1234), "12.34%");
    EXPECT_EQ(ProgressPercentText(5), "00.05%");
    EXPECT_EQ(ProgressPercentText(9999), "99.99%");
    EXPECT_EQ(ProgressPercentText(0), "00.00%");
}

TEST(ProgressText, ScaledFromTheClipAndStoppedShortOfTheEnd)
{
    EXPECT_EQ(ProgressPercentText(ProgressFromSeconds(300, 600)), "50.00%");
    EXPECT_EQ(ProgressPercentText(ProgressFromSeconds(600, 600)), "99.99%");
    EXPECT_EQ(ProgressPercentText(ProgressFromSeconds(900, 600)), "99.99%");
    EXPECT_EQ(ProgressFromSeconds(1, 3), 3333);
    EXPECT_EQ(ProgressFromSeconds(2, 3), 6667); // rounded to the nearest
    // A clip of no length shows no progress rather than a negative one.
    EXPECT_EQ(ProgressPercentText(ProgressFromSeconds(10, 0)), "00.00%");
}

TEST(FileConversionCommandLine, JoinsThePiecesInTheirOrder)
{
    intputrec job;
    job.encoderPath = "/opt/my app/register.dat";
    job.input = "/v/in clip.avi";
    job.output = "/out/in clip.mp4";
    job.videoPiece = " -r 25 -b 600000";
    job.audioBitratePiece = " -ab 128000";
    job.channelsPiece = " -ac 2";
    job.aspectPiece = " -aspect 1.3333";
    job.durationPiece = " -t 00:00:10";
    job.sizePiece = " -s 320x240";
    job.sampleRatePiece = " -ar 44100 ";
    job.profileOptions = "-vcodec mpeg4";
    EXPECT_EQ(FileConversionCommandLine(job),
              "\"/opt/my app/register.dat\" -y  -mardozb \"/v/in clip.avi\" -r 25 -b 600000 -ab 128000 -ac 2"
              " -aspect 1.3333 -t 00:00:10 -s 320x240  -ar 44100 -vcodec mpeg4 -sn  \"/out/in clip.mp4\"");
    job.extraOption = " -ss 00:00:01";
    EXPECT_TRUE(FileConversionCommandLine(job).contains(" -y  -ss 00:00:01 -mardozb "));
}

} // namespace
