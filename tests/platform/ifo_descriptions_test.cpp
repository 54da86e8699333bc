#include "platform/ifo/ifo_descriptions.h"
#include "platform/ifo/title_set_reader.h"

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr uint16_t Code(char a, char b) { return static_cast<uint16_t>((uint8_t(a) << 8) | uint8_t(b)); }

TEST(IfoDescriptions, TimesComeFromBcd)
{
    const IfoTime t = IfoTimeFromBcd(0x01, 0x59, 0x24);
    EXPECT_EQ(t.hours, 1);
    EXPECT_EQ(t.minutes, 59);
    EXPECT_EQ(t.seconds, 24); // not 0x24 = 36
    const IfoTime z = IfoTimeFromBcd(0, 0, 0);
    EXPECT_EQ(z.hours + z.minutes + z.seconds, 0);
}

TEST(IfoDescriptions, CellTimesRoundToTheNearestSecond)
{
    const struct {
        uint8_t h, m, s, frames;
        int seconds;
    } table[] = {
        {0x00, 0x00, 0x05, 0x40 | 0x19, 6},  // 5 s 19/25 (5.76 s)
        {0x00, 0x00, 0x06, 0x40 | 0x06, 6},  // 6.24 s
        {0x00, 0x00, 0x10, 0x40 | 0x12, 10}, // 12 of 25 frames: under half
        {0x00, 0x00, 0x10, 0xc0 | 0x15, 11}, // 15 of 30 frames: half
        {0x00, 0x00, 0x06, 0xc0 | 0x28, 7},  // 6.934 s of NTSC
        {0x01, 0x59, 0x59, 0x40 | 0x24, 7200},
        {0x00, 0x00, 0x07, 0x00 | 0x24, 7}, // no frame rate: the frames say nothing
    };
    for (const auto &row : table) {
        const IfoTime t = CellTimeFromBcd(row.h, row.m, row.s, row.frames);
        EXPECT_EQ(t.hours * 3600 + t.minutes * 60 + t.seconds, row.seconds) << int(row.frames);
    }
}

struct AudioCase {
    int format;
    int channels;
    int frequency;
    uint16_t lang;
    int number;
    const char *expected;
};

class AudioDescriptionTest : public ::testing::TestWithParam<AudioCase> {};

TEST_P(AudioDescriptionTest, FormatLanguageChannelsRateAndPacketId)
{
    const AudioCase c = GetParam();
    EXPECT_EQ(AudioDescription(c.format, c.channels, c.frequency, c.lang, AudioStreamId(c.format, c.number)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, AudioDescriptionTest,
    ::testing::Values(AudioCase{0, 1, 0, Code('e', 'n'), 0, "AC3 English 2ch 48kHz (0x80)"},
                      AudioCase{0, 5, 0, Code('f', 'r'), 7, "AC3 French 6ch 48kHz (0x87)"},
                      AudioCase{6, 5, 0, Code('d', 'e'), 1, "DTS German 6ch 48kHz (0x89)"},
                      AudioCase{4, 1, 1, Code('e', 's'), 2, "LPCM Spanish 2ch 96kHz (0xa2)"},
                      AudioCase{2, 1, 0, Code('i', 't'), 0, "MPEG1 Italian 2ch 48kHz (0xc0)"},
                      AudioCase{3, 7, 0, Code('J', 'A'), 3, "MPEG2 Japanese 8ch 48kHz (0xc3)"},
                      AudioCase{5, 7, 0, Code('e', 'n'), 0, "SDDS English 8ch 48kHz (0x90)"},
                      // No code, a code of no letters, a code iso-codes does not know.
                      AudioCase{0, 1, 0, 0, 0, "AC3 Unknown 2ch 48kHz (0x80)"},
                      AudioCase{0, 1, 0, 0xffff, 1, "AC3 Unknown 2ch 48kHz (0x81)"},
                      AudioCase{0, 1, 0, Code('q', 'q'), 0, "AC3 qq 2ch 48kHz (0x80)"},
                      // Reserved values still give a description the list can take apart.
                      AudioCase{1, 1, 3, Code('e', 'n'), 0, "Unknown English 2ch ?kHz (0x80)"}));

TEST(IfoDescriptions, SubpictureIdsStayInTheirRange)
{
    EXPECT_EQ(SubpictureDescription(Code('e', 'n'), SubpictureStreamId(0)), QStringLiteral("English (0x20)"));
    EXPECT_EQ(SubpictureDescription(Code('n', 'l'), SubpictureStreamId(31)), QStringLiteral("Dutch (0x3f)"));
    EXPECT_EQ(SubpictureDescription(0, SubpictureStreamId(5)), QStringLiteral("Unknown (0x25)"));
    EXPECT_EQ(SubpictureStreamId(33), 0x21);
    EXPECT_EQ(AudioStreamId(0, 9), 0x81);
}

struct VideoCase {
    int mpeg;
    int system;
    int pictureSize;
    int aspect;
    const char *expected;
};

class VideoDescriptionTest : public ::testing::TestWithParam<VideoCase> {};

TEST_P(VideoDescriptionTest, FormatFrameSizeSystemAspect)
{
    const VideoCase c = GetParam();
    EXPECT_EQ(VideoDescription(c.mpeg, c.system, c.pictureSize, c.aspect), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, VideoDescriptionTest,
                         ::testing::Values(VideoCase{1, 1, 0, 0, "MPEG2 720x576 PAL 4:3"},
                                           VideoCase{1, 0, 0, 3, "MPEG2 720x480 NTSC 16:9"},
                                           VideoCase{1, 0, 1, 0, "MPEG2 704x480 NTSC 4:3"},
                                           VideoCase{1, 1, 2, 0, "MPEG2 352x576 PAL 4:3"},
                                           // SIF pictures have half the lines.
                                           VideoCase{0, 1, 3, 0, "MPEG1 352x288 PAL 4:3"},
                                           VideoCase{0, 0, 3, 0, "MPEG1 352x240 NTSC 4:3"},
                                           VideoCase{2, 2, 0, 1, "Unknown 720x576 Unknown Unknown"}));

struct NameCase {
    const char *name;
    int titleSet;
};

class TitleSetNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(TitleSetNameTest, OnlyTitleSetInformationFilesHaveANumber)
{
    EXPECT_EQ(TitleSetNumberOfFileName(QString::fromUtf8(GetParam().name)), GetParam().titleSet);
}

INSTANTIATE_TEST_SUITE_P(Table, TitleSetNameTest,
                         ::testing::Values(NameCase{"VTS_01_0.IFO", 1}, NameCase{"vts_12_0.ifo", 12},
                                           NameCase{"VTS_99_0.BUP", 99}, NameCase{"VTS_01_0.IFO.bak", 0},
                                           NameCase{"VTS_01_1.VOB", 0}, NameCase{"VTS_01_1.IFO", 0},
                                           NameCase{"VTS_00_0.IFO", 0}, NameCase{"VTS_1_0.IFO", 0},
                                           NameCase{"VIDEO_TS.IFO", 0}, NameCase{"foo.ifo", 0},
                                           NameCase{"VTS_\u0661\u0662_0.IFO", 0}, NameCase{"", 0}));

} // namespace
