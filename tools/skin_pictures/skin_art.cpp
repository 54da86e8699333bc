#include "tools/skin_pictures/skin_art.h"

#include "tools/pictures/icons.h"
#include "tools/pictures/painting.h"
#include "tools/pictures/palette.h"
#include "tools/pictures/picture_writer.h"
#include "tools/skin_pictures/skin_geometry.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <functional>
#include <map>

using namespace pictures;
using namespace palette;

namespace {

constexpr int kCorner = 8;

[[noreturn]] void cannotDraw(const QString &what)
{
    throw PictureError(QStringLiteral("No picture is designed for %1").arg(what).toStdString());
}

void WindowEdge(QPainter &p, const QRectF &r)
{
    p.save();
    Smooth(p);
    p.setPen(QPen(kInkBottom, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), kCorner, kCorner);
    p.restore();
}

void Card(QPainter &p, const QRectF &r)
{
    Shadow(p, r, 6, 3, 40);
    RoundedBox(p, r, 6, kPaper, kPaper, kLine);
}

void Groove(QPainter &p, const QRectF &r)
{
    RoundedBox(p, r, r.height() / 2, QColor(0xd3, 0xda, 0xe3), QColor(0xe4, 0xe9, 0xef), QColor(0xc2, 0xcb, 0xd6));
}

QImage MainBackground(const SkinSectionDef &s, const TIniFile &ini)
{
    QImage image = Canvas(s.width, s.height, kBody);
    QPainter p(&image);
    Smooth(p);
    const qreal w = s.width;

    // Title bar with the menus and the window buttons.
    const qreal titleBottom = ObjectRect(s, "dvdopen").top() - 4;
    FillVertical(p, QRectF(0, 0, w, titleBottom), kInkTop, kInkBottom);
    HLine(p, 0, w, titleBottom - 1, QColor(0x10, 0x15, 0x1d));
    const QRect menuEnd = ObjectRect(s, "help");
    VLine(p, ObjectRect(s, "file").left() - 7, 10, titleBottom - 10, kInkRaised);
    VLine(p, menuEnd.right() + 8, 10, titleBottom - 10, kInkRaised);

    // Toolbar, its groups parted by thin lines.
    const qreal toolBottom = ObjectRect(s, "dvdopen").bottom() + 5;
    FillVertical(p, QRectF(0, titleBottom, w, toolBottom - titleBottom), kToolTop, kToolBottom);
    HLine(p, 0, w, toolBottom - 1, kLine);
    const auto separator = [&](qreal x) {
        VLine(p, x, titleBottom + 10, toolBottom - 10, kLine);
        VLine(p, x + 1, titleBottom + 10, toolBottom - 10, kPaper);
    };
    separator((ObjectRect(s, "openfolder").right() + ObjectRect(s, "remove").left()) / 2);
    const QRect none = IniRect(ini, "bt_none");
    separator((none.right() + ObjectRect(s, "chapter").left()) / 2);

    // The right column: preview, playback, cut marks and streams on one card.
    const QRect preview = IniRect(ini, "pl_play");
    const QRect streams = ObjectRect(s, "subtitle");
    const QRectF column(preview.left() - 6, preview.top() - 6, w - preview.left() + 2,
                        streams.bottom() - preview.top() + 12);
    Card(p, column);
    RoundedBox(p, preview, 4, QColor(0x18, 0x1f, 0x2a), kScreen);
    DrawIcon(p, Icon::Screen, QRectF(preview.center().x() - 24, preview.center().y() - 32, 48, 48), kInkRaised);
    Label(p, QRectF(preview.left(), preview.center().y() + 18, preview.width(), 18), QStringLiteral("Preview"), 12,
          false, QColor(0x5f, 0x6e, 0x82));

    const QRect playpos = ObjectRect(s, "playpos");
    Groove(p, QRectF(playpos.left(), playpos.top(), IniNumber(ini, "Play", "pos"), playpos.height()));
    for (const char *field : {"begin_time", "End_time"})
        RoundedBox(p, QRectF(ObjectRect(s, field)).adjusted(1, 3, -1, -3), 4, QColor(0xf4, 0xf6, 0xf9),
                   QColor(0xf4, 0xf6, 0xf9), kLineSoft);
    HLine(p, column.left() + 10, column.right() - 10, ObjectRect(s, "audio").top() - 5, kLineSoft);

    // Output folder row and the conversion bar.
    const QRect edit = IniRect(ini, "ed_output");
    Label(p, QRectF(10, edit.top(), edit.left() - 16, edit.height()), QStringLiteral("Output folder"), 11, true,
          kTextMuted, Qt::AlignRight | Qt::AlignVCenter);
    RoundedBox(p, QRectF(edit).adjusted(-1, -1, 1, 1), 3, kPaper, kPaper, kLine);
    const QRect convertpos = ObjectRect(s, "convertpos");
    Groove(p, QRectF(convertpos.left(), convertpos.top(), IniNumber(ini, "convert", "pos"), convertpos.height()));

    // Status strip with the hint line.
    const QRect hint = ObjectRect(s, "hint");
    const qreal footTop = hint.top() - 8;
    FillVertical(p, QRectF(0, footTop, w, s.height - footTop), kInkTop, kInkBottom);
    p.end();
    SeeThroughCorners(image, kCorner);
    QPainter edge(&image);
    WindowEdge(edge, QRectF(0, 0, s.width, s.height));
    return image;
}

QImage DialogBackground(const SkinSectionDef &s, qreal bandHeight, bool darkBody, Icon icon, qreal iconSize,
                        const QColor &iconColor)
{
    QImage image = Canvas(s.width, s.height, kPaper);
    QPainter p(&image);
    Smooth(p);
    if (darkBody) {
        FillVertical(p, QRectF(0, 0, s.width, s.height), kInkTop, kInkBottom);
    } else {
        FillVertical(p, QRectF(0, 0, s.width, s.height), kPaper, QColor(0xf6, 0xf8, 0xfa));
        if (bandHeight > 0)
            FillVertical(p, QRectF(0, 0, s.width, bandHeight), kInkTop, kInkBottom);
    }
    DrawIcon(p, icon, QRectF(24, darkBody || bandHeight == 0 ? (s.height > 150 ? 22 : (s.height - iconSize) / 2)
                                                             : (bandHeight - iconSize) / 2,
                             iconSize, iconSize),
             iconColor);
    p.end();
    SeeThroughCorners(image, kCorner);
    QPainter edge(&image);
    WindowEdge(edge, QRectF(0, 0, s.width, s.height));
    return image;
}

QImage ShowPlayBackground(const SkinSectionDef &s)
{
    QImage image = DialogBackground(s, 0, false, Icon::Info, 44, kAccent);
    QPainter p(&image);
    const QRect ok = ObjectRect(s, "showplayok");
    const qreal foot = ok.top() - 12;
    FillVertical(p, QRectF(1, foot, s.width - 2, s.height - foot - 1), QColor(0xf1, 0xf4, 0xf7),
                 QColor(0xea, 0xee, 0xf2));
    HLine(p, 1, s.width - 1, foot, kLineSoft);
    p.end();
    SeeThroughCorners(image, kCorner);
    QPainter edge(&image);
    WindowEdge(edge, QRectF(0, 0, s.width, s.height));
    return image;
}

// What an empty list shows: an illustration of the three steps of a
// conversion, drawn flat on the paper (no frames, no raised faces), so that
// nothing in it looks like a control one could press.
QImage Welcome(const QImage &under)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    Smooth(p);
    const QRectF r(0, 0, out.width(), out.height());
    RoundedBox(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 6, kPaper, kPaper, kLine);
    const QRectF zone = r.adjusted(18, 18, -18, -18);
    DrawIcon(p, Icon::Film, QRectF(zone.center().x() - 32, zone.top() + 34, 64, 64), kHeather);
    Label(p, QRectF(zone.left(), zone.top() + 108, zone.width(), 26), QStringLiteral("Your list is empty"), 18, true,
          kText);
    Label(p, QRectF(zone.left(), zone.top() + 136, zone.width(), 20),
          QStringLiteral("Add files, choose an output format and press Start."), 12, false, kTextMuted);
    struct Step {
        Icon icon;
        QColor tint;
        const char *text;
    };
    const Step steps[] = {{Icon::Folder, kAmber, "Add files or a DVD"},
                          {Icon::Gear, kAccent, "Choose a format"},
                          {Icon::Play, kGo, "Press Start"}};
    const qreal stepWidth = (zone.width() - 40) / 3;
    const qreal top = zone.top() + 190;
    for (int i = 0; i < 3; ++i) {
        const qreal left = zone.left() + 20 + i * stepWidth;
        const qreal middle = left + stepWidth / 2;
        DrawIcon(p, steps[i].icon, QRectF(middle - 16, top, 32, 32), steps[i].tint);
        Label(p, QRectF(left, top + 40, stepWidth, 20),
              QStringLiteral("%1. %2").arg(i + 1).arg(QString::fromUtf8(steps[i].text)), 11, false, kTextMuted);
        // A thin arrow leads on to the next step.
        if (i < 2) {
            const qreal x = left + stepWidth;
            p.setPen(QPen(kLineSoft, 1.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x - 6, top + 10), QPointF(x, top + 16));
            p.drawLine(QPointF(x, top + 16), QPointF(x - 6, top + 22));
        }
    }
    return out;
}

