#include "skin_controls/frame/title_bar.h"

#include "skin_controls/drawing/form_helpers.h"
#include "skin_controls/drawing/image_drawing.h"
#include "skin_controls/frame/form.h"
#include "skin_controls/frame/form_zoom.h"
#include "skin_controls/frame/frame_desktop.h"
#include "skin_controls/frame/window_shape.h"
#include "skin_controls/theme/file_theme_link.h"
#include "skin_controls/theme/owner_style.h"
#include "skin_controls/theme/theme_lookup.h"
#include "skin_controls/theme/theme_resources.h"

#include <QMouseEvent>
#include <QPainter>
#include <exception>

namespace {

const QPoint kNoCursor(-10000, -10000);
constexpr TColor clInactiveCaptionText = kSystemColor | 19;

QImage sectionPicture(const TsuiFileTheme *theme, TsuiUIStyle style, int item)
{
    QImage picture;
    try {
        ResolveThemeBitmap(theme, style, item, picture);
    } catch (const std::exception &) {
        // A missing picture leaves its section empty.
    }
    return picture;
}

// Keys out the colour of the picture's bottom-left pixel.
QImage transparentPicture(const QImage &picture)
{
    return picture.isNull() ? picture : KeyedOut(picture, picture.pixel(0, picture.height() - 1));
}

} // namespace

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TsuiTitleBar *bar) : TsuiPopupMenu(bar), m_bar(bar)
{
    addItem(QStringLiteral("Min"), QStringLiteral("最小化(&N)"));
    addItem(QStringLiteral("Max"), QStringLiteral("最大化/还原(&X)"));
    addItem(QStringLiteral("N1"), QStringLiteral("-"));
    addItem(QStringLiteral("Close"), QStringLiteral("关闭(&C)"));
    connect(actions()[0], &QAction::triggered, this, [this] {
        if (TsuiTitleBarButton *minimise = m_bar->firstButton(TsuiTitleBarBtnType::suiMin))
            m_bar->performAction(*minimise);
    });
    connect(actions()[1], &QAction::triggered, this, [this] {
        TsuiTitleBarButtons &buttons = m_bar->Buttons();
        for (int i = 0; i < buttons.Count(); ++i)
            if (buttons.Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMax)
                m_bar->performAction(*buttons.Items(i));
    });
    connect(actions()[3], &QAction::triggered, this, [this] {
        if (QWidget *form = m_bar->parentForm())
            form->close();
    });
}

void TsuiTitleBarPopupMenu::Popup(QPoint at)
{
    const auto has = [this](TsuiTitleBarBtnType type) { return m_bar->firstButton(type) != nullptr; };
    actions()[0]->setEnabled(has(TsuiTitleBarBtnType::suiMin));
    actions()[1]->setEnabled(has(TsuiTitleBarBtnType::suiMax));
    actions()[3]->setEnabled(has(TsuiTitleBarBtnType::suiClose));
    popup(at);
}

TsuiTitleBar::TsuiTitleBar(QWidget *parent)
    : QWidget(parent), m_sections(this), m_buttons(this), m_systemMenu(new TsuiTitleBarPopupMenu(this))
{
    // Every pixel comes from one off-screen picture: hovering never flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    for (TsuiTitleBarBtnType type : {TsuiTitleBarBtnType::suiControlBox, TsuiTitleBarBtnType::suiClose,
                                     TsuiTitleBarBtnType::suiMax, TsuiTitleBarBtnType::suiMin})
        m_buttons.Add()->setButtonType(type);
    QFont f(QStringLiteral("Tahoma"));
    f.setBold(true);
    setFont(f);
    setUIStyle(GetOwnerUIStyle(OwnerForm(parent)));
}

TsuiTitleBar::~TsuiTitleBar() = default;

void TsuiTitleBar::setFileTheme(TsuiFileTheme *theme)
{
    LinkFileTheme(this, m_fileTheme, theme, [this] { setUIStyle(TsuiUIStyle::DeepBlue); });
    m_keepFontColor = true;
    setUIStyle(m_uiStyle);
    m_keepFontColor = false;
}

void TsuiTitleBar::setUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    if (m_custom)
        return;
    m_sections.Clear();
    setUpTheme();
    TsuiUIStyle effective;
    UsingFileTheme(m_fileTheme, style, effective);
    for (int i = 0; i < m_buttons.Count(); ++i)
        m_buttons.Items(i)->setUIStyle(effective);
    m_systemMenu->setFileTheme(m_fileTheme);
    m_systemMenu->setUIStyle(effective);
    rebuildWindowRegion();
    if (!m_keepFontColor)
        m_fontColor = style == TsuiUIStyle::MacOS ? clBlack : clWhite;
    setAutoSize(true);
    update();
}

