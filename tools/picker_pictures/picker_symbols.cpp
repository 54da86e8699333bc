#include "picker_symbols.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <map>

namespace {

// Every symbol is designed in a 100 x 100 box.
constexpr double kDesign = 100.0;

const QColor kInk(0x1f, 0x29, 0x37);
const QColor kScreen(0x3d, 0x8b, 0xfd);
const QColor kScreenDeep(0x1c, 0x4f, 0xb8);
const QColor kSilver(0xd7, 0xdd, 0xe5);

QLinearGradient screenGradient(const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, kScreen.lighter(130));
    g.setColorAt(1, kScreenDeep);
    return g;
}

void fillRound(QPainter &p, const QRectF &r, double radius, const QBrush &brush, const QColor &outline = Qt::transparent,
               double width = 0)
{
    p.setPen(outline.alpha() == 0 ? QPen(Qt::NoPen) : QPen(outline, width));
    p.setBrush(brush);
    p.drawRoundedRect(r, radius, radius);
}

void dot(QPainter &p, QPointF c, double r, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c, r, r);
}

// Text fitted into r, bold, centred.
void label(QPainter &p, const QRectF &r, const QString &text, const QColor &colour, double maxSize)
{
    if (text.isEmpty())
        return;
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    double size = maxSize;
    for (; size > 4; size -= 1) {
        f.setPixelSize(int(size));
        if (QFontMetricsF(f).horizontalAdvance(text) <= r.width())
            break;
    }
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void film(QPainter &p, const SymbolLook &look, bool play, bool small)
{
    const QRectF body(6, 16, 88, 68);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, look.colour.lighter(125));
    g.setColorAt(1, look.colour.darker(115));
    fillRound(p, body, 10, g, look.onAccent ? QColor(Qt::white) : look.colour.darker(140), 3);
    // Perforations along both edges.
    for (int i = 0; i < 6; ++i) {
        const double x = 12 + i * 14;
        fillRound(p, QRectF(x, 20, 8, 7), 2, QColor(255, 255, 255, 220));
        fillRound(p, QRectF(x, 73, 8, 7), 2, QColor(255, 255, 255, 220));
    }
    if (play || small) {
        QPainterPath tri;
        tri.moveTo(40, 36);
        tri.lineTo(66, 50);
        tri.lineTo(40, 64);
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(tri);
        return;
    }
    label(p, QRectF(10, 30, 80, 40), look.label, Qt::white, 34);
}

void disc(QPainter &p, const SymbolLook &look, bool small)
{
    const QPointF c(50, 50);
    QRadialGradient g(QPointF(38, 36), 60);
    g.setColorAt(0, QColor(0xfb, 0xfc, 0xfe));
    g.setColorAt(0.55, QColor(0xc9, 0xd3, 0xe0));
    g.setColorAt(0.8, look.colour.lighter(150));
    g.setColorAt(1, QColor(0x9a, 0xa8, 0xba));
    p.setPen(QPen(look.onAccent ? QColor(Qt::white) : QColor(0x7b, 0x8a, 0x9e), 3));
    p.setBrush(g);
    p.drawEllipse(c, 44, 44);
    dot(p, c, 13, QColor(0xe9, 0xee, 0xf4));
    p.setPen(QPen(QColor(0x7b, 0x8a, 0x9e), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 6, 6);
    if (!small) {
        fillRound(p, QRectF(14, 62, 72, 26), 6, look.colour);
        label(p, QRectF(16, 63, 68, 24), look.label, Qt::white, 22);
    }
}

void note(QPainter &p, const SymbolLook &look)
{
    const QColor c = look.colour;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.save();
    p.translate(30, 76);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), 14, 10);
    p.restore();
    p.save();
    p.translate(72, 66);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), 14, 10);
    p.restore();
    p.drawRect(QRectF(38, 20, 7, 56));
    p.drawRect(QRectF(80, 10, 7, 56));
    QPainterPath beam;
    beam.moveTo(38, 20);
    beam.lineTo(87, 10);
    beam.lineTo(87, 26);
    beam.lineTo(38, 36);
    beam.closeSubpath();
    p.drawPath(beam);
}

void ipod(QPainter &p, const SymbolLook &look)
{
    const QRectF body(24, 4, 52, 92);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(0xfa, 0xfb, 0xfd));
    g.setColorAt(1, kSilver);
    fillRound(p, body, 12, g, look.onAccent ? QColor(Qt::white) : QColor(0x8a, 0x96, 0xa6), 3);
    fillRound(p, QRectF(31, 11, 38, 32), 3, screenGradient(QRectF(31, 11, 38, 32)));
    dot(p, QPointF(50, 70), 19, QColor(0x9a, 0xa6, 0xb6));
    dot(p, QPointF(50, 70), 7, QColor(0xf4, 0xf6, 0xf9));
}