QImage BackPanelFrame(const QImage &under)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    Smooth(p);
    RoundedBox(p, QRectF(0, 0, out.width(), out.height()), 4, kPaper, kPaper, kAccent);
    return out;
}

QImage ConvertInfo(const SkinSectionDef &s, const SkinObjectDef &panel, const QImage &under)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    Smooth(p);
    const QRect r = panel.rect.toQRect();
    RoundedBox(p, QRectF(0, 0, out.width(), out.height()), 4, QColor(0x1d, 0x26, 0x33), kScreen);
    DrawIcon(p, Icon::Disc, QRectF(10, 8, 20, 20), kAccent);
    Label(p, QRectF(36, 8, out.width() - 44, 20), QStringLiteral("Converting the DVD title"), 12, true, kOnInk,
          Qt::AlignLeft | Qt::AlignVCenter);
    struct Row {
        const char *object;
        const char *label;
    };
    const Row rows[] = {{"filename", "File"},
                        {"filesize", "Size"},
                        {"filepath", "Folder"},
                        {"usedtime", "Elapsed"},
                        {"resttime", "Remaining"}};
    for (const Row &row : rows) {
        const QRect field = ObjectRect(s, row.object).translated(-r.topLeft());
        Label(p, QRectF(10, field.top(), field.left() - 18, field.height()), QString::fromUtf8(row.label), 11, false,
              kOnInkMuted, Qt::AlignLeft | Qt::AlignVCenter);
    }
    return out;
}

