#include "main/window/main_window.h"

#include "disc/dvd_titles.h"
#include "disc/preview_control.h"
#include "engine/dvd_conversion.h"
#include "platform/ifo/ifo_library.h"

#include "main/dialogs/hint_window.h"
#include "main/window/language_table.h"
#include "main/window/main_window_links.h"
#include "main/picker/picker_panels.h"
#include "main/dialogs/settings_window.h"
#include "main/window/source_list_view.h"
#include "platform/dialogs/dialogs.h"
#include "platform/errors/error_guard.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/shell.h"
#include "platform/shell/tray_icon.h"
#include "platform/skin/skin.h"
#include "platform/skin/skin_error.h"
#include "skin_controls/controls/combo_box.h"
#include "skin_controls/controls/image_button.h"
#include "skin_controls/controls/popup_menu.h"
#include "skin_controls/drawing/image_drawing.h"
#include "skin_controls/theme/theme_resources.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The colour the program icon's bitmap marks see-through pixels with.
constexpr QRgb kProgramIconKey = 0xFF00FF;

// Buttons no layout key places; they exist for the control states.
constexpr const char *kUnplacedButtons[] = {"bt_cut", "bt_pause"};

} // namespace

ConversionHooks Tfm_main::conversionHooks(Tfm_main *w)
{
    ConversionHooks hooks;
    hooks.updateControlStates = [w] { w->UpdateControlStates(); };
    hooks.setConvertProgress = [w](int p) { w->SetConvertProgress(p); };
    hooks.addingSources = [w] { return w->m_commands.isAdding() || w->dvdReading(); };
    hooks.convertNextItem = [w] { w->call(w->m_plugins.convertNextItem); };
    hooks.stopDvdRun = [w] { w->call(w->m_plugins.stopDvdRun); };
    SetFileJobHooks(hooks, w->m_state, w->m_settings, w->m_list, w->m_texts);
    return hooks;
}

SourceListHooks Tfm_main::sourceListHooks(Tfm_main *w)
{
    SourceListHooks hooks;
    hooks.bringHintWindowToFront = [w] {
        if (w->hintWindowShowing())
            w->BringHintWindowToFront();
    };
    hooks.rowClicked = [w] { w->call(w->m_plugins.rowClicked); };
    hooks.updateControlStates = [w] { w->UpdateControlStates(); };
    hooks.pumpMessages = [] { QCoreApplication::processEvents(); };
    SetEstimateHook(hooks, w->m_state, w->m_settings, w->m_list);
    return hooks;
}

