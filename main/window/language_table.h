#pragma once

// The start-up pass that gives the windows their translated texts: one table
// row per text, read from "lug.ini" by section and key with the English
// default, applied in table order.

#include <QString>
#include <span>

class LanguageTexts;

enum class LanguageTarget {
    Caption,       // caption of a menu item, group box, label, button or window
    ColumnCaption, // caption of list column `column` (0-based)
    Hint,          // tool-tip text
    ClearItems,    // empty a list; no text is read
    Item,          // append an item to a list
};

struct LanguageEntry {
    const char *window;  // "Tfm_main", "Tfm_set", "Tfm_dir", "Tfm_info"
    const char *control; // control name; the window's own name for its caption
    LanguageTarget target;
    const char *section = nullptr;
    const char *key = nullptr;
    const char *def = nullptr; // nullptr: the key is the default
    int column = -1;
};

// What receives the texts: the windows, found by window and control name.
class LanguageReceiver {
public:
    virtual ~LanguageReceiver() = default;
    virtual void setCaption(const QString &window, const QString &control, const QString &text) = 0;
    virtual void setColumnCaption(const QString &window, const QString &control, int column,
                                  const QString &text) = 0;
    virtual void setHint(const QString &window, const QString &control, const QString &text) = 0;
    virtual void clearItems(const QString &window, const QString &control) = 0;
    virtual void appendItem(const QString &window, const QString &control, const QString &text) = 0;
};

// The rows of the start-up pass, in their order.
std::span<const LanguageEntry> LanguageTable();

// The text a row reads (empty for ClearItems).
QString LanguageEntryText(const LanguageTexts &texts, const LanguageEntry &entry);

void ApplyLanguage(const LanguageTexts &texts, LanguageReceiver &receiver,
                   std::span<const LanguageEntry> table = LanguageTable());

// The toolbar buttons' hint lines: the line shown while the pointer moves over
// the button and the one shown when it leaves (0: none).
struct ToolbarHint {
    const char *control;
    int over;
    int leave;
};
std::span<const ToolbarHint> ToolbarHints();

// The hover handlers: shows the button's line through LoadLanguageLine and
// discards it. Buttons without a line show nothing.
void ShowToolbarHint(const LanguageTexts &texts, const QString &control, bool pointerOver);