QImage Chip(const QImage &under, Icon icon, const char *label)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    Smooth(p);
    DrawIcon(p, icon, QRectF(2, (out.height() - 16) / 2.0, 16, 16), kTextMuted);
    Label(p, QRectF(22, 0, out.width() - 22, out.height()), QString::fromUtf8(label), 11, false, kTextMuted,
          Qt::AlignLeft | Qt::AlignVCenter);
    return out;
}

QImage Fill(const QImage &under, const QColor &top, const QColor &bottom, bool stripes)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    Smooth(p);
    const QRectF r(0, 0, out.width(), out.height());
    FillVertical(p, r, top, bottom, r.height() / 2);
    if (stripes) {
        QPainterPath clip;
        clip.addRoundedRect(r, r.height() / 2, r.height() / 2);
        p.setClipPath(clip);
        p.setPen(QPen(QColor(255, 255, 255, 40), 4));
        for (qreal x = -r.height(); x < r.width(); x += 12)
            p.drawLine(QPointF(x, r.height()), QPointF(x + r.height(), 0));
    }
    p.setClipping(false);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawLine(QPointF(r.height() / 2, 1.5), QPointF(r.width() - r.height() / 2, 1.5));
    return out;
}

QImage Thumb(const QImage &under)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    out.fill(kPaper);
    QPainter p(&out);
    Smooth(p);
    const QRectF r(0, 0, out.width(), out.height());
    RoundedBox(p, r.adjusted(1, 1, -1, -1), 3, kPaper, QColor(0xe8, 0xee, 0xf5), kAccentDark);
    VLine(p, r.center().x(), 5, r.height() - 5, kAccent);
    return out;
}

using Picture = std::function<QImage(const SkinSectionDef &, const SkinObjectDef &, const QImage &)>;

