#pragma once

// The main window's layout from "Skin.ini": places, sizes, visibility,
// pictures and colours of the controls that sit on the skin-drawn window.
// LoadSkinLayout reads the file in its fixed order and hands every value to a
// SkinLayoutTarget at once, so a failure (a missing picture, a bad colour)
// leaves what came before it applied and nothing after.

#include "engine/settings_model.h"
#include "main/skin/skin_ini.h"
#include "platform/skin/skin_error.h"

#include <QRect>
#include <QString>
#include <span>

struct PopupColors {
    TColor BarColor = 0, BorderColor = 0, Color = 0, FontColor = 0;
    TColor SelectedBorderColor = 0, SelectedColor = 0, SelectedFontColor = 0, SeparatorColor = 0;
    bool operator==(const PopupColors &) const = default;
};

struct ComboColors {
    TColor ArrowColor = 0, BorderColor = 0, ButtonColor = 0, Color = 0;
    bool operator==(const ComboColors &) const = default;
};

struct ImageButtonPictures {
    QString normal, mouseOn, disabled; // full paths
};

class SkinLayoutTarget {
public:
    virtual ~SkinLayoutTarget() = default;
    virtual void setPopupColors(const QString &menu, const PopupColors &colors) = 0;
    virtual void setVersion(int version) = 0;
    virtual void setButtonBounds(const QString &button, const QRect &bounds) = 0;
    // Throws when a picture cannot be read; the error names its path.
    virtual void loadButtonPictures(const QString &button, const ImageButtonPictures &pictures) = 0;
    virtual void setButtonVisible(const QString &button, bool visible) = 0;
    // Left, top and width; the combo keeps its height.
    virtual void setComboPlace(const QString &combo, int left, int top, int width) = 0;
    virtual void setComboColors(const QString &combo, const ComboColors &colors) = 0;
    virtual void setOutputEdit(const QRect &bounds, bool visible) = 0;
    virtual void movePanel(const QString &panel, int left, int top) = 0;
    virtual void setPreviewPanelBounds(const QRect &bounds) = 0;
    virtual void setListBounds(const QRect &bounds) = 0;
    virtual void setListColumnCaption(int column, const QString &caption) = 0;
    virtual void setListColumnWidth(int column, int width) = 0;
    virtual void setListCheckBoxes(bool shown) = 0;
    // The title picture exists: place the title panel and show the picture.
    virtual void showTitle(int left, int top, int width, const QString &picture) = 0;
    virtual void hideTitle() = 0;
};

// The five popup menus, all coloured from section "File".
std::span<const char *const> SkinPopupMenus();
// The image buttons in reading order, with the default of their "Visible" key.
struct SkinButtonRow {
    const char *name;
    bool visible;
};
std::span<const SkinButtonRow> SkinImageButtons();
// The picker's category panels, all placed at ("plleft", "pltop").
std::span<const char *const> SkinCategoryPanels();

// images/<button>.bmp, images/<button>on.bmp, images/<button>D.bmp beside the executable.
ImageButtonPictures ButtonPicturePaths(const QString &exeFolder, const QString &button);
// images/main/<executable name without ".exe">.bmp beside the executable.
QString TitlePicturePath(const QString &exeFolder, const QString &executableName);

// The window cannot be shown truly without its whole layout: a file of it
// that is missing or damaged ends the program, as a damaged skin does. The
// text is the "cannot be found" message, then the file and what is wrong with it.
class SkinLayoutError : public SkinError {
public:
    SkinLayoutError(const LugLookup &lug, const QString &file, bool missing);
};

// Throws SkinLayoutError when the shipped "Skin.ini" is missing, or damaged:
// without the buttons' places the window needs.
void CheckSkinIni(const SkinIni &ini, const LugLookup &lug);

// Reads the file in its fixed order; a key it lacks gives its default. Throws
// SkinLayoutError for a colour no one knows (a damaged "Skin.ini") and for a
// button picture that is missing or damaged.
void LoadSkinLayout(const SkinIni &ini, const QString &exeFolder, const QString &executableName,
                    const LugLookup &lug, SkinLayoutTarget &target);

// The offset of the popup menu a skin object opens: [section] "left" (6) and "top" (64).
QPoint PopupOffset(const SkinIni &ini, const QString &section);
