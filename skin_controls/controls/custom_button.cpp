#include "skin_controls/controls/custom_button.h"

#include "skin_controls/drawing/bitmap_helpers.h"
#include "skin_controls/drawing/image_drawing.h"
#include "skin_controls/drawing/pixel_rules.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/file_theme_link.h"
#include "skin_controls/theme/owner_style.h"
#include "skin_controls/theme/theme_lookup.h"
#include "skin_controls/theme/theme_resources.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>
#include <exception>

namespace {

bool isPressKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TsuiCustomButton::TsuiCustomButton(QWidget *parent) : QWidget(parent)
{
    // Every pixel comes from the off-screen picture; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    connect(&m_repeat, &QTimer::timeout, this, &TsuiCustomButton::mouseContinuouslyDown);
}

TsuiCustomButton::~TsuiCustomButton() = default;

void TsuiCustomButton::applyOwnerStyle()
{
    setUIStyle(GetOwnerUIStyle(OwnerForm(parentWidget())));
}

void TsuiCustomButton::setAutoSize(bool on)
{
    m_autoSize = on;
    AutoSizeChanged();
    update();
}

void TsuiCustomButton::setCaption(const QString &caption)
{
    m_caption = caption;
    delete m_accelerator;
    m_accelerator = nullptr;
    if (const QKeySequence key = QKeySequence::mnemonic(caption); !key.isEmpty()) {
        m_accelerator = new QShortcut(key, this);
        connect(m_accelerator, &QShortcut::activated, this, [this] {
            if (isEnabled())
                click();
        });
    }
    CaptionChanged();
    update();
}

void TsuiCustomButton::setCancel(bool on)
{
    m_cancel = on;
    watchDialogKeys();
}

void TsuiCustomButton::setDefault(bool on)
{
    m_default = on;
    watchDialogKeys();
}

void TsuiCustomButton::setTransparent(bool on)
{
    m_transparent = on;
    TransparentChanged();
    update();
}

void TsuiCustomButton::setUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    UIStyleChanged();
    update();
}

void TsuiCustomButton::setFileTheme(TsuiFileTheme *theme)
{
    LinkFileTheme(this, m_fileTheme, theme, [this] { setUIStyle(TsuiUIStyle::DeepBlue); });
    setUIStyle(m_uiStyle);
}

void TsuiCustomButton::setFocusedRectMargin(int margin)
{
    m_focusedRectMargin = margin;
    update();
}

void TsuiCustomButton::setTabStop(bool on)
{
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void TsuiCustomButton::setColor(TColor color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, TsuiColorToQColor(color, p));
    setPalette(p);
}

void TsuiCustomButton::click()
{
    // The repeat ends with every click, also one whose press was left by moving out and back.
    m_repeat.stop();
    if (m_pressed) {
        m_pressed = false;
        update();
    }
    if (TabStop() && isEnabled() && isVisible())
        setFocus(Qt::MouseFocusReason);
    if (auto *dialog = qobject_cast<QDialog *>(window()); dialog && m_modalResult != 0) {
        // After the click's own handlers, as a modal loop reads its result.
        const int result = m_modalResult;
        QMetaObject::invokeMethod(dialog, [dialog, result] { dialog->done(result); }, Qt::QueuedConnection);
    }
    const QPointer<TsuiCustomButton> alive(this);
    const QPointer<QAction> action = m_action;
    emit clicked();
    if (alive && action)
        action->trigger();
}

void TsuiCustomButton::setAction(QAction *action)
{
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (!action)
        return;
    connect(action, &QAction::changed, this, &TsuiCustomButton::actionChanged);
    actionChanged();
}

void TsuiCustomButton::actionChanged()
{
    if (!m_action)
        return;
    setCaption(m_action->text());
    setEnabled(m_action->isEnabled());
    setToolTip(m_action->toolTip());
    if (parentWidget())
        setVisible(m_action->isVisible());
}

bool TsuiCustomButton::takeBoldOnce()
{
    const bool bold = m_boldOnce;
    m_boldOnce = false;
    return bold;
}

void TsuiCustomButton::AutoSizeChanged()
{
    if (!m_autoSize)
        return;
    QImage bitmap;
    try {
        GetInsideThemeBitmap(m_uiStyle, 1, &bitmap);
    } catch (const std::exception &) {
        // Without its picture the button takes the size of an empty one.
    }
    const int height = bitmap.height() ? bitmap.height() : 21;
    const int width = bitmap.width() ? bitmap.width() : 74;
    resize(width / 3, height);
}

void TsuiCustomButton::FontChanged()
{
    update();
}

void TsuiCustomButton::TransparentChanged()
{
    m_pictureTransparent = m_transparent;
    update();
}

void TsuiCustomButton::DrawPicture(QPainter &canvas, const QImage &picture)
{
    if (picture.isNull())
        return;
    DrawImageListPicture(canvas, {0, 0}, m_pictureTransparent ? KeyedOut(picture, picture.pixel(0, 0)) : picture,
                         isEnabled());
}