const std::map<QString, Picture> &objectPictures()
{
    static const std::map<QString, Picture> table{
        {"hint1", [](auto &, auto &, const QImage &u) { return Welcome(u); }},
        {"di", [](auto &, auto &, const QImage &u) { return BackPanelFrame(u); }},
        {"convertinfo", [](auto &s, auto &o, const QImage &u) { return ConvertInfo(s, o, u); }},
        {"video_size", [](auto &, auto &, const QImage &u) { return Chip(u, Icon::Frame, "Video size"); }},
        {"video_quality", [](auto &, auto &, const QImage &u) { return Chip(u, Icon::Film, "Video quality"); }},
        {"audio_quality", [](auto &, auto &, const QImage &u) { return Chip(u, Icon::Note, "Audio quality"); }},
        {"channels", [](auto &, auto &, const QImage &u) { return Chip(u, Icon::Speaker, "Channels"); }},
        {"playpos", [](auto &, auto &, const QImage &u) { return Fill(u, QColor(0x5a, 0x9d, 0xe4), kAccentDark, false); }},
        {"convertpos", [](auto &, auto &, const QImage &u) { return Fill(u, QColor(0x4c, 0xbf, 0x7a), kGoDark, true); }},
        {"play_bar", [](auto &, auto &, const QImage &u) { return Thumb(u); }},
    };
    return table;
}

} // namespace

QImage SectionBackground(const SkinSectionDef &section, const TIniFile &layout)
{
    if (section.name == QLatin1String("popravenmoor"))
        return MainBackground(section, layout);
    if (section.name == QLatin1String("about"))
        return DialogBackground(section, 104, false, Icon::Raven, 68, kOnInk);
    if (section.name == QLatin1String("show"))
        return DialogBackground(section, 0, true, Icon::Wait, 44, kOnInk);
    if (section.name == QLatin1String("showplay"))
        return ShowPlayBackground(section);
    cannotDraw(QStringLiteral("the background of section \"%1\"").arg(section.name));
}

QImage ObjectPicture(const SkinSectionDef &section, const SkinObjectDef &object, const QString &field,
                     const QImage &under)
{
    const auto it = objectPictures().find(object.name);
    if (it == objectPictures().end())
        cannotDraw(QStringLiteral("the %1 of object \"%2\"").arg(field, object.name));
    return it->second(section, object, under);
}

QRect PictureRect(const SkinSectionDef &, const SkinObjectDef &object, const QString &field,
                  const TIniFile &layout)
{
    const QRect r = object.rect.toQRect();
    // A bar's picture is its full length; its rectangle only says how much shows.
    if (object.name == QLatin1String("playpos"))
        return QRect(r.left(), r.top(), IniNumber(layout, "Play", "pos"), r.height());
    if (object.name == QLatin1String("convertpos"))
        return QRect(r.left(), r.top(), IniNumber(layout, "convert", "pos"), r.height());
    if (field == QLatin1String("thumb"))
        return QRect(r.left(), r.top(), 14, r.height());
    return r;
}

QImage TitlePicture(const QImage &under, const QString &edition)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    Smooth(p);
    const qreal icon = out.height() - 4;
    DrawIcon(p, Icon::Raven, QRectF(0, 2, icon, icon), kOnInk);
    const QString name = QStringLiteral("Ravenmoor");
    const qreal room = out.width() - icon - 8;
    constexpr qreal kGap = 6, kChipPadding = 5;
    // The name and the edition's chip shrink together until both fit.
    int size = 16;
    qreal nameWidth = 0, chipWidth = 0;
    for (; size > 9; --size) {
        nameWidth = QFontMetricsF(Face(size, true)).horizontalAdvance(name);
        chipWidth = edition.isEmpty()
                        ? 0
                        : QFontMetricsF(Face(size - 4, true)).horizontalAdvance(edition) + 2 * kChipPadding;
        if (nameWidth + (edition.isEmpty() ? 0 : kGap + chipWidth) <= room)
            break;
    }
    Label(p, QRectF(icon + 8, 0, nameWidth + 1, out.height()), name, size, true, kOnInk,
          Qt::AlignLeft | Qt::AlignVCenter);
    if (!edition.isEmpty()) {
        const qreal chipHeight = size + 2;
        const QRectF chip(icon + 8 + nameWidth + kGap, (out.height() - chipHeight) / 2, chipWidth, chipHeight);
        RoundedBox(p, chip, 4, kAccent, Mix(kAccent, kInkBottom, 0.3));
        Label(p, chip, edition, size - 4, true, kOnInk);
    }
    return out;
}
