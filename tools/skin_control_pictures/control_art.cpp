#include "tools/skin_control_pictures/control_art.h"

#include "skin_controls/frame/window_shape.h"
#include "skin_controls/theme/theme_item_table.h"
#include "skin_controls/theme/theme_resources.h"
#include "tools/pictures/icons.h"
#include "tools/pictures/painting.h"
#include "tools/pictures/palette.h"
#include "tools/skin_control_pictures/style_look.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

using pictures::Mix;

namespace {

enum class State { Normal, Hover, Pressed, Disabled };
constexpr State kThreeStates[] = {State::Normal, State::Hover, State::Pressed};

struct Shades {
    QColor top, middle, bottom, border;
};

Shades shadesFor(const StyleLook &look, State state)
{
    Shades s{look.light, look.face, Mix(look.face, look.border, 0.18), look.border};
    switch (state) {
    case State::Normal:
        break;
    case State::Hover:
        s.top = Mix(look.light, look.accent, 0.18);
        s.middle = Mix(look.face, look.accent, 0.22);
        s.bottom = Mix(s.bottom, look.accent, 0.25);
        s.border = look.accent;
        break;
    case State::Pressed:
        s.top = Mix(look.face, Qt::black, 0.16);
        s.middle = Mix(look.face, Qt::black, 0.08);
        s.bottom = look.face;
        s.border = look.accentDark;
        break;
    case State::Disabled:
        s.top = s.middle = s.bottom = Mix(look.face, Qt::white, 0.4);
        s.border = Mix(look.border, Qt::white, 0.55);
        break;
    }
    if (look.glossy && state != State::Pressed) {
        s.top = Mix(s.top, Qt::white, 0.6);
        s.middle = Mix(s.middle, look.accent, 0.12);
    }
    return s;
}

// A face whose rows change only in its top and bottom quarters and whose
// columns are alike between the borders, so that spreading it over any
// size stretches only uniform bands.
QImage face(int w, int h, const StyleLook &look, State state, bool rounded)
{
    const Shades s = shadesFor(look, state);
    QImage image(w, h, QImage::Format_RGB32);
    const int topEnd = std::max(1, h / 2 - 1), bottomStart = std::min(h - 1, h - h / 2 + 1);
    for (int y = 0; y < h; ++y) {
        QColor c = s.middle;
        if (y < topEnd)
            c = look.glossy ? s.top : Mix(s.top, s.middle, qreal(y) / topEnd);
        else if (y >= bottomStart)
            c = Mix(s.middle, s.bottom, qreal(y - bottomStart + 1) / (h - bottomStart));
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, c);
    }
    QPainter p(&image);
    const int radius = rounded ? std::min({look.radius, w / 2 - 1, h / 2 - 1}) : 0;
    if (radius > 0) {
        pictures::Smooth(p);
        p.setPen(QPen(s.border, 1));
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), radius, radius);
        p.end();
        pictures::SeeThroughCorners(image, radius);
    } else {
        p.setPen(s.border);
        p.drawRect(0, 0, w - 1, h - 1);
    }
    return image;
}

using FrameArt = std::function<void(QPainter &, const QRect &, int frame)>;

QImage strip(int w, int h, int frames, const QColor &background, const FrameArt &art)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    const int fw = w / frames;
    for (int i = 0; i < frames; ++i) {
        p.save();
        p.setClipRect(QRect(i * fw, 0, fw, h));
        art(p, QRect(i * fw, 0, fw, h), i);
        p.restore();
    }
    return image;
}

void drawFace(QPainter &p, const QRect &r, const StyleLook &look, State state, bool rounded)
{
    p.drawImage(r.topLeft(), face(r.width(), r.height(), look, state, rounded));
}

QPen pen(const QColor &c, qreal w = 1.4)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void tick(QPainter &p, const QRectF &box, const QColor &c)
{
    pictures::Smooth(p);
    p.setPen(pen(c, std::max<qreal>(1.4, box.width() / 7)));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(box.left() + box.width() * 0.2, box.top() + box.height() * 0.52);
    path.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.74);
    path.lineTo(box.left() + box.width() * 0.8, box.top() + box.height() * 0.26);
    p.drawPath(path);
}

