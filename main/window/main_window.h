#pragma once

// Tfm_main: the main window. The skin engine draws it from "skn.skn"; its
// native controls (picture buttons, stream lists, the source list, panels and
// popup menus) sit on top, placed by "Skin.ini". It owns the engine's state
// and parts, dispatches the skin's events by object name and keeps the
// control states in step with the list and the run.

#include "disc/disc_state.h"
#include "engine/conversion_queue.h"
#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/profile_captions.h"
#include "engine/profile_catalogue.h"
#include "engine/settings_file.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/source_list_commands.h"
#include "main/window/control_states.h"
#include "main/skin/skin_bars.h"
#include "main/skin/skin_binding.h"
#include "main/skin/skin_dispatch.h"
#include "main/skin/skin_ini.h"
#include "main/skin/skin_layout.h"

#include <QHash>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class Dialogs;
class DvdConversion;
class DvdRunDisplay;
class DvdTitles;
class PreviewControl;
class IfoLibrary;
class MainWindowLinks;
class ErrorBox;
class TsuiComboBox;
class TsuiImageButton;
class TsuiPopupMenu;
class ProfilePickerPanels;
class ProgramPaths;
class QLabel;
class QLineEdit;
class Shell;
class SourceListView;
class TSkin;
class NotificationIcon;
class Tfm_add;
class Tfm_info;
class Tfm_set;

// What the window works with outside itself.
struct MainWindowServices {
    const ProgramPaths &paths;
    Dialogs &dialogs;
    Shell &shell;
    ErrorBox &errors;
    SourceProbe &probe;
    EncoderRunnerFactory runners;
    // Null: the desktop's notification area.
    NotificationIcon *notificationIcon = nullptr;
};

// The pages the help items and the web button open: the pages of the layout
// file, and links 2 and 3 of the product links.
enum class ProductPage { HelpPage, SupportPage, AboutPage, WebSitePage, WebSiteLink, SupportLink, VersionContactPage };

// Commands of the parts that plug into the window later (preview, DVD titles,
// links); an empty one does nothing.
struct MainWindowPlugins {
    std::function<void()> StopPreview, TogglePreviewPause, SeekPreviewBack, SeekPreviewForward;
    std::function<void()> ToggleTitleChapterView, AddIfoFiles, OpenDvdFolder;
    std::function<void()> rowClicked;       // the source selection's own work
    std::function<void()> convertNextItem;  // the DVD run
    std::function<void()> stopDvdRun;
    std::function<void(ISkinObject *, int button, int x, int y)> skinMouseUp;
    std::function<void(ProductPage)> openPage;
};

