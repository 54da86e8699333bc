#pragma once

// The settings window's lists as the engine sees them. The profile selection
// fills them, the quality file restores their indexes, the estimate and the
// job builders read them; the settings window only shows and edits them.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// One drop-down list: items, the chosen item (-1 for none), the edit text and
// whether the user may change it. Choosing an index outside the items leaves
// the list without a chosen item, as a Windows combo box does.
class ComboModel : public QObject {
    Q_OBJECT
public:
    explicit ComboModel(QObject *parent = nullptr);

    const QStringList &Items() const { return m_items; }
    int Count() const { return int(m_items.size()); }
    QString Item(int i) const; // empty for an index outside the items

    void Clear();
    void Add(const QString &item);
    void Delete(int i); // nothing for an index outside the items
    // Replaces every item at once; no item is chosen afterwards.
    void SetItems(const QStringList &items);

    int ItemIndex() const { return m_index; }
    void SetItemIndex(int i);
    bool HasChosenItem() const { return m_index >= 0; }

    // The edit text: the chosen item's text, or what the user typed.
    QString Text() const { return m_text; }
    // Text typed by the user: no item is chosen any more.
    void SetText(const QString &text);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

signals:
    void changed();

private:
    QStringList m_items;
    int m_index = -1;
    QString m_text;
    bool m_enabled = true;
};

// The five quality texts of the two quality lists, for the indexes 0 to 4.
inline const QStringList &QualityDefaultTexts()
{
    static const QStringList texts{QStringLiteral("Higher Quality"), QStringLiteral("High Quality"),
                                   QStringLiteral("Normal"), QStringLiteral("Low Quality"),
                                   QStringLiteral("Lower Quality")};
    return texts;
}

// The three after-finish choices of rg_finish, for the values 0 to 2.
inline const QStringList &FinishChoiceTexts()
{
    static const QStringList texts{QStringLiteral("Do nothing after conversion finished"),
                                   QStringLiteral("Open the target folder after conversion finished"),
                                   QStringLiteral("Automatically shut down after conversion finished")};
    return texts;
}

// section, key, default → text (the "lug.ini" lookup of the language texts).
using LugLookup = std::function<QString(const QString &, const QString &, const QString &)>;
QString LugText(const LugLookup &lug, const QString &section, const QString &key, const QString &def);

class SettingsModel {
public:
    // The lists as the window is designed: quality lists with their English
    // items, channel list "Mono"/"Stereo" on "Stereo", CB_NT "1".."10" on "3".
    SettingsModel();
    SettingsModel(const SettingsModel &) = delete;
    SettingsModel &operator=(const SettingsModel &) = delete;

    ComboModel cb_size;         // frame size, editable
    ComboModel cb_videobitrate; // video quality 0..4, plus "No Video" on audio-only profiles
    ComboModel cb_audiobitrate; // audio quality 0..4
    ComboModel cb_channel;      // 0 mono, 1 stereo, 2 six channels
    ComboModel CB_NT;           // parallel encoders "1".."10" as index 0..9
    QString ed_output;          // the output folder a conversion uses (set by LoadSettings)
    int rg_finish = 0;          // after-finish choice 0..2 (FinishChoiceTexts)
};
