#include "main/window/language_table.h"

#include "engine/language_texts.h"

namespace {

using T = LanguageTarget;

constexpr LanguageEntry kTable[] = {
    // Main menu.
    {"Tfm_main", "AddFiles2", T::Caption, "File", "Add File", "&Add DVD Moive(A)"},
    {"Tfm_main", "AddFolder2", T::Caption, "File", "Add Folder", "R&emove Files(e)"},
    {"Tfm_main", "RunBackground1", T::Caption, "File", "RunBackground", "Run Back&ground(G)"},
    {"Tfm_main", "Exit2", T::Caption, "File", "Exit", "E&xit(X)"},
    {"Tfm_main", "Remove1", T::Caption, "Edit", "Remove", "&Remove(R)"},
    {"Tfm_main", "Clear2", T::Caption, "Edit", "Clear", "&Clear(C)"},
    {"Tfm_main", "Rename1", T::Caption, "Edit", "Rename", "Re&name(N)"},
    {"Tfm_main", "SelectAll1", T::Caption, "Edit", "SelectAll", "Select A&ll(L)"},
    {"Tfm_main", "UnselectAll1", T::Caption, "Edit", "UnselectAll", "&Unselect All(U)"},
    {"Tfm_main", "Convert2", T::Caption, "Actions", "Convert", "Con&vert(V)"},
    {"Tfm_main", "Stop2", T::Caption, "Actions", "Stop", "&Stop(S)"},
    {"Tfm_main", "Settings1", T::Caption, "Tools", "settings", "Sett&ings(I)"},
    {"Tfm_main", "Help1", T::Caption, "Help", "help", "&Help(H)"},
    {"Tfm_main", "FeedbackandSupport1", T::Caption, "Help", "FeedbackandSupport", "&Feedback and Support(F)"},
    {"Tfm_main", "AboutRavenmoor1", T::Caption, "Help", "AboutRavenmoor", "About Ravenmoor"},

    // Source list columns.
    {"Tfm_main", "lv", T::ColumnCaption, "lv", "Columns1", "Title", 0},
    {"Tfm_main", "lv", T::ColumnCaption, "lv", "Columns2", "Original time", 1},
    {"Tfm_main", "lv", T::ColumnCaption, "lv", "Columns3", "Conversion time", 2},
    {"Tfm_main", "lv", T::ColumnCaption, "lv", "Columns4", "Output size", 3},
    {"Tfm_main", "lv", T::ColumnCaption, "lv", "Columns5", "Status", 4},

    // Settings window.
    {"Tfm_set", "GroupBox1", T::Caption, "Settings", "Format Settings"},
    {"Tfm_set", "Label1", T::Caption, "Settings", "Video Size:"},
    {"Tfm_set", "Label2", T::Caption, "Settings", "Video Quality:"},
    {"Tfm_set", "Label4", T::Caption, "Settings", "Channel:"},
    {"Tfm_set", "Label3", T::Caption, "Settings", "Audio Quality:"},
    {"Tfm_set", "rg_finish", T::Caption, "Settings", "Output Settings"},
    {"Tfm_set", "rg_finish", T::ClearItems},
    {"Tfm_set", "rg_finish", T::Item, "Output Settings", "Do nothing after conversion finished"},
    {"Tfm_set", "rg_finish", T::Item, "Output Settings", "Open the target folder after conversion finished"},
    {"Tfm_set", "rg_finish", T::Item, "Output Settings", "Automatically shut down after conversion finished"},
    {"Tfm_set", "cb_videobitrate", T::ClearItems},
    {"Tfm_set", "cb_audiobitrate", T::ClearItems},
    {"Tfm_set", "cb_channel", T::ClearItems},
    {"Tfm_set", "cb_videobitrate", T::Item, "Video Quality", "Higher Quality"},
    {"Tfm_set", "cb_videobitrate", T::Item, "Video Quality", "High Quality"},
    {"Tfm_set", "cb_videobitrate", T::Item, "Video Quality", "Normal"},
    {"Tfm_set", "cb_videobitrate", T::Item, "Video Quality", "Low Quality"},
    {"Tfm_set", "cb_videobitrate", T::Item, "Video Quality", "Lower Quality"},
    {"Tfm_set", "cb_audiobitrate", T::Item, "Audio Quality", "Higher Quality"},
    {"Tfm_set", "cb_audiobitrate", T::Item, "Audio Quality", "High Quality"},
    {"Tfm_set", "cb_audiobitrate", T::Item, "Audio Quality", "Normal"},
    {"Tfm_set", "cb_audiobitrate", T::Item, "Audio Quality", "Low Quality"},
    {"Tfm_set", "cb_audiobitrate", T::Item, "Audio Quality", "Lower Quality"},
    {"Tfm_set", "cb_channel", T::Item, "channel", " Mono"},
    {"Tfm_set", "cb_channel", T::Item, "channel", "Stereo"},
    {"Tfm_set", "Button1", T::Caption, "Settings", "OK"},
    {"Tfm_set", "Button2", T::Caption, "Settings", "Cancel"},

    // Folder picker.
    {"Tfm_dir", "btn_ok", T::Caption, "Settings", "OK"},
    {"Tfm_dir", "btn_cancel", T::Caption, "Settings", "Cancel"},

    // Toolbar hints. Both open buttons read "Open"; only their defaults differ.
    {"Tfm_main", "bt_dvdopen", T::Hint, "Hint", "Open", "Add DVD Movies"},
    {"Tfm_main", "bt_open", T::Hint, "Hint", "Open", "Add Video Files"},
    {"Tfm_main", "bt_ifo", T::Hint, "Hint", "IFO", "Open IFO"},
    {"Tfm_main", "bt_remove", T::Hint, "Hint", "Remove", "Remove Files"},
    {"Tfm_main", "bt_clear", T::Hint, "Hint", "Clear", "Clear file list"},
    {"Tfm_main", "bt_set", T::Hint, "Hint", "Settings", "Settings"},
    {"Tfm_main", "bt_chapte", T::Hint, "Hint", "Chapte", "Show Chapte"},
    {"Tfm_main", "bt_web", T::Hint, "Hint", "Web", "About US"},
    {"Tfm_main", "bt_back", T::Hint, "Hint", "back", "back"},
    {"Tfm_main", "bt_play", T::Hint, "Hint", "play", "play"},
    {"Tfm_main", "bt_next", T::Hint, "Hint", "Next", "Forward"},
    {"Tfm_main", "bt_playstop", T::Hint, "Hint", "stopplay", "Stop Play"},
    {"Tfm_main", "bt_cut", T::Hint, "Hint", "Cut", "Cut"},
    {"Tfm_main", "bt_images", T::Hint, "Hint", "images", "save images"},
    {"Tfm_main", "bt_start", T::Hint, "Hint", "start", "Start conversion"},
    {"Tfm_main", "Bt_Convertstop", T::Hint, "Hint", "Stopconvert", "Stop conversion"},

    // Properties window.
    {"Tfm_info", "Tfm_info", T::Caption, "info", "Properties"},
    {"Tfm_info", "GroupBox1", T::Caption, "info", "Basic Info"},
    {"Tfm_info", "GroupBox2", T::Caption, "info", "Basic Info"},
    {"Tfm_info", "GroupBox3", T::Caption, "info", "Basic Info"},
    {"Tfm_info", "lb_duration", T::Caption, "info", "Duration:"},
    {"Tfm_info", "lb_videobit", T::Caption, "info", "Bit Rate:"},
    {"Tfm_info", "lb_audiobit", T::Caption, "info", "Bit Rate:"},
    {"Tfm_info", "lb_videoformat", T::Caption, "info", "Format:"},
    {"Tfm_info", "lb_audioformat", T::Caption, "info", "Format:"},
    {"Tfm_info", "lb_resolution", T::Caption, "info", "Resolution:"},
    {"Tfm_info", "lb_frame", T::Caption, "info", "Frame Rate:"},
    {"Tfm_info", "lb_sample", T::Caption, "info", "Sample Rate:"},
    {"Tfm_info", "lb_channels", T::Caption, "info", "Channels:"},
    {"Tfm_info", "lb_note", T::Caption, "info", "Last message:"},
};

constexpr int kIdleLine = 25;

constexpr ToolbarHint kToolbarHints[] = {
    {"bt_dvdopen", 1, kIdleLine}, {"bt_open", 2, kIdleLine},    {"bt_ifo", 2, kIdleLine},
    {"bt_remove", 23, kIdleLine}, {"bt_clear", 24, kIdleLine},  {"bt_chapte", 15, kIdleLine},
    {"bt_play", 10, kIdleLine},   {"bt_playstop", 12, kIdleLine}, {"bt_cut", 16, kIdleLine},
    {"bt_set", 0, kIdleLine},
};

} // namespace

