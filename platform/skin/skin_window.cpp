#include "platform/skin/skin_window.h"

#include "platform/skin/skin.h"
#include "platform/skin/skin_pictures.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr int kTextFlags[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

// A picture drawn over a rectangle: 1:1 when the sizes agree, else stretched.
void drawStretched(QPainter &p, const QRect &target, const QImage &image)
{
    if (image.isNull() || target.isEmpty())
        return;
    if (image.size() == target.size())
        p.drawImage(target.topLeft(), image);
    else
        p.drawImage(target, image);
}

// A button that is off: its picture in grey, faded towards white.
QImage OffPicture(const QImage &picture)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return out;
}

} // namespace

SkinWindow::SkinWindow(TSkin *skin, QWidget *window) : m_skin(skin), m_window(window)
{
    window->setMouseTracking(true);
    window->installEventFilter(this);
    window->update();
}

SkinWindow::~SkinWindow()
{
    if (m_window) {
        m_window->removeEventFilter(this);
        m_window->unsetCursor();
    }
}

void SkinWindow::applySection(const SkinFile &file, const SkinSectionDef &section, SkinPictures &pictures,
                              std::vector<std::unique_ptr<SkinElement>> &retired)
{
    // Everything is loaded before anything changes, so a missing picture leaves the old look.
    const QImage background = section.background.isEmpty()
                                  ? QImage()
                                  : pictures.load(file.picturePath(section.background));
    std::vector<std::unique_ptr<SkinElement>> elements;
    elements.reserve(section.objects.size());
    for (const SkinObjectDef &def : section.objects) {
        SkinElement *parent = def.parent >= 0 ? elements[def.parent].get() : nullptr;
        elements.push_back(std::make_unique<SkinElement>(this, file, def, parent, pictures));
    }

    for (auto &e : m_elements) {
        e->detach();
        retired.push_back(std::move(e));
    }
    m_elements = std::move(elements);
    m_section = section.name;
    m_background = background;
    m_hover = nullptr;
    m_captured = false;
    m_captureTarget = nullptr;
    m_dragging = false;
    if (!m_window)
        return;
    m_window->unsetCursor();
    m_window->setFixedSize(section.width, section.height);
    // See-through background pixels shape a top-level window (round corners).
    if (m_window->isWindow() && m_background.hasAlphaChannel())
        m_window->setMask(QBitmap::fromImage(m_background.createAlphaMask()));
    else
        m_window->clearMask();
    m_window->update();
}

ISkinObject *SkinWindow::WindowObject::FindChildObject(const QString &name)
{
    for (const auto &e : m_owner->m_elements)
        if (e->GetObjectName() == name)
            return e.get();
    return nullptr;
}

void SkinWindow::repaint(const QRect &area)
{
    if (m_window)
        m_window->update(area);
}

void SkinWindow::repaintAll()
{
    if (m_window)
        m_window->update();
}

bool SkinWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        paint(static_cast<QPaintEvent *>(event));
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        press(static_cast<QMouseEvent *>(event));
        return false;
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent *>(event));
        return false;
    case QEvent::MouseButtonRelease:
        release(static_cast<QMouseEvent *>(event));
        return false;
    case QEvent::Leave:
        if (!m_captured)
            setHover(nullptr);
        return false;
    default:
        return false;
    }
}

void SkinWindow::paint(QPaintEvent *event)
{
    QPainter p(m_window);
    p.setClipRegion(event->region());
    if (!m_background.isNull())
        p.drawImage(0, 0, m_background);
    for (const auto &e : m_elements)
        if (e->shown())
            paintElement(p, *e);
}