void TsuiTitleBar::setUpTheme()
{
    TsuiTitleBarSection *left = m_sections.Add();
    left->setPicture(sectionPicture(m_fileTheme, m_uiStyle, 10));
    left->setAutoSize(true);
    TsuiTitleBarSection *right = m_sections.Add();
    right->setPicture(sectionPicture(m_fileTheme, m_uiStyle, 12));
    right->setAutoSize(true);
    right->setAlign(TsuiTitleBarAlign::suiRight);
    TsuiTitleBarSection *client = m_sections.Add();
    client->setPicture(sectionPicture(m_fileTheme, m_uiStyle, 11));
    client->setAlign(TsuiTitleBarAlign::suiClient);

    m_leftOffset = ResolveThemeInt(m_fileTheme, m_uiStyle, 7);
    m_rightOffset = ResolveThemeInt(m_fileTheme, m_uiStyle, 8);
    m_roundCornerColor = ResolveThemeColor(m_fileTheme, m_uiStyle, 16);
    m_bandHeight = sectionPicture(m_fileTheme, m_uiStyle, 5).height();
    m_captionTop = ResolveThemeInt(m_fileTheme, m_uiStyle, 9);
    // A fixed-size form stays fixed.
    if (QWidget *form = parentForm(); form && form->minimumSize() != form->maximumSize())
        form->setMinimumWidth(std::max(0, ResolveThemeInt(m_fileTheme, m_uiStyle, 13)));
    m_roundCorner = ResolveThemeInt(m_fileTheme, m_uiStyle, 14);
}

void TsuiTitleBar::setAutoSize(bool on)
{
    m_autoSize = on;
    if (m_sections.Count() > 0)
        resize(width(), m_sections.Items(0)->Picture().height());
    else
        m_autoSize = false;
}

void TsuiTitleBar::setButtonInterval(int interval)
{
    m_buttonInterval = interval;
    update();
}

void TsuiTitleBar::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TsuiTitleBar::setFormActive(bool on)
{
    m_formActive = on;
    update();
}

void TsuiTitleBar::setLeftBtnXOffset(int offset)
{
    m_leftOffset = offset;
    update();
}

void TsuiTitleBar::setRightBtnXOffset(int offset)
{
    m_rightOffset = offset;
    update();
}

void TsuiTitleBar::setDrawAppIcon(bool on)
{
    m_drawAppIcon = on;
    update();
}

void TsuiTitleBar::setRoundCorner(int round)
{
    m_roundCorner = round;
    rebuildWindowRegion();
}

void TsuiTitleBar::setFontColor(TColor color)
{
    m_fontColor = color;
    update();
}

TsuiTitleBarButton *TsuiTitleBar::firstButton(TsuiTitleBarBtnType type) const
{
    for (int i = 0; i < m_buttons.Count(); ++i)
        if (m_buttons.Items(i)->ButtonType() == type)
            return m_buttons.Items(i);
    return nullptr;
}

QWidget *TsuiTitleBar::parentForm() const
{
    return parentWidget() ? window() : nullptr;
}

bool TsuiTitleBar::onFrame() const
{
    return qobject_cast<const TsuiForm *>(parentWidget()) != nullptr;
}

bool TsuiTitleBar::formMaximised() const
{
    return parentForm() && FormMaximised(parentForm());
}

void TsuiTitleBar::performAction(TsuiTitleBarButton &button)
{
    QWidget *form = parentForm();
    if (!form)
        return;
    switch (button.ButtonType()) {
    case TsuiTitleBarBtnType::suiMax:
        if (FormMaximised(form))
            RestoreForm(form);
        else
            MaximiseForm(form);
        refreshMaxButtons();
        break;
    case TsuiTitleBarBtnType::suiMin:
        form->showMinimized();
        break;
    case TsuiTitleBarBtnType::suiClose:
        form->close();
        break;
    case TsuiTitleBarBtnType::suiControlBox:
        if (QMenu *menu = button.ControlBoxMenu())
            menu->popup(mapToGlobal(QPoint(0, height())));
        break;
    case TsuiTitleBarBtnType::suiHelp:
    case TsuiTitleBarBtnType::suiCustom:
        break;
    }
}

void TsuiTitleBar::refreshMaxButtons()
{
    for (int i = 0; i < m_buttons.Count(); ++i)
        if (m_buttons.Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMax)
            m_buttons.Items(i)->loadPictures();
    update();
}

void TsuiTitleBar::rebuildWindowRegion()
{
    if (!onFrame())
        return;
    QWidget *form = parentForm();
    if (m_roundCorner > 0)
        form->setMask(TitleBarWindowRegion(form->size(), m_roundCorner));
    else
        form->clearMask();
}

TitleBarLayout TsuiTitleBar::buttonLayout(QPoint cursor) const
{
    std::vector<TitleBarButtonSlot> places;
    for (int i = 0; i < m_buttons.Count(); ++i) {
        const TsuiTitleBarButton &b = *m_buttons.Items(i);
        places.push_back({b.ButtonType(), b.Visible(), b.PicNormal().size(), b.Top()});
    }
    return LayOutTitleBarButtons(places, width(), m_leftOffset, m_rightOffset, m_buttonInterval, m_drawAppIcon,
                                 cursor);
}

void TsuiTitleBar::DrawSections(QPainter &canvas, QSize size) const
{
    DrawTitleBarSections(canvas, size, m_sections);
}

