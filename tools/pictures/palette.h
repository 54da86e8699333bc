#pragma once

// The program's colours, shared by every picture generator so that the skin,
// the toolbar buttons and the picker pictures look like one program.

#include <QColor>

namespace palette {

inline const QColor kInkTop(0x26, 0x30, 0x40);      // title bar and dark panels, top
inline const QColor kInkBottom(0x1b, 0x23, 0x2f);   // ... bottom
inline const QColor kInkRaised(0x38, 0x45, 0x59);   // hover on dark
inline const QColor kInkPressed(0x14, 0x1a, 0x23);  // pressed on dark
inline const QColor kOnInk(0xf2, 0xf5, 0xf9);       // text on dark
inline const QColor kOnInkMuted(0xa9, 0xb6, 0xc6);  // secondary text on dark

inline const QColor kBody(0xee, 0xf1, 0xf5);        // window body
inline const QColor kToolTop(0xfd, 0xfd, 0xfe);     // toolbar, top
inline const QColor kToolBottom(0xe6, 0xea, 0xf0);  // toolbar, bottom
inline const QColor kLine(0xc9, 0xd0, 0xda);        // borders and separators
inline const QColor kLineSoft(0xdd, 0xe2, 0xe9);
inline const QColor kPaper(0xff, 0xff, 0xff);       // lists, boxes

inline const QColor kText(0x1f, 0x29, 0x33);
inline const QColor kTextMuted(0x5b, 0x67, 0x76);
inline const QColor kTextDisabled(0xa4, 0xad, 0xb8);

inline const QColor kAccent(0x2d, 0x7d, 0xd2);      // blue: selection, bars, focus
inline const QColor kAccentDark(0x1f, 0x5f, 0xa6);
inline const QColor kAccentLight(0xd8, 0xe8, 0xf8);
inline const QColor kGo(0x2f, 0x9e, 0x5a);          // green: start
inline const QColor kGoDark(0x23, 0x7f, 0x47);
inline const QColor kHalt(0xd6, 0x45, 0x41);        // red: stop, remove, close
inline const QColor kHaltDark(0xb0, 0x33, 0x30);
inline const QColor kAmber(0xe8, 0x9a, 0x2c);       // disc, folders
inline const QColor kHeather(0x7a, 0x5c, 0xa8);     // chapters, marks

inline const QColor kScreen(0x10, 0x15, 0x1d);      // the preview area without video

// Pure magenta marks see-through pixels in pictures without alpha.
inline const QColor kSeeThrough(0xff, 0x00, 0xff);

} // namespace palette
