#include "platform/encoders/core/amr_writer.h"
#include "platform/encoders/core/codec_limits.h"
#include "platform/encoders/core/encoder_request.h"
#include "platform/encoders/register/probe_report.h"
#include "platform/encoders/core/progress_report.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <opencore-amrnb/interf_enc.h>

namespace {

QStringList Words(const char *text) { return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts); }

// Argument lists compared as one text, so a failure shows them readably.
std::string Line(const QStringList &words) { return words.join(u' ').toStdString(); }

const QStringList kCommon{"-nostdin", "-hide_banner", "-nostats", "-loglevel", "level+info", "-progress", "pipe:3"};

TEST(RegisterRequest, TranslatesTheProgramsLines)
{
    const struct {
        const char *name;
        QStringList arguments;
        QStringList ffmpeg;
    } table[] = {
        {"file conversion",
         Words("-y -mardozb /in.avi -r 25 -b 768000 -ab 128000 -ac 2 -aspect 1.3333 -t 00:00:03 -s 320x240 "
               "-ar 44100 -vcodec mpeg4 -pix_fmt yuv420p -acodec aac -f mp4 -sn /out.mp4"),
         kCommon + Words("-y -i file:/in.avi -r 25 -b:v 768000 -b:a 128000 -ac 2 -aspect 1.3333 -t 00:00:03 "
                         "-s 320x240 -ar 44100 -c:v mpeg4 -pix_fmt yuv420p -c:a aac -f mp4 -sn file:/out.mp4")},
        {"locale comma in the aspect ratio",
         Words("-y -mardozb /in.avi -aspect 1,2500 -sn /o.avi"),
         kCommon + Words("-y -i file:/in.avi -aspect 1.2500 -sn file:/o.avi")},
        {"disc target",
         Words("-y -mardozb /in.avi -ac 2 -t 00:01:00  -target pal-dvd -sn /o.mpg"),
         kCommon + Words("-y -i file:/in.avi -ac 2 -t 00:01:00 -target pal-dvd -sn file:/o.mpg")},
        {"frame snapshot: the seek stays before the input, one image",
         Words("-y -ss 00:00:05 -mardozb /in.avi -s 320x240 -t 0.01 -f image2 -sn /shot.jpg"),
         kCommon + Words("-y -ss 00:00:05 -i file:/in.avi -s 320x240 -t 0.01 -f image2 -frames:v 1 -update 1 "
                         "-sn file:/shot.jpg")},
        {"without -y nothing is overwritten",
         Words("-mardozb /in.avi -sn /o.avi"),
         kCommon + Words("-n -i file:/in.avi -sn file:/o.avi")},
    };
    for (const auto &row : table) {
        const EncoderRequest request = ParseEncoderRequest(row.arguments);
        EXPECT_EQ(request.kind, EncoderRequest::Kind::Convert) << row.name;
        EXPECT_FALSE(request.amr) << row.name;
        EXPECT_EQ(Line(FfmpegConvertArguments(request)), Line(row.ffmpeg)) << row.name;
    }
}

// Whatever the paths hold, they stay the input and the output, as file URLs.
// A request the codec cannot take becomes the nearest one it can; all else stays.
TEST(CodecLimits, AdaptsToTheNearestRequestTheCodecTakes)
{
    const struct {
        const char *name;
        const char *options;
        const char *adapted; // nullptr: unchanged, and nothing said
    } table[] = {
        {"AAC takes six channels at a low rate", "-b:a 32000 -ac 6 -ar 48000 -c:a aac", nullptr},
        {"LAME takes two channels", "-b:a 128000 -ac 6 -ar 48000 -c:a libmp3lame -f avi",
         "-b:a 128000 -ac 2 -ar 48000 -c:a libmp3lame -f avi"},
        {"AC-3 needs more for six channels; the profile's own -ar is the one used",
         "-b:a 32000 -ac 6 -ar 22050 -c:a ac3 -ar 48000", "-b:a 64000 -ac 6 -ar 22050 -c:a ac3 -ar 48000"},
        {"AC-3 keeps the least rate for two channels", "-b:a 32000 -ac 2 -c:a ac3", nullptr},
        {"Vorbis mono at 48 kHz", "-b:a 320000 -ac 1 -ar 48000 -vn -c:a libvorbis",
         "-b:a 240000 -ac 1 -ar 48000 -vn -c:a libvorbis"},
        {"Vorbis mono at 22 kHz takes less", "-b:a 128000 -ac 1 -ar 22050 -c:a libvorbis",
         "-b:a 88000 -ac 1 -ar 22050 -c:a libvorbis"},
        {"Vorbis stereo at 44.1 kHz needs more", "-b:a 32000 -ac 2 -ar 44100 -c:a libvorbis",
         "-b:a 48000 -ac 2 -ar 44100 -c:a libvorbis"},
        {"RealVideo sides to the nearest multiple of 16", "-s 480x360 -c:v rv10 -c:a ac3 -b:a 128000 -ac 2",
         "-s 480x368 -c:v rv10 -c:a ac3 -b:a 128000 -ac 2"},
        {"RealVideo never below one multiple", "-s 6x40 -c:v rv10", "-s 16x48 -c:v rv10"},
        {"RealVideo at a size it takes", "-s 320x240 -c:v rv10", nullptr},
        {"a codec the table does not name", "-b:a 999999 -ac 8 -s 101x77 -c:v mpeg4 -c:a pcm_s16le", nullptr},
    };
    for (const auto &row : table) {
        QStringList options = Words(row.options);
        const QStringList notes = AdaptToCodecLimits(options);
        EXPECT_EQ(Line(options), Line(Words(row.adapted ? row.adapted : row.options))) << row.name;
        EXPECT_EQ(notes.isEmpty(), row.adapted == nullptr) << row.name;
    }
    // The note names what was asked and what is given.
    QStringList options = Words("-b:a 128000 -ac 6 -c:a libmp3lame");
    EXPECT_EQ(AdaptToCodecLimits(options),
              QStringList{"libmp3lame takes at most 2 channels: converting with 2 instead of 6"});
}

