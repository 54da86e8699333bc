#include "engine/profile_captions.h"

#include "engine/profile_number.h"

#include <QFileInfo>
#include <array>
#include <utility>

namespace {

// Caption of each ProfileNumber 1..131; separators have none.
constexpr std::array<const char16_t *, kLastProfileNumber> kCaptions{
    u"ASF-Advanced Streaming Format(*.asf)", // 1
    u"AVI-DivX Movie(*.avi)", // 2
    u"AVI-XviD Movie(*.avi)", // 3
    u"MP4-MPEG-4 Video(*.mp4)", // 4
    u"MP4-MPEG-4 AVC Video(*.mp4)", // 5
    u"RM-Real Video(*.rm)", // 6
    u"WMV-Windows Media Video(*.wmv)", // 7
    u"3GPP-3rd Generation Partnership Project(*.3gp)", // 8
    u"3GPP2-3rd Generation Partnership Project2(*.3g2)", // 9
    u"MOV-Quick Time(*.mov)", // 10
    u"FLV - Flash Video Format(*.flv)", // 11
    u"SWF - SWF Format(*.swf)", // 12
    u"RM-Real Video(*.rm)", // 13
    u"WMV-Windows Media Video(*.wmv)", // 14
    u"AAC-Advanced Audio Coding(*.aac)", // 15
    u"AC3-Dolby Dingtal AC-3(*.ac3)", // 16
    u"MP3-MPEG Layer-3Audio(*.mp3)", // 17
    u"OGG-Ogg Vorbis Audio(*.ogg)", // 18
    u"RA-Real Auido(*.ra)", // 19
    u"WAV-Waveform Auido(*.wav)", // 20
    u"WMA-Windows Media Audio(*.wma)", // 21
    u"AIFF-Audio Interchange File Format(*.aiff)", // 22
    u"M4A-MPEG-4 Auido(*.m4a)", // 23
    u"MP2-MPEG Layer-2 Audio(*.mp2)", // 24
    u"SUN AU Format(*.au)", // 25
    nullptr, // 26
    u"iPod(320\u00D7240)MPEG-4 Codec(*.mp4)", // 27
    u"iPod(320\u00D7240)MPEG-4 AVC Codec(*.mp4)", // 28
    u"iPod(480\u00D7320)MPEG-4 Codec(*.mp4)", // 29
    u"iPod(480\u00D7320)MPEG-4 AVC Codec(*.mp4)", // 30
    u"iPod(640\u00D7480)MPEG-4 Codec(*.mp4)", // 31
    u"iPod(640\u00D7480)MPEG-4 AVC Codec(*.mp4)", // 32
    u"iPod Audio Format(*.mp3)", // 33
    u"iPhone(320\u00D7240)MPEG-4 Codec(*.mp4)", // 34
    u"iPhone(320\u00D7240)MPEG-4 AVC Codec(*.mp4)", // 35
    u"iPhone(480\u00D7320)MPEG-4 Codec(*.mp4)", // 36
    u"iPhone(480\u00D7320)MPEG-4 AVC Codec(*.mp4)", // 37
    u"iPhone(640\u00D7480)MPEG-4 Codec(*.mp4)", // 38
    u"iPhone(640\u00D7480)MPEG-4 AVC Codec(*.mp4)", // 39
    u"iPhone Audio Format(*.mp3)", // 40
    u"GPhone(320\u00D7240)MPEG-4 Codec(*.mp4)", // 41
    u"GPhone(320\u00D7240)H.264 Codec(*.mp4)", // 42
    u"GPhone(640\u00D7480)MPEG-4 Codec(*.mp4)", // 43
    u"GPhone(640\u00D7480)H.264 Codec(*.mp4)", // 44
    u"GPhone Audio Format(*.mp3)", // 45
    u"Apple TV MPEG-4 480P(640\u00D7480)(*.mp4)", // 46
    u"Apple TV MPEG-4 720P(1280\u00D7720)(*.mp4)", // 47
    u"Apple TV MPEG-4 (320\u00D7240)(*.mp4)", // 48
    u"Apple TV h264 480P(640\u00D7480)(*.mp4)", // 49
    u"Apple TV h264 720P(1280\u00D7720)(*.mp4)", // 50
    u"Apple TV h264(320\u00D7240)(*.mp4)", // 51
    nullptr, // 52
    u"PS3 Video(1080P)MPEG-4(*.MP4)", // 53
    u"PS3 Video(720P)MPEG-4(*.MP4)", // 54
    u"PS3 Video(480P)MPEG-4(*.MP4)", // 55
    u"PSP-PSP MPEG-4 Video(*.mp4)", // 56
    u"PSP AVC Video Format(*.mp4)", // 57
    u"PSP Video(480P)MPEG-4(*.mp4)", // 58
    u"PSP Audio Format(*.mp3)", // 59
    u"Xbox360 WMV Movie(*.wmv)", // 60
    u"Xbox360 WMV HDTV Video(*.wmv)", // 61
    u"Xbox360 MPEG-4 AVC Video(*.mp4)", // 62
    u"Xbox360 HD MPEG-4 AVC Video(*.mp4)", // 63
    u"Xbox360 MPEG4 Video(*.mp4)", // 64
    u"Xbox360 HD MPEG-4 Video(*.mp4)", // 65
    u"Xbox360 MCE HD MPEG2 Video(*.mpeg)", // 66
    nullptr, // 67
    u"3GPP-3rd Generation Partnership Project(*.3gp)", // 68
    u"3GPP2-3rd Generation Partnership Project2(*.3g2)", // 69
    u"BlackBerry 3GP Video(*.3gp)", // 70
    u"BlackBerry AMR Audio(*.amr)", // 71
    u"BlackBerry AVI Audio(*.avi)", // 72
    u"BlackBerry MPEG-4 Video(*.mp4)", // 73
    nullptr, // 74
    u"Dell Axim X51 Video(*.wmv)", // 75
    u"General Pocket PC Video(*.wmv)", // 76
    u"HP iPAQ hw6500 series Video(*.wmv)", // 77
    u"HP iPAQ hx2000/rx3000/rx1900 series Video(*.wmv)", // 78
    u"HP iPAQ hx4700 series Video(*.wmv)", // 79
    u"WMA-Windows Media Audio(*.wma)", // 80
    u"WMV-Windows Media Video(*.wmv)", // 81
    nullptr, // 82
    u"Archos AV500/GMini402 Video(*.avi)", // 83
    u"Archos AV700 Video(*.avi)", // 84
    u"Creative Zen Vision Video(*.avi)", // 85
    u"Zune MPEG-4 AVC Video Format(*.mp4)", // 86
    u"Zune MPEG-4 Video(*.mp4)", // 87
    u"Zune WMV-Windows Media Video(*.wmv)", // 88
    u"iRiver PMP-100 Video(*.avi)", // 89
    nullptr, // 90
    u"HD AVI Video(*.avi)", // 91
    u"HD MPEG-4 Video(*.mp4)", // 92
    u"HD MPEG-4 AVC Video(*.mp4)", // 93
    u"HD MOV Video(*.mov)", // 94
    u"HD MPEG-2 TS Video(*.ts)", // 95
    u"HD MPEG2 Video(*.mpg)", // 96
    u"HD WMV Video(*.wmv)", // 97
    nullptr, // 98
    u"FLV - Flash Video Format(*.flv)", // 99
    u"SWF - SWF Format(*.swf)", // 100
    nullptr, // 101
    u"AVI - H264 Movie(*.avi)", // 102
    u"AVI - DivX Movie(*.avi)", // 103
    u"AVI - XviD Movie(*.avi)", // 104
    u"AVI - Audio-Video-Interleaved(*.avi)", // 105
    u"AVI - MSMPEG4 Movie(*.avi)", // 106
    u"AVI - MPEG Movie(*.avi)", // 107
    u"AVI - WMV Movie(*.avi)", // 108
    nullptr, // 109
    u"MPEG-1 Movie(*.mpg)", // 110
    u"MPEG-2 Movie(*.mpg)", // 111
    u"Video CD - MPEG PS Format(*.mpg)", // 112
    u"Super Video CD - MPEG2 PS Format(*.mpg)", // 113
    u"DVD - MPEG2 PS Format(*.vob)", // 114
    u"HD MPEG-2 Video(*.mpeg)", // 115
    u"HD MPEG-2 TS Video(*.ts)", // 116
    nullptr, // 117
    u"MP4 - MPEG4 Video Mini(*.mp4)", // 118
    u"MP4 - MPEG4 Video Normal(*.mp4)", // 119
    u"MP4 - MPEG4 Video Excellent(*.mp4)", // 120
    u"MP4 - H.264 Video Mini(*.mp4)", // 121
    u"MP4 - H.264 Video Normal(*.mp4)", // 122
    u"MP4 - H.264 Video Excellent(*.MP4)", // 123
    nullptr, // 124
    u"MKV - H264 Movie(*.mkv)", // 125
    u"MKV - DivX Movie(*.mkv)", // 126
    u"MKV - XviD Movie(*.mkv)", // 127
    u"MKV - MPEG-4 Movie(*.mkv)", // 128
    u"MKV - MSMPEG4 Movie(*.mkv)", // 129
    u"MKV - MPEG Movie(*.mkv)", // 130
    u"MKV - WMV Movie(*.mkv)", // 131
};

// The first substring of the lower-cased executable name decides the edition.
constexpr std::pair<const char *, int> kEditionDefaults[] = {
    {"avi", 102},  {"mp3", 17},     {"audio", 17},  {"3gp", 69}, {"psp", 53},
    {"mpeg", 110}, {"mp4", 118},    {"mkv", 125},   {"ipod", 27}, {"iphone", 36},
    {"gphone", 41}, {"wmv", 7},     {"rm", 6},      {"flv", 11},
};
constexpr int kEditionFallback = 9;

} // namespace

