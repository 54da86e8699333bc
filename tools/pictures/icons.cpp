#include "tools/pictures/icons.h"

#include "tools/pictures/painting.h"
#include "tools/pictures/palette.h"

#include <QPainterPath>
#include <array>

namespace pictures {
namespace {

using Draw = void (*)(QPainter &, const QColor &);

QPen Stroke(const QColor &c, qreal w = 2)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Badge(QPainter &p, const QColor &c, bool plus)
{
    // A small round badge at the bottom right with + or -.
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(c);
    p.drawEllipse(QPointF(18.5, 18.5), 5, 5);
    p.setPen(Stroke(Qt::white, 1.8));
    p.drawLine(QPointF(16, 18.5), QPointF(21, 18.5));
    if (plus)
        p.drawLine(QPointF(18.5, 16), QPointF(18.5, 21));
}

void Disc(QPainter &p, const QColor &c)
{
    QRadialGradient g(QPointF(9, 8), 14);
    g.setColorAt(0, Mix(c, Qt::white, 0.55));
    g.setColorAt(1, c);
    p.setPen(QPen(Mix(c, Qt::black, 0.35), 1));
    p.setBrush(g);
    p.drawEllipse(QPointF(11, 11), 9.5, 9.5);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 4.5, 13, 13), 40 * 16, 70 * 16);
    p.setPen(QPen(Mix(c, Qt::black, 0.35), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 11), 2.6, 2.6);
    Badge(p, palette::kGo, true);
}

void Film(QPainter &p, const QColor &c)
{
    p.setPen(QPen(Mix(c, Qt::black, 0.35), 1));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(2.5, 4.5, 17, 14), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(4 + i * 4, 6, 2, 1.6));
        p.drawRect(QRectF(4 + i * 4, 15.5, 2, 1.6));
    }
    p.setBrush(Mix(c, Qt::white, 0.6));
    p.drawRect(QRectF(4.5, 8.5, 13, 6));
    Badge(p, palette::kGo, true);
}

void Document(QPainter &p, const QColor &c)
{
    QPainterPath d;
    d.moveTo(5, 2.5);
    d.lineTo(14, 2.5);
    d.lineTo(19, 7.5);
    d.lineTo(19, 21.5);
    d.lineTo(5, 21.5);
    d.closeSubpath();
    p.setPen(QPen(Mix(c, Qt::black, 0.3), 1));
    p.setBrush(Qt::white);
    p.drawPath(d);
    p.setBrush(Mix(c, Qt::white, 0.5));
    QPainterPath fold;
    fold.moveTo(14, 2.5);
    fold.lineTo(14, 7.5);
    fold.lineTo(19, 7.5);
    fold.closeSubpath();
    p.drawPath(fold);
}

void Ifo(QPainter &p, const QColor &c)
{
    Document(p, c);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(2, 11, 15, 7.5), 1.5, 1.5);
    p.setPen(Qt::white);
    p.setFont(Face(6, true));
    p.drawText(QRectF(2, 11, 15, 7.5), Qt::AlignCenter, QStringLiteral("IFO"));
}

void FolderShape(QPainter &p, const QColor &c, bool open)
{
    QPainterPath back;
    back.moveTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(19.5, 7.5);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setPen(QPen(Mix(c, Qt::black, 0.35), 1));
    p.setBrush(Mix(c, Qt::black, 0.12));
    p.drawPath(back);
    QLinearGradient g(0, 9, 0, 20);
    g.setColorAt(0, Mix(c, Qt::white, 0.35));
    g.setColorAt(1, c);
    p.setBrush(g);
    if (open) {
        QPainterPath front;
        front.moveTo(5.5, 10.5);
        front.lineTo(22.5, 10.5);
        front.lineTo(19.5, 19.5);
        front.lineTo(2.5, 19.5);
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRoundedRect(QRectF(2.5, 9.5, 17, 10), 1, 1);
    }
}

void Folder(QPainter &p, const QColor &c)
{
    FolderShape(p, c, false);
    Badge(p, palette::kGo, true);
}

void FolderOpen(QPainter &p, const QColor &c)
{
    FolderShape(p, c, true);
}

void ListLines(QPainter &p, const QColor &c)
{
    p.setPen(QPen(Mix(c, Qt::black, 0.2), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 3.5, 16, 17), 2, 2);
    p.setPen(Stroke(Mix(c, Qt::white, 0.2), 1.6));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(6, 8 + i * 3.3), QPointF(15, 8 + i * 3.3));
}

void Remove(QPainter &p, const QColor &c)
{
    ListLines(p, palette::kTextMuted);
    Badge(p, c, false);
}