void TsuiCustomButton::DrawCaption(QPainter &canvas, const QString &caption)
{
    QFont f = font();
    if (takeBoldOnce())
        f.setBold(true);
    canvas.setFont(f);
    canvas.setBrush(Qt::NoBrush);
    constexpr int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect client = rect();
    if (!isEnabled()) {
        canvas.setPen(Qt::white);
        canvas.drawText(client.translated(1, 1), flags, caption);
        canvas.setPen(QColor(0x80, 0x80, 0x80));
        canvas.drawText(client, flags, caption);
        return;
    }
    canvas.setPen(palette().color(QPalette::WindowText));
    canvas.drawText(m_pressed ? client.translated(1, 1) : client, flags, caption);
}

void TsuiCustomButton::DrawFocusRect(QPainter &canvas)
{
    const int m = m_focusedRectMargin;
    DrawFocusFrame(canvas, {m, m, width() - m, height() - m});
}

void TsuiCustomButton::GetPicNormal(QImage &bitmap)
{
    ResolveThemeBitmapFrame(m_fileTheme, m_uiStyle, 1, bitmap, 3, 1);
}

void TsuiCustomButton::GetPicMouseOn(QImage &bitmap)
{
    ResolveThemeBitmapFrame(m_fileTheme, m_uiStyle, 1, bitmap, 3, 2);
}

void TsuiCustomButton::GetPicMouseDown(QImage &bitmap)
{
    ResolveThemeBitmapFrame(m_fileTheme, m_uiStyle, 1, bitmap, 3, 3);
}

void TsuiCustomButton::GetPicDisabled(QImage &bitmap)
{
    ResolveThemeBitmapFrame(m_fileTheme, m_uiStyle, 1, bitmap, 3, 1);
}

QImage TsuiCustomButton::statePicture()
{
    QImage picture;
    try {
        if (!isEnabled())
            GetPicDisabled(picture);
        else if (m_pressed)
            GetPicMouseDown(picture);
        else if (m_hover)
            GetPicMouseOn(picture);
        else
            GetPicNormal(picture);
    } catch (const std::exception &) {
        // A picture that cannot be had paints as a blank one; the button stays usable.
        picture = QImage(74, 21, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    return picture;
}

void TsuiCustomButton::paintEvent(QPaintEvent *)
{
    const QImage picture = statePicture();
    QImage offscreen(size(), QImage::Format_RGB32);
    if (offscreen.isNull())
        return;
    offscreen.fill(palette().color(QPalette::Window));
    QPainter canvas(&offscreen);
    if (m_transparent)
        PaintParentBackground(canvas, this);
    DrawPicture(canvas, picture);
    if (hasFocus() && TabStop())
        DrawFocusRect(canvas);
    canvas.setFont(font());
    if (!m_caption.trimmed().isEmpty())
        DrawCaption(canvas, m_caption);
    canvas.end();
    QPainter(this).drawImage(0, 0, offscreen);
}

void TsuiCustomButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        FontChanged();
    else if (event->type() == QEvent::EnabledChange) {
        EnabledChanged();
        update();
    }
    QWidget::changeEvent(event);
}

void TsuiCustomButton::enterEvent(QEnterEvent *)
{
    m_hover = true;
    update();
    emit mouseEnter();
}

void TsuiCustomButton::leaveEvent(QEvent *)
{
    m_hover = false;
    m_pressed = false;
    m_repeat.stop();
    update();
    emit mouseExit();
}

void TsuiCustomButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_clickArmed = true;
        if (!m_repeat.isActive() && m_repeatInterval > 0)
            m_repeat.start(m_repeatInterval);
        update();
    }
    event->accept();
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TsuiCustomButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (at.x() < 0 || at.y() < 0 || at.x() > width() || at.y() > height()) {
        m_hover = false;
        m_pressed = false;
        update();
    }
    event->accept();
    emit mouseMove(event->modifiers(), at);
}

void TsuiCustomButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const QPointer<TsuiCustomButton> alive(this);
    if (event->button() == Qt::LeftButton && m_clickArmed) {
        m_clickArmed = false;
        if (rect().contains(event->position().toPoint()))
            click();
    }
    // The click's handlers may have deleted the button.
    if (alive)
        emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TsuiCustomButton::keyPressEvent(QKeyEvent *event)
{
    if (isPressKey(event->key()) && hasFocus() && isEnabled()) {
        m_pressed = true;
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TsuiCustomButton::keyReleaseEvent(QKeyEvent *event)
{
    if (isPressKey(event->key()) && !event->isAutoRepeat() && hasFocus() && m_pressed && isEnabled()) {
        m_pressed = false;
        update();
        click();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TsuiCustomButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TsuiCustomButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TsuiCustomButton::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    watchDialogKeys();
}

void TsuiCustomButton::watchDialogKeys()
{
    QWidget *form = window();
    if (m_dialogKeyWindow)
        m_dialogKeyWindow->removeEventFilter(this);
    m_dialogKeyWindow = nullptr;
    if ((m_default || m_cancel) && form != this) {
        form->installEventFilter(this);
        m_dialogKeyWindow = form;
    }
}

bool TsuiCustomButton::eventFilter(QObject *watched, QEvent *event)
{
    // Enter and Escape that no control of the window took.
    if (watched == m_dialogKeyWindow && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool shifted = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (((enter && m_default) || (key->key() == Qt::Key_Escape && m_cancel)) && !shifted && isEnabled() &&
            isVisible()) {
            click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
