#pragma once

// The two bars the skin draws (preview position "playpos", conversion
// progress "convertpos") and the window drag by the title picture. Bar
// positions are ten-thousandths of the bar's full length in pixels.

#include <QPoint>
#include <optional>

// The right edge for a bar starting at `left`: position capped at `cap`,
// then left + MulDiv(position, fullLength, 10000). Negative positions pass.
int BarRightEdge(int left, int position, int cap, int fullLength);

inline constexpr int kPlayBarCap = 10000;
inline constexpr int kConvertBarCap = 9999; // the conversion bar never shows quite full
inline constexpr int kDefaultBarLength = 263;

// Moving the window by dragging its title picture. It starts armed with the
// anchor (0, 0) and is only disarmed by the first release.
class TitleDrag {
public:
    void press(QPoint at)
    {
        m_armed = true;
        m_anchor = at;
    }
    // The window's new top-left corner, when it moves: armed and the left
    // button held at this moment.
    std::optional<QPoint> move(QPoint windowTopLeft, QPoint at, bool leftButtonDown) const
    {
        if (!m_armed || !leftButtonDown)
            return std::nullopt;
        return windowTopLeft + at - m_anchor;
    }
    void release() { m_armed = false; }

private:
    bool m_armed = true;
    QPoint m_anchor;
};