void arrow(QPainter &p, const QRectF &box, qreal angle, const QColor &c)
{
    pictures::Smooth(p);
    p.save();
    p.translate(box.center());
    p.rotate(angle);
    const qreal s = std::min(box.width(), box.height()) * 0.22;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(-s, -s * 0.5), QPointF(s, -s * 0.5), QPointF(0, s * 0.6)}));
    p.restore();
}

// Check boxes and check lists: unchecked, checked, and both disabled.
QImage checkStrip(const ThemeResource &r, const StyleLook &look, bool round)
{
    return strip(r.width, r.height, r.frames, palette::kSeeThrough, [&](QPainter &p, const QRect &f, int i) {
        const bool checked = i % 2 == 1, disabled = i >= 2;
        const int side = std::min(f.width(), f.height()) - 1;
        const QRectF box(f.left() + (f.width() - side) / 2 + 0.5, f.top() + (f.height() - side) / 2 + 0.5, side - 1,
                         side - 1);
        const QColor ink = disabled ? palette::kTextDisabled : look.accentDark;
        pictures::Smooth(p);
        p.setPen(QPen(disabled ? palette::kLine : look.border, 1));
        p.setBrush(disabled ? palette::kBody : palette::kPaper);
        if (round)
            p.drawEllipse(box);
        else
            p.drawRoundedRect(box, look.radius > 0 ? 2 : 0, look.radius > 0 ? 2 : 0);
        if (!checked)
            return;
        if (round) {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(box.center(), side * 0.2, side * 0.2);
        } else {
            tick(p, box, ink);
        }
    });
}

// Control box, help, maximise, restore, minimise, close; normal, hover, pressed each.
QImage titleButtons(const ThemeResource &r, const StyleLook &look)
{
    return strip(r.width, r.height, r.frames, palette::kSeeThrough, [&](QPainter &p, const QRect &f, int i) {
        const int kind = i / 3;
        const State state = kThreeStates[i % 3];
        const bool closeKind = kind == 5;
        StyleLook tinted = look;
        if (closeKind)
            tinted.accent = palette::kHalt;
        drawFace(p, f, tinted, state, true);
        const QRectF g = QRectF(f).adjusted(f.width() * 0.28, f.height() * 0.28, -f.width() * 0.28, -f.height() * 0.28);
        const QColor ink = state == State::Normal ? look.accentDark : closeKind ? palette::kHaltDark : look.accentDark;
        pictures::Smooth(p);
        p.setPen(pen(ink));
        p.setBrush(Qt::NoBrush);
        switch (kind) {
        case 0:
            p.setBrush(look.accent);
            p.drawEllipse(g);
            break;
        case 1:
            pictures::Label(p, QRectF(f), QStringLiteral("?"), f.height() * 2 / 3, true, ink);
            break;
        case 2:
            p.drawRect(g);
            p.drawLine(g.topLeft() + QPointF(0, 1.5), g.topRight() + QPointF(0, 1.5));
            break;
        case 3:
            p.drawRect(g.adjusted(g.width() * 0.3, 0, 0, -g.height() * 0.3));
            p.drawRect(g.adjusted(0, g.height() * 0.3, -g.width() * 0.3, 0));
            break;
        case 4:
            p.drawLine(QPointF(g.left(), g.bottom()), QPointF(g.right(), g.bottom()));
            break;
        default:
            p.drawLine(g.topLeft(), g.bottomRight());
            p.drawLine(g.topRight(), g.bottomLeft());
            break;
        }
    });
}

QImage verticalBand(int w, int h, const QColor &top, const QColor &bottom)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, Mix(top, bottom, h > 1 ? qreal(y) / (h - 1) : 0));
    return image;
}

// The rows of the caption band the title bar writes its caption and buttons
// in: the buttons' height with their top offset above and below.
int captionStripRows(const StyleLook &look, int bandHeight)
{
    const ThemeResource *buttons = FindThemeResource(QLatin1String(ThemeItemTable()[4].images[int(look.style) - 1]));
    const int top = GetInsideThemeInt(look.style, 9);
    return buttons ? std::min(bandHeight, 2 * top + buttons->height) : bandHeight;
}