QString ProfileCaption(int n)
{
    if (n < kFirstProfileNumber || n > kLastProfileNumber || !kCaptions[n - 1])
        return {};
    return QString::fromUtf16(kCaptions[n - 1]);
}

QString ExtensionOfCaption(const QString &caption)
{
    const qsizetype star = caption.indexOf(u'*');
    if (star < 0)
        return {};
    return caption.mid(star + 1, caption.size() - star - 2);
}

QString GetProfileExtension(const EngineState &state) { return ExtensionOfCaption(state.profileCaption); }

QString CategoryIconPath(const QString &exeDir, int category)
{
    if (category < 1 || category > 14)
        return {};
    return exeDir + QStringLiteral("/images/main/") + QString::number(category) + QStringLiteral(".bmp");
}

void ShowProfileCaption(EngineState &state, const QString &exeDir, int n, ProfileCaptionDisplay &display)
{
    const QString icon = CategoryIconPath(exeDir, state.currentCategory);
    if (!icon.isEmpty())
        display.loadCategoryIcon(icon);
    const QString caption = ProfileCaption(n);
    if (!caption.isEmpty())
        state.profileCaption = caption;
    display.showProfileCaption(state.profileCaption);
}

int DefaultProfileForEdition(const QString &exeFileName)
{
    const QString name = QFileInfo(exeFileName).fileName().toLower();
    for (const auto &[substring, profile] : kEditionDefaults)
        if (name.contains(QLatin1String(substring)))
            return profile;
    return kEditionFallback;
}
