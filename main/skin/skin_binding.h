#pragma once

// The named skin objects the main window writes to, bound once at start-up:
// each with its text facet (the play bar: its slider facet) and its frame
// facet. An object the skin lacks stays unbound, and writes to it go nowhere.
// The two bars, the back-panel frame and the hint line are written here too.

#include "platform/skin/skin_object.h"

#include <QString>
#include <QStringList>

class SkinIni;

struct BoundSkinObject {
    ISkinObject *object = nullptr;
    ISkinText *text = nullptr;
    ISkinFrame *frame = nullptr;
    ISkinSlider *slider = nullptr;

    bool bound() const { return object != nullptr; }
    QString getText() const { return text ? text->GetText() : QString(); }
    void setText(const QString &value) const
    {
        if (text)
            text->SetText(value);
    }
    SkinRect rect() const { return frame ? frame->GetRect() : SkinRect(); }
    void setRect(const SkinRect &r) const
    {
        if (frame)
            frame->SetRect(r);
    }
    void setVisible(bool visible) const
    {
        if (frame)
            frame->SetVisible(visible);
    }
    void redraw() const
    {
        if (frame)
            frame->Redraw();
    }
    int position() const { return slider ? slider->GetPosition() : 0; }
    void setPosition(int p) const
    {
        if (slider)
            slider->SetPosition(p);
    }
};

struct SkinBinding {
    BoundSkinObject profilestext, play_time, hint, play_bar, di, alltime, playpos, convertpos, convertinfo,
        filename, filesize, filepath, usedtime, resttime, begin_time, End_time;
    // The bars' rectangles as the skin drew them; only their right edges change.
    SkinRect playBarOrigin, convertBarOrigin;

    // The bound object of that name; null for names that are not bound.
    const BoundSkinObject *find(const QString &name) const;
};

// The bound names in binding order.
QStringList BoundSkinObjectNames();

// Binds every name from the window's section. After "resttime" (before the two
// cut times) the conversion panel is hidden, the bar origins are saved and the
// play bar is set to 0 and redrawn.
void BindSkinObjects(ISkinWindowObject &window, SkinBinding &binding);

// The preview position bar at p ten-thousandths of [Play] "pos".
void SetPlayBarPosition(const SkinBinding &binding, const SkinIni &ini, int p);
// The conversion bar at p ten-thousandths (at most 9999) of [convert] "pos";
// the hint line then shows `lastEncoderLine`.
void SetConvertProgress(const SkinBinding &binding, const SkinIni &ini, int p, const QString &lastEncoderLine);
// The "di" frame shown or hidden at (left, top) with that size.
void ShowBackPanelFrame(const SkinBinding &binding, bool visible, int left, int top, int width, int height);
