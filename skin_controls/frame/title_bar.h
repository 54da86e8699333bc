#pragma once

// The caption strip of a skinned form: the band drawn from picture
// sections, the window buttons, the caption, a small system menu, moving
// the form by dragging and maximising by double-click. On a form frame it
// also gives the form its rounded top corners.

#include "skin_controls/controls/popup_menu.h"
#include "skin_controls/frame/title_bar_drawing.h"
#include "skin_controls/frame/title_bar_items.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/tsui_color.h"

#include <QPointer>
#include <QWidget>

class TsuiTitleBar;

// The system menu: minimise, maximise or restore, close; each enabled only
// while the bar has a button of that kind.
class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
    Q_OBJECT
public:
    explicit TsuiTitleBarPopupMenu(TsuiTitleBar *bar);
    void Popup(QPoint at);

private:
    TsuiTitleBar *m_bar;
};

class TsuiTitleBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE setFileTheme)

public:
    explicit TsuiTitleBar(QWidget *parent = nullptr);
    ~TsuiTitleBar() override;

    // While true the style changes nothing but the stored style.
    bool Custom() const { return m_custom; }
    void setCustom(bool on) { m_custom = on; }
    TsuiFileTheme *FileTheme() const { return m_fileTheme; }
    // Re-applies the style, keeping the font colour.
    void setFileTheme(TsuiFileTheme *theme);
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // Sections, buttons, offsets, rounding and font colour of the style.
    void setUIStyle(TsuiUIStyle style);
    // The height of the first section's picture; false without sections.
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    TsuiTitleBarSections &Sections() { return m_sections; }
    const TsuiTitleBarSections &Sections() const { return m_sections; }
    void setSections(const TsuiTitleBarSections &sections) { m_sections.Assign(sections); }
    TsuiTitleBarButtons &Buttons() { return m_buttons; }
    const TsuiTitleBarButtons &Buttons() const { return m_buttons; }
    void setButtons(const TsuiTitleBarButtons &buttons) { m_buttons.Assign(buttons); }
    int ButtonInterval() const { return m_buttonInterval; }
    void setButtonInterval(int interval);
    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // An inactive form's caption is written in the desktop's inactive colour.
    bool FormActive() const { return m_formActive; }
    void setFormActive(bool on);
    int LeftBtnXOffset() const { return m_leftOffset; }
    void setLeftBtnXOffset(int offset);
    int RightBtnXOffset() const { return m_rightOffset; }
    void setRightBtnXOffset(int offset);
    // The program's icon instead of the control box's picture.
    bool DrawAppIcon() const { return m_drawAppIcon; }
    void setDrawAppIcon(bool on);
    int RoundCorner() const { return m_roundCorner; }
    void setRoundCorner(int round);
    TColor FontColor() const { return m_fontColor; }
    void setFontColor(TColor color);

    // The first button of that kind; nullptr when there is none.
    TsuiTitleBarButton *firstButton(TsuiTitleBarBtnType type) const;
    // The form the bar belongs to.
    QWidget *parentForm() const;
    // Whether the bar sits on a form frame.
    bool onFrame() const;
    TsuiTitleBarPopupMenu *systemMenu() const { return m_systemMenu; }

    // What the button does to the form: maximise or restore, minimise,
    // close, or pop up the control box's menu.
    void performAction(TsuiTitleBarButton &button);
    // Every maximise button shows restore or maximise as the form is.
    void refreshMaxButtons();
    // The form's window shape with rounded top corners; only on a frame.
    void rebuildWindowRegion();

    // The buttons' places with the cursor at `cursor` (bar coordinates).
    TitleBarLayout buttonLayout(QPoint cursor) const;
    // The bar as it shows with the cursor at `cursor`.
    QImage paintBar(QPoint cursor) const;

signals:
    void customButtonClicked(int buttonIndex);
    void helpButtonClicked(int buttonIndex);

protected:
    virtual void DrawSections(QPainter &canvas, QSize size) const;
    virtual void DrawButtons(QPainter &canvas, QSize size, QPoint cursor) const;

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void setUpTheme();
    bool formMaximised() const;
    // The edges a press at `at` resizes: only on a frame of a sizeable form.
    Qt::Edges resizeEdges(QPoint at) const;

    bool m_custom = false;
    QPointer<TsuiFileTheme> m_fileTheme;
    TsuiUIStyle m_uiStyle = TsuiUIStyle::DeepBlue;
    bool m_autoSize = false;
    TsuiTitleBarSections m_sections;
    TsuiTitleBarButtons m_buttons;
    int m_buttonInterval = 0;
    QString m_caption;
    bool m_formActive = true;
    int m_leftOffset = 0;
    int m_rightOffset = 0;
    bool m_drawAppIcon = false;
    int m_roundCorner = 0;
    TColor m_fontColor = clWhite;
    TsuiTitleBarPopupMenu *m_systemMenu;

    bool m_pressed = false;
    bool m_dragArmed = false;
    QPoint m_cursor{-10000, -10000};
    TColor m_roundCornerColor = clBlack;
    int m_bandHeight = 0;
    int m_captionTop = 0;
    bool m_keepFontColor = false;
};
