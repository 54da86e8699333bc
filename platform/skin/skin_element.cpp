#include "platform/skin/skin_element.h"

#include "platform/skin/skin_error.h"
#include "platform/skin/skin_pictures.h"
#include "platform/skin/skin_window.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>


SkinElement::SkinElement(SkinWindow *owner, const SkinFile &file, const SkinObjectDef &def,
                         SkinElement *parent, SkinPictures &pictures)
    : m_owner(owner), m_def(def), m_parent(parent), m_text(def.text), m_rect(def.rect),
      m_visible(def.visible), m_position(def.position)
{
    const auto load = [&](const QString &name) {
        return name.isEmpty() ? QImage() : pictures.load(file.picturePath(name));
    };
    // A missing file is found now all the same, as for the pictures read now.
    const auto late = [&](const QString &name) {
        if (name.isEmpty())
            return LatePicture();
        const QString path = file.picturePath(name);
        if (!QFileInfo::exists(path))
            throw SkinError(QStringLiteral("The skin picture \"%1\" does not exist").arg(path));
        return LatePicture(&pictures, path);
    };
    m_picture = late(def.picture);
    m_hover = late(def.hover);
    m_pressed = late(def.pressed);
    m_disabled = late(def.disabled);
    m_track = load(def.track);
    m_thumb = load(def.thumb);
}

const QImage &SkinElement::LatePicture::get() const
{
    if (!m_path.isEmpty()) {
        try {
            m_image = m_pictures->load(std::exchange(m_path, QString()));
        } catch (const SkinError &) {
            m_image = QImage();
        }
    }
    return m_image;
}

ISkinText *SkinElement::TextFacet()
{
    return SkinKindHasText(m_def.kind) ? this : nullptr;
}

ISkinFrame *SkinElement::FrameFacet()
{
    return this;
}

ISkinSlider *SkinElement::SliderFacet()
{
    return SkinKindHasSlider(m_def.kind) ? this : nullptr;
}

void SkinElement::SetText(const QString &text)
{
    m_text = text;
    repaint(m_rect);
}

void SkinElement::SetRect(const SkinRect &rect)
{
    const SkinRect before = m_rect;
    m_rect = rect;
    repaint(before);
}

void SkinElement::SetVisible(bool visible)
{
    m_visible = visible;
    // Enclosed objects appear or vanish with it, wherever they lie.
    if (m_owner)
        m_owner->repaintAll();
}

void SkinElement::Redraw()
{
    repaint(m_rect);
}

void SkinElement::SetPosition(int position)
{
    m_position = std::clamp(position, 0, 10000);
    repaint(m_rect);
}

void SkinElement::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Redraw();
}

bool SkinElement::shown() const
{
    for (const SkinElement *e = this; e; e = e->m_parent)
        if (!e->m_visible)
            return false;
    return true;
}

bool SkinElement::hit(int x, int y) const
{
    return !m_def.passive && shown() && m_rect.contains(x, y);
}

int SkinElement::positionAt(int x) const
{
    const int thumbWidth = m_thumb.isNull() ? 0 : m_thumb.width();
    const int span = m_rect.width() - thumbWidth;
    if (span <= 0)
        return 0;
    const qint64 offset = x - m_rect.left - thumbWidth / 2;
    return static_cast<int>(std::clamp<qint64>((offset * 10000 + span / 2) / span, 0, 10000));
}

QRect SkinElement::thumbRect() const
{
    if (m_thumb.isNull())
        return {};
    const int span = std::max(0, m_rect.width() - m_thumb.width());
    const int x = m_rect.left + static_cast<int>((static_cast<qint64>(span) * m_position + 5000) / 10000);
    const int y = m_rect.top + (m_rect.height() - m_thumb.height()) / 2;
    return QRect(x, y, m_thumb.width(), m_thumb.height());
}

void SkinElement::repaint(const SkinRect &before)
{
    if (m_owner)
        m_owner->repaint(before.toQRect().united(m_rect.toQRect()));
}