// Left, middle and right of the caption band, alike in every column: the
// caption strip shaded, a flat ledge below it where the band is taller.
QImage titlePiece(const ThemeResource &r, const StyleLook &look, int part)
{
    const int strip = captionStripRows(look, r.height);
    QImage image = verticalBand(r.width, r.height, Mix(look.accent, Qt::white, 0.25), look.accentDark);
    QPainter p(&image);
    p.fillRect(QRect(0, strip, r.width, r.height - strip), Mix(look.accent, Qt::white, 0.55));
    p.end();
    const int round = GetInsideThemeInt(look.style, 14);
    if (round > 0 && part != 1) {
        // The outer top corner is cut as the window's shape cuts it: the
        // pieces lie inside the form's border, the left one at its left edge,
        // the right one at its right.
        const int border = GetInsideThemeInt(look.style, 17);
        const int windowWidth = 4 * r.width;
        const QRegion shape = TitleBarWindowRegion(QSize(windowWidth, r.height), round);
        const int offset = part == 0 ? border : windowWidth - border - r.width;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x)
                if (!shape.contains(QPoint(offset + x, y)))
                    image.setPixelColor(x, y, palette::kSeeThrough);
    }
    return image;
}

QImage progressBar(const ThemeResource &r, const StyleLook &look)
{
    QImage image = verticalBand(r.width, r.height, Mix(look.accent, Qt::white, 0.45), look.accentDark);
    if (r.width > 1) {
        // Diagonal stripes that repeat with the picture's width.
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x)
                if ((x + y) % r.width < r.width / 2)
                    image.setPixelColor(x, y, Mix(image.pixelColor(x, y), Qt::white, 0.2));
    }
    return image;
}

QImage trackBar(const ThemeResource &r, const StyleLook &look)
{
    QImage image = face(r.width, r.height, look, State::Pressed, false);
    return image;
}

QImage slider(const ThemeResource &r, const StyleLook &look, bool vertical)
{
    const int w = vertical ? r.height : r.width, h = vertical ? r.width : r.height;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(palette::kSeeThrough);
    QPainter p(&image);
    pictures::Smooth(p);
    const Shades s = shadesFor(look, State::Normal);
    QPainterPath path;
    path.moveTo(0.5, 0.5);
    path.lineTo(w - 0.5, 0.5);
    path.lineTo(w - 0.5, h * 0.7);
    path.lineTo(w / 2.0, h - 0.5);
    path.lineTo(0.5, h * 0.7);
    path.closeSubpath();
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, s.top);
    g.setColorAt(1, s.bottom);
    p.setPen(QPen(s.border, 1));
    p.setBrush(g);
    p.drawPath(path);
    p.end();
    if (!vertical)
        return image;
    QTransform turn;
    turn.rotate(-90);
    return image.transformed(turn);
}

// Up, down; left, right ... arrows on faces, three states each.
QImage arrowButtons(const ThemeResource &r, const StyleLook &look, int states)
{
    return strip(r.width, r.height, r.frames, palette::kSeeThrough, [&](QPainter &p, const QRect &f, int i) {
        const State state = states == 1 ? State::Normal : kThreeStates[i % states];
        const int direction = states == 1 ? i : i / states;
        drawFace(p, f, look, state, look.rounded);
        static constexpr qreal kAngles[] = {180, 0, 90, -90};
        arrow(p, QRectF(f), kAngles[direction % 4], state == State::Pressed ? look.accent : look.accentDark);
    });
}

QImage thumbs(const ThemeResource &r, const StyleLook &look)
{
    return strip(r.width, r.height, r.frames, palette::kSeeThrough, [&](QPainter &p, const QRect &f, int i) {
        drawFace(p, f, look, kThreeStates[i % 3], look.rounded);
    });
}

// Inactive and active tab.
QImage tabs(const ThemeResource &r, const StyleLook &look)
{
    return strip(r.width, r.height, r.frames, palette::kSeeThrough, [&](QPainter &p, const QRect &f, int i) {
        QImage tab = face(f.width(), f.height() + 4, look, i == 0 ? State::Normal : State::Hover, true);
        p.drawImage(f.topLeft(), tab);
    });
}

QImage sideHandle(const ThemeResource &r, const StyleLook &look)
{
    QImage image = face(r.width, r.height, look, State::Normal, false);
    QPainter p(&image);
    for (int y = r.height / 2 - 8; y <= r.height / 2 + 8; y += 4)
        p.fillRect(QRect(r.width / 2 - 1, y, 2, 2), look.accentDark);
    return image;
}