void SkinWindow::paintElement(QPainter &p, const SkinElement &e) const
{
    const QRect r = e.GetRect().toQRect();
    switch (e.def().kind) {
    case SkinKind::Panel:
        drawStretched(p, r, e.picture());
        break;
    case SkinKind::Text: {
        drawStretched(p, r, e.picture());
        QFont font = m_window->font();
        font.setPixelSize(e.def().fontSize);
        font.setBold(e.def().bold);
        p.setFont(font);
        p.setPen(e.def().color);
        const Qt::TextElideMode elide = e.def().elide == SkinElide::Middle ? Qt::ElideMiddle : Qt::ElideRight;
        const QString shown = QFontMetrics(font).elidedText(e.GetText(), elide, r.width());
        p.drawText(r, kTextFlags[static_cast<int>(e.def().align)] | Qt::AlignVCenter, shown);
        break;
    }
    case SkinKind::Button: {
        if (!e.IsEnabled()) {
            drawStretched(p, r, e.disabled().isNull() ? OffPicture(e.picture()) : e.disabled());
            break;
        }
        const bool down = m_captured && m_captureTarget == &e && e.hit(m_pointer.x(), m_pointer.y());
        const QImage &picture = down && !e.pressed().isNull()      ? e.pressed()
                                : (down || m_hover == &e) && !e.hover().isNull() ? e.hover()
                                                                                 : e.picture();
        drawStretched(p, r, picture);
        break;
    }
    case SkinKind::Slider:
        drawStretched(p, r, e.track());
        if (!e.thumb().isNull())
            p.drawImage(e.thumbRect().topLeft(), e.thumb());
        break;
    case SkinKind::Bar:
        // The bar shows its picture from the left edge; the rectangle's right edge says how far.
        if (!e.picture().isNull() && r.width() > 0) {
            if (r.width() <= e.picture().width())
                p.drawImage(r, e.picture(), QRect(0, 0, r.width(), e.picture().height()));
            else
                p.drawImage(r, e.picture());
        }
        break;
    case SkinKind::Hotspot:
        break;
    }
}

SkinElement *SkinWindow::elementAt(const QPoint &pos) const
{
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it)
        if ((*it)->hit(pos.x(), pos.y()))
            return it->get();
    return nullptr;
}

void SkinWindow::setHover(SkinElement *e)
{
    if (m_hover == e)
        return;
    if (m_hover)
        m_hover->Redraw();
    m_hover = e;
    if (e)
        e->Redraw();
    if (m_window) {
        if (e && e->def().kind == SkinKind::Button && e->IsEnabled())
            m_window->setCursor(Qt::PointingHandCursor);
        else
            m_window->unsetCursor();
    }
}

void SkinWindow::track(SkinElement *slider, int x)
{
    slider->SetPosition(slider->positionAt(x));
    emit m_skin->OnScrollTrack(slider, slider->GetPosition());
}

void SkinWindow::press(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_pointer = pos;
    if (!m_captured) {
        m_captured = true;
        m_captureTarget = elementAt(pos);
        m_dragging = false;
    }
    SkinElement *target = m_captureTarget;
    if (target)
        target->Redraw();
    const QPointer<SkinWindow> alive(this);
    emit m_skin->OnMouseDown(source(target), static_cast<int>(event->button()), pos.x(), pos.y());
    if (!alive || target != m_captureTarget)
        return;
    if (target && target->def().kind == SkinKind::Slider && event->button() == Qt::LeftButton) {
        m_dragging = true;
        track(target, pos.x());
    }
}

void SkinWindow::move(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_pointer = pos;
    if (!m_captured) {
        setHover(elementAt(pos));
        emit m_skin->OnMouseMove(source(m_hover), pos.x(), pos.y());
        return;
    }
    SkinElement *target = m_captureTarget;
    if (target)
        target->Redraw(); // a held button shows pressed only while the pointer is on it
    const QPointer<SkinWindow> alive(this);
    if (m_dragging && target) {
        track(target, pos.x());
        if (!alive || target != m_captureTarget)
            return;
    }
    emit m_skin->OnMouseMove(source(target), pos.x(), pos.y());
}

void SkinWindow::release(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_pointer = pos;
    SkinElement *target = m_captured ? m_captureTarget : elementAt(pos);
    const bool click = event->button() == Qt::LeftButton && m_captured && elementAt(pos) == target;
    if (event->buttons() == Qt::NoButton) {
        m_captured = false;
        m_captureTarget = nullptr;
        m_dragging = false;
    } else if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    }
    if (target)
        target->Redraw();
    const QPointer<SkinWindow> alive(this);
    const QPointer<QWidget> window(m_window);
    emit m_skin->OnMouseUp(source(target), static_cast<int>(event->button()), pos.x(), pos.y());
    // An object drawn off takes no click, as a disabled button would not.
    if (!alive || !click || (target && !target->IsEnabled()))
        return;
    emit m_skin->OnClick(source(target));
    if (alive && target && target->def().action == QLatin1String("close") && window)
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}
