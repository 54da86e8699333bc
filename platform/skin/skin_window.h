#pragma once

// A window drawn by a skin: it paints the section's background and objects
// beneath the window's child widgets and turns the window's mouse events into
// the skin's object events. It watches the window through an event filter, so
// a mouse event sent to the window itself (as QTest does) takes the real path.

#include "platform/skin/skin_element.h"
#include "platform/skin/skin_object.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class TSkin;
class SkinPictures;
class QMouseEvent;
class QPaintEvent;

class SkinWindow : public QObject {
public:
    SkinWindow(TSkin *skin, QWidget *window);
    ~SkinWindow() override;

    // Takes the section's look: window size, background, objects. Objects of
    // the previous section move to retired (they stay valid). SkinError on a
    // missing picture; the window keeps its previous look then.
    void applySection(const SkinFile &file, const SkinSectionDef &section, SkinPictures &pictures,
                      std::vector<std::unique_ptr<SkinElement>> &retired);

    ISkinWindowObject *windowObject() { return &m_windowObject; }
    QWidget *window() const { return m_window; }

    void repaint(const QRect &area);
    void repaintAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class WindowObject final : public ISkinWindowObject {
    public:
        explicit WindowObject(SkinWindow *owner) : m_owner(owner) {}
        QString GetObjectName() const override { return m_owner->m_section; }
        ISkinText *TextFacet() override { return nullptr; }
        ISkinFrame *FrameFacet() override { return nullptr; }
        ISkinSlider *SliderFacet() override { return nullptr; }
        ISkinObject *FindChildObject(const QString &name) override;

    private:
        SkinWindow *m_owner;
    };

    void paint(QPaintEvent *event);
    void paintElement(QPainter &painter, const SkinElement &e) const;
    SkinElement *elementAt(const QPoint &pos) const;
    ISkinObject *source(SkinElement *e) { return e ? static_cast<ISkinObject *>(e) : &m_windowObject; }
    void setHover(SkinElement *e);
    void press(QMouseEvent *event);
    void move(QMouseEvent *event);
    void release(QMouseEvent *event);
    void track(SkinElement *slider, int x);

    TSkin *m_skin;
    QPointer<QWidget> m_window;
    WindowObject m_windowObject{this};
    QString m_section;
    QImage m_background;
    std::vector<std::unique_ptr<SkinElement>> m_elements;
    SkinElement *m_hover = nullptr;
    // The object a button press went down on; it gets the events until every button is up.
    bool m_captured = false;
    SkinElement *m_captureTarget = nullptr;
    bool m_dragging = false; // the capture target is a slider pressed with the left button
    QPoint m_pointer;        // where the last mouse event was
};
