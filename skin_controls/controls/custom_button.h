#pragma once

// The base of the skinned buttons: hover and pressed states from the mouse
// and the keyboard, a repeating signal while the left button is held, and an
// off-screen paint from a state picture, a focus mark and a caption through
// virtual steps the concrete buttons override.
//
// A concrete button applies its style at the end of its own constructor
// (applyOwnerStyle), so that the style's virtual steps reach it.

#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QAction;
class QShortcut;

class TsuiCustomButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int FocusedRectMargin READ FocusedRectMargin WRITE setFocusedRectMargin)
    Q_PROPERTY(int MouseContinuouslyDownInterval READ MouseContinuouslyDownInterval WRITE
                   setMouseContinuouslyDownInterval)
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)
    Q_PROPERTY(QAction *Action READ Action WRITE setAction)

public:
    ~TsuiCustomButton() override;

    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Escape clicks the button.
    bool Cancel() const { return m_cancel; }
    void setCancel(bool on);
    // Enter clicks the button.
    bool Default() const { return m_default; }
    void setDefault(bool on);
    // Paint the parent's background under the button.
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    // Closes a dialog holding the button with this result when clicked (0: stays open).
    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    virtual TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void setUIStyle(TsuiUIStyle style);
    TsuiFileTheme *FileTheme() const { return m_fileTheme; }
    void setFileTheme(TsuiFileTheme *theme);
    // Milliseconds between repeats while held; 0 or less: no repeat.
    int MouseContinuouslyDownInterval() const { return m_repeatInterval; }
    void setMouseContinuouslyDownInterval(int ms) { m_repeatInterval = ms; }
    int FocusedRectMargin() const { return m_focusedRectMargin; }
    void setFocusedRectMargin(int margin);
    bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
    void setTabStop(bool on);
    // The fill under the picture when not transparent.
    void setColor(TColor color);

    // The click step: ends a press, takes the focus, closes a dialog with
    // ModalResult, then clicked() and the bound action.
    void click();

    // The bound action gives the button its caption, enabled state, hint and
    // visibility whenever it changes, and a click triggers it.
    QAction *Action() const { return m_action; }
    void setAction(QAction *action);

signals:
    void clicked();
    void mouseEnter();
    void mouseExit();
    void mouseContinuouslyDown();
    // Every mouse button; at is in the button's coordinates.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    void mouseMove(Qt::KeyboardModifiers shift, QPoint at);
    // After the click a left release makes.
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);

protected:
    explicit TsuiCustomButton(QWidget *parent);
    void applyOwnerStyle();

    virtual void AutoSizeChanged();
    virtual void CaptionChanged() {}
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnabledChanged() {}
    virtual void UIStyleChanged() {}
    virtual void DrawPicture(QPainter &canvas, const QImage &picture);
    virtual void DrawCaption(QPainter &canvas, const QString &caption);
    virtual void DrawFocusRect(QPainter &canvas);
    // Base: frames 1, 2, 3 and 1 of the style's three-frame button picture.
    virtual void GetPicNormal(QImage &bitmap);
    virtual void GetPicMouseOn(QImage &bitmap);
    virtual void GetPicMouseDown(QImage &bitmap);
    virtual void GetPicDisabled(QImage &bitmap);

    bool isHovered() const { return m_hover; }
    bool isPressed() const { return m_pressed; }
    bool pictureTransparent() const { return m_pictureTransparent; }
    void setBoldOnce() { m_boldOnce = true; }
    bool takeBoldOnce();

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchDialogKeys();
    void actionChanged();
    QImage statePicture();

    bool m_autoSize = false;
    QString m_caption;
    bool m_cancel = false;
    bool m_default = false;
    bool m_transparent = false;
    int m_modalResult = 0;
    TsuiUIStyle m_uiStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> m_fileTheme;
    bool m_boldOnce = false;
    bool m_pictureTransparent = false;
    QTimer m_repeat;
    int m_repeatInterval = 100;
    int m_focusedRectMargin = 2;
    bool m_hover = false;
    bool m_pressed = false;
    bool m_clickArmed = false;
    QShortcut *m_accelerator = nullptr;
    QPointer<QWidget> m_dialogKeyWindow;
    QPointer<QAction> m_action;
};
