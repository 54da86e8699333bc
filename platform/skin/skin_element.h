#pragma once

// One drawn object of a window's section: its def from the file, its live
// state (text, rectangle, visibility, slider position) and its pictures.

#include "platform/skin/skin_file.h"
#include "platform/skin/skin_object.h"

#include <QImage>

class SkinWindow;
class SkinPictures;

class SkinElement final : public ISkinObject, public ISkinText, public ISkinFrame, public ISkinSlider {
public:
    // Loads the def's pictures (SkinError on a missing one).
    SkinElement(SkinWindow *owner, const SkinFile &file, const SkinObjectDef &def,
                SkinElement *parent, SkinPictures &pictures);

    QString GetObjectName() const override { return m_def.name; }
    ISkinText *TextFacet() override;
    ISkinFrame *FrameFacet() override;
    ISkinSlider *SliderFacet() override;

    QString GetText() const override { return m_text; }
    void SetText(const QString &text) override;

    SkinRect GetRect() const override { return m_rect; }
    void SetRect(const SkinRect &rect) override;
    void SetVisible(bool visible) override;
    bool IsVisible() const override { return m_visible; }
    void Redraw() override;
    void SetEnabled(bool enabled) override;
    bool IsEnabled() const override { return m_enabled; }

    int GetPosition() const override { return m_position; }
    void SetPosition(int position) override;

    const SkinObjectDef &def() const { return m_def; }
    // Visible itself and every enclosing object visible.
    bool shown() const;
    // Takes mouse events at (x, y).
    bool hit(int x, int y) const;
    // The slider position for a pointer at window x.
    int positionAt(int x) const;
    // The thumb's place for the current position.
    QRect thumbRect() const;

    // Read when first drawn: the pictures of hidden objects and of the
    // pointer's and disabled states are not needed to show the window. Null
    // when the file cannot be read by then.
    const QImage &picture() const { return m_picture.get(); }
    const QImage &hover() const { return m_hover.get(); }
    const QImage &pressed() const { return m_pressed.get(); }
    const QImage &disabled() const { return m_disabled.get(); }
    const QImage &track() const { return m_track; }
    const QImage &thumb() const { return m_thumb; }

    // The element left its window (another section was applied): writes show nowhere.
    void detach() { m_owner = nullptr; }

private:
    // A picture read when it is first asked for.
    class LatePicture {
    public:
        LatePicture() = default;
        LatePicture(SkinPictures *pictures, QString path) : m_pictures(pictures), m_path(std::move(path)) {}
        const QImage &get() const;

    private:
        SkinPictures *m_pictures = nullptr; // the skin's, which outlives its elements
        mutable QString m_path;             // empty once read
        mutable QImage m_image;
    };

    void repaint(const SkinRect &before);

    SkinWindow *m_owner;
    SkinObjectDef m_def;
    SkinElement *m_parent;
    QString m_text;
    SkinRect m_rect;
    bool m_visible;
    bool m_enabled = true;
    int m_position;
    QImage m_track, m_thumb;
    LatePicture m_picture, m_hover, m_pressed, m_disabled;
};