QImage menuChecked()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    tick(p, QRectF(2, 2, 12, 12), Qt::black);
    p.end();
    // Only pure white is see-through: no grey rim left by smoothing.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                image.setPixelColor(x, y, qGray(image.pixel(x, y)) < 200 ? QColor(Qt::black) : QColor(Qt::white));
    return image;
}

// The program's icon on magenta, which the title bar keys out.
QImage programIcon()
{
    QImage drawn(16, 16, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    QPainter p(&drawn);
    pictures::DrawIcon(p, pictures::Icon::Raven, QRectF(0, 0, 16, 16), palette::kAccent);
    p.end();
    // Hard edges: a pixel is either the icon's or see-through.
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QColor c = drawn.pixelColor(x, y);
            image.setPixelColor(x, y, c.alpha() < 128 ? palette::kSeeThrough : QColor(c.red(), c.green(), c.blue()));
        }
    return image;
}

QImage pattern(const ThemeResource &r, const StyleLook &look)
{
    QImage image(r.width, r.height, QImage::Format_RGB32);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const bool stripe = look.style == TsuiUIStyle::MacOS ? y % 2 == 0 : (x + y) % 4 == 0;
            image.setPixelColor(x, y, stripe ? Mix(look.face, Qt::white, 0.6) : look.face);
        }
    return image;
}

StyleLook lookFor(const ThemeResource &r)
{
    if (r.item > 0)
        for (TsuiUIStyle s : kBuiltInStyles)
            if (qstrcmp(ThemeItemTable()[r.item - 1].images[int(s) - 1], r.name) == 0)
                return LookOf(s);
    const QByteArray name(r.name);
    if (name.startsWith("MACOS_"))
        return LookOf(TsuiUIStyle::MacOS);
    if (name.startsWith("WINXP_"))
        return LookOf(TsuiUIStyle::WinXP);
    if (name.startsWith("PROTEIN_"))
        return LookOf(TsuiUIStyle::Protein);
    return LookOf(TsuiUIStyle::DeepBlue);
}

QImage direct(const ThemeResource &r, const StyleLook &look)
{
    const QByteArray name(r.name);
    if (name == "MENU_CHECKED")
        return menuChecked();
    if (name == "MAINICON")
        return programIcon();
    if (name.endsWith("_COMBOBOX_BUTTON")) {
        QImage image = face(r.width, r.height, look, State::Normal, false);
        if (look.style == TsuiUIStyle::WinXP) {
            // WinXP draws no arrow of its own over the button.
            QPainter p(&image);
            arrow(p, QRectF(0, 0, r.width, r.height), 0, look.accentDark);
        }
        return image;
    }
    if (name == "MACOS_MENU_BAR")
        return pattern(r, look);
    if (name == "MACOS_MENU_SELECT")
        return verticalBand(r.width, r.height, Mix(look.accent, Qt::white, 0.3), look.accentDark);
    return pattern(r, look);
}

} // namespace

QImage DrawThemeResource(const ThemeResource &r)
{
    const StyleLook look = lookFor(r);
    switch (r.item) {
    case 1:
        return strip(r.width, r.height, r.frames, palette::kSeeThrough, [&](QPainter &p, const QRect &f, int i) {
            drawFace(p, f, look, kThreeStates[i], look.rounded);
        });
    case 3:
    case 34:
        return checkStrip(r, look, false);
    case 4:
        return checkStrip(r, look, true);
    case 5:
        return titleButtons(r, look);
    case 10:
    case 11:
    case 12:
        return titlePiece(r, look, r.item - 10);
    case 24:
        return progressBar(r, look);
    case 28:
    case 40:
        return trackBar(r, look);
    case 29:
        return slider(r, look, false);
    case 30:
        return slider(r, look, true);
    case 32:
        return arrowButtons(r, look, 3);
    case 33:
        return thumbs(r, look);
    case 38:
        return arrowButtons(r, look, 1);
    case 39:
        return tabs(r, look);
    case 41:
        return sideHandle(r, look);
    case 42:
        return verticalBand(r.width, r.height, look.light, look.face);
    default:
        return direct(r, look);
    }
}
