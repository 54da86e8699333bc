#pragma once

// The skin file: JSON with named sections, each the look of one window.
//
// {
//   "sections": {
//     "<section>": {
//       "size": [width, height],
//       "background": "<picture>",          // drawn at (0, 0); pure magenta is see-through
//       "objects": [ <object>, ... ]        // drawn in this order, later ones on top
//     }
//   }
// }
//
// <object>: "name", "kind" (text, button, slider, bar, panel, hotspot),
// "rect": [left, top, right, bottom] in window pixels, and by kind:
//   every kind   "visible" (true), "passive" (false: takes no mouse events, they go
//                to what lies beneath), "children" (objects hidden with their parent)
//   text         "text", "color" ("#rrggbb"), "font": {"size": pixels, "bold"},
//                "align" (left, center, right), "picture" (drawn behind the text)
//   button       "picture", "hover", "pressed", "disabled" (shown while the button is
//                off; without it the picture is drawn grey), "action" ("close" closes
//                the window after the click has been reported)
//   slider       "track", "thumb", "position" (0..10000)
//   bar          "picture": shown from the left edge up to the rectangle's right edge
//   panel        "picture": stretched over the rectangle
//   hotspot      nothing drawn; it only reports mouse events
// Picture paths are relative to the skin file's folder.

#include <QColor>
#include <QRect>
#include <QString>
#include <map>
#include <vector>

// A rectangle as the skin's callers see it: right and bottom are one past the last pixel.
struct SkinRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const SkinRect &) const = default;
};

enum class SkinKind { Text, Button, Slider, Bar, Panel, Hotspot };

// The kind's name in the skin file, and back; false when the name is no kind.
QString SkinKindName(SkinKind kind);
bool SkinKindFromName(const QString &name, SkinKind *kind);
// The facets a kind offers besides the frame, which every kind has.
bool SkinKindHasText(SkinKind kind);
bool SkinKindHasSlider(SkinKind kind);

enum class SkinAlign { Left, Center, Right };
// Where a text too long for its rectangle is cut.
enum class SkinElide { Right, Middle };

struct SkinObjectDef {
    QString name;
    SkinKind kind = SkinKind::Hotspot;
    SkinRect rect;
    bool visible = true;
    bool passive = false;
    int parent = -1; // index of the enclosing object in the section's list, -1 for none

    QString picture; // text, button, bar, panel
    QString hover, pressed, disabled; // button
    QString action;         // button
    QString text;           // text
    QColor color = QColor(0x20, 0x20, 0x20);
    int fontSize = 12;
    bool bold = false;
    SkinAlign align = SkinAlign::Left;
    SkinElide elide = SkinElide::Right;
    QString track, thumb; // slider
    int position = 0;     // slider
};

struct SkinSectionDef {
    QString name;
    int width = 0, height = 0;
    QString background;
    std::vector<SkinObjectDef> objects; // parents before their children, in drawing order
};

struct SkinFile {
    QString path;   // as given to the loader
    QString folder; // where its pictures are looked up
    std::map<QString, SkinSectionDef> sections;

    const SkinSectionDef *section(const QString &name) const;
    // A picture path of the file as an absolute path.
    QString picturePath(const QString &relative) const;
};

// Parses skin text; path is only used for messages and the picture folder.
// Throws SkinError naming the file and the fault.
SkinFile ParseSkinText(const QByteArray &text, const QString &path);
// Reads and parses a skin file; a missing or unreadable file throws SkinError.
SkinFile ReadSkinFile(const QString &path);
