// The main window's commands as tables: every popup-menu item and picture
// button with the command it runs.

#include "main/window/main_window.h"
#include "platform/errors/error_guard.h"
#include "skin_controls/controls/image_button.h"
#include "skin_controls/controls/popup_menu.h"

#include <QAction>

namespace {

using Command = void (*)(Tfm_main &);

struct MenuRow {
    PopupMenuId menu;
    const char *name; // null: a separator
    const char *caption;
    Command command;
};

void OpenPage(Tfm_main &w, ProductPage page)
{
    if (w.plugins().openPage)
        w.plugins().openPage(page);
}

// The items in their designed order and captions.
constexpr MenuRow kMenuItems[] = {
    {PopupMenuId::zm_popup_file, "AddFiles2", "Add DVD Disc", [](Tfm_main &w) { w.OpenDvdFolder(); }},
    {PopupMenuId::zm_popup_file, "AddIFOFiles1", "Add IFO Files", [](Tfm_main &w) { w.AddIfoFiles(); }},
    {PopupMenuId::zm_popup_file, "AddVideoFiles1", "Add Video Files", [](Tfm_main &w) { w.AddFilesDialog(); }},
    {PopupMenuId::zm_popup_file, "AddVideoFolder1", "Add Video Folder", [](Tfm_main &w) { w.AddSourceFolder(); }},
    {PopupMenuId::zm_popup_file, "AddFolder2", "Remove", [](Tfm_main &w) { w.RemoveSelectedSources(); }},
    {PopupMenuId::zm_popup_file, "Clear3", "Clear", [](Tfm_main &w) { w.ClearSourceList(); }},
    {PopupMenuId::zm_popup_file, nullptr, nullptr, nullptr},
    {PopupMenuId::zm_popup_file, "RunBackground1", "Run Background", [](Tfm_main &w) { w.RunBackground1Click(); }},
    {PopupMenuId::zm_popup_file, nullptr, nullptr, nullptr},
    {PopupMenuId::zm_popup_file, "Exit2", "Exit", [](Tfm_main &w) { w.CloseMainWindow(); }},

    {PopupMenuId::zm_pop_edit, "Remove1", "Remove", [](Tfm_main &w) { w.RemoveSelectedSources(); }},
    {PopupMenuId::zm_pop_edit, "Clear2", "Clear", [](Tfm_main &w) { w.ClearSourceList(); }},
    {PopupMenuId::zm_pop_edit, "Rename1", "Rename", [](Tfm_main &w) { w.Rename1Click(); }},
    {PopupMenuId::zm_pop_edit, nullptr, nullptr, nullptr},
    {PopupMenuId::zm_pop_edit, "SelectAll1", "Select All", [](Tfm_main &w) { w.SelectAll1Click(); }},
    {PopupMenuId::zm_pop_edit, "UnselectAll1", "Unselect All", [](Tfm_main &w) { w.UnselectAll1Click(); }},

    {PopupMenuId::zm_pop_actions, "Convert2", "Convert", [](Tfm_main &w) { w.StartConversion(); }},
    {PopupMenuId::zm_pop_actions, "Stop2", "Stop", [](Tfm_main &w) { w.StopConversion(); }},

    {PopupMenuId::zm_pop_tools, "Settings1", "Settings", [](Tfm_main &w) { w.ShowSettingsWindow(); }},

    {PopupMenuId::zm_pop_help, "Help1", "Help", [](Tfm_main &w) { OpenPage(w, ProductPage::HelpPage); }},
    {PopupMenuId::zm_pop_help, nullptr, nullptr, nullptr},
    {PopupMenuId::zm_pop_help, "FeedbackandSupport1", "Feedback and Support",
     [](Tfm_main &w) { OpenPage(w, ProductPage::SupportPage); }},
    {PopupMenuId::zm_pop_help, nullptr, nullptr, nullptr},
    {PopupMenuId::zm_pop_help, "AboutRavenmoor1", "About Ravenmoor",
     [](Tfm_main &w) { OpenPage(w, ProductPage::AboutPage); }},

    {PopupMenuId::pop_dvd, "MenuItem3", "Add DVD", [](Tfm_main &w) { w.OpenDvdFolder(); }},
    {PopupMenuId::pop_dvd, "MenuItem8", "Add IFO", [](Tfm_main &w) { w.AddIfoFiles(); }},
    {PopupMenuId::pop_dvd, nullptr, nullptr, nullptr},
    {PopupMenuId::pop_dvd, "MenuItem10", "Select All", [](Tfm_main &w) { w.MenuItem10Click(); }},
    {PopupMenuId::pop_dvd, "MenuItem11", "Unselect ALL", [](Tfm_main &w) { w.MenuItem11Click(); }},
    {PopupMenuId::pop_dvd, nullptr, nullptr, nullptr},
    {PopupMenuId::pop_dvd, "MenuItem13", "Convert", [](Tfm_main &w) { w.StartConversion(); }},
    {PopupMenuId::pop_dvd, "MenuItem14", "Stop", [](Tfm_main &w) { w.StopConversion(); }},
    {PopupMenuId::pop_dvd, nullptr, nullptr, nullptr},
    {PopupMenuId::pop_dvd, "MenuItem16", "Exit", [](Tfm_main &w) { w.CloseMainWindow(); }},

    // Nothing opens the two menus below.
    {PopupMenuId::pop_file, "AddFiles1", "Add Files", [](Tfm_main &w) { w.AddFilesDialog(); }},
    {PopupMenuId::pop_file, "AddFolder1", "Add Folder", [](Tfm_main &w) { w.AddSourceFolder(); }},
    {PopupMenuId::pop_file, nullptr, nullptr, nullptr},
    {PopupMenuId::pop_file, "Rmove1", "Remove", [](Tfm_main &w) { w.RemoveSelectedSources(); }},
    {PopupMenuId::pop_file, "Clear1", "Clear", [](Tfm_main &w) { w.ClearSourceList(); }},
    {PopupMenuId::pop_file, nullptr, nullptr, nullptr},
    {PopupMenuId::pop_file, "Convert1", "Convert", [](Tfm_main &w) { w.StartConversion(); }},
    {PopupMenuId::pop_file, "Stop1", "Stop", [](Tfm_main &w) { w.StopConversion(); }},
    {PopupMenuId::pop_file, nullptr, nullptr, nullptr},
    {PopupMenuId::pop_file, "Exit1", "Exit", [](Tfm_main &w) { w.CloseMainWindow(); }},

    {PopupMenuId::pop_help, "MenuItem1", "Help", [](Tfm_main &w) { OpenPage(w, ProductPage::WebSiteLink); }},
    {PopupMenuId::pop_help, "MenuItem2", "Support", [](Tfm_main &w) { OpenPage(w, ProductPage::SupportLink); }},
    {PopupMenuId::pop_help, "MenuItem4", "Our Website", [](Tfm_main &w) { OpenPage(w, ProductPage::WebSiteLink); }},
    {PopupMenuId::pop_help, "MenuItem5", "Contact us", [](Tfm_main &w) { OpenPage(w, ProductPage::SupportLink); }},
    {PopupMenuId::pop_help, nullptr, nullptr, nullptr},
    {PopupMenuId::pop_help, "MenuItem7", "About", [](Tfm_main &w) { OpenPage(w, ProductPage::VersionContactPage); }},
};

constexpr std::pair<PopupMenuId, const char *> kMenus[] = {
    {PopupMenuId::zm_popup_file, "zm_popup_file"}, {PopupMenuId::zm_pop_edit, "zm_pop_edit"},
    {PopupMenuId::zm_pop_actions, "zm_pop_actions"}, {PopupMenuId::zm_pop_tools, "zm_pop_tools"},
    {PopupMenuId::zm_pop_help, "zm_pop_help"},     {PopupMenuId::pop_dvd, "pop_dvd"},
    {PopupMenuId::pop_file, "pop_file"},           {PopupMenuId::pop_help, "pop_help"},
};

struct ButtonRow {
    const char *button;
    const char *hint; // null: the hint is the language pass's alone
    Command command;
};

constexpr ButtonRow kButtons[] = {
    {"bt_dvdopen", "Add Blu-Ray/DVD", [](Tfm_main &w) { w.OpenDvdFolder(); }},
    {"bt_open", "Add Blu-Ray", [](Tfm_main &w) { w.AddFilesDialog(); }},
    {"bt_ifo", "Add IFO file", [](Tfm_main &w) { w.AddIfoFiles(); }},
    {"bt_remove", "Remove files form listview", [](Tfm_main &w) { w.RemoveSelectedSources(); }},
    {"bt_clear", "Clear listview", [](Tfm_main &w) { w.ClearSourceList(); }},
    {"bt_start", "Start conversion", [](Tfm_main &w) { w.StartConversion(); }},
    {"bt_set", "Settings", [](Tfm_main &w) { w.ShowSettingsWindow(); }},
    {"bt_play", "Play", [](Tfm_main &w) { w.StartPreview(); }},
    {"bt_playstop", "Stop", [](Tfm_main &w) { w.StopPreview(); }},
    {"bt_all", "Select all the checkboxes in listview", [](Tfm_main &w) { w.bt_allClick(); }},
    {"bt_none", "Unselect all the checkboxes in listview", [](Tfm_main &w) { w.bt_noneClick(); }},
    {"bt_web", "About US", [](Tfm_main &w) { OpenPage(w, ProductPage::WebSitePage); }},
    // The buttons of the run, the view and the preview's seek.
    {"Bt_Convertstop", nullptr, [](Tfm_main &w) { w.StopConversion(); }},
    {"bt_back", nullptr, [](Tfm_main &w) { w.SeekPreviewBack(); }},
    {"bt_next", nullptr, [](Tfm_main &w) { w.SeekPreviewForward(); }},
    {"bt_chapte", nullptr, [](Tfm_main &w) { w.ToggleTitleChapterView(); }},
};

} // namespace

void Tfm_main::buildMenus()
{
    for (const auto &[id, name] : kMenus) {
        auto *menu = new TsuiPopupMenu(QString::fromLatin1(name), this);
        menu->setUIStyle(TsuiUIStyle::DeepBlue);
        m_menus.insert(id, menu);
    }
    for (const MenuRow &item : kMenuItems) {
        TsuiPopupMenu *menu = m_menus.value(item.menu);
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addItem(QString::fromLatin1(item.name), QString::fromUtf8(item.caption));
        const Command command = item.command;
        connect(action, &QAction::triggered, this, Guarded(m_services.errors, [this, command] { command(*this); }));
    }
}

void Tfm_main::connectButtons()
{
    for (const ButtonRow &b : kButtons) {
        TsuiImageButton *button = m_buttons.at(QString::fromLatin1(b.button));
        if (b.hint)
            button->setToolTip(QString::fromUtf8(b.hint));
        const Command command = b.command;
        connect(button, &TsuiImageButton::clicked, this, Guarded(m_services.errors, [this, command] { command(*this); }));
    }
}