void Trash(QPainter &p, const QColor &c)
{
    p.setPen(QPen(Mix(c, Qt::black, 0.35), 1));
    QLinearGradient g(5, 0, 19, 0);
    g.setColorAt(0, Mix(c, Qt::white, 0.25));
    g.setColorAt(1, c);
    p.setBrush(g);
    QPainterPath can;
    can.moveTo(5.5, 7.5);
    can.lineTo(18.5, 7.5);
    can.lineTo(17, 21.5);
    can.lineTo(7, 21.5);
    can.closeSubpath();
    p.drawPath(can);
    p.drawRoundedRect(QRectF(3.5, 4.5, 17, 3), 1, 1);
    p.drawRect(QRectF(9.5, 2.5, 5, 2));
    p.setPen(Stroke(QColor(255, 255, 255, 170), 1.2));
    for (qreal x : {9.5, 12.0, 14.5})
        p.drawLine(QPointF(x, 10), QPointF(x, 19));
}

void CheckBox(QPainter &p, const QColor &c, bool ticked)
{
    p.setPen(QPen(Mix(c, Qt::black, 0.3), 1));
    p.setBrush(ticked ? c : QColor(Qt::white));
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 3.5, 3.5);
    if (ticked) {
        p.setPen(Stroke(Qt::white, 2.6));
        p.drawPolyline(QPolygonF({QPointF(7.5, 12), QPointF(10.8, 15.5), QPointF(16.8, 8.5)}));
    }
}

void CheckAll(QPainter &p, const QColor &c)
{
    CheckBox(p, c, true);
}

void CheckNone(QPainter &p, const QColor &c)
{
    CheckBox(p, c, false);
}

void Chapters(QPainter &p, const QColor &c)
{
    ListLines(p, palette::kTextMuted);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPainterPath mark;
    mark.moveTo(14, 1.5);
    mark.lineTo(21, 1.5);
    mark.lineTo(21, 13);
    mark.lineTo(17.5, 10);
    mark.lineTo(14, 13);
    mark.closeSubpath();
    p.drawPath(mark);
}

void Gear(QPainter &p, const QColor &c)
{
    QPainterPath gear;
    for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(12, 12);
        t.rotate(i * 45);
        gear.addPolygon(t.map(QPolygonF(QRectF(-2, -10, 4, 5))));
    }
    gear.addEllipse(QPointF(12, 12), 7, 7);
    gear.setFillRule(Qt::WindingFill);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(gear.simplified());
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 3, 3);
}

void Play(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(19, 12), QPointF(8, 19)}));
}

void Pause(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(6.5, 5, 4, 14), 1, 1);
    p.drawRoundedRect(QRectF(13.5, 5, 4, 14), 1, 1);
}

void Stop(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(6, 6, 12, 12), 2, 2);
}

void Back(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(3, 12), QPointF(12, 18)}));
    p.drawPolygon(QPolygonF({QPointF(21, 6), QPointF(12, 12), QPointF(21, 18)}));
}

void Forward(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(3, 6), QPointF(12, 12), QPointF(3, 18)}));
    p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(21, 12), QPointF(12, 18)}));
}

void Camera(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(2.5, 7, 19, 13), 2.5, 2.5);
    p.drawRoundedRect(QRectF(8, 4.5, 8, 4), 1, 1);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 13.5), 4.3, 4.3);
    p.setBrush(c);
    p.drawEllipse(QPointF(12, 13.5), 2.6, 2.6);
}

void Mark(QPainter &p, const QColor &c, bool begin)
{
    p.setPen(Stroke(c, 2.4));
    p.setBrush(Qt::NoBrush);
    const qreal x = begin ? 7 : 17, in = begin ? 4 : -4;
    p.drawPolyline(QPolygonF({QPointF(x + in, 4), QPointF(x, 4), QPointF(x, 20), QPointF(x + in, 20)}));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal tip = begin ? 20 : 4, base = begin ? 12 : 12;
    p.drawPolygon(QPolygonF({QPointF(base, 8), QPointF(tip, 12), QPointF(base, 16)}));
}

void MarkBegin(QPainter &p, const QColor &c)
{
    Mark(p, c, true);
}

void MarkEnd(QPainter &p, const QColor &c)
{
    Mark(p, c, false);
}

void Scissors(QPainter &p, const QColor &c)
{
    p.setPen(Stroke(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7, 17), 3.5, 3.5);
    p.drawEllipse(QPointF(17, 17), 3.5, 3.5);
    p.drawLine(QPointF(9.2, 14.2), QPointF(18, 3));
    p.drawLine(QPointF(14.8, 14.2), QPointF(6, 3));
}

void Eject(QPainter &p, const QColor &c)
{
    // Ends the preview: a circled cross.
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(Stroke(Qt::white, 2.2));
    p.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
}

void Close(QPainter &p, const QColor &c)
{
    p.setPen(Stroke(c, 2));
    p.drawLine(QPointF(7, 7), QPointF(17, 17));
    p.drawLine(QPointF(17, 7), QPointF(7, 17));
}

void Globe(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    p.drawEllipse(QRectF(8, 3.5, 8, 17));
    p.drawLine(QPointF(3.5, 12), QPointF(20.5, 12));
    p.drawLine(QPointF(5, 7.5), QPointF(19, 7.5));
    p.drawLine(QPointF(5, 16.5), QPointF(19, 16.5));
}

