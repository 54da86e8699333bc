// The main window's DVD side: the title lists and their stream choice, and
// the sequential rip, wired to the window's controls and skin objects.

#include "disc/dvd_titles.h"
#include "engine/dvd_conversion.h"
#include "main/dialogs/hint_window.h"
#include "platform/paths/program_paths.h"
#include "main/window/main_window.h"
#include "main/skin/combo_binding.h"
#include "main/window/source_list_view.h"
#include "platform/drives/optical_drive.h"
#include "platform/errors/error_guard.h"
#include "platform/ifo/ifo_library.h"
#include "platform/ini/ini_file.h"
#include "skin_controls/controls/combo_box.h"

#include <QCoreApplication>

namespace {

// The skin objects of a running rip.
class DvdRunSkin : public DvdRunDisplay {
public:
    explicit DvdRunSkin(Tfm_main &window) : m_window(window) {}

    void setJobText(const QString &object, const QString &text) override
    {
        if (const BoundSkinObject *o = m_window.binding().find(object)) {
            o->setText(text);
            o->redraw();
        }
    }
    void setConvertInfoVisible(bool visible) override
    {
        m_window.binding().convertinfo.setVisible(visible);
        m_window.binding().convertinfo.redraw();
    }
    void hidePreviewPanel() override { m_window.HidePreviewPanel(); }

private:
    Tfm_main &m_window;
};

} // namespace

void Tfm_main::buildDvdTitles()
{
    m_ifo = MakeDvdReadIfoLibrary();

    DvdTitlesHooks hooks;
    hooks.updateControlStates = [this] { UpdateControlStates(); };
    hooks.showBusyWindow = [this] {
        if (!m_hintWindow)
            return;
        m_hintWindow->setBusyMode(true);
        m_hintWindow->show();
        m_hintWindow->raise();
    };
    hooks.closeBusyWindow = [this] {
        if (m_hintWindow)
            m_hintWindow->hide();
    };
    hooks.saveBrowsePath = [this](const QString &folder) {
        // Nothing reads the path back: a settings file that cannot take it stops no DVD.
        try {
            if (TIniFile *ini = m_settingsFile.settingsIni())
                ini->WriteString(QStringLiteral("BluRay"), QStringLiteral("Path"), folder);
        } catch (const IniFileError &) {
        }
    };
    SourceListHooks estimate;
    SetEstimateHook(estimate, m_state, m_settings, m_list);
    hooks.estimatedSize = estimate.estimatedSize;
    hooks.setSkinText = [this](const QString &object, const QString &text) {
        if (const BoundSkinObject *o = m_binding.find(object)) {
            o->setText(text);
            o->redraw();
        }
    };
    hooks.pumpMessages = [] { QCoreApplication::processEvents(); };
    hooks.isOpticalDrive = [](const QString &folder) { return IsOnOpticalDrive(folder); };
    hooks.waitForDrive = [](const QString &folder) { WaitForDriveAnswer(folder); };
    hooks.setListEnabled = [this](bool enabled) { lv->setEnabled(enabled); };

    m_dvdTitles = std::make_unique<DvdTitles>(m_disc, m_state, m_list, m_texts, m_services.dialogs, *m_ifo,
                                              m_audioStreams, m_subtitleStreams, std::move(hooks));
    m_plugins.OpenDvdFolder = [this] { m_dvdTitles->OpenDvdFolder(); };
    m_plugins.AddIfoFiles = [this] { m_dvdTitles->AddIfoFiles(); };
    m_plugins.ToggleTitleChapterView = [this] { m_dvdTitles->ToggleTitleChapterView(); };
    m_plugins.rowClicked = [this] { m_dvdTitles->lvClick(); };

    BindCombo(cb_audio, m_audioStreams);
    BindCombo(cb_subtitle, m_subtitleStreams);
    connect(cb_audio, &QComboBox::activated, this,
            Guarded(m_services.errors, [this](int index) { m_dvdTitles->cb_audioChange(index); }));
    connect(cb_subtitle, &QComboBox::activated, this,
            Guarded(m_services.errors, [this](int index) { m_dvdTitles->cb_subtitleChange(index); }));
}

void Tfm_main::buildDvdRun()
{
    m_dvdRunSkin = std::make_unique<DvdRunSkin>(*this);
    DvdRunHooks hooks;
    hooks.updateControlStates = [this] { UpdateControlStates(); };
    hooks.setConvertProgress = [this](int p) { SetConvertProgress(p); };
    m_dvdRun = std::make_unique<DvdConversion>(m_state, m_list, m_settings, m_texts, m_services.dialogs,
                                               m_services.shell, *m_dvdRunSkin, m_services.runners,
                                               m_services.paths.executableFolder(), std::move(hooks));
    m_plugins.convertNextItem = [this] { m_dvdRun->ConvertNextItem(); };
    m_plugins.stopDvdRun = [this] { m_dvdRun->StopDvdRun(); };
}

bool Tfm_main::dvdReading() const
{
    return m_dvdTitles && m_dvdTitles->isBusy();
}
