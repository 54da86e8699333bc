#include "picker_art.h"

#include "engine/profile_captions.h"
#include "engine/profile_number.h"
#include "picker_symbols.h"
#include "tools/pictures/palette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace {

const QColor kCardTop = palette::kPaper;
const QColor kCardBottom = palette::kToolBottom.lighter(104);
const QColor kCardBorder = palette::kLine;
const QColor kTitle = palette::kText;
const QColor kSubtitle = palette::kTextMuted;
const QColor kAccentTop = palette::kAccent.lighter(118);
const QColor kAccentBottom = palette::kAccentDark;
const QColor kAccentBorder = palette::kAccentDark.darker(120);
const QColor kAccentSubtitle = palette::kAccentLight;

constexpr int kSlot = 48; // the height of one button row

struct CardText {
    QString title;
    QString subtitle;
};

struct ProfileLook {
    Symbol symbol;
    SymbolLook look;
    bool audioBadge; // an audio-only profile of a device: a note beside the device
    QString chip;    // the output format, "MP4"
};

// The caption without its "(*.ext)" tail, split into a headline and a detail line.
CardText splitCaption(const QString &caption)
{
    QString name = caption.left(caption.lastIndexOf(QLatin1String("(*")));
    const int dash = name.indexOf(QLatin1String(" - "));
    if (dash > 0)
        return {name.left(dash), name.mid(dash + 3)};
    static const QRegularExpression shortHead(QStringLiteral("^([A-Z0-9]{2,6})-(.+)$"));
    if (const auto m = shortHead.match(name); m.hasMatch())
        return {m.captured(1), m.captured(2)};
    const int close = name.indexOf(QLatin1Char(')'));
    if (close > 0 && close + 1 < name.size())
        return {name.left(close + 1).replace(QLatin1String("("), QLatin1String(" (")), name.mid(close + 1).trimmed()};
    return {name.replace(QLatin1String("("), QLatin1String(" (")), QString()};
}

QString formatLabel(int code, const QString &extension)
{
    switch (code) {
    case 112: return QStringLiteral("VCD");
    case 113: return QStringLiteral("SVCD");
    case 114: return QStringLiteral("DVD");
    default: break;
    }
    QString label = extension.mid(1).toUpper();
    return label == QLatin1String("MPEG") ? QStringLiteral("MPG") : label;
}

// The family symbol of the panel the code's first button lies on.
ProfileLook lookOfCode(int code)
{
    const PickerButton *button = ButtonsOfCode(code).front();
    const QString caption = ProfileCaption(code);
    const QString chip = formatLabel(code, ExtensionOfCaption(caption));
    const bool audio = IsAudioOnly(code);
    auto device = [&](Symbol s, QColor c, QString label = {}) {
        return ProfileLook{s, {c, std::move(label), false}, audio, chip};
    };
    switch (button->panel) {
    case PickerPanel::Audio1: return {Symbol::Note, {FormatColour(chip), {}, false}, false, chip};
    case PickerPanel::Ipod: return device(Symbol::Ipod, QColor(0x90, 0xa4, 0xae));
    case PickerPanel::Iphone: return device(Symbol::Iphone, QColor(0x37, 0x47, 0x4f));
    case PickerPanel::Gphone: return device(Symbol::Gphone, QColor(0x7c, 0xb3, 0x42));
    case PickerPanel::Appletv: return device(Symbol::AppleTv, QColor(0x54, 0x6e, 0x7a));
    case PickerPanel::Psp:
        return code <= 55 ? device(Symbol::Console, QColor(0x1e, 0x2a, 0x3a), QStringLiteral("PS3"))
                          : device(Symbol::Handheld, QColor(0x1e, 0x2a, 0x3a));
    case PickerPanel::Xbox: return device(Symbol::Gamepad, QColor(0x43, 0xa0, 0x47));
    case PickerPanel::Phone: return device(Symbol::Phone, QColor(0x2b, 0x6c, 0xb0));
    case PickerPanel::Win: return device(Symbol::Pda, QColor(0x03, 0x9b, 0xe5));
    case PickerPanel::Pmp: return device(Symbol::Player, QColor(0xfb, 0x8c, 0x00));
    case PickerPanel::Hd: return device(Symbol::HdTv, FormatColour(chip), QStringLiteral("HD"));
    case PickerPanel::Animation: return device(Symbol::Flash, FormatColour(chip));
    default: break;
    }
    if (code >= 112 && code <= 114)
        return {Symbol::Disc, {FormatColour(chip), chip, false}, false, chip};
    return {Symbol::Film, {FormatColour(chip), chip, false}, false, chip};
}

