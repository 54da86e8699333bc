#pragma once

// The skinned frame of a form: it takes the form's own caption and border
// away, lies over the form's client area leaving a border of BorderWidth
// pixels left, right and bottom, carries a title bar at its top and, with a
// main menu, a menu bar below it. It watches the form's events to keep
// layout, border, title bar and window shape in step with sizing,
// activation and maximising, and lets the border resize the form.

#include "skin_controls/controls/main_menu.h"
#include "skin_controls/frame/title_bar.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <QPointer>
#include <QWidget>
#include <stdexcept>

class TsuiMenuBar;

// A second frame on one form.
class TsuiFormError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TsuiForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiMainMenu *Menu READ Menu WRITE setMenu)
    Q_PROPERTY(QString Version READ Version WRITE setVersion)

public:
    // Throws TsuiFormError when the form already has a frame.
    explicit TsuiForm(QWidget *form);
    ~TsuiForm() override;

    bool TitleBarCustom() const { return m_titleBar->Custom(); }
    void setTitleBarCustom(bool on) { m_titleBar->setCustom(on); }
    TsuiFileTheme *FileTheme() const { return m_fileTheme; }
    void setFileTheme(TsuiFileTheme *theme);
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // Border, colours, title bar and menu of the style.
    void setUIStyle(TsuiUIStyle style);
    // The style writer passes style and file theme on to the frame's children.
    bool UIStyleAutoUpdateSub() const { return m_autoUpdateSub; }
    void setUIStyleAutoUpdateSub(bool on) { m_autoUpdateSub = on; }
    TColor BorderColor() const { return m_borderColor; }
    void setBorderColor(TColor color);
    int BorderWidth() const { return m_borderWidth; }
    // The form grows or shrinks to keep the frame's size.
    void setBorderWidth(int width);
    bool TitleBarVisible() const { return m_titleBarVisible; }
    void setTitleBarVisible(bool on);
    TColor Color() const { return m_color; }
    void setColor(TColor color);
    QString Caption() const { return m_titleBar->Caption(); }
    // The title bar's caption and the form's.
    void setCaption(const QString &caption);
    QWidget *FormPanel() const { return m_formPanel; }
    // Fills the frame below its bars; the frame itself is refused with a message.
    void setFormPanel(QWidget *panel);
    TsuiTitleBarButtons &TitleBarButtons() { return m_titleBar->Buttons(); }
    TsuiTitleBarSections &TitleBarSections() { return m_titleBar->Sections(); }
    bool TitleBarDrawAppIcon() const { return m_titleBar->DrawAppIcon(); }
    void setTitleBarDrawAppIcon(bool on) { m_titleBar->setDrawAppIcon(on); }
    TsuiMainMenu *Menu() const { return m_menu; }
    // With a menu the frame shows a menu bar of its top-level items.
    void setMenu(TsuiMainMenu *menu);
    TColor MenuBarColor() const { return m_menuBarColor; }
    void setMenuBarColor(TColor color);
    int MenuBarHeight() const { return m_menuBarHeight; }
    void setMenuBarHeight(int height);
    // The form becomes Width + 2 x BorderWidth wide.
    void setFrameWidth(int width);
    // The form becomes Height + BorderWidth + BorderWidth div 2 high.
    void setFrameHeight(int height);
    int RoundCorner() const { return m_titleBar->RoundCorner(); }
    void setRoundCorner(int round) { m_titleBar->setRoundCorner(round); }
    QString Version() const { return QStringLiteral("4.06"); }
    void setVersion(const QString &) {}

    TsuiTitleBar *titleBar() const { return m_titleBar; }
    // Present exactly while a menu is set.
    TsuiMenuBar *menuBar() const { return m_menuBar; }
    QWidget *form() const { return m_form; }
    // Whether the form could be resized when the frame came.
    bool formSizeable() const { return m_sizeable; }

    // The frame over the form's client area.
    void layOut();

signals:
    void titleBarCustomButtonClicked(int buttonIndex);
    void titleBarHelpButtonClicked(int buttonIndex);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void formResized();
    void paintBorder();
    void layOutChildren();
    void rebuildMenuBar();
    void applyMenuBarLook();
    bool formEvent(QEvent *event);

    QPointer<QWidget> m_form;
    TsuiTitleBar *m_titleBar = nullptr;
    bool m_titleBarVisible = false;
    TsuiMenuBar *m_menuBar = nullptr;
    QPointer<TsuiMainMenu> m_menu;
    QPointer<QWidget> m_formPanel;
    QPointer<TsuiFileTheme> m_fileTheme;
    TsuiUIStyle m_uiStyle = TsuiUIStyle::DeepBlue;
    bool m_autoUpdateSub = false;
    TColor m_borderColor = clBlack;
    int m_borderWidth = 0;
    TColor m_color = clBtnFace;
    TColor m_menuBarColor = clBtnFace;
    int m_menuBarHeight = 22;
    bool m_sizeable = true;
    QRect m_boundsAtConstruction;
    bool m_maximisedAtConstruction = false;
    bool m_constructing = true;
};
