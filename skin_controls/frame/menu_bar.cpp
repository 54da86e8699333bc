#include "skin_controls/frame/menu_bar.h"

#include "skin_controls/controls/main_menu.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/drawing/pixel_rules.h"
#include "skin_controls/theme/theme_resources.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <exception>

namespace {

constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;

} // namespace

void PaintMenuBarButton(QPainter &canvas, const TRect &rect, const MenuBarLook &look, const QString &caption,
                        bool hot, bool open)
{
    canvas.setFont(look.font);
    if (!hot && !open) {
        canvas.setPen(look.fontColor);
        canvas.drawText(rect.toQRect(), kCaptionFlags, caption);
        return;
    }
    if (look.macOS) {
        QImage bitmap(rect.width(), rect.height(), QImage::Format_RGB32);
        QPainter p(&bitmap);
        try {
            p.drawImage(bitmap.rect(), LoadThemeResource(QStringLiteral("MACOS_MENU_SELECT")));
        } catch (const std::exception &) {
            bitmap.fill(look.selected);
        }
        p.setFont(look.font);
        p.setPen(look.selectedFont);
        p.drawText(bitmap.rect().adjusted(0, 0, 0, 2), kCaptionFlags, caption);
        p.end();
        canvas.drawImage(QPoint(rect.Left, rect.Top), bitmap);
        return;
    }
    TRect r = rect;
    if (open)
        r.Right -= 2;
    FillRectColor(canvas, r, look.selected);
    FrameRectColor(canvas, r, look.selectedBorder);
    if (open) {
        r.Left += 2;
        r.Right += 2;
    }
    r.Top += 2;
    canvas.setPen(look.selectedFont);
    canvas.drawText(r.toQRect(), kCaptionFlags, caption);
}

TsuiMenuBarButton::TsuiMenuBarButton(QAction *item, QWidget *bar) : QAbstractButton(bar), m_item(item)
{
    setAttribute(Qt::WA_Hover);
    refresh();
    connect(this, &QAbstractButton::pressed, this, &TsuiMenuBarButton::dropDown);
}

void TsuiMenuBarButton::refresh()
{
    if (!m_item)
        return;
    setText(m_item->text());
    setEnabled(m_item->isEnabled());
    updateGeometry();
    update();
}

QSize TsuiMenuBarButton::sizeHint() const
{
    const auto *bar = qobject_cast<const TsuiMenuBar *>(parentWidget());
    const QFontMetrics metrics(bar ? bar->look().font : font());
    QString shown = text();
    shown.remove(QLatin1Char('&'));
    return {metrics.horizontalAdvance(shown) + 14, parentWidget() ? parentWidget()->height() : 22};
}

void TsuiMenuBarButton::paintEvent(QPaintEvent *)
{
    const auto *bar = qobject_cast<const TsuiMenuBar *>(parentWidget());
    if (!bar)
        return;
    QPainter canvas(this);
    MenuBarLook look = bar->look();
    if (!isEnabled())
        look.fontColor = QColor(0x80, 0x80, 0x80);
    PaintMenuBarButton(canvas, TRect::fromQRect(rect()), look, text(), isEnabled() && underMouse(), m_open);
}

void TsuiMenuBarButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    update();
}

void TsuiMenuBarButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    update();
}

void TsuiMenuBarButton::dropDown()
{
    QMenu *list = m_item ? m_item->menu() : nullptr;
    if (!list || list->isVisible())
        return;
    m_open = true;
    update();
    connect(list, &QMenu::aboutToHide, this, [this, list] {
        disconnect(list, &QMenu::aboutToHide, this, nullptr);
        m_open = false;
        setDown(false);
        update();
    });
    list->popup(mapToGlobal(QPoint(0, height())));
}

TsuiMenuBar::TsuiMenuBar(QWidget *frame) : QWidget(frame)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch();
}

void TsuiMenuBar::rebuild(TsuiMainMenu *menu)
{
    qDeleteAll(buttons());
    if (!menu)
        return;
    auto *row = static_cast<QHBoxLayout *>(layout());
    const QList<QAction *> items = menu->items();
    for (int i = 0; i < items.size(); ++i)
        row->insertWidget(i, new TsuiMenuBarButton(items[i], this));
}

void TsuiMenuBar::refresh()
{
    for (TsuiMenuBarButton *button : buttons())
        button->refresh();
}

QList<TsuiMenuBarButton *> TsuiMenuBar::buttons() const
{
    QList<TsuiMenuBarButton *> out;
    for (int i = 0; i < layout()->count(); ++i)
        if (auto *button = qobject_cast<TsuiMenuBarButton *>(layout()->itemAt(i)->widget()))
            out.append(button);
    return out;
}

void TsuiMenuBar::setLook(const MenuBarLook &look)
{
    m_look = look;
    for (TsuiMenuBarButton *button : buttons())
        button->updateGeometry();
    update();
}

void TsuiMenuBar::paintEvent(QPaintEvent *)
{
    QPainter canvas(this);
    FillRectColor(canvas, TRect::fromQRect(rect()), m_look.bar);
    if (!m_look.macOS)
        return;
    try {
        canvas.drawImage(rect(), LoadThemeResource(QStringLiteral("MACOS_MENU_BAR")));
    } catch (const std::exception &) {
        // The bar keeps its flat colour.
    }
}
