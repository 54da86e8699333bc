#pragma once

// The settings file (output folder, profile and picker category, after-finish
// action, number of parallel encoders) and the per-profile quality file beside
// it, both named after the executable and kept in the per-user config folder.
// Read once when the main window is first shown, written once when it closes.

#include "engine/engine_state.h"
#include "engine/settings_model.h"

#include <QString>
#include <memory>

class ErrorBox;
class ProfileCatalogue;
class ProgramPaths;
class TIniFile;

// "<base>.ini" for the settings base name (the executable's name without a
// trailing ".exe"): a base that holds a "." loses the part from its last "."
// on ("tool 2.1" → "tool 2.ini").
QString SettingsFileName(const QString &settingsBaseName);
// "pro " + the settings file name.
QString QualityFileName(const QString &settingsBaseName);
// The output folder when none is stored: "My Video" in the user's home folder.
QString DefaultOutputFolder();

class SettingsFile {
public:
    SettingsFile(EngineState &state, SettingsModel &settings, ProfileCatalogue &catalogue,
                 const ProgramPaths &paths, ErrorBox &errors);
    ~SettingsFile();

    // Opens both files, reads the settings and selects the stored (or the
    // edition's default) profile. A selection that fails is shown in the error
    // box; the rest is still read, and the stored profile is kept for the exit.
    void LoadSettings();
    // Writes the settings and closes both files. Does nothing unless LoadSettings
    // finished, so an early end never overwrites what is stored.
    void SaveSettings();

    // The open settings file, for the DVD folder command's "BluRay"/"Path"; null when closed.
    TIniFile *settingsIni() const { return m_settings.get(); }
    TIniFile *qualityIni() const { return m_quality.get(); }

private:
    EngineState &m_state;
    SettingsModel &m_model;
    ProfileCatalogue &m_catalogue;
    const ProgramPaths &m_paths;
    ErrorBox &m_errors;
    std::unique_ptr<TIniFile> m_quality;
    std::unique_ptr<TIniFile> m_settings;
};