void iphone(QPainter &p, const SymbolLook &look)
{
    const QRectF body(26, 2, 48, 96);
    fillRound(p, body, 12, kInk, look.onAccent ? QColor(Qt::white) : QColor(0x0b, 0x10, 0x18), 3);
    const QRectF screen(31, 13, 38, 70);
    fillRound(p, screen, 2, screenGradient(screen));
    // A few app tiles on the screen.
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            fillRound(p, QRectF(34 + col * 11.5, 17 + row * 12, 8, 8), 2, QColor(255, 255, 255, 190));
    fillRound(p, QRectF(42, 6, 16, 3), 1.5, QColor(0x55, 0x5f, 0x6d));
    dot(p, QPointF(50, 90), 4.5, QColor(0x6b, 0x75, 0x84));
}

void gphone(QPainter &p, const SymbolLook &look)
{
    const QRectF body(24, 2, 52, 96);
    fillRound(p, body, 9, QColor(0x37, 0x47, 0x4f), look.onAccent ? QColor(Qt::white) : QColor(0x1c, 0x25, 0x29), 3);
    const QRectF screen(30, 10, 40, 54);
    fillRound(p, screen, 2, screenGradient(screen));
    // Call keys and the trackball.
    fillRound(p, QRectF(30, 72, 12, 8), 2, QColor(0x66, 0xbb, 0x6a));
    fillRound(p, QRectF(58, 72, 12, 8), 2, QColor(0xef, 0x53, 0x50));
    dot(p, QPointF(50, 77), 6, QColor(0xa5, 0xd6, 0xa7));
    fillRound(p, QRectF(30, 86, 40, 5), 2, QColor(0x60, 0x70, 0x78));
}

void appleTv(QPainter &p, const SymbolLook &look)
{
    const QRectF bezel(6, 8, 88, 58);
    fillRound(p, bezel, 6, kInk, look.onAccent ? QColor(Qt::white) : Qt::transparent, 3);
    const QRectF screen(12, 14, 76, 46);
    fillRound(p, screen, 2, screenGradient(screen));
    label(p, screen, QStringLiteral("tv"), Qt::white, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x5f, 0x6d));
    p.drawRect(QRectF(46, 66, 8, 8));
    QLinearGradient g(QPointF(0, 78), QPointF(0, 94));
    g.setColorAt(0, QColor(0xf2, 0xf4, 0xf7));
    g.setColorAt(1, QColor(0xa9, 0xb4, 0xc2));
    fillRound(p, QRectF(26, 78, 48, 14), 5, g, QColor(0x7b, 0x8a, 0x9e), 2);
}

void handheld(QPainter &p, const SymbolLook &look)
{
    const QRectF body(2, 28, 96, 44);
    fillRound(p, body, 22, kInk, look.onAccent ? QColor(Qt::white) : Qt::transparent, 3);
    const QRectF screen(27, 33, 46, 34);
    fillRound(p, screen, 2, screenGradient(screen));
    // Direction pad and the four buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb0, 0xbb, 0xc8));
    p.drawRect(QRectF(10, 47, 12, 6));
    p.drawRect(QRectF(13, 44, 6, 12));
    dot(p, QPointF(85, 44), 3.2, QColor(0x4d, 0xd0, 0xe1));
    dot(p, QPointF(85, 56), 3.2, QColor(0xef, 0x53, 0x50));
    dot(p, QPointF(79, 50), 3.2, QColor(0xf0, 0x62, 0x92));
    dot(p, QPointF(91, 50), 3.2, QColor(0x9c, 0xcc, 0x65));
}

void console(QPainter &p, const SymbolLook &look)
{
    // A slim console standing on its side beside a screen showing its name.
    const QRectF screen(4, 10, 66, 50);
    fillRound(p, screen, 4, kInk, look.onAccent ? QColor(Qt::white) : Qt::transparent, 3);
    const QRectF inner(9, 15, 56, 40);
    fillRound(p, inner, 2, screenGradient(inner));
    label(p, inner, look.label, Qt::white, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x5f, 0x6d));
    p.drawRect(QRectF(33, 60, 8, 10));
    p.drawRect(QRectF(22, 70, 30, 4));
    QLinearGradient g(QPointF(76, 0), QPointF(96, 0));
    g.setColorAt(0, QColor(0x4a, 0x55, 0x63));
    g.setColorAt(1, QColor(0x10, 0x16, 0x1f));
    fillRound(p, QRectF(76, 22, 20, 70), 5, g, look.onAccent ? QColor(Qt::white) : Qt::transparent, 2);
    fillRound(p, QRectF(80, 30, 12, 3), 1, QColor(0x9e, 0xa9, 0xb7));
}