TEST(RegisterRequest, PathsAreNeverOptions)
{
    const char *paths[] = {"-i", "-y", "-sn", "-mardozb", "-f image2", "http://example.com/x", "concat:a|b",
                           "a \"b\".avi", "Ünïcödé.mkv", "pipe:1"};
    for (const char *raw : paths) {
        const QString path = QString::fromUtf8(raw);
        const EncoderRequest convert = ParseEncoderRequest(QStringList{"-y", "-mardozb", path, "-ac", "2", "-sn", path});
        EXPECT_EQ(convert.input, path) << raw;
        EXPECT_EQ(convert.output, path) << raw;
        // The same words as for a plain name, the path only ever as a file URL.
        QStringList expected = FfmpegConvertArguments(
            ParseEncoderRequest(QStringList{"-y", "-mardozb", "PLAIN", "-ac", "2", "-sn", "PLAIN"}));
        expected.replaceInStrings(QStringLiteral("file:PLAIN"), QStringLiteral("file:") + path);
        EXPECT_EQ(Line(FfmpegConvertArguments(convert)), Line(expected)) << raw;

        const EncoderRequest probe = ParseEncoderRequest(QStringList{"-mardozb", path});
        EXPECT_EQ(probe.kind, EncoderRequest::Kind::Probe) << raw;
        EXPECT_EQ(FfprobeArguments(probe.input).last(), QStringLiteral("file:") + path) << raw;
    }
}

TEST(RegisterRequest, RefusesLinesOfNoKnownForm)
{
    const QStringList lines[] = {
        {}, {"-y"}, {"-mardozb"}, {"-mardozb", ""}, {"-y", "-mardozb", "/in.avi"},
        {"-y", "-mardozb", "/in.avi", "/out.avi"}, {"-y", "-mardozb", "/in.avi", "-sn", ""},
    };
    for (const QStringList &line : lines)
        EXPECT_THROW(ParseEncoderRequest(line), RequestError) << line.join(u' ').toStdString();
}

TEST(RegisterRequest, AmrAudioIsEncodedApart)
{
    const EncoderRequest amr = ParseEncoderRequest(
        Words("-y -mardozb /in.avi -ab 7400 -ac 1 -t 00:00:03 -ar 8000 -vn -acodec libopencore_amrnb -f amr -sn /o.amr"));
    EXPECT_TRUE(amr.amr);
    EXPECT_TRUE(amr.amrOnly);
    EXPECT_EQ(amr.amrBitrate, 7400);
    EXPECT_EQ(Line(FfmpegPcmArguments(amr)),
              Line(kCommon + Words("-y -i file:/in.avi -t 00:00:03 -map 0:a:0 -vn -sn -ac 1 -ar 8000 -c:a pcm_s16le "
                              "-f s16le pipe:1")));

    const EncoderRequest video = ParseEncoderRequest(Words(
        "-y -mardozb /in.avi -r 25 -b 200000 -ab 12200 -ac 1 -s 176x144 -ar 8000 -vcodec h263 -acodec libopencore_amrnb "
        "-f 3gp -sn /o.3gp"));
    EXPECT_TRUE(video.amr);
    EXPECT_FALSE(video.amrOnly);
    EXPECT_EQ(Line(FfmpegMuxArguments(video, QStringLiteral("/tmp/a.amr"), true)),
              Line(kCommon + Words("-y -i file:/in.avi -i file:/tmp/a.amr -map 0:v:0? -map 1:a:0 -c:a copy -r 25 "
                              "-b:v 200000 -s 176x144 -c:v h263 -f 3gp -sn file:/o.3gp")));
    EXPECT_EQ(Line(FfmpegMuxArguments(video, QStringLiteral("/tmp/a.amr"), false)),
              Line(kCommon + Words("-y -i file:/in.avi -map 0:v:0 -an -r 25 -b:v 200000 -s 176x144 -c:v h263 -f 3gp "
                              "-sn file:/o.3gp")));

    const struct {
        int bitrate;
        int mode;
    } modes[] = {{12200, MR122}, {20000, MR122}, {10200, MR102}, {7400, MR74},
                 {5900, MR59},   {4750, MR475}, {1000, MR475}};
    for (const auto &m : modes)
        EXPECT_EQ(AmrWriter::ModeFor(m.bitrate), m.mode) << m.bitrate;
}

