#pragma once

// What the program sees of a skin object: its name and up to three facets.
// A facet the object's kind lacks is null:
//   kind     text facet  frame facet  slider facet
//   text     yes         yes          -
//   button   -           yes          -
//   slider   -           yes          yes
//   bar      -           yes          -
//   panel    -           yes          -
//   hotspot  -           yes          -
// Setters repaint the object's old and new area; Redraw repaints it at once.
// Objects belong to their TSkin and stay valid as long as it lives, also after
// their window took another section or was destroyed (writes then show nowhere).

#include "platform/skin/skin_file.h"

#include <QString>

class ISkinText {
public:
    virtual QString GetText() const = 0;
    virtual void SetText(const QString &text) = 0;

protected:
    ~ISkinText() = default;
};

class ISkinFrame {
public:
    virtual SkinRect GetRect() const = 0;
    virtual void SetRect(const SkinRect &rect) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void Redraw() = 0;
    // A button that is off is drawn greyed, without its hover and pressed
    // looks or the hand pointer. Its events still arrive.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

protected:
    ~ISkinFrame() = default;
};

class ISkinSlider {
public:
    // 0 to 10000; a value outside is clamped.
    virtual int GetPosition() const = 0;
    virtual void SetPosition(int position) = 0;

protected:
    ~ISkinSlider() = default;
};

class ISkinObject {
public:
    virtual QString GetObjectName() const = 0;
    virtual ISkinText *TextFacet() = 0;
    virtual ISkinFrame *FrameFacet() = 0;
    virtual ISkinSlider *SliderFacet() = 0;

protected:
    ~ISkinObject() = default;
};

// A window drawn by the skin. Its name is the section's name; events on the
// bare background report it. It has no facets.
class ISkinWindowObject : public ISkinObject {
public:
    // The named object of the window's section (exact, case-sensitive), or null.
    virtual ISkinObject *FindChildObject(const QString &name) = 0;

protected:
    ~ISkinWindowObject() = default;
};