void gamepad(QPainter &p, const SymbolLook &look)
{
    QPainterPath pad;
    pad.moveTo(22, 28);
    pad.cubicTo(36, 22, 64, 22, 78, 28);
    pad.cubicTo(92, 32, 100, 70, 92, 80);
    pad.cubicTo(84, 90, 74, 76, 66, 68);
    pad.lineTo(34, 68);
    pad.cubicTo(26, 76, 16, 90, 8, 80);
    pad.cubicTo(0, 70, 8, 32, 22, 28);
    QLinearGradient g(QPointF(0, 24), QPointF(0, 90));
    g.setColorAt(0, QColor(0xf4, 0xf6, 0xf8));
    g.setColorAt(1, QColor(0xb8, 0xc2, 0xce));
    p.setPen(QPen(look.onAccent ? QColor(Qt::white) : QColor(0x6b, 0x77, 0x87), 3));
    p.setBrush(g);
    p.drawPath(pad);
    dot(p, QPointF(50, 38), 7, look.colour);            // guide button
    dot(p, QPointF(26, 46), 7, QColor(0x45, 0x50, 0x5e)); // left stick
    dot(p, QPointF(60, 58), 5.5, QColor(0x45, 0x50, 0x5e));
    dot(p, QPointF(76, 40), 4, QColor(0xfb, 0xc0, 0x2d));
    dot(p, QPointF(69, 47), 4, QColor(0x42, 0xa5, 0xf5));
    dot(p, QPointF(83, 47), 4, QColor(0xef, 0x53, 0x50));
    dot(p, QPointF(76, 54), 4, QColor(0x66, 0xbb, 0x6a));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x45, 0x50, 0x5e));
    p.drawRect(QRectF(32, 56, 12, 4));
    p.drawRect(QRectF(36, 52, 4, 12));
}

void phone(QPainter &p, const SymbolLook &look)
{
    const QRectF body(28, 2, 44, 96);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, look.colour.lighter(130));
    g.setColorAt(1, look.colour.darker(120));
    fillRound(p, body, 9, g, look.onAccent ? QColor(Qt::white) : look.colour.darker(160), 3);
    const QRectF screen(34, 10, 32, 28);
    fillRound(p, screen, 2, screenGradient(screen));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            fillRound(p, QRectF(35 + col * 10.5, 46 + row * 11.5, 8, 7), 2, QColor(255, 255, 255, 215));
}

void pda(QPainter &p, const SymbolLook &look)
{
    const QRectF body(16, 4, 56, 92);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(0x9e, 0xab, 0xbb));
    g.setColorAt(1, QColor(0x5c, 0x6a, 0x7c));
    fillRound(p, body, 8, g, look.onAccent ? QColor(Qt::white) : QColor(0x3b, 0x46, 0x54), 3);
    const QRectF screen(22, 11, 44, 56);
    fillRound(p, screen, 1, screenGradient(screen));
    // The start bar of the screen.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0d, 0x2c, 0x6e));
    p.drawRect(QRectF(22, 11, 44, 6));
    for (int i = 0; i < 4; ++i)
        dot(p, QPointF(26 + i * 12, 81), 4, QColor(0xdc, 0xe2, 0xea));
    // The stylus.
    p.setPen(QPen(look.onAccent ? QColor(Qt::white) : QColor(0x45, 0x50, 0x5e), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(86, 8), QPointF(86, 88));
    p.setPen(QPen(QColor(0xef, 0x53, 0x50), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(86, 8), QPointF(86, 16));
}

void player(QPainter &p, const SymbolLook &look)
{
    const QRectF body(2, 20, 96, 60);
    fillRound(p, body, 12, QColor(0x26, 0x32, 0x38), look.onAccent ? QColor(Qt::white) : Qt::transparent, 3);
    const QRectF screen(9, 27, 64, 46);
    fillRound(p, screen, 3, screenGradient(screen));
    QPainterPath tri;
    tri.moveTo(33, 38);
    tri.lineTo(53, 50);
    tri.lineTo(33, 62);
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(tri);
    dot(p, QPointF(86, 40), 5, look.colour);
    dot(p, QPointF(86, 60), 5, QColor(0x90, 0xa4, 0xae));
}

void hdTv(QPainter &p, const SymbolLook &look)
{
    const QRectF bezel(2, 10, 96, 64);
    fillRound(p, bezel, 5, kInk, look.onAccent ? QColor(Qt::white) : Qt::transparent, 3);
    const QRectF screen(8, 16, 84, 52);
    QLinearGradient g(screen.topLeft(), screen.bottomRight());
    g.setColorAt(0, look.colour.lighter(140));
    g.setColorAt(1, look.colour.darker(130));
    fillRound(p, screen, 2, g);
    label(p, screen, look.label.isEmpty() ? QStringLiteral("HD") : look.label, Qt::white, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x5f, 0x6d));
    p.drawRect(QRectF(44, 74, 12, 10));
    fillRound(p, QRectF(28, 84, 44, 6), 3, QColor(0x55, 0x5f, 0x6d));
}

