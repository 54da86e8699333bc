#pragma once

// A theme container file as a source of theme items: the manager maps an
// item number of the theme table to the reader's entry of the item's name;
// the component names the file and tells its form's controls when a new one
// is loaded.

#include "skin_controls/theme/theme_file_reader.h"
#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <QImage>
#include <QObject>
#include <memory>

class TsuiFileThemeMgr {
public:
    // False, keeping the current reader, when the file does not exist;
    // otherwise the reader is replaced (and gone when the new one throws).
    bool Load(const QString &fileName);

    // Without a reader: nothing, false, 0 and 0. An item without an entry:
    // nothing, false, -1 and -1.
    void GetBitmap(int item, QImage &graphic) const;
    bool GetBool(int item) const;
    TColor GetColor(int item) const;
    int32_t GetInt(int item) const;

private:
    std::unique_ptr<TsuiThemeFileReader> m_reader;
};

class TsuiFileTheme : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ThemeFile READ ThemeFile WRITE SetThemeFile)
public:
    explicit TsuiFileTheme(QObject *owner = nullptr);

    const QString &ThemeFile() const { return m_themeFile; }
    // A file that is not there is looked for beside the executable by its
    // bare name; when neither exists nothing changes. Throws ThemeFileError
    // for a file that cannot be read (the theme then counts as not loaded).
    void SetThemeFile(const QString &file);
    bool IsLoaded() const { return m_loaded; }

    void GetBitmap(int item, QImage &graphic) const { m_mgr.GetBitmap(item, graphic); }
    void GetBitmapFrame(int item, QImage &graphic, int frameCount, int frameIndex) const;
    bool GetBool(int item) const { return m_mgr.GetBool(item); }
    TColor GetColor(int item) const { return m_mgr.GetColor(item); }
    int32_t GetInt(int item) const { return m_mgr.GetInt(item); }

private:
    void refreshOwnerControls();

    TsuiFileThemeMgr m_mgr;
    QString m_themeFile;
    bool m_loaded = false;
};

// effective := style; true only for FromThemeFile with a loaded theme. A
// FromThemeFile style without one reads as DeepBlue.
bool UsingFileTheme(const TsuiFileTheme *theme, TsuiUIStyle style, TsuiUIStyle &effective);
