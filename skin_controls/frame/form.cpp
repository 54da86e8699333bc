#include "skin_controls/frame/form.h"

#include "platform/dialogs/dialogs.h"
#include "skin_controls/controls/main_menu.h"
#include "skin_controls/drawing/form_helpers.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/drawing/pixel_rules.h"
#include "skin_controls/frame/form_zoom.h"
#include "skin_controls/frame/frame_desktop.h"
#include "skin_controls/frame/menu_bar.h"
#include "skin_controls/frame/window_shape.h"
#include "skin_controls/theme/file_theme_link.h"
#include "skin_controls/theme/theme_lookup.h"
#include "skin_controls/theme/theme_resources.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <exception>

namespace {

QWidget *formWithoutFrame(QWidget *form)
{
    if (form)
        for (QObject *child : form->children())
            if (qobject_cast<TsuiForm *>(child))
                throw TsuiFormError("Sorry, You can create only one TsuiForm component in one form!");
    return form;
}

// The picture the MacOS and Protein frames are tiled with.
const char *backgroundPattern(TsuiUIStyle style)
{
    switch (style) {
    case TsuiUIStyle::MacOS:
        return "MACOS_FORM_BACKGROUND";
    case TsuiUIStyle::Protein:
        return "PROTEIN_FORM_BACKGROUND";
    default:
        return nullptr;
    }
}

} // namespace

TsuiForm::TsuiForm(QWidget *form) : QWidget(formWithoutFrame(form))
{
    if (form && form->isWindow()) {
        m_form = form;
        // A fixed-size form stays fixed.
        m_sizeable = form->minimumSize() != form->maximumSize();
        // Where SetFormBoundsRect puts it back: the window's place and size.
        m_boundsAtConstruction = QRect(form->pos(), form->size());
        m_maximisedAtConstruction = FormMaximised(form);
        if (m_sizeable)
            form->setMinimumSize(std::max(form->minimumWidth(), 125), std::max(form->minimumHeight(), 50));
    }
    m_titleBar = new TsuiTitleBar(this);
    m_titleBar->installEventFilter(this);
    connect(m_titleBar, &TsuiTitleBar::customButtonClicked, this, &TsuiForm::titleBarCustomButtonClicked);
    connect(m_titleBar, &TsuiTitleBar::helpButtonClicked, this, &TsuiForm::titleBarHelpButtonClicked);
    m_menuBarColor = m_color;
    setUIStyle(TsuiUIStyle::DeepBlue);
    m_autoUpdateSub = false;
    setTitleBarVisible(true);
    m_constructing = false;
    if (!m_form)
        return;
    setCaption(form->windowTitle());
    const bool shown = form->isVisible();
    form->setWindowFlag(Qt::FramelessWindowHint, true);
    form->setMouseTracking(true);
    form->installEventFilter(this);
    layOut();
    if (shown) {
        form->show();
        show();
    }
}

TsuiForm::~TsuiForm()
{
    if (m_menu)
        m_menu->setHostFrame(nullptr);
    if (m_form) {
        m_form->removeEventFilter(this);
        m_form->update();
    }
    m_titleBar->removeEventFilter(this);
}

void TsuiForm::setFileTheme(TsuiFileTheme *theme)
{
    if (theme == m_fileTheme)
        return;
    LinkFileTheme(this, m_fileTheme, theme, [this] {
        ApplyThemeToChildren(this, TsuiUIStyle::DeepBlue, nullptr);
        setUIStyle(TsuiUIStyle::DeepBlue);
    });
    setUIStyle(m_uiStyle);
}

void TsuiForm::setUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    setBorderColor(ResolveThemeColor(m_fileTheme, style, 16));
    setBorderWidth(std::max(0, ResolveThemeInt(m_fileTheme, style, 17)));
    setColor(ResolveThemeColor(m_fileTheme, style, 15));
    m_menuBarColor = m_color;
    m_titleBar->setFileTheme(m_fileTheme);
    m_titleBar->setUIStyle(style);
    if (m_menu) {
        m_menu->setUIStyle(style);
        m_menu->setFileTheme(m_fileTheme);
    }
    if (m_autoUpdateSub)
        ApplyThemeToChildren(this, style, m_fileTheme);
    applyMenuBarLook();
    layOut();
    update();
    paintBorder();
}