TEST(RegisterProgress, StatusLinesCarrySecondsBeforeTheBitrate)
{
    ProgressReport report;
    const char *block[] = {"frame=250", "fps=50.00", "bitrate= 501.4kbits/s", "total_size=626688",
                           "out_time_us=83456789", "speed=2.01x"};
    for (const char *line : block)
        EXPECT_TRUE(report.feed(line).isEmpty());
    EXPECT_EQ(report.feed("progress=continue"),
              "frame=  250 fps=50.00 size=     612kB time=83.45 bitrate=501.4kbits/s speed=2.01x\r");
    report.feed("out_time_us=N/A");
    EXPECT_TRUE(report.feed("progress=end").contains(" time=0.00 bitrate="));
    EXPECT_TRUE(report.feed("progress=end").endsWith('\n'));

    const struct {
        const char *us;
        const char *text;
    } times[] = {{"0", "0.00"}, {"9999", "0.00"}, {"10000", "0.01"}, {"3000000", "3.00"},
                 {"-23000", "0.00"}, {"N/A", "0.00"}, {"36000000000", "36000.00"}};
    for (const auto &t : times)
        EXPECT_EQ(SecondsText(t.us), t.text) << t.us;
}

QJsonObject Json(const char *text) { return QJsonDocument::fromJson(text).object(); }

TEST(RegisterProbe, WritesStreamLinesWithoutTags)
{
    const QByteArray report = ProbeReport(Json(R"json({
      "streams": [
        {"index": 0, "codec_name": "h264", "codec_type": "video", "width": 1920, "height": 1080,
         "pix_fmt": "yuv420p", "avg_frame_rate": "30000/1001", "bit_rate": "4500000",
         "tags": {"title": "Audio: fake, 11 Hz"}},
        {"index": 1, "codec_name": "ac3", "codec_type": "audio", "sample_rate": "48000", "channels": 6,
         "channel_layout": "5.1(side)", "sample_fmt": "fltp", "bit_rate": "448000"},
        {"index": 2, "codec_name": "mjpeg", "codec_type": "video", "width": 500, "height": 500,
         "disposition": {"attached_pic": 1}},
        {"index": 3, "codec_name": "opus", "codec_type": "audio", "sample_rate": "48000", "channels": 2,
         "sample_fmt": "flt"},
        {"index": 4, "codec_name": "subrip", "codec_type": "subtitle"}
      ],
      "format": {"format_name": "matroska,webm", "duration": "62.034", "start_time": "0.000000",
                 "bit_rate": "4962000", "tags": {"comment": "Duration: 99:99:99.99"}}
    })json"));
    EXPECT_EQ(report, "Input #0, matroska,webm:\n"
                      "  Duration: 00:01:02.03, start: 0.000000, bitrate: 4962 kb/s\n"
                      "    Stream #0:0[0x1011]: Video: h264, yuv420p, 1920x1080, 4500 kb/s, 29.97 fps \n"
                      "    Stream #0:1: Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s\n"
                      "    Stream #0:3: Audio: opus, 48000 Hz, 2 channels, flt\n");

    EXPECT_EQ(ProbeReport(Json(R"json({"streams": [{"codec_type": "video", "codec_name": "a,b\nc"}], "format": {}})json")),
              "Input #0, N/A:\n"
              "  Duration: N/A, start: N/A, bitrate: N/A\n"
              "    Stream #0:0[0x1011]: Video: a_b_c, N/A, N/A, N/A, N/A fps \n");

    const struct {
        double seconds;
        const char *text;
    } durations[] = {{0, "00:00:00.00"}, {3.004, "00:00:03.00"}, {3.005, "00:00:03.01"}, {59.999, "00:01:00.00"},
                     {3725.5, "01:02:05.50"}, {360000, "100:00:00.00"}};
    for (const auto &d : durations)
        EXPECT_EQ(DurationText(d.seconds), d.text) << d.seconds;
}

} // namespace