Tfm_main::Tfm_main(MainWindowServices services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_services(std::move(services)),
      m_texts(m_services.paths.besideExecutable(QStringLiteral("language.info")),
              LanguageTexts::lugIni(m_services.paths.besideExecutable(QStringLiteral("lug.ini"))),
              [this] { return m_state.converting; }, this),
      m_skinIni(m_services.paths.besideExecutable(QStringLiteral("Skin.ini")),
                m_services.paths.configFile(QStringLiteral("Skin.ini"))),
      m_catalogue(m_state, m_settings, m_services.paths.executableFolder(),
                  [this](const QString &s, const QString &k, const QString &d) { return m_texts.Lug(s, k, d); }, *this,
                  m_estimateRows),
      m_settingsFile(m_state, m_settings, m_catalogue, m_services.paths, m_services.errors),
      m_commands(m_list, m_state, m_texts, m_services.dialogs, m_services.probe, m_services.paths.executableFolder(),
                 sourceListHooks(this)),
      m_queue(m_state, m_list, m_texts, m_services.dialogs, m_services.shell, m_services.runners,
              m_services.paths.executableFolder(), conversionHooks(this)),
      Skin1(new TSkin(this))
{
    // The skinned controls draw from the bitmaps the build puts beside the program.
    SetThemeResourceFolder(m_services.paths.besideExecutable(QStringLiteral("tsui")));
    useProgramIcon();
    if (!m_services.notificationIcon)
        m_ownTray = std::make_unique<TrayIcon>();
    m_tray = m_services.notificationIcon ? m_services.notificationIcon : m_ownTray.get();
    m_tray->onMouse = [this](int message) { RunGuarded(m_services.errors, [&] { OnTrayIconMessage(message); }); };
    setObjectName(QStringLiteral("Tfm_main"));
    setWindowTitle(QStringLiteral("Ravenmoor"));
    // FormCreate: no profile, category or picker choice yet; title view, file mode, idle.
    m_state.currentProfile = -1;
    m_state.currentCategory = -1;
    m_state.previewing = false;
    m_state.converting = false;
    m_state.sourceMode = SourceMode::FileRows;
    // Why rows failed, kept beside the settings.
    m_state.conversionLog = m_services.paths.configFile(m_services.paths.settingsBaseName() + QStringLiteral(".log"));
    buildControls();
    buildMenus();
    buildDvdTitles();
    buildDvdRun();
    buildPreview();
    buildLinks();
    connectSkin();
}

// The program's icon, the one the skinned title bar draws, is the
// application's: every window and the notification-area icon show it. Without
// its bitmap the desktop's own icon stays.
void Tfm_main::useProgramIcon()
{
    try {
        const QImage icon = KeyedOut(LoadThemeResource(QStringLiteral("MAINICON")), kProgramIconKey);
        QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    } catch (const TsuiResourceError &) {
    }
}

Tfm_main::~Tfm_main()
{
    m_tray->onMouse = nullptr;
}

void Tfm_main::attachWindows(Tfm_set *settingsWindow, Tfm_add *hintWindow, std::function<void()> applyLanguage)
{
    m_settingsWindow = settingsWindow;
    m_hintWindow = hintWindow;
    m_applyLanguage = std::move(applyLanguage);
}

void Tfm_main::buildControls()
{
    const auto panel = [this](const char *name, QWidget *parent) {
        auto *w = new QWidget(parent);
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    Panel1 = panel("Panel1", this);
    m_picker = std::make_unique<ProfilePickerPanels>(
        this, m_services.paths.executableFolder(), m_services.paths.executableName(), m_state,
        PickerHooks{[this](int n) { m_catalogue.SelectProfile(n); }, [this] { WarnLine(kConvertingLine); },
                    [this] { HidePreviewPanel(); }},
        m_services.errors, [this](bool visible, const QRect &r) {
            ShowBackPanelFrame(m_binding, visible, r.left(), r.top(), r.width(), r.height());
        });
    pl_play = panel("pl_play", this);
    pl_play->setAutoFillBackground(true);
    pl_play->setPalette(QPalette(Qt::black));
    pl_appname = panel("pl_appname", this);
    img_name = new QLabel(pl_appname);
    img_name->setObjectName(QStringLiteral("img_name"));
    img_name->installEventFilter(this);
    im_mainico = new QLabel(this);
    im_mainico->setObjectName(QStringLiteral("im_mainico"));
    im_mainico->setToolTip(QStringLiteral("Try"));
    im_mainico->installEventFilter(this);

    for (const SkinButtonRow &row : SkinImageButtons())
        m_buttons[QString::fromLatin1(row.name)] = new TsuiImageButton(QString::fromLatin1(row.name), this);
    for (const char *name : kUnplacedButtons) {
        auto *button = new TsuiImageButton(QString::fromLatin1(name), this);
        button->hide();
        m_buttons[QString::fromLatin1(name)] = button;
    }
    // A press on a toolbar button or on the preview panel closes the picker
    // before the button's own click is handled; a button's hover shows its hint line.
    for (const auto &[name, button] : m_buttons) {
        const auto hint = [this, control = name](bool over) {
            return Guarded(m_services.errors, [this, control, over] { ShowToolbarHint(m_texts, control, over); });
        };
        connect(button, &TsuiCustomButton::mouseEnter, this, hint(true));
        connect(button, &TsuiCustomButton::mouseMove, this, hint(true));
        connect(button, &TsuiCustomButton::mouseExit, this, hint(false));
        connect(button, &TsuiCustomButton::mouseDown, this,
                Guarded(m_services.errors, [this] { SetPickerVisible(false); }));
    }
    pl_play->installEventFilter(this);
    connectButtons();

    cb_audio = new TsuiComboBox(QStringLiteral("cb_audio"), this);
    cb_subtitle = new TsuiComboBox(QStringLiteral("cb_subtitle"), this);
    ed_output = new QLineEdit(this);
    ed_output->setObjectName(QStringLiteral("ed_output"));
    ed_output->installEventFilter(this);
    connect(ed_output, &QLineEdit::textEdited, this, [this] { m_outputTyped = true; });

    lv = new SourceListView(m_list, this);
    lv->onMouseDown = [this] { SetPickerVisible(false); };
    lv->onSelectionChanged = [this] {
        call(m_plugins.rowClicked);
        UpdateControlStates();
    };
    connect(lv, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_menus.value(PopupMenuId::zm_pop_edit)->popup(lv->viewport()->mapToGlobal(at));
    });
    // The open picker covers the controls beneath it.
    m_picker->bringToFront();
    buildRenameEditor();
}

void Tfm_main::connectSkin()
{
    ErrorBox &box = m_services.errors;
    connect(Skin1, &TSkin::OnClick, this,
            Guarded(box, [this](ISkinObject *source) { Skin1Click(source->GetObjectName(), *this); }));
    connect(Skin1, &TSkin::OnMouseDown, this,
            Guarded(box, [this](ISkinObject *source, int, int, int) {
                m_outputRefusalShown = false; // a new press: what it refuses is shown anew
                Skin1MouseDown(source->GetObjectName(), *this);
            }));
    connect(Skin1, &TSkin::OnMouseMove, this,
            Guarded(box, [this](ISkinObject *source, int, int) { Skin1MouseMove(source->GetObjectName(), *this); }));
    connect(Skin1, &TSkin::OnScrollTrack, this,
            Guarded(box, [this](ISkinObject *source, int) { Skin1ScrollTrack(source); }));
    connect(Skin1, &TSkin::OnMouseUp, this, Guarded(box, [this](ISkinObject *source, int button, int x, int y) {
                if (m_plugins.skinMouseUp)
                    m_plugins.skinMouseUp(source, button, x, y);
            }));
}

void Tfm_main::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Without its skin or its layout the window cannot work: the program reports it and ends.
    QString skinFailure;
    RunGuarded(m_services.errors, [&] {
        try {
            FormShow();
        } catch (const SkinError &e) {
            skinFailure = QString::fromUtf8(e.what());
        }
    });
    if (skinFailure.isEmpty())
        return;
    m_skinFailed = true;
    m_services.errors.showError(skinFailure);
    hide();
}

