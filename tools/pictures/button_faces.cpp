#include "tools/pictures/button_faces.h"

#include "tools/pictures/painting.h"
#include "tools/pictures/palette.h"

namespace pictures {
namespace {

using namespace palette;

QColor TintOr(const ButtonFace &f, const QColor &fallback)
{
    return f.tint.isValid() ? f.tint : fallback;
}

QColor Greyed(const QColor &c)
{
    return Mix(QColor::fromHsvF(c.hsvHueF() < 0 ? 0 : c.hsvHueF(), c.hsvSaturationF() * 0.15, c.valueF()),
               kToolBottom, 0.45);
}

void Tool(QPainter &p, const QRectF &r, const ButtonFace &f, FaceState s)
{
    const QRectF box = r.adjusted(1, 1, -1, -1);
    if (s == FaceState::Hover)
        RoundedBox(p, box, 6, kPaper, QColor(0xf1, 0xf5, 0xfa), QColor(0xb5, 0xc3, 0xd4));
    else if (s == FaceState::Pressed)
        RoundedBox(p, box, 6, QColor(0xdc, 0xe5, 0xef), QColor(0xe9, 0xef, 0xf5), QColor(0x9f, 0xb3, 0xca));
    const qreal shift = s == FaceState::Pressed ? 1 : 0;
    const QColor tint = TintOr(f, kAccent);
    const qreal icon = 28;
    if (f.icon)
        DrawIcon(p, *f.icon, QRectF(r.center().x() - icon / 2, r.top() + 5 + shift, icon, icon),
                 s == FaceState::Disabled ? Greyed(tint) : tint);
    Label(p, QRectF(r.left(), r.top() + 35 + shift, r.width(), 16), f.label, 11, false,
          s == FaceState::Disabled ? kTextDisabled : kText);
}

void Menu(QPainter &p, const QRectF &r, const ButtonFace &f, FaceState s)
{
    if (s == FaceState::Hover)
        RoundedBox(p, r, 4, kInkRaised, Mix(kInkRaised, kInkBottom, 0.3));
    else if (s == FaceState::Pressed)
        RoundedBox(p, r, 4, kInkPressed, kInkPressed);
    Label(p, r, f.label, 12, false, s == FaceState::Normal ? kOnInkMuted : kOnInk);
}

void TitleIcon(QPainter &p, const QRectF &r, const ButtonFace &f, FaceState s, bool close)
{
    if (s == FaceState::Hover)
        RoundedBox(p, r, 4, close ? kHalt : kInkRaised, close ? kHaltDark : Mix(kInkRaised, kInkBottom, 0.3));
    else if (s == FaceState::Pressed)
        RoundedBox(p, r, 4, close ? kHaltDark : kInkPressed, close ? kHaltDark : kInkPressed);
    const qreal size = 18;
    const QColor color = s == FaceState::Disabled ? kInkRaised : s == FaceState::Normal ? kOnInkMuted : kOnInk;
    if (f.icon)
        DrawIcon(p, *f.icon, QRectF(r.center().x() - size / 2, r.center().y() - size / 2, size, size), color);
}

void Round(QPainter &p, const QRectF &r, const ButtonFace &f, FaceState s, qreal radius, qreal iconSize)
{
    const QRectF box = r.adjusted(1.5, 1.5, -1.5, -1.5);
    const QColor tint = TintOr(f, kText);
    switch (s) {
    case FaceState::Normal:
        RoundedBox(p, box, radius, kPaper, QColor(0xea, 0xee, 0xf3), kLine);
        break;
    case FaceState::Hover:
        RoundedBox(p, box, radius, kPaper, kAccentLight, kAccent);
        break;
    case FaceState::Pressed:
        RoundedBox(p, box, radius, kAccentLight, QColor(0xc4, 0xdb, 0xf3), kAccentDark);
        break;
    case FaceState::Disabled:
        RoundedBox(p, box, radius, QColor(0xf6, 0xf7, 0xf9), QColor(0xf0, 0xf2, 0xf5), kLineSoft);
        break;
    }
    const QColor color = s == FaceState::Disabled ? kTextDisabled
                         : s == FaceState::Normal  ? tint
                                                   : kAccentDark;
    if (f.icon)
        DrawIcon(p, *f.icon, QRectF(r.center().x() - iconSize / 2, r.center().y() - iconSize / 2, iconSize, iconSize),
                 color);
    else
        Label(p, r, f.label, 12, s != FaceState::Disabled, color);
}

void Wide(QPainter &p, const QRectF &r, const ButtonFace &f, FaceState s, const QColor &main, const QColor &dark)
{
    const QRectF box = r.adjusted(1, 1, -1, -1);
    const bool big = r.height() >= 36;
    if (s == FaceState::Disabled) {
        RoundedBox(p, box, 6, QColor(0xf7, 0xf8, 0xfa), QColor(0xec, 0xef, 0xf3), kLine);
    } else {
        const QColor top = s == FaceState::Hover     ? Mix(main, Qt::white, 0.22)
                           : s == FaceState::Pressed ? dark
                                                     : Mix(main, Qt::white, 0.08);
        const QColor bottom = s == FaceState::Pressed ? Mix(dark, Qt::black, 0.1) : dark;
        RoundedBox(p, box, 6, top, bottom, Mix(dark, Qt::black, 0.25));
        // A light edge along the top makes the button read as raised.
        p.save();
        Smooth(p);
        p.setPen(QPen(QColor(255, 255, 255, s == FaceState::Pressed ? 30 : 80), 1));
        p.drawLine(QPointF(box.left() + 6, box.top() + 1.5), QPointF(box.right() - 6, box.top() + 1.5));
        p.restore();
    }
    const QColor ink = s == FaceState::Disabled ? kTextDisabled : QColor(Qt::white);
    const int text = big ? 16 : 13;
    const QFontMetricsF fm(Face(text, true));
    const qreal icon = big ? 20 : 14, gap = 8;
    const qreal width = icon + gap + fm.horizontalAdvance(f.label);
    const qreal x = r.center().x() - width / 2 + (s == FaceState::Pressed ? 1 : 0);
    const qreal y = r.center().y() + (s == FaceState::Pressed ? 1 : 0);
    if (f.icon)
        DrawIcon(p, *f.icon, QRectF(x, y - icon / 2, icon, icon), ink);
    Label(p, QRectF(x + icon + gap, r.top(), width, r.height()).translated(0, y - r.center().y()), f.label, text,
          true, ink, Qt::AlignLeft | Qt::AlignVCenter);
}

void Chooser(QPainter &p, const QRectF &r, const ButtonFace &f, FaceState s)
{
    const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor border = s == FaceState::Normal ? kLine : kAccent;
    const QColor bottom = s == FaceState::Pressed ? kAccentLight : QColor(0xf7, 0xf9, 0xfb);
    RoundedBox(p, box, 6, kPaper, bottom, border);
    Label(p, QRectF(r.left() + 30, r.top() + 4, r.width() - 60, 14), f.label, 10, false, kTextMuted,
          Qt::AlignLeft | Qt::AlignVCenter);
    // The drop arrow in its own cell at the right.
    const qreal cell = r.right() - 26;
    VLine(p, cell, r.top() + 8, r.bottom() - 8, kLineSoft);
    p.save();
    Smooth(p);
    p.setPen(QPen(s == FaceState::Normal ? kTextMuted : kAccentDark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF c(cell + 13, r.center().y());
    p.drawPolyline(QPolygonF({c + QPointF(-5, -2.5), c + QPointF(0, 2.5), c + QPointF(5, -2.5)}));
    p.restore();
}

} // namespace

QImage DrawButtonFace(const QImage &under, const ButtonFace &face, FaceState state)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    Smooth(p);
    const QRectF r(0, 0, out.width(), out.height());
    switch (face.style) {
    case FaceStyle::Tool:
        Tool(p, r, face, state);
        break;
    case FaceStyle::Menu:
        Menu(p, r, face, state);
        break;
    case FaceStyle::TitleIcon:
        TitleIcon(p, r, face, state, false);
        break;
    case FaceStyle::WindowClose:
        TitleIcon(p, r, face, state, true);
        break;
    case FaceStyle::Transport:
        Round(p, r, face, state, r.height() / 2 - 1.5, 18);
        break;
    case FaceStyle::Mark:
        Round(p, r, face, state, 5, 16);
        break;
    case FaceStyle::Text:
        Round(p, r, face, state, 5, 16);
        break;
    case FaceStyle::Primary:
        Wide(p, r, face, state, kGo, kGoDark);
        break;
    case FaceStyle::Danger:
        Wide(p, r, face, state, kHalt, kHaltDark);
        break;
    case FaceStyle::Busy:
        Wide(p, r, face, state, kAccent, kAccentDark);
        break;
    case FaceStyle::Chooser:
        Chooser(p, r, face, state);
        break;
    }
    return out;
}

} // namespace pictures