void TsuiTitleBar::DrawButtons(QPainter &canvas, QSize, QPoint cursor) const
{
    const TitleBarLayout layout = buttonLayout(cursor);
    for (int i = 0; i < m_buttons.Count(); ++i) {
        const TsuiTitleBarButton &b = *m_buttons.Items(i);
        const TRect &place = layout.places[size_t(i)];
        if (!b.Visible() || (i == layout.controlBox && m_drawAppIcon))
            continue;
        const QImage &shown = i != layout.hovered ? b.PicNormal() : m_pressed ? b.PicMouseDown() : b.PicMouseOn();
        canvas.drawImage(QPoint(place.Left, place.Top),
                         SeeThroughKeyed(b.Transparent() ? transparentPicture(shown) : shown));
    }
    if (layout.controlBox >= 0 && m_drawAppIcon) {
        try {
            canvas.drawImage(layout.appIconAt, SeeThroughKeyed(LoadThemeResource(QStringLiteral("MAINICON"))));
        } catch (const std::exception &) {
            // Without the icon the caption still starts after its place.
        }
    }

    const QColor color = TsuiColorToQColor(m_formActive ? m_fontColor : clInactiveCaptionText, palette());
    canvas.setFont(font());
    canvas.setPen(color);
    const QFontMetrics metrics(font());
    const QString text = FitTitleCaption(m_caption, metrics, layout.captionRight - layout.captionLeft);
    const int y = (m_bandHeight - metrics.height()) / 2 + m_captionTop;
    canvas.drawText(QRect(layout.captionLeft, y, metrics.horizontalAdvance(text), metrics.height()),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

QImage TsuiTitleBar::paintBar(QPoint cursor) const
{
    QImage bitmap(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    // What the pictures leave see-through, outside their rounded corners,
    // continues the form's border.
    bitmap.fill(TsuiColorToQColor(m_roundCornerColor, palette()));
    QPainter canvas(&bitmap);
    DrawSections(canvas, size());
    DrawButtons(canvas, size(), cursor);
    if (m_uiStyle != TsuiUIStyle::WinXP && m_roundCorner != 0 && onFrame()) {
        canvas.setPen(TsuiColorToQColor(m_roundCornerColor, palette()));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRoundedRect(QRectF(-1, 0, width() + 1, height() + 49), (m_roundCorner + 1) / 2.0,
                               m_roundCorner / 2.0);
    }
    return bitmap;
}

void TsuiTitleBar::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(QPoint(0, 0), paintBar(m_cursor));
}

void TsuiTitleBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        update();
}

void TsuiTitleBar::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_cursor = kNoCursor;
    unsetCursor();
    update();
}

Qt::Edges TsuiTitleBar::resizeEdges(QPoint at) const
{
    const auto *frame = qobject_cast<const TsuiForm *>(parentWidget());
    if (!frame || !frame->formSizeable() || formMaximised())
        return {};
    return TitleBarHitTest(at, parentForm()->width());
}

void TsuiTitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_cursor = event->position().toPoint();
    if (const Qt::Edges edges = resizeEdges(m_cursor)) {
        CurrentFrameDesktop().startResize(parentForm(), edges);
        return;
    }
    m_pressed = true;
    update();
    // The move starts with the drag, so that a double-click still arrives.
    if (buttonLayout(m_cursor).hovered < 0 && !formMaximised()) {
        m_dragArmed = true;
        m_pressed = false;
    }
}

void TsuiTitleBar::mouseMoveEvent(QMouseEvent *event)
{
    m_cursor = event->position().toPoint();
    if (m_dragArmed && (event->buttons() & Qt::LeftButton)) {
        m_dragArmed = false;
        CurrentFrameDesktop().startMove(parentForm());
    }
    setCursor(CursorForEdges(resizeEdges(m_cursor)));
    update();
}

void TsuiTitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragArmed = false;
    m_cursor = event->position().toPoint();
    const int index = buttonLayout(m_cursor).hovered;
    const QPointer<TsuiTitleBar> alive(this);
    if (index >= 0 && m_pressed) {
        m_pressed = false;
        TsuiTitleBarButton &button = *m_buttons.Items(index);
        const TsuiTitleBarBtnType type = button.ButtonType();
        if (type != TsuiTitleBarBtnType::suiControlBox || button.ControlBoxMenu())
            performAction(button);
        else
            m_systemMenu->Popup(mapToGlobal(QPoint(0, height())));
        if (alive && type == TsuiTitleBarBtnType::suiCustom)
            emit customButtonClicked(index);
        if (alive && type == TsuiTitleBarBtnType::suiHelp)
            emit helpButtonClicked(index);
    }
    if (alive) {
        m_pressed = false;
        update();
    }
}

void TsuiTitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragArmed = false;
    const TitleBarLayout layout = buttonLayout(event->position().toPoint());
    if (layout.hovered < 0) {
        if (TsuiTitleBarButton *maximise = firstButton(TsuiTitleBarBtnType::suiMax))
            performAction(*maximise);
    } else if (layout.hovered == layout.controlBox) {
        if (QWidget *form = parentForm())
            form->close();
    }
}