void flash(QPainter &p, const SymbolLook &look)
{
    const QRectF tile(6, 6, 88, 88);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, look.colour.lighter(130));
    g.setColorAt(1, look.colour.darker(125));
    fillRound(p, tile, 18, g, look.onAccent ? QColor(Qt::white) : Qt::transparent, 3);
    QPainterPath bolt;
    bolt.moveTo(58, 14);
    bolt.lineTo(26, 56);
    bolt.lineTo(48, 56);
    bolt.lineTo(40, 88);
    bolt.lineTo(74, 42);
    bolt.lineTo(52, 42);
    bolt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(bolt);
}

} // namespace

QColor FormatColour(const QString &label)
{
    static const std::map<QString, QColor> colours{
        {"AVI", QColor(0x1e, 0x88, 0xe5)},  {"MKV", QColor(0x2e, 0x9d, 0x5b)},  {"MP4", QColor(0x7e, 0x57, 0xc2)},
        {"MPG", QColor(0xf5, 0x7c, 0x00)},  {"MPEG", QColor(0xf5, 0x7c, 0x00)}, {"TS", QColor(0xd8, 0x5c, 0x00)},
        {"3GP", QColor(0x00, 0x89, 0x7b)},  {"3G2", QColor(0x00, 0x69, 0x5c)},  {"FLV", QColor(0xe5, 0x39, 0x35)},
        {"SWF", QColor(0xc6, 0x28, 0x28)},  {"RM", QColor(0x28, 0x35, 0x93)},   {"WMV", QColor(0x03, 0x9b, 0xe5)},
        {"WMA", QColor(0x03, 0x9b, 0xe5)},  {"MOV", QColor(0x54, 0x6e, 0x7a)},  {"ASF", QColor(0x03, 0x77, 0xbd)},
        {"DVD", QColor(0x6a, 0x1b, 0x9a)},  {"VCD", QColor(0x00, 0x83, 0x8f)},  {"SVCD", QColor(0x00, 0x69, 0x7c)},
        {"VOB", QColor(0x6a, 0x1b, 0x9a)},  {"MP3", QColor(0xd8, 0x1b, 0x60)},  {"AAC", QColor(0x8e, 0x24, 0xaa)},
        {"OGG", QColor(0x43, 0xa0, 0x47)},  {"RA", QColor(0x28, 0x35, 0x93)},   {"WAV", QColor(0xef, 0x6c, 0x00)},
        {"AMR", QColor(0x5d, 0x40, 0x37)},
    };
    const auto it = colours.find(label.toUpper());
    return it == colours.end() ? QColor(0x45, 0x5a, 0x64) : it->second;
}

void DrawSymbol(QPainter &p, Symbol symbol, const QRectF &box, const SymbolLook &look)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / kDesign, box.height() / kDesign);
    const bool small = box.width() < 24;
    switch (symbol) {
    case Symbol::Film: film(p, look, false, small); break;
    case Symbol::Video: film(p, look, true, small); break;
    case Symbol::Disc: disc(p, look, small); break;
    case Symbol::Note: note(p, look); break;
    case Symbol::Ipod: ipod(p, look); break;
    case Symbol::Iphone: iphone(p, look); break;
    case Symbol::Gphone: gphone(p, look); break;
    case Symbol::AppleTv: appleTv(p, look); break;
    case Symbol::Handheld: handheld(p, look); break;
    case Symbol::Console: console(p, look); break;
    case Symbol::Gamepad: gamepad(p, look); break;
    case Symbol::Phone: phone(p, look); break;
    case Symbol::Pda: pda(p, look); break;
    case Symbol::Player: player(p, look); break;
    case Symbol::HdTv: hdTv(p, look); break;
    case Symbol::Flash: flash(p, look); break;
    }
    p.restore();
}