class Tfm_main : public QWidget,
                 public SkinCommands,
                 public SkinLayoutTarget,
                 public ProfileCaptionDisplay,
                 public HintDisplay,
                 public ControlStateSink {
    Q_OBJECT
public:
    // FormCreate: the state is reset and the translation table opened; nothing else.
    explicit Tfm_main(MainWindowServices services);
    ~Tfm_main() override;

    // The windows made after this one, and the pass that gives all of them their texts.
    void attachWindows(Tfm_set *settingsWindow, Tfm_add *hintWindow, std::function<void()> applyLanguage);
    void attachInfoWindow(Tfm_info *infoWindow) { m_infoWindow = infoWindow; }
    MainWindowPlugins &plugins() { return m_plugins; }

    // The one-time set-up on the first showing.
    void FormShow();
    // Saves the settings; the window always closes.
    void FormCloseQuery();

    void UpdateControlStates();
    void SetPlayBarPosition(int p);
    void SetConvertProgress(int p);
    void ShowBackPanel(bool visible, int left, int top, int width, int height);

    // The commands that do their own work.
    void SelectAll1Click() { setEveryCheck(true); }
    void UnselectAll1Click() { setEveryCheck(false); }
    // Nothing while converting.
    void bt_allClick();
    void bt_noneClick();
    // The rows and the current view's saved check states.
    void MenuItem10Click();
    void MenuItem11Click();
    void RunBackground1Click();
    // A mouse event on the notification icon (NotificationIcon::MouseMessage).
    void OnTrayIconMessage(int message);
    void Rename1Click();
    void edt_titExit();
    // True when the box's folder is now the one in use.
    bool ed_outputExit();
    void Properties1Click();
    void ShowSettingsWindow();
    void StartPreview();

    EngineState &state() { return m_state; }
    SettingsModel &settings() { return m_settings; }
    SourceList &sourceList() { return m_list; }
    DiscState &disc() { return m_disc; }
    EstimateRows &estimateRows() { return m_estimateRows; }
    const LanguageTexts &texts() const { return m_texts; }
    SkinIni &skinIni() { return m_skinIni; }
    SettingsFile &settingsFile() { return m_settingsFile; }
    ConversionQueue &queue() { return m_queue; }
    TSkin &skin() const { return *Skin1; }
    const SkinBinding &binding() const { return m_binding; }
    const ControlStates &controlStates() const { return m_controlStates; }
    ProfilePickerPanels &picker() const { return *m_picker; }
    PreviewControl &preview() const { return *m_preview; }
    MainWindowLinks &links() const { return *m_links; }
    bool setUpDone() const { return !m_executableName.isEmpty(); }
    // The skin could not be loaded at the first showing: the program cannot go on.
    bool skinFailed() const { return m_skinFailed; }

    // SkinCommands
    bool previewRunning() const override { return m_state.previewing; }
    bool converting() const override { return m_state.converting; }
    bool chapterView() const override { return m_disc.chapterView; }
    bool hintWindowShowing() const override;
    bool outputEditHasFocus() const override;
    QString executableName() const override { return m_executableName; }
    QPoint popupOffset(const QString &section) const override;
    void HidePreviewPanel() override;
    void BringHintWindowToFront() override;
    void SetPickerVisible(bool visible) override;
    void CommitOutputEdit() override { ed_outputExit(); }
    void ArmPlayBarDrag() override { m_playBarDrag = true; }
    void CloseMainWindow() override { close(); }
    void PopupMenu(PopupMenuId menu, QPoint offset) override;
    void WarnLine(int line) override;
    void ShowHintLine(int line) override { m_texts.LoadLanguageLine(line); }
    void StopPreview() override { call(m_plugins.StopPreview); }
    void TogglePreviewPause() override { call(m_plugins.TogglePreviewPause); }
    void SeekPreviewBack() override { call(m_plugins.SeekPreviewBack); }
    void SeekPreviewForward() override { call(m_plugins.SeekPreviewForward); }
    void ShowProfilePicker() override;
    // While a DVD folder is read (the window's events run meanwhile) the list takes no other command.
    void AddFilesDialog() override
    {
        if (!dvdReading())
            m_commands.AddFilesDialog();
    }
    void ToggleTitleChapterView() override { call(m_plugins.ToggleTitleChapterView); }
    void AddIfoFiles() override { call(m_plugins.AddIfoFiles); }
    void OpenDvdFolder() override { call(m_plugins.OpenDvdFolder); }
    void AddSourceFolder() override
    {
        if (!dvdReading())
            m_commands.AddSourceFolder();
    }
    void StartConversion() override;
    void RemoveSelectedSources() override
    {
        if (!dvdReading())
            m_commands.RemoveSelectedSources();
    }
    void ClearSourceList() override
    {
        if (!dvdReading())
            m_commands.ClearSourceList();
    }
    void StopConversion() override { m_queue.StopConversion(); }
    void BrowseOutputFolder() override;
    void OpenOutputFolder() override;

    // SkinLayoutTarget
    void setPopupColors(const QString &menu, const PopupColors &colors) override;
    void setVersion(int version) override { m_version = version; }
    void setButtonBounds(const QString &button, const QRect &bounds) override;
    void loadButtonPictures(const QString &button, const ImageButtonPictures &pictures) override;
    void setButtonVisible(const QString &button, bool visible) override;
    void setComboPlace(const QString &combo, int left, int top, int width) override;
    void setComboColors(const QString &combo, const ComboColors &colors) override;
    void setOutputEdit(const QRect &bounds, bool visible) override;
    void movePanel(const QString &panel, int left, int top) override;
    void setPreviewPanelBounds(const QRect &bounds) override;
    void setListBounds(const QRect &bounds) override;
    void setListColumnCaption(int column, const QString &caption) override;
    void setListColumnWidth(int column, int width) override;
    void setListCheckBoxes(bool shown) override;
    void showTitle(int left, int top, int width, const QString &picture) override;
    void hideTitle() override;

    // ProfileCaptionDisplay
    void loadCategoryIcon(const QString &path) override;
    void showProfileCaption(const QString &caption) override;
    // HintDisplay
    void showHint(const QString &line) override;
    // ControlStateSink
    void setControlEnabled(const QString &control, bool enabled) override;
    void setControlVisible(const QString &control, bool visible) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void useProgramIcon();
    void buildMenus();
    void connectButtons();
    void buildRenameEditor();
    bool renameEditorEvent(QEvent *event);
    void setEveryCheck(bool checked);
    void buildDvdTitles();
    void buildDvdRun();
    void buildPreview();
    void buildLinks();
    bool dvdReading() const;
    bool outputBoxTaken();
    void connectSkin();
    void SetupSkin();
    void Skin1ScrollTrack(ISkinObject *source);
    void call(const std::function<void()> &f) const
    {
        if (f)
            f();
    }
    static ConversionHooks conversionHooks(Tfm_main *window);
    static SourceListHooks sourceListHooks(Tfm_main *window);

    MainWindowServices m_services;
    MainWindowPlugins m_plugins;

    // FormCreate's state.
    QString m_executableName; // set by FormShow; its once-only guard
    bool m_playBarDrag = false;
    bool m_skinFailed = false;
    bool m_outputTyped = false;        // the output box holds a typed folder not taken yet
    bool m_outputRefusalShown = false; // that folder was just refused, with its message
    int m_version = 1;

    EngineState m_state;
    SettingsModel m_settings;
    SourceList m_list;
    SourceListEstimateRows m_estimateRows{m_list};
    LanguageTexts m_texts;
    SkinIni m_skinIni;
    ProfileCatalogue m_catalogue;
    SettingsFile m_settingsFile;
    SourceListCommands m_commands;
    ConversionQueue m_queue;
    DiscState m_disc;
    std::unique_ptr<IfoLibrary> m_ifo;
    ComboModel m_audioStreams, m_subtitleStreams; // cb_audio, cb_subtitle
    std::unique_ptr<DvdTitles> m_dvdTitles;
    std::unique_ptr<DvdRunDisplay> m_dvdRunSkin;
    std::unique_ptr<DvdConversion> m_dvdRun;
    std::unique_ptr<PreviewControl> m_preview; // the previews of the list's rows

    TSkin *Skin1;
    SkinBinding m_binding;
    ControlStates m_controlStates;
    TitleDrag m_titleDrag;
    // The skin's own buttons drawn on or off with their picture buttons (SkinButtonRules order; null: not in the skin).
    std::vector<ISkinFrame *> m_skinButtons;

    std::map<QString, TsuiImageButton *> m_buttons;
    TsuiComboBox *cb_audio;
    TsuiComboBox *cb_subtitle;
    QLineEdit *ed_output;
    SourceListView *lv;
    QWidget *Panel1;
    QWidget *pl_play;
    QWidget *pl_appname;
    QLabel *img_name;
    QLabel *im_mainico;
    std::unique_ptr<ProfilePickerPanels> m_picker; // pl_main, the category and edition panels, pl_back
    QHash<PopupMenuId, TsuiPopupMenu *> m_menus;
    QLineEdit *edt_tit = nullptr; // the in-place rename editor
    int m_renameRow = -1;
    std::unique_ptr<NotificationIcon> m_ownTray;
    NotificationIcon *m_tray;

    Tfm_set *m_settingsWindow = nullptr;
    Tfm_add *m_hintWindow = nullptr;
    Tfm_info *m_infoWindow = nullptr;
    std::function<void()> m_applyLanguage;
    std::unique_ptr<MainWindowLinks> m_links; // the web pages, the product links and the update check
};