QFont uiFont(double pixels, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(pixels));
    f.setBold(bold);
    return f;
}

// A headline too long for one line keeps the words that fit; the rest becomes the detail line.
CardText wrapTitle(const QString &title, double width)
{
    const QFontMetricsF metrics(uiFont(13, true));
    if (metrics.horizontalAdvance(title) <= width)
        return {title, QString()};
    const QStringList words = title.split(QLatin1Char(' '));
    QString head;
    int used = 0;
    for (; used < words.size(); ++used) {
        const QString longer = head.isEmpty() ? words[used] : head + QLatin1Char(' ') + words[used];
        if (metrics.horizontalAdvance(longer) > width)
            break;
        head = longer;
    }
    if (used == 0 || used == words.size())
        return {title, QString()};
    return {head, words.mid(used).join(QLatin1Char(' '))};
}

// Draws text on one line in r at the largest size from maxPx down to minPx that fits; elided below that.
void fittedText(QPainter &p, const QRectF &r, const QString &text, double maxPx, double minPx, bool bold,
                const QColor &colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont f = uiFont(maxPx, bold);
    for (double px = maxPx; px >= minPx; px -= 0.5) {
        f = uiFont(px, bold);
        if (QFontMetricsF(f).horizontalAdvance(text) <= r.width())
            break;
    }
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, align, QFontMetricsF(f).elidedText(text, Qt::ElideRight, r.width()));
}

void fillBackground(QPainter &p, const QSize &size)
{
    p.fillRect(QRect(QPoint(0, 0), size), QColor::fromRgb(kPickerBackground));
}

// A faint, large family symbol on the free part of a tall picture.
void watermark(QPainter &p, Symbol symbol, const SymbolLook &look, const QRectF &area)
{
    const double side = std::min({area.width() - 20, area.height() - 20, 130.0});
    if (side < 30)
        return;
    p.save();
    p.setOpacity(0.13);
    DrawSymbol(p, symbol, QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side), look);
    p.restore();
}