void Frame(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 5, 18, 14), 2, 2);
    p.setPen(Stroke(c, 1.6));
    p.drawLine(QPointF(7, 12), QPointF(17, 12));
    p.drawPolyline(QPolygonF({QPointF(9, 10), QPointF(7, 12), QPointF(9, 14)}));
    p.drawPolyline(QPolygonF({QPointF(15, 10), QPointF(17, 12), QPointF(15, 14)}));
}

void Note(QPainter &p, const QColor &c)
{
    p.setPen(Stroke(c, 2));
    p.drawLine(QPointF(9.5, 17), QPointF(9.5, 5));
    p.drawLine(QPointF(9.5, 5), QPointF(18.5, 3));
    p.drawLine(QPointF(18.5, 3), QPointF(18.5, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(7, 17.5), 3, 2.5);
    p.drawEllipse(QPointF(16, 15.5), 3, 2.5);
}

void Speaker(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(7, 9), QPointF(12, 4.5), QPointF(12, 19.5), QPointF(7, 15),
                             QPointF(3, 15)}));
    p.setPen(Stroke(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(10, 8, 6, 8), -50 * 16, 100 * 16);
    p.drawArc(QRectF(10, 4.5, 10, 15), -50 * 16, 100 * 16);
}

void Raven(QPainter &p, const QColor &c)
{
    // A raven's head over a crescent moor: the program's mark.
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kAccent);
    p.drawEllipse(QPointF(12, 12), 11, 11);
    p.setBrush(Mix(palette::kAccent, Qt::white, 0.35));
    p.drawPie(QRectF(1, 1, 22, 22), 200 * 16, 140 * 16);
    QPainterPath bird;
    bird.moveTo(5.5, 15);
    bird.cubicTo(6, 8, 11, 4.5, 15.5, 6);
    bird.lineTo(21, 8.2);
    bird.lineTo(16, 9.8);
    bird.cubicTo(14.5, 12.5, 13.5, 15, 13.8, 19);
    bird.cubicTo(10.5, 18.5, 7.5, 17.5, 5.5, 15);
    p.setBrush(c);
    p.drawPath(bird);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(14.6, 7.8), 1.1, 1.1);
}

void Screen(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, 4.5, 19, 13), 2, 2);
    p.drawLine(QPointF(8, 20.5), QPointF(16, 20.5));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(10, 8), QPointF(15, 11), QPointF(10, 14)}));
}

void Wait(QPainter &p, const QColor &c)
{
    for (int i = 0; i < 8; ++i) {
        QColor d = c;
        d.setAlphaF(0.25 + 0.75 * i / 7.0);
        p.save();
        p.translate(12, 12);
        p.rotate(i * 45);
        p.setPen(Stroke(d, 2.4));
        p.drawLine(QPointF(0, -5), QPointF(0, -9));
        p.restore();
    }
}

void Info(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 7.2), 1.6, 1.6);
    p.drawRoundedRect(QRectF(10.6, 10, 2.8, 8.5), 1.2, 1.2);
}

struct IconDraw {
    Icon icon;
    Draw draw;
};
constexpr std::array kIcons{
    IconDraw{Icon::Disc, Disc},         IconDraw{Icon::Film, Film},           IconDraw{Icon::Ifo, Ifo},
    IconDraw{Icon::Folder, Folder},     IconDraw{Icon::FolderOpen, FolderOpen}, IconDraw{Icon::Remove, Remove},
    IconDraw{Icon::Trash, Trash},       IconDraw{Icon::CheckAll, CheckAll},   IconDraw{Icon::CheckNone, CheckNone},
    IconDraw{Icon::Chapters, Chapters}, IconDraw{Icon::Gear, Gear},           IconDraw{Icon::Play, Play},
    IconDraw{Icon::Pause, Pause},       IconDraw{Icon::Stop, Stop},           IconDraw{Icon::Back, Back},
    IconDraw{Icon::Forward, Forward},   IconDraw{Icon::Camera, Camera},       IconDraw{Icon::MarkBegin, MarkBegin},
    IconDraw{Icon::MarkEnd, MarkEnd},   IconDraw{Icon::Scissors, Scissors},   IconDraw{Icon::Eject, Eject},
    IconDraw{Icon::Close, Close},       IconDraw{Icon::Globe, Globe},         IconDraw{Icon::Frame, Frame},
    IconDraw{Icon::Note, Note},         IconDraw{Icon::Speaker, Speaker},     IconDraw{Icon::Raven, Raven},
    IconDraw{Icon::Screen, Screen},     IconDraw{Icon::Wait, Wait},           IconDraw{Icon::Info, Info},
};

} // namespace

void DrawIcon(QPainter &p, Icon icon, const QRectF &box, const QColor &color)
{
    p.save();
    Smooth(p);
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.height() / 24.0);
    for (const IconDraw &d : kIcons)
        if (d.icon == icon)
            d.draw(p, color);
    p.restore();
}

} // namespace pictures
