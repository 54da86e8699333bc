#include "platform/ifo/ifo_descriptions.h"

#include "platform/languages/language_names.h"

#include <algorithm>
#include <iterator>

namespace {

struct AudioFormat {
    int code;
    const char *word;
    int firstStreamId;
};
// Codes 1 and 7 are reserved; they read "Unknown" with the AC3 range.
constexpr AudioFormat kAudioFormats[] = {
    {0, "AC3", 0x80}, {2, "MPEG1", 0xC0}, {3, "MPEG2", 0xC0},
    {4, "LPCM", 0xA0}, {5, "SDDS", 0x90}, {6, "DTS", 0x88},
};
constexpr AudioFormat kUnknownAudioFormat{-1, "Unknown", 0x80};

const char *const kSampleRates[] = {"48", "96"};

const char *const kMpegVersions[] = {"MPEG1", "MPEG2"};

struct TvSystem {
    const char *name;
    int height;
};
// 2 and 3 are reserved.
constexpr TvSystem kTvSystems[] = {{"NTSC", 480}, {"PAL", 576}, {"Unknown", 576}, {"Unknown", 576}};

// By picture size; the last one (SIF) has half the lines.
constexpr int kWidths[] = {720, 704, 352, 352};
constexpr int kHalfHeightPictureSize = 3;

const char *AspectName(int displayAspectRatio)
{
    switch (displayAspectRatio) {
    case 0: return "4:3";
    case 3: return "16:9";
    default: return "Unknown";
    }
}

template <typename T, std::size_t N>
const T *Entry(const T (&table)[N], int index)
{
    return index >= 0 && index < static_cast<int>(N) ? &table[index] : nullptr;
}

const AudioFormat &FindAudioFormat(int code)
{
    const auto *found = std::find_if(std::begin(kAudioFormats), std::end(kAudioFormats),
                                     [code](const AudioFormat &f) { return f.code == code; });
    return found == std::end(kAudioFormats) ? kUnknownAudioFormat : *found;
}

int FromBcd(uint8_t value) { return (value >> 4) * 10 + (value & 0x0f); }

QString StreamIdText(int id) { return QStringLiteral("0x%1").arg(id & 0xff, 2, 16, QLatin1Char('0')); }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

} // namespace

IfoTime IfoTimeFromBcd(uint8_t hours, uint8_t minutes, uint8_t seconds)
{
    IfoTime time;
    time.hours = static_cast<uint8_t>(FromBcd(hours));
    time.minutes = static_cast<uint8_t>(FromBcd(minutes));
    time.seconds = static_cast<uint8_t>(FromBcd(seconds));
    return time;
}

IfoTime CellTimeFromBcd(uint8_t hours, uint8_t minutes, uint8_t seconds, uint8_t frames)
{
    static constexpr int kFramesPerSecond[] = {0, 25, 0, 30};
    const int rate = kFramesPerSecond[frames >> 6];
    const bool roundUp = rate > 0 && 2 * FromBcd(frames & 0x3f) >= rate;
    const int total = FromBcd(hours) * 3600 + FromBcd(minutes) * 60 + FromBcd(seconds) + (roundUp ? 1 : 0);
    IfoTime time;
    time.hours = static_cast<uint8_t>(total / 3600);
    time.minutes = static_cast<uint8_t>(total / 60 % 60);
    time.seconds = static_cast<uint8_t>(total % 60);
    return time;
}

int AudioStreamId(int audioFormat, int streamNumber)
{
    return FindAudioFormat(audioFormat).firstStreamId + (streamNumber & 7);
}

int SubpictureStreamId(int streamNumber) { return 0x20 + (streamNumber & 0x1f); }

QString StreamLanguage(uint16_t langCode)
{
    const char code[] = {static_cast<char>(langCode >> 8), static_cast<char>(langCode & 0xff)};
    if (!IsAsciiLetter(code[0]) || !IsAsciiLetter(code[1]))
        return QStringLiteral("Unknown");
    return ShortLanguageName(QString::fromLatin1(code, 2));
}

QString AudioDescription(int audioFormat, int channels, int sampleFrequency, uint16_t langCode, int streamId)
{
    const char *const *rate = Entry(kSampleRates, sampleFrequency);
    return QStringLiteral("%1 %2 %3ch %4kHz (%5)")
        .arg(QLatin1String(FindAudioFormat(audioFormat).word), StreamLanguage(langCode),
             QString::number(channels + 1), QLatin1String(rate ? *rate : "?"), StreamIdText(streamId));
}

QString SubpictureDescription(uint16_t langCode, int streamId)
{
    return QStringLiteral("%1 (%2)").arg(StreamLanguage(langCode), StreamIdText(streamId));
}

QString VideoDescription(int mpegVersion, int videoFormat, int pictureSize, int displayAspectRatio)
{
    const char *const *mpeg = Entry(kMpegVersions, mpegVersion);
    const TvSystem *system = Entry(kTvSystems, videoFormat);
    const int *width = Entry(kWidths, pictureSize);
    const int height = system ? system->height : 0;
    return QStringLiteral("%1 %2x%3 %4 %5")
        .arg(QLatin1String(mpeg ? *mpeg : "Unknown"), QString::number(width ? *width : 0),
             QString::number(pictureSize == kHalfHeightPictureSize ? height / 2 : height),
             QLatin1String(system ? system->name : "Unknown"), QLatin1String(AspectName(displayAspectRatio)));
}