void drawChip(QPainter &p, const QRectF &card, const QString &text, const QColor &colour, bool hover)
{
    const QFont f = uiFont(10.5, true);
    const double w = QFontMetricsF(f).horizontalAdvance(text) + 14;
    const QRectF chip(card.right() - 8 - w, card.center().y() - 9, w, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(hover ? QColor(Qt::white) : colour);
    p.drawRoundedRect(chip, 9, 9);
    p.setFont(f);
    p.setPen(hover ? colour.darker(110) : QColor(Qt::white));
    p.drawText(chip, Qt::AlignCenter, text);
}

void drawNoteBadge(QPainter &p, const QRectF &symbolBox, bool hover)
{
    const QRectF badge(symbolBox.right() - 15, symbolBox.bottom() - 15, 17, 17);
    p.setPen(QPen(hover ? kAccentBorder : kCardBorder, 1));
    p.setBrush(QColor(0xd8, 0x1b, 0x60));
    p.drawEllipse(badge);
    DrawSymbol(p, Symbol::Note, badge.adjusted(3.5, 3.5, -3.5, -3.5), {Qt::white, {}, false});
}

QImage profileCard(const PickerPicture &pic)
{
    QImage img(pic.width, pic.height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    fillBackground(p, img.size());

    const int code = pic.id;
    const ProfileLook look = lookOfCode(code);
    CardText text = splitCaption(ProfileCaption(code));
    const double cardHeight = std::min(pic.height, kSlot) - 4;
    const QRectF card(3.5, 2.5, pic.width - 7, cardHeight - 1);

    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, pic.hover ? kAccentTop : kCardTop);
    fill.setColorAt(1, pic.hover ? kAccentBottom : kCardBottom);
    p.setPen(QPen(pic.hover ? kAccentBorder : kCardBorder, 1));
    p.setBrush(fill);
    p.drawRoundedRect(card, 6, 6);

    const double side = std::min(36.0, cardHeight - 6);
    const QRectF symbolBox(12, card.center().y() - side / 2, side, side);
    if (pic.hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawEllipse(symbolBox.center(), side / 2 + 3, side / 2 + 3);
    }
    SymbolLook symbolLook = look.look;
    symbolLook.onAccent = pic.hover;
    if (pic.hover && look.symbol == Symbol::Note)
        symbolLook.colour = Qt::white; // a coloured note would sink into the highlight
    DrawSymbol(p, look.symbol, symbolBox, symbolLook);
    if (look.audioBadge)
        drawNoteBadge(p, symbolBox, pic.hover);

    const QFont chipFont = uiFont(10.5, true);
    const double chipWidth = QFontMetricsF(chipFont).horizontalAdvance(look.chip) + 14;
    const double textLeft = symbolBox.right() + 12;
    const double textWidth = card.right() - 8 - chipWidth - 8 - textLeft;
    const QColor titleColour = pic.hover ? QColor(Qt::white) : kTitle;
    if (text.subtitle.isEmpty())
        text = wrapTitle(text.title, textWidth);
    if (text.subtitle.isEmpty()) {
        fittedText(p, QRectF(textLeft, card.top(), textWidth, card.height()), text.title, 13, 10, true, titleColour);
    } else {
        fittedText(p, QRectF(textLeft, card.top() + 3, textWidth, card.height() / 2 - 1), text.title, 13, 10, true,
                   titleColour, Qt::AlignLeft | Qt::AlignBottom);
        fittedText(p, QRectF(textLeft, card.center().y() + 1, textWidth, card.height() / 2 - 4), text.subtitle, 11,
                   9, false, pic.hover ? kAccentSubtitle : kSubtitle, Qt::AlignLeft | Qt::AlignTop);
    }
    drawChip(p, card, look.chip, FormatColour(look.chip), pic.hover);

    if (pic.height > kSlot)
        watermark(p, look.symbol, look.look, QRectF(0, kSlot, pic.width, pic.height - kSlot));
    return img;
}

// Fillers and stills: the foot of a panel, with the panel's family drawn faintly when there is room.
QImage panelFoot(const PickerPicture &pic)
{
    QImage img(pic.width, pic.height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillBackground(p, img.size());
    if (pic.height < 6)
        return img;
    const PickerPanel panel = ButtonsOfCode(pic.id).front()->panel;
    QLinearGradient line(0, 0, pic.width, 0);
    const QColor edge = pic.hover ? kAccentTop : kCardBorder;
    line.setColorAt(0, QColor::fromRgb(kPickerBackground));
    line.setColorAt(0.5, edge);
    line.setColorAt(1, QColor::fromRgb(kPickerBackground));
    p.fillRect(QRectF(20, 3, pic.width - 40, pic.hover ? 2 : 1), line);
    if (pic.height >= 40) {
        // The panel's own family, taken from its first button.
        const int first = ButtonsOfPanel(panel).front()->code;
        const ProfileLook look = lookOfCode(first);
        watermark(p, look.symbol, look.look, QRectF(0, 6, pic.width, pic.height - 6));
    }
    return img;
}

QImage arrow(const PickerPicture &pic)
{
    QImage img(pic.width, pic.height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const bool up = pic.id == kCodeUp;
    QLinearGradient g(0, 0, 0, pic.height);
    g.setColorAt(0, pic.hover ? kAccentTop : QColor(0xe3, 0xe9, 0xf0));
    g.setColorAt(1, pic.hover ? kAccentBottom : QColor(0xc5, 0xd0, 0xdc));
    p.fillRect(img.rect(), g);
    p.fillRect(QRect(0, up ? pic.height - 1 : 0, pic.width, 1), pic.hover ? kAccentBorder : QColor(0xa4, 0xb2, 0xc2));
    const double cx = pic.width / 2.0, cy = pic.height / 2.0;
    QPainterPath chevron;
    const double dy = up ? -3.5 : 3.5;
    chevron.moveTo(cx - 9, cy - dy);
    chevron.lineTo(cx, cy + dy);
    chevron.lineTo(cx + 9, cy - dy);
    p.setPen(QPen(pic.hover ? QColor(Qt::white) : QColor(0x3a, 0x4a, 0x5e), 2.4, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
    return img;
}

struct CategoryArt {
    Symbol symbol;
    QColor colour;
    const char *label;
};

// Category 14 has no panel; its icon is the generic video one.
const CategoryArt kCategoryArt[kCategoryIconCount] = {
    {Symbol::Video, QColor(0x1e, 0x88, 0xe5), "Video"},
    {Symbol::Note, QColor(0xd8, 0x1b, 0x60), "Audio"},
    {Symbol::Ipod, QColor(0x90, 0xa4, 0xae), "iPod"},
    {Symbol::Iphone, QColor(0x37, 0x47, 0x4f), "iPhone"},
    {Symbol::Gphone, QColor(0x7c, 0xb3, 0x42), "GPhone"},
    {Symbol::AppleTv, QColor(0x54, 0x6e, 0x7a), "Apple TV"},
    {Symbol::Handheld, QColor(0x1e, 0x2a, 0x3a), "PSP / PS3"},
    {Symbol::Gamepad, QColor(0x43, 0xa0, 0x47), "Xbox 360"},
    {Symbol::Phone, QColor(0x2b, 0x6c, 0xb0), "Mobile Phone"},
    {Symbol::Pda, QColor(0x03, 0x9b, 0xe5), "Pocket PC"},
    {Symbol::Player, QColor(0xfb, 0x8c, 0x00), "Media Player"},
    {Symbol::HdTv, QColor(0x1e, 0x88, 0xe5), "HD Video"},
    {Symbol::Flash, QColor(0xe5, 0x39, 0x35), "Animation"},
    {Symbol::Video, QColor(0x54, 0x6e, 0x7a), ""},
};

QImage categoryRow(const PickerPicture &pic)
{
    QImage img(pic.width, pic.height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const CategoryArt &art = kCategoryArt[pic.id - 1];
    QLinearGradient g(0, 0, 0, pic.height);
    const QColor column = QColor::fromRgb(kColumnBackground);
    g.setColorAt(0, pic.hover ? kAccentTop : palette::kInkTop);
    g.setColorAt(1, pic.hover ? kAccentBottom : palette::kInkBottom);
    p.fillRect(img.rect(), g);
    p.fillRect(QRect(0, pic.height - 1, pic.width, 1), pic.hover ? kAccentBorder : column.darker(140));
    const int top = pic.height - 25; // the first row is taller: its extra rows are a top edge
    if (top > 0)
        p.fillRect(QRect(0, 0, pic.width, top), pic.hover ? kAccentBorder : column.darker(125));
    const QRectF symbolBox(9, top + 4.5, 16, 16);
    DrawSymbol(p, art.symbol, symbolBox, {art.colour, {}, pic.hover});
    fittedText(p, QRectF(32, top, pic.width - 50, 24), QString::fromUtf8(art.label), 12, 9, true,
               pic.hover ? QColor(Qt::white) : palette::kOnInk);
    if (pic.hover) {
        // Points at the panel it opens.
        QPainterPath tri;
        const double cy = top + 12.5;
        tri.moveTo(pic.width - 12, cy - 5);
        tri.lineTo(pic.width - 6, cy);
        tri.lineTo(pic.width - 12, cy + 5);
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(tri);
    }
    return img;
}

QImage categoryIcon(const PickerPicture &pic)
{
    QImage img(pic.width, pic.height, QImage::Format_RGB32);
    QPainter p(&img);
    fillBackground(p, img.size());
    const CategoryArt &art = kCategoryArt[pic.id - 1];
    DrawSymbol(p, art.symbol, QRectF(0, 0, pic.width, pic.height), {art.colour, {}, false});
    return img;
}

} // namespace

QImage DrawPickerPicture(const PickerPicture &picture)
{
    switch (picture.kind) {
    case PickerPicture::Kind::Category: return categoryRow(picture);
    case PickerPicture::Kind::CategoryIcon: return categoryIcon(picture);
    case PickerPicture::Kind::Button: break;
    }
    if (picture.id == kCodeUp || picture.id == kCodeDown)
        return arrow(picture);
    if (IsProfile(picture.id) && ButtonsOfCode(picture.id).front()->role == ButtonRole::Profile)
        return profileCard(picture);
    return panelFoot(picture);
}