void Tfm_main::FormShow()
{
    if (!m_executableName.isEmpty())
        return;
    call(m_applyLanguage);
    SetupSkin();
    SetPickerVisible(false);
    m_executableName = m_services.paths.executableName();
    const LugLookup lug = [this](const QString &s, const QString &k, const QString &d) { return m_texts.Lug(s, k, d); };
    CheckSkinIni(m_skinIni, lug);
    LoadSkinLayout(m_skinIni, m_services.paths.executableFolder(), m_executableName, lug, *this);
    m_links->FirstStartAndProductLinks();
    m_picker->picker().RestoreAllButtons();
    m_picker->picker().LayoutProfileStrip();
    m_settingsFile.LoadSettings();
    m_picker->picker().SettingsLoaded();
    ed_output->setText(m_settings.ed_output);
    m_list.setVisible(false);
    m_buttons.at(QStringLiteral("bt_dvdopen"))->setFocus();
    m_playBarDrag = false;
    ShowBackPanel(false, 0, 0, 0, 0);
    UpdateControlStates();
    m_binding.play_bar.setVisible(false);
    m_binding.play_bar.redraw();
    pl_play->hide();
    SetPlayBarPosition(0);
    SetConvertProgress(0);
    m_links->StartUpdateCheck();
}

void Tfm_main::SetupSkin()
{
    Skin1->LoadSkinFile(m_services.paths.besideExecutable(QStringLiteral("skn.skn")));
    Skin1->ApplySkinToWindow(this);
    Skin1->ApplySkinSection(this, QStringLiteral("popravenmoor"));
    BindSkinObjects(*Skin1->GetWindowObject(this), m_binding);
    m_skinButtons.clear();
    for (const SkinButtonRule &rule : SkinButtonRules()) {
        ISkinObject *o = Skin1->GetWindowObject(this)->FindChildObject(QString::fromLatin1(rule.skinObject));
        m_skinButtons.push_back(o ? o->FrameFacet() : nullptr);
    }
}

