#pragma once

// A combo box that the platform draws as usual and that then gets a flat
// look painted over its frame: a one-pixel border, a flat button face (or the
// style's button bitmap) and a small drawn arrow. The open list gets a frame
// in the border colour.

#include "skin_controls/drawing/trect.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <QComboBox>
#include <QPointer>

struct FlatComboLook {
    TsuiUIStyle style = TsuiUIStyle::DeepBlue;
    QColor border, button, arrow, face;
    bool enabled = true;
};

// The flat painting over a combo box of client rect `client` whose drop-down
// button covers `button`.
void PaintFlatCombo(QPainter &canvas, const TRect &client, const TRect &button, const FlatComboLook &look);
// The small arrow with its top-left corner at (x, y): 7 pixels wide, 4 high.
void DrawComboArrow(QPainter &canvas, int x, int y, const QColor &arrow, bool enabled);

class TsuiCustomComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE setFileTheme)

public:
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // Arrow black, border and button from the style.
    void setUIStyle(TsuiUIStyle style);
    TsuiFileTheme *FileTheme() const { return m_fileTheme; }
    void setFileTheme(TsuiFileTheme *theme);

    TColor BorderColor() const { return m_borderColor; }
    void setBorderColor(TColor color);
    TColor ButtonColor() const { return m_buttonColor; }
    void setButtonColor(TColor color);
    TColor ArrowColor() const { return m_arrowColor; }
    void setArrowColor(TColor color);
    // The face of the box and of its list.
    TColor Color() const { return m_color; }
    void setColor(TColor color);

    FlatComboLook look() const;

    void showPopup() override;
    void hidePopup() override;

protected:
    explicit TsuiCustomComboBox(QWidget *parent);

    void paintEvent(QPaintEvent *event) override;

private:
    TsuiUIStyle m_uiStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> m_fileTheme;
    TColor m_borderColor = clBlack;
    TColor m_buttonColor = clBtnFace;
    TColor m_arrowColor = clBlack;
    TColor m_color = clWindow;
};

class TsuiComboBox : public TsuiCustomComboBox {
    Q_OBJECT
public:
    explicit TsuiComboBox(QWidget *parent = nullptr);
    TsuiComboBox(const QString &name, QWidget *parent);
};
