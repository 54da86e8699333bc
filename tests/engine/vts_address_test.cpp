#include "engine/encoder_command_line.h"
#include "engine/vts_address.h"

#include <gtest/gtest.h>

namespace {

TEST(VtsAddress, NamesTitleSetSectorsStreamsAndDiscFolder)
{
    const struct {
        const char *what;
        const char *ifo;
        const char *address;
    } table[] = {
        {"disc root", "/media/disc/VIDEO_TS/VTS_01_0.IFO", "vts://01*300*52000*0x80*0x20*/media/disc"},
        {"blanks and accents", "/home/ana/Mes vidéos/Été 2019/VIDEO_TS/VTS_03_0.IFO",
         "vts://03*300*52000*0x80*0x20*/home/ana/Mes vidéos/Été 2019"},
        {"lower case", "/rips/film/video_ts/vts_12_0.ifo", "vts://12*300*52000*0x80*0x20*/rips/film"},
        {"mixed case", "/rips/film/Video_Ts/VTS_02_0.IFO", "vts://02*300*52000*0x80*0x20*/rips/film"},
        {"a parent merely named like it", "/data/video_ts_rips/film/VIDEO_TS/VTS_01_0.IFO",
         "vts://01*300*52000*0x80*0x20*/data/video_ts_rips/film"},
        {"only such a parent", "/data/video_ts_rips/VTS_01_0.IFO", "vts://01*300*52000*0x80*0x20*/data/video_ts_rips"},
        {"a folder holding the text", "/data/my_video_ts/VTS_01_0.IFO", "vts://01*300*52000*0x80*0x20*/data/my_video_ts"},
        {"the last of two", "/disc/VIDEO_TS/copy/VIDEO_TS/VTS_04_0.IFO", "vts://04*300*52000*0x80*0x20*/disc/VIDEO_TS/copy"},
        {"no video_ts folder", "/home/ana/dvd/VTS_01_0.IFO", "vts://01*300*52000*0x80*0x20*/home/ana/dvd"},
        {"trailing separators cleaned", "/media//disc/./VIDEO_TS/VTS_01_0.IFO", "vts://01*300*52000*0x80*0x20*/media/disc"},
        {"video_ts at the root", "/VIDEO_TS/VTS_05_0.IFO", "vts://05*300*52000*0x80*0x20*/"},
    };
    ClipRange clip;
    clip.startSector = 300;
    clip.endSector = 52000;
    for (const auto &c : table) {
        TConvertInfo dvd;
        dvd.ifoPath = QString::fromUtf8(c.ifo);
        dvd.audioId = "0x80";
        dvd.subtitleId = "0x20";
        dvd.startSector = 1; // the clip's sectors count, not the title's
        dvd.endSector = 2;
        EXPECT_EQ(VtsAddress(dvd, clip), QString::fromUtf8(c.address)) << c.what;
    }
}

TEST(VtsAddress, NoSubtitleAndCutMarks)
{
    TConvertInfo dvd;
    dvd.ifoPath = "/media/disc/VIDEO_TS/VTS_02_0.IFO";
    dvd.audioId = "0x81";
    EXPECT_EQ(VtsAddress(dvd, ClipRange{123456, 654321, 5, 60, 0}), "vts://02*123456*654321*0x81*0*/media/disc");
}

TEST(DvdTitleCommandLine, JoinsThePiecesInTheDvdOrder)
{
    intputrec job;
    job.encoderPath = "/opt/ravenmoor/mydvd.dll";
    job.input = "vts://01*300*52000*0x80*0*/media/disc";
    job.output = "/home/ana/out/Title_01.mp4";
    job.videoPiece = " -r 25 -b 1000000";
    job.audioBitratePiece = " -ab 128000";
    job.channelsPiece = " -ac 2";
    job.aspectPiece = " -aspect 1.3333";
    job.extraOption = " -ss 00:00:05";
    job.durationPiece = " -t 00:01:00";
    job.sizePiece = " -s 640x480";
    job.sampleRatePiece = " -ar 44100 ";
    job.profileOptions = " -vcodec mpeg4 ";
    EXPECT_EQ(DvdTitleCommandLine(job),
              "/opt/ravenmoor/mydvd.dll -y  -i vts://01*300*52000*0x80*0*/media/disc -r 25 -b 1000000 -ab 128000"
              " -ac 2 -aspect 1.3333 -ss 00:00:05 -t 00:01:00 -s 640x480  -ar 44100  -vcodec mpeg4  -sn "
              "/home/ana/out/Title_01.mp4");

    // Blanks in the program folder, the disc folder and the output: each stays one argument.
    job.encoderPath = "/opt/my apps/mydvd.dll";
    job.input = "vts://01*300*52000*0x80*0*/media/Mes vidéos";
    job.output = "/home/ana/Mes vidéos/Title_01.mp4";
    job.extraOption.clear();
    const QString line = DvdTitleCommandLine(job);
    EXPECT_TRUE(line.startsWith("\"/opt/my apps/mydvd.dll\" -y  -i \"vts://01*300*52000*0x80*0*/media/Mes vidéos\" -r"))
        << line.toStdString();
    EXPECT_TRUE(line.endsWith(" -sn \"/home/ana/Mes vidéos/Title_01.mp4\"")) << line.toStdString();
}

} // namespace