std::span<const ToolbarHint> ToolbarHints()
{
    return kToolbarHints;
}

void ShowToolbarHint(const LanguageTexts &texts, const QString &control, bool pointerOver)
{
    for (const ToolbarHint &hint : kToolbarHints) {
        if (control != QLatin1String(hint.control))
            continue;
        const int line = pointerOver ? hint.over : hint.leave;
        if (line > 0)
            texts.LoadLanguageLine(line);
        return;
    }
}

std::span<const LanguageEntry> LanguageTable()
{
    return kTable;
}

QString LanguageEntryText(const LanguageTexts &texts, const LanguageEntry &entry)
{
    if (entry.target == LanguageTarget::ClearItems)
        return {};
    const QString key = QString::fromUtf8(entry.key);
    const QString def = entry.def ? QString::fromUtf8(entry.def) : key;
    return texts.Lug(QString::fromUtf8(entry.section), key, def);
}

void ApplyLanguage(const LanguageTexts &texts, LanguageReceiver &receiver, std::span<const LanguageEntry> table)
{
    for (const LanguageEntry &entry : table) {
        const QString window = QString::fromUtf8(entry.window);
        const QString control = QString::fromUtf8(entry.control);
        const QString text = LanguageEntryText(texts, entry);
        switch (entry.target) {
        case LanguageTarget::Caption:
            receiver.setCaption(window, control, text);
            break;
        case LanguageTarget::ColumnCaption:
            receiver.setColumnCaption(window, control, entry.column, text);
            break;
        case LanguageTarget::Hint:
            receiver.setHint(window, control, text);
            break;
        case LanguageTarget::ClearItems:
            receiver.clearItems(window, control);
            break;
        case LanguageTarget::Item:
            receiver.appendItem(window, control, text);
            break;
        }
    }
}