void Tfm_main::closeEvent(QCloseEvent *event)
{
    // No run goes on unseen: the Stop question first. No keeps the window and the run.
    if (m_state.converting) {
        m_queue.StopConversion();
        if (m_state.converting) {
            event->ignore();
            return;
        }
    }
    // The player and its thread end with the window, and so do the probes of an add.
    if (m_state.previewing)
        StopPreview();
    m_commands.CancelAdding();
    FormCloseQuery();
    event->accept();
}

void Tfm_main::FormCloseQuery()
{
    try {
        m_settingsFile.SaveSettings();
    } catch (...) {
        // Closing never fails: a settings file that cannot be written is given up.
    }
}

bool Tfm_main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edt_tit && renameEditorEvent(event))
        return false;
    if (watched == ed_output && event->type() == QEvent::FocusOut) {
        RunGuarded(m_services.errors, [this] { CommitOutputEdit(); });
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && watched == pl_play) {
        RunGuarded(m_services.errors, [this] { SetPickerVisible(false); });
        return false;
    }
    if (watched == im_mainico && event->type() == QEvent::MouseButtonRelease) {
        RunGuarded(m_services.errors, [this] { ShowProfilePicker(); });
        return true;
    }
    if (watched != img_name)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_titleDrag.press(static_cast<QMouseEvent *>(event)->position().toPoint());
        break;
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        const bool leftDown = QGuiApplication::mouseButtons() & Qt::LeftButton;
        if (const auto to = m_titleDrag.move(pos(), at, leftDown))
            move(*to);
        break;
    }
    case QEvent::MouseButtonRelease:
        m_titleDrag.release();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Tfm_main::UpdateControlStates()
{
    ControlFacts facts;
    facts.rowCount = m_list.rowCount();
    facts.selectedRow = m_list.selectedRow();
    facts.previewing = m_state.previewing;
    facts.converting = m_state.converting;
    facts.mode = m_state.sourceMode;
    m_controlStates = ::UpdateControlStates(facts, m_controlStates);
    ApplyControlStates(m_controlStates, *this);
    const auto rules = SkinButtonRules();
    for (size_t i = 0; i < m_skinButtons.size(); ++i)
        if (m_skinButtons[i])
            m_skinButtons[i]->SetEnabled(m_controlStates.enabled(QString::fromLatin1(rules[i].control)));
}

void Tfm_main::setControlEnabled(const QString &control, bool enabled)
{
    QObject *o = findChild<QObject *>(control);
    if (auto *w = qobject_cast<QWidget *>(o))
        w->setEnabled(enabled);
    else if (auto *a = qobject_cast<QAction *>(o))
        a->setEnabled(enabled);
}

void Tfm_main::setControlVisible(const QString &control, bool visible)
{
    QObject *o = findChild<QObject *>(control);
    if (auto *w = qobject_cast<QWidget *>(o))
        w->setVisible(visible);
    else if (auto *a = qobject_cast<QAction *>(o))
        a->setVisible(visible);
}

void Tfm_main::SetPlayBarPosition(int p)
{
    ::SetPlayBarPosition(m_binding, m_skinIni, p);
}

void Tfm_main::SetConvertProgress(int p)
{
    ::SetConvertProgress(m_binding, m_skinIni, p, m_state.lastEncoderLine);
}

void Tfm_main::ShowBackPanel(bool visible, int left, int top, int width, int height)
{
    m_picker->showBackPanel(visible, QRect(left, top, width, height));
}

void Tfm_main::Skin1ScrollTrack(ISkinObject *source)
{
    ScrollTrackFacts facts;
    facts.dragArmed = m_playBarDrag;
    facts.rowCount = m_list.rowCount();
    facts.currentRow = m_list.selectedRow();
    facts.sliderPosition = m_binding.play_bar.position();
    facts.mode = m_state.sourceMode;
    facts.previewing = m_state.previewing;
    if (facts.currentRow >= 0) {
        facts.rowDuration = m_list.row(facts.currentRow).subItems[SourceRow::OriginalTime];
        facts.titleSeconds = m_list.convertInfo().value(facts.currentRow).length;
    }
    const auto result = ::Skin1ScrollTrack(source->GetObjectName(), facts);
    if (!result)
        return;
    if (result->playTime) {
        m_binding.play_time.setText(*result->playTime);
        m_binding.play_time.redraw();
    }
    SetPlayBarPosition(result->barPosition);
}
