#pragma once

// The output profile catalogue "profiles.pop" beside the executable and the
// selection of one profile: four lines per ProfileNumber 1..131 (title, frame
// sizes, five video rates in kbit/s from lowest to highest quality or "*",
// encoder option string). Every selection reads the file afresh.

#include "engine/engine_state.h"
#include "engine/settings_model.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

class EstimateRows;
class ProfileCaptionDisplay;
class TIniFile;

// "profiles.pop" is missing, unreadable, too short, or holds a line that is
// not in its format; the message names the file, the profile and the line.
class ProfileFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ProfileGroup {
    QString sizes;   // frame sizes separated by single blanks; empty without video
    QString rates;   // five video rates, lowest quality first, or "*"
    QString options; // the encoder option string
};

// The group of profile n (1..131), line ends CR LF or LF. Throws ProfileFileError.
ProfileGroup ReadProfileGroup(const QString &path, int n);

// Items of a catalogue line: the text up to each blank; an empty item ends the
// list, and a last item without a blank after it counts only from two characters.
QStringList SplitProfileItems(const QString &line);

// Rebuilds cb_size from a frame-size line ("PAL"/"NTSC" for the disc targets,
// "No Video" chosen when the line gives no item).
void FillSizeList(const QString &line, int profile, SettingsModel &settings, const LugLookup &lug);
// The values of a video-rate line, lowest quality first, into slots 4, 3, ..;
// slots without a value keep their text.
void ParseVideoBitrateList(const QString &line, EngineState &state);

class ProfileCatalogue {
public:
    ProfileCatalogue(EngineState &state, SettingsModel &settings, QString exeDir, LugLookup lug,
                     ProfileCaptionDisplay &display, EstimateRows &rows);

    // The quality file, open from LoadSettings to SaveSettings; null reads defaults and stores nothing.
    void setQualityFile(TIniFile *quality) { m_quality = quality; }
    QString catalogueFile() const;

    // Applies profile n: caption and icon, the frame-size list, the video-rate
    // slots, the option string, the channel list, the stored quality, and every
    // row's estimate. The quality of the profile being left is stored first
    // (once the settings are loaded). The current profile becomes n; callers
    // need not set it first. Any error (ProfileFileError, a picture that cannot
    // be loaded, a failed store) is thrown before anything changes: the
    // previous profile stays in force, the current profile included.
    void SelectProfile(int n);

private:
    void select(int n);
    void applyRates(const QString &line);
    void fillChannelList();

    EngineState &m_state;
    SettingsModel &m_settings;
    QString m_exeDir;
    LugLookup m_lug;
    ProfileCaptionDisplay &m_display;
    EstimateRows &m_rows;
    TIniFile *m_quality = nullptr;
};
