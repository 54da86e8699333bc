#include "engine/settings_file.h"

#include "engine/job_builder.h"
#include "engine/profile_captions.h"
#include "engine/profile_catalogue.h"
#include "engine/profile_number.h"
#include "platform/errors/error_guard.h"
#include "platform/ini/ini_file.h"
#include "platform/paths/program_paths.h"

#include <QDir>
#include <algorithm>

namespace {

const QString kOutput = QStringLiteral("output");
const QString kPath = QStringLiteral("path");
const QString kProfiles = QStringLiteral("profiles");
const QString kCategory = QStringLiteral("selcetindex");
const QString kProfile = QStringLiteral("selcetsubindex");
const QString kFinish = QStringLiteral("FinishSelcet");
const QString kThCount = QStringLiteral("ThCount");
const QString kPlane = QStringLiteral("plane");
const QString kVideo = QStringLiteral("video");
const QString kAudio = QStringLiteral("audio");
const QString kLoad = QStringLiteral("Load");
const QString kMain = QStringLiteral("Main");

constexpr int kNone = -1;
constexpr int kProfileForNone = 103; // a stored -1 starts on this profile
constexpr int kDefaultCategory = 1;
constexpr int kDefaultThCount = 3;
constexpr int kMaxThCount = 9;

} // namespace

QString SettingsFileName(const QString &settingsBaseName) { return ChangeFileExt(settingsBaseName, QStringLiteral(".ini")); }

QString QualityFileName(const QString &settingsBaseName) { return QStringLiteral("pro ") + SettingsFileName(settingsBaseName); }

QString DefaultOutputFolder() { return QDir::homePath() + QStringLiteral("/My Video/"); }

SettingsFile::SettingsFile(EngineState &state, SettingsModel &settings, ProfileCatalogue &catalogue,
                           const ProgramPaths &paths, ErrorBox &errors)
    : m_state(state), m_model(settings), m_catalogue(catalogue), m_paths(paths), m_errors(errors)
{
}

SettingsFile::~SettingsFile() { m_catalogue.setQualityFile(nullptr); }

void SettingsFile::LoadSettings()
{
    m_state.settingsLoaded = false;
    const QString base = m_paths.settingsBaseName();
    m_quality = std::make_unique<TIniFile>(m_paths.configFile(QualityFileName(base)));
    m_settings = std::make_unique<TIniFile>(m_paths.configFile(SettingsFileName(base)));
    m_catalogue.setQualityFile(m_quality.get());
    const TIniFile &ini = *m_settings;

    m_state.planeVideo = ini.ReadBool(kPlane, kVideo, true);
    m_state.planeAudio = ini.ReadBool(kPlane, kAudio, true);
    m_state.outputFolder = ini.ReadString(kOutput, kPath, DefaultOutputFolder());
    m_model.ed_output = m_state.outputFolder;
    m_state.loadMain = ini.ReadBool(kLoad, kMain, true);

    m_state.currentCategory = ini.ReadInteger(kProfiles, kCategory, kDefaultCategory);
    if (m_state.currentCategory == kNone)
        m_state.currentCategory = kDefaultCategory;

    const int editionDefault = DefaultProfileForEdition(m_paths.executableName());
    int stored = ini.ReadInteger(kProfiles, kProfile, editionDefault);
    if (stored != kNone && !IsProfile(stored))
        stored = editionDefault;
    m_state.appliedProfile = stored;
    m_state.currentProfile = stored == kNone ? kProfileForNone : stored;
    // A catalogue that cannot be read is shown, and start-up goes on.
    RunGuarded(m_errors, [&] { m_catalogue.SelectProfile(m_state.currentProfile); });

    m_state.FinishSelcet = ini.ReadInteger(kProfiles, kFinish, 0);
    if (m_state.FinishSelcet < 0 || m_state.FinishSelcet > 2)
        m_state.FinishSelcet = 0;
    m_state.ThCount = std::clamp(ini.ReadInteger(kThCount, kThCount, kDefaultThCount), 0, kMaxThCount);
    m_state.settingsLoaded = true;
}

void SettingsFile::SaveSettings()
{
    if (!m_settings || !m_state.settingsLoaded)
        return;
    TIniFile &ini = *m_settings;
    ini.WriteString(kOutput, kPath, m_state.outputFolder);
    if (m_state.currentProfile != kNone)
        ini.WriteInteger(kProfiles, kProfile, m_state.currentProfile);
    if (m_state.currentCategory != kNone)
        ini.WriteInteger(kProfiles, kCategory, m_state.currentCategory);
    ini.WriteInteger(kProfiles, kFinish, m_state.FinishSelcet);
    ini.WriteBool(kPlane, kVideo, m_state.planeVideo);
    ini.WriteBool(kPlane, kAudio, m_state.planeAudio);
    ini.WriteBool(kLoad, kMain, m_state.loadMain);
    ini.WriteInteger(kThCount, kThCount, m_state.ThCount);
    m_catalogue.setQualityFile(nullptr);
    m_settings.reset();
    m_quality.reset();
}
