#include "skin_controls/frame/title_bar_drawing.h"

#include "skin_controls/drawing/form_helpers.h"
#include "skin_controls/drawing/image_drawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// A picture unscaled at `at`, cut to width x height.
void copyUnscaled(QPainter &canvas, const QImage &picture, QPoint at, int width, int height)
{
    canvas.drawImage(at, SeeThroughKeyed(picture),
                     QRect(0, 0, std::min(width, picture.width()), std::min(height, picture.height())));
}

void stretch(QPainter &canvas, const QImage &picture, const TRect &to)
{
    if (!to.isEmpty() && !picture.isNull())
        canvas.drawImage(to.toQRect(), SeeThroughKeyed(picture));
}

} // namespace

void DrawTitleBarSections(QPainter &canvas, QSize size, const TsuiTitleBarSections &sections)
{
    int left = -1, right = size.width() + 1;
    const int h = size.height();
    const TsuiTitleBarSection *client = nullptr;
    for (int i = 0; i < sections.Count(); ++i) {
        const TsuiTitleBarSection &s = *sections.Items(i);
        switch (s.Align()) {
        case TsuiTitleBarAlign::suiLeft:
            if (s.Stretch())
                stretch(canvas, s.Picture(), {left + 1, 0, left + s.Width() + 1, h});
            else
                copyUnscaled(canvas, s.Picture(), {left + 1, 0}, s.Width(), h);
            left += s.Width();
            break;
        case TsuiTitleBarAlign::suiRight:
            if (size.width() - left < s.Width())
                break;
            if (s.Stretch())
                stretch(canvas, s.Picture(), {right - s.Width() - 1, 0, right - 1, h});
            else
                copyUnscaled(canvas, s.Picture(), {right - s.Width() - 1, 0}, s.Width(), h);
            right -= s.Width();
            break;
        case TsuiTitleBarAlign::suiClient:
            client = &s;
            break;
        }
    }
    if (client)
        stretch(canvas, client->Picture(), {left + 1, 0, right - 1, h});
}

TitleBarLayout LayOutTitleBarButtons(const std::vector<TitleBarButtonSlot> &buttons, int width, int leftOffset,
                                     int rightOffset, int interval, bool drawAppIcon, QPoint cursor)
{
    TitleBarLayout out;
    out.places.resize(buttons.size());
    int x = width + 1 + rightOffset;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TitleBarButtonSlot &b = buttons[i];
        if (!b.visible)
            continue;
        if (b.type == TsuiTitleBarBtnType::suiControlBox) {
            out.controlBox = int(i);
            continue;
        }
        x -= b.picture.width() + 1 + interval;
        out.places[i] = {x, b.top, x + b.picture.width(), b.top + b.picture.height()};
        if (PointInRect(cursor, out.places[i]))
            out.hovered = int(i);
    }
    int lx = leftOffset;
    if (out.controlBox >= 0) {
        const TitleBarButtonSlot &box = buttons[size_t(out.controlBox)];
        TRect &place = out.places[size_t(out.controlBox)];
        place = {lx, box.top, lx + box.picture.width(), box.top + box.picture.height()};
        if (PointInRect(cursor, place))
            out.hovered = out.controlBox;
        if (drawAppIcon) {
            out.appIconAt = {lx + 3, box.top};
            lx += 21;
        } else {
            lx += box.picture.width() + 5;
        }
    }
    out.captionLeft = lx == 0 ? 6 : lx;
    out.captionRight = x;
    return out;
}

QString FitTitleCaption(const QString &caption, const QFontMetrics &metrics, int room)
{
    if (metrics.horizontalAdvance(caption) <= room)
        return caption;
    const QString dots = QStringLiteral("...");
    QString rest = caption;
    while (!rest.isEmpty() && metrics.horizontalAdvance(rest + dots) > room)
        rest.chop(1);
    return metrics.horizontalAdvance(rest + dots) <= room ? rest + dots : QString();
}
