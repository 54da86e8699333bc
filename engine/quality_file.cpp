#include "engine/quality_file.h"

#include "engine/profile_number.h"
#include "platform/ini/ini_file.h"

#include <array>

namespace {

struct SizeDefault {
    int first;
    int last;
    int index;
};

// Ranges of profiles and the frame-size item each starts on; all others 0.
constexpr SizeDefault kSizeDefaults[] = {
    {7, 7, 1},     {14, 14, 1},   {69, 69, 1},   {77, 77, 1},   {83, 85, 1},   {89, 89, 1},
    {4, 4, 2},     {8, 9, 2},     {55, 55, 2},   {61, 66, 2},   {68, 68, 2},   {91, 97, 2},
    {110, 111, 2}, {118, 123, 2}, {2, 3, 4},     {5, 6, 4},     {10, 13, 4},   {99, 100, 4},
    {102, 108, 4}, {125, 131, 4},
};

const QString kSize = QStringLiteral("size");
const QString kVideo = QStringLiteral("video bitrate");
const QString kAudio = QStringLiteral("audio bitrate");
const QString kChannel = QStringLiteral("Channel");

constexpr int kQualityDefault = 2; // "Normal"
constexpr int kChannelDefault = 1; // "Stereo"
constexpr int kFallbackItem = 1;

int readIndex(const TIniFile *ini, const QString &section, const QString &key, int def)
{
    return ini ? ini->ReadInteger(section, key, def) : def;
}

} // namespace

int DefaultSizeIndex(int n)
{
    for (const SizeDefault &d : kSizeDefaults)
        if (n >= d.first && n <= d.last)
            return d.index;
    return 0;
}

void LoadProfileQuality(const TIniFile *ini, int n, SettingsModel &settings)
{
    if (IsProfile(n)) {
        const QString section = QString::number(n);
        if (!IsAudioOnly(n)) {
            settings.cb_size.SetItemIndex(readIndex(ini, section, kSize, DefaultSizeIndex(n)));
            settings.cb_videobitrate.SetItemIndex(readIndex(ini, section, kVideo, kQualityDefault));
        }
        settings.cb_audiobitrate.SetItemIndex(readIndex(ini, section, kAudio, kQualityDefault));
        settings.cb_channel.SetItemIndex(readIndex(ini, section, kChannel, kChannelDefault));
    }
    // A list of one item (a profile with a single frame size) has no item 1:
    // its only item is the one left to choose.
    for (ComboModel *list : {&settings.cb_size, &settings.cb_videobitrate, &settings.cb_audiobitrate,
                             &settings.cb_channel})
        if (!list->HasChosenItem())
            list->SetItemIndex(list->Count() > kFallbackItem ? kFallbackItem : 0);
}

void SaveProfileQuality(TIniFile *ini, int n, const SettingsModel &settings)
{
    if (!ini || !IsProfile(n))
        return;
    for (const ComboModel *list : {&settings.cb_size, &settings.cb_videobitrate, &settings.cb_audiobitrate,
                                   &settings.cb_channel})
        if (!list->HasChosenItem())
            return;
    const QString section = QString::number(n);
    if (!IsAudioOnly(n)) {
        ini->WriteInteger(section, kSize, settings.cb_size.ItemIndex());
        ini->WriteInteger(section, kVideo, settings.cb_videobitrate.ItemIndex());
    }
    ini->WriteInteger(section, kAudio, settings.cb_audiobitrate.ItemIndex());
    ini->WriteInteger(section, kChannel, settings.cb_channel.ItemIndex());
}