void TsuiForm::setBorderColor(TColor color)
{
    m_borderColor = color;
    layOut();
    paintBorder();
}

void TsuiForm::setBorderWidth(int width)
{
    // The frame keeps its size and the form grows or shrinks around it, by
    // exactly what the layout takes off: applying the same border again
    // leaves the form as it is. While the frame is made the form keeps its size.
    const int before = m_borderWidth;
    m_borderWidth = width;
    if (m_form && !m_constructing) {
        const QSize frame = FrameBounds(m_form->size(), before, m_titleBarVisible).size();
        m_form->resize(FormSizeAroundFrame(frame, width, m_titleBarVisible));
    }
    layOut();
    paintBorder();
}

void TsuiForm::setTitleBarVisible(bool on)
{
    if (on == m_titleBarVisible)
        return;
    m_titleBarVisible = on;
    m_titleBar->setVisible(on);
    m_titleBar->move(0, 0);
    layOut();
    paintBorder();
}

void TsuiForm::setColor(TColor color)
{
    m_color = color;
    update();
}

void TsuiForm::setCaption(const QString &caption)
{
    m_titleBar->setCaption(caption);
    if (m_form)
        m_form->setWindowTitle(caption);
}

void TsuiForm::setFormPanel(QWidget *panel)
{
    if (panel == this) {
        CurrentFrameDesktop().dialogs->message(MessageKind::Error,
                                               QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
        return;
    }
    m_formPanel = panel;
    if (!panel)
        return;
    if (panel->parentWidget() != this) {
        panel->setParent(this);
        panel->show();
    }
    if (auto *plain = qobject_cast<QFrame *>(panel))
        plain->setFrameShape(QFrame::NoFrame);
    layOutChildren();
}

void TsuiForm::setMenu(TsuiMainMenu *menu)
{
    if (m_menu) {
        m_menu->setHostFrame(nullptr);
        disconnect(m_menu, nullptr, this, nullptr);
    }
    m_menu = menu;
    if (menu) {
        menu->setHostFrame(this);
        connect(menu, &TsuiMainMenu::rebuilt, this, &TsuiForm::rebuildMenuBar);
        connect(menu, &TsuiMainMenu::itemsChanged, this, [this] {
            if (m_menuBar)
                m_menuBar->refresh();
        });
        connect(menu, &TsuiMainMenu::appearanceChanged, this, &TsuiForm::applyMenuBarLook);
        connect(menu, &QObject::destroyed, this, [this] { setMenu(nullptr); });
    }
    rebuildMenuBar();
}

void TsuiForm::rebuildMenuBar()
{
    if (!m_menu) {
        delete m_menuBar;
        m_menuBar = nullptr;
        layOutChildren();
        return;
    }
    if (!m_menuBar) {
        m_menuBar = new TsuiMenuBar(this);
        m_menuBar->show();
        m_titleBar->move(0, 0);
    }
    m_menuBar->rebuild(m_menu);
    applyMenuBarLook();
    layOutChildren();
}

void TsuiForm::applyMenuBarLook()
{
    if (!m_menuBar)
        return;
    const TsuiFileTheme *theme = m_menu ? m_menu->FileTheme() : m_fileTheme.data();
    const TsuiUIStyle style = m_menu ? m_menu->UIStyle() : m_uiStyle;
    TsuiUIStyle effective;
    UsingFileTheme(theme, style, effective);
    const QPalette p = palette();
    MenuBarLook look;
    look.macOS = effective == TsuiUIStyle::MacOS;
    QColor systemText;
    SetMenuFont(look.font, systemText);
    look.fontColor = systemText;
    if (m_menu && !m_menu->UseSystemFont()) {
        look.font = m_menu->textFont();
        look.fontColor = TsuiColorToQColor(m_menu->FontColor(), p);
    }
    look.bar = TsuiColorToQColor(m_menuBarColor, p);
    look.selected = TsuiColorToQColor(ResolveThemeColor(theme, style, 19), p);
    look.selectedBorder = TsuiColorToQColor(ResolveThemeColor(theme, style, 18), p);
    look.selectedFont = TsuiColorToQColor(ResolveThemeColor(theme, style, 20), p);
    m_menuBar->setLook(look);
}

void TsuiForm::setMenuBarColor(TColor color)
{
    m_menuBarColor = color;
    applyMenuBarLook();
}

void TsuiForm::setMenuBarHeight(int height)
{
    m_menuBarHeight = height;
    layOutChildren();
}

void TsuiForm::setFrameWidth(int width)
{
    if (m_form)
        m_form->resize(width + 2 * m_borderWidth, m_form->height());
    layOut();
}

void TsuiForm::setFrameHeight(int height)
{
    if (m_form)
        m_form->resize(m_form->width(), height + m_borderWidth + m_borderWidth / 2);
    layOut();
}

void TsuiForm::layOut()
{
    if (m_form)
        setGeometry(FrameBounds(m_form->size(), m_borderWidth, m_titleBarVisible));
    layOutChildren();
}

void TsuiForm::layOutChildren()
{
    if (!m_titleBar)
        return;
    int top = 0;
    if (m_titleBarVisible) {
        m_titleBar->setGeometry(0, 0, width(), m_titleBar->height());
        top = m_titleBar->height();
    }
    if (m_menuBar) {
        m_menuBar->setGeometry(0, top, width(), m_menuBarHeight);
        top += m_menuBarHeight;
    }
    if (m_formPanel && m_formPanel->parentWidget() == this)
        m_formPanel->setGeometry(0, top, width(), height() - top);
}

void TsuiForm::paintBorder()
{
    if (m_form)
        m_form->update();
}

void TsuiForm::formResized()
{
    // A form made maximised goes back to the bounds it was made with, once.
    if (m_maximisedAtConstruction && !FormMaximised(m_form)) {
        m_maximisedAtConstruction = false;
        SetFormBoundsRect(m_form, TRect::fromQRect(m_boundsAtConstruction));
    }
    layOut();
    paintBorder();
    m_titleBar->refreshMaxButtons();
    m_titleBar->rebuildWindowRegion();
}

bool TsuiForm::formEvent(QEvent *event)
{
    const bool resizable = m_sizeable && !FormMaximised(m_form);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        return m_menu && FormHasFocus(m_form) && m_form->isActiveWindow() &&
               m_menu->TakeShortcut(key->keyCombination());
    }
    case QEvent::ActivationChange:
        m_titleBar->setFormActive(m_form->isActiveWindow());
        return false;
    case QEvent::Resize:
    case QEvent::WindowStateChange:
        formResized();
        return false;
    case QEvent::Paint: {
        QPainter canvas(m_form);
        const QColor color = TsuiColorToQColor(m_borderColor, palette());
        const FrameBorder border = FrameBorderPieces(m_form->size(), m_borderWidth);
        for (const QRect &piece : {border.left, border.bottom, border.right, border.top})
            FillRectColor(canvas, TRect::fromQRect(piece), color);
        return false;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::Edges edges = resizable ? FormHitTest(mouse->position().toPoint(), m_form->size()) : Qt::Edges();
        if (mouse->button() != Qt::LeftButton || !edges)
            return false;
        CurrentFrameDesktop().startResize(m_form, edges);
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() == Qt::NoButton)
            m_form->setCursor(CursorForEdges(resizable ? FormHitTest(mouse->position().toPoint(), m_form->size())
                                                       : Qt::Edges()));
        return false;
    }
    default:
        return false;
    }
}

bool TsuiForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_titleBar && event->type() == QEvent::Resize)
        layOutChildren();
    else if (m_form && watched == m_form)
        return formEvent(event);
    return QWidget::eventFilter(watched, event);
}

void TsuiForm::paintEvent(QPaintEvent *)
{
    QPainter canvas(this);
    if (const char *pattern = backgroundPattern(m_uiStyle)) {
        try {
            // One off-screen picture, copied in a single step.
            QImage bitmap(size(), QImage::Format_RGB32);
            QPainter tiles(&bitmap);
            tiles.fillRect(bitmap.rect(), QBrush(LoadThemeResource(QLatin1String(pattern))));
            tiles.end();
            canvas.drawImage(QPoint(0, 0), bitmap);
            return;
        } catch (const std::exception &) {
            // Without its pattern the frame takes its flat colour.
        }
    }
    FillRectColor(canvas, TRect::fromQRect(rect()), TsuiColorToQColor(m_color, palette()));
}

void TsuiForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOutChildren();
}
