#include "engine/media_probe.h"

#include <gtest/gtest.h>

namespace {

TEST(MediaProbe, ParsesKbps)
{
    const struct {
        const char *key;
        const char *line;
        const char *kbps;
    } table[] = {
        {"bitrate:", "  Duration: 00:01:02.03, start: 0.000000, bitrate: 1234 kb/s", "1234"},
        {"Audio:", "Stream #0.1: Audio: mp3, 44100 Hz, stereo, s16, 128 kb/s", "128"},
        {"Video:", "Stream #0.1: Audio: mp3, 44100 Hz, stereo, s16, 128 kb/s", ""},
        {"Audio:", "Stream #0.1: Audio: mp3, 44100 Hz", ""},
        // The first " kb/s" of the line counts, wherever the key is.
        {"Audio:", "x 64 kb/s Audio: mp3, 128 kb/s", "64"},
        // No blank within ten characters: the ten before " kb/s".
        {"Video:", "Video: 123456789012345 kb/s", "6789012345"},
        {"Video:", "Video:1 kb/s", "Video:1"},
    };
    for (const auto &row : table)
        EXPECT_EQ(ParseKbps(QString::fromUtf8(row.key), QString::fromUtf8(row.line)), QString::fromUtf8(row.kbps))
            << row.line;
}

TEST(MediaProbe, ParsesTheFrameSize)
{
    const struct {
        const char *line;
        const char *size;
    } table[] = {
        {"Stream #0.0[0x1011]: Video: h264, yuv420p, 1920x1080, 25 tbr", "1920x1080"},
        {"Stream #0.0: Video: h264, yuv420p, 1920x1080, 25 tbr", ""},
        {"    Stream #0:0[0x1011]: Video: mpeg4, yuv420p, 320x240, 372 kb/s, 25 fps ", "320x240"},
        {"Stream #0.0[0x1011]: Video: h264, yuv420p, 1920x1080", "1920x108"}, // the line's last character is dropped
        {"Stream #0.0[0x1011]: Video: h264", ""},
        {"Stream #0.0[0x1011]: Audio: aac, 48000 Hz", ""},
    };
    for (const auto &row : table)
        EXPECT_EQ(ParseProbeResolution(QString::fromUtf8(row.line)), QString::fromUtf8(row.size)) << row.line;
}

ProbeValues Scan(const QStringList &lines)
{
    ProbeValues values;
    for (const QString &line : lines)
        ScanProbeLine(line, values);
    return values;
}

TEST(MediaProbe, ScansTheLinesOfOneProbe)
{
    const ProbeValues v = Scan({
        "Input #0, mov,mp4,m4a,3gp,3g2,mj2:",
        "  Duration: 00:01:02.03, start: 0.000000, bitrate: 1234 kb/s",
        "    Stream #0:0[0x1011]: Video: h264, yuv420p, 1920x1080, 900 kb/s, 25 fps ",
        "Stream #0.1: Audio: mp3, 44100 Hz, stereo, s16, 128 kb/s",
        "Stream #0.2: Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s",
    });
    EXPECT_EQ(v.duration, "00:01:02");
    EXPECT_EQ(v.totalBitrate, "1234");
    EXPECT_EQ(v.videoBitrate, "900");
    EXPECT_EQ(v.frameSize, "1920x1080");
    EXPECT_EQ(v.videoCodec, "h264");
    EXPECT_EQ(v.frameRate, " 25 fps");
    // The first audio line gives codec, rate and channels; the last one the bitrate.
    EXPECT_EQ(v.audioCodec, "mp3");
    EXPECT_EQ(v.sampleRate, " 44100 Hz");
    EXPECT_EQ(v.channels, " stereo");
    EXPECT_EQ(v.audioBitrate, "448");

    EXPECT_EQ(Scan({"  Duration: N/A, start: N/A, bitrate: N/A"}).duration.left(1), "N");
    EXPECT_TRUE(Scan({"Stream #0.0: Video: h264, yuv420p, 1920x1080, 25 tbr"}).frameSize.isEmpty());
    EXPECT_EQ(Scan({"Stream #0.0: Video: h264, yuv420p, 1920x1080, 25 tbr"}).videoCodec, "h264");
}

// Text that is no stream or duration line never passes for a fact: a tag, a
// file name, an error message.
TEST(MediaProbe, TakesFactsOnlyFromTheirOwnLines)
{
    const ProbeValues v = Scan({
        "    title           : Audio: fake, 11 Hz, mono, s16, 1 kb/s",
        "ffmpeg: file:/x/Video: evil, 1011 9x9, 5 kb/s.avi: No such file",
        "    comment         : Duration: 99:99:99.99, start: 0, bitrate: 7 kb/s",
        "  Duration: 00:00:03.00, start: 0.000000, bitrate: 500 kb/s",
        "    Stream #0:0: Audio: aac, 44100 Hz, mono, fltp, 69 kb/s",
    });
    EXPECT_EQ(v.duration, "00:00:03");
    EXPECT_EQ(v.totalBitrate, "500");
    EXPECT_EQ(v.audioCodec, "aac");
    EXPECT_EQ(v.sampleRate, " 44100 Hz");
    EXPECT_EQ(v.channels, " mono");
    EXPECT_EQ(v.audioBitrate, "69");
    EXPECT_TRUE(v.videoCodec.isEmpty());
    EXPECT_TRUE(v.frameSize.isEmpty());
    EXPECT_TRUE(v.videoBitrate.isEmpty());
}

// The runner reports a line again each time it grows; only its last report is
// read, once the next line begins or the probe ends.
TEST(MediaProbe, ReadsOnlyFinishedLines)
{
    MediaProbe probe;
    const auto report = [&](const char *line, bool startsOnNewLine) {
        probe.gettimeJvCreateProcessRead(nullptr, QString::fromUtf8(line), startsOnNewLine);
    };
    report("  Duration: 00:0", true);
    EXPECT_TRUE(probe.Values().duration.isEmpty()) << "half a line was read";
    report("  Duration: 00:01:02.03, start: 0.000000, bitrate: 12", false);
    report("  Duration: 00:01:02.03, start: 0.000000, bitrate: 1234 kb/s", false);
    EXPECT_TRUE(probe.Values().totalBitrate.isEmpty());
    report("    Stream #0:0[0x1011]: Video: h264, yuv420p, 1920x1", true);
    EXPECT_EQ(probe.Values().duration, "00:01:02");
    EXPECT_EQ(probe.Values().totalBitrate, "1234");
    report("    Stream #0:0[0x1011]: Video: h264, yuv420p, 1920x1080, 900 kb/s, 25 fps ", false);
    report("    Stream #0:1: Audio: aac, 48000 Hz, 5.1(side), fltp, 448 kb/s", true);
    EXPECT_EQ(probe.Values().frameSize, "1920x1080");
    EXPECT_TRUE(probe.Values().audioCodec.isEmpty());
    // The last line, without a line feed, is finished when the probe ends.
    probe.gettimeJvCreateProcessTerminate(nullptr, 0);
    const ProbeValues &v = probe.Values();
    EXPECT_EQ(v.videoBitrate, "900");
    EXPECT_EQ(v.frameRate, " 25 fps");
    EXPECT_EQ(v.audioCodec, "aac");
    EXPECT_EQ(v.sampleRate, " 48000 Hz");
    EXPECT_EQ(v.channels, " 5.1(side)");
    EXPECT_EQ(v.audioBitrate, "448");
    EXPECT_FALSE(probe.ProbeRunning());
}

} // namespace
