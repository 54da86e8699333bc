#include "skin_controls/frame/title_bar_items.h"

#include "platform/dialogs/dialogs.h"
#include "skin_controls/frame/form_zoom.h"
#include "skin_controls/frame/frame_desktop.h"
#include "skin_controls/frame/title_bar.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/theme_lookup.h"

#include <exception>

namespace {

struct KindFrames {
    TsuiTitleBarBtnType type;
    int first;
};

// The strip of 18: control box, help, maximise, restore, minimise, close.
constexpr KindFrames kKindFrames[] = {
    {TsuiTitleBarBtnType::suiControlBox, 1}, {TsuiTitleBarBtnType::suiHelp, 4},
    {TsuiTitleBarBtnType::suiMax, 7},        {TsuiTitleBarBtnType::suiMin, 13},
    {TsuiTitleBarBtnType::suiClose, 16},
};
constexpr int kRestoreFrame = 10;

void sorry(const char *text)
{
    CurrentFrameDesktop().dialogs->message(MessageKind::Error, QString::fromUtf8(text));
}

} // namespace

int TitleBarButtonFirstFrame(TsuiTitleBarBtnType type, bool restore)
{
    if (type == TsuiTitleBarBtnType::suiMax && restore)
        return kRestoreFrame;
    for (const KindFrames &k : kKindFrames)
        if (k.type == type)
            return k.first;
    return 0;
}

template <typename Item, typename Self>
void TsuiTitleBarCollection<Item, Self>::Update()
{
    if (m_bar)
        m_bar->update();
}

template class TsuiTitleBarCollection<TsuiTitleBarButton, TsuiTitleBarButtons>;
template class TsuiTitleBarCollection<TsuiTitleBarSection, TsuiTitleBarSections>;

TsuiTitleBarButton::TsuiTitleBarButton(TsuiTitleBarButtons *collection) : m_collection(collection)
{
    setUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiTitleBarButton::setUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    loadPictures();
}

void TsuiTitleBarButton::setButtonType(TsuiTitleBarBtnType type)
{
    if (type == TsuiTitleBarBtnType::suiControlBox)
        for (int i = 0; i < m_collection->Count(); ++i)
            if (m_collection->Items(i)->ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
                sorry("Sorry, only one button's ButtonType property can be \"suiControlBox\"");
                return;
            }
    m_type = type;
    loadPictures();
    changed();
}

void TsuiTitleBarButton::setTransparent(bool on)
{
    m_transparent = on;
    changed();
}

void TsuiTitleBarButton::setTop(int top)
{
    m_top = top;
    changed();
}

void TsuiTitleBarButton::setVisible(bool on)
{
    m_visible = on;
    changed();
}

void TsuiTitleBarButton::setPicNormal(const QImage &picture)
{
    m_normal = picture;
    changed();
}

void TsuiTitleBarButton::setPicMouseOn(const QImage &picture)
{
    m_mouseOn = picture;
    changed();
}

void TsuiTitleBarButton::setPicMouseDown(const QImage &picture)
{
    m_mouseDown = picture;
    changed();
}

void TsuiTitleBarButton::Assign(const TsuiTitleBarButton &other)
{
    setVisible(other.m_visible);
    setButtonType(other.m_type);
    setTransparent(other.m_transparent);
    setTop(other.m_top);
    setUIStyle(other.m_uiStyle);
    m_normal = other.m_normal;
    m_mouseOn = other.m_mouseOn;
    m_mouseDown = other.m_mouseDown;
    m_controlBoxMenu = other.m_controlBoxMenu;
    changed();
}

void TsuiTitleBarButton::loadPictures()
{
    const TsuiTitleBar *bar = m_collection->bar();
    const TsuiFileTheme *theme = bar ? bar->FileTheme() : nullptr;
    m_transparent = ResolveThemeBool(theme, m_uiStyle, 6);
    if (m_type == TsuiTitleBarBtnType::suiCustom)
        return;
    const bool restore = m_type == TsuiTitleBarBtnType::suiMax && bar && !bar->Custom() && bar->parentForm() &&
                         FormMaximised(bar->parentForm());
    const int first = TitleBarButtonFirstFrame(m_type, restore);
    try {
        ResolveThemeBitmapFrame(theme, m_uiStyle, 5, m_normal, 18, first);
        ResolveThemeBitmapFrame(theme, m_uiStyle, 5, m_mouseOn, 18, first + 1);
        ResolveThemeBitmapFrame(theme, m_uiStyle, 5, m_mouseDown, 18, first + 2);
    } catch (const std::exception &) {
        // A strip that is missing or too short leaves the pictures as they were.
    }
    m_top = ResolveThemeInt(theme, m_uiStyle, 9);
}

void TsuiTitleBarButton::changed()
{
    m_collection->Update();
}

TsuiTitleBarSection::TsuiTitleBarSection(TsuiTitleBarSections *collection) : m_collection(collection) {}

void TsuiTitleBarSection::setAutoSize(bool on)
{
    m_autoSize = on;
    if (!m_picture.isNull())
        m_width = m_picture.width();
    changed();
}

void TsuiTitleBarSection::setWidth(int width)
{
    m_width = width;
    changed();
}

void TsuiTitleBarSection::setAlign(TsuiTitleBarAlign align)
{
    if (align == TsuiTitleBarAlign::suiClient)
        for (int i = 0; i < m_collection->Count(); ++i)
            if (m_collection->Items(i)->Align() == TsuiTitleBarAlign::suiClient) {
                sorry("Sorry, only one section's Align property can be \"suiClient\"");
                return;
            }
    m_align = align;
    if (align == TsuiTitleBarAlign::suiClient)
        m_stretch = true;
    changed();
}

void TsuiTitleBarSection::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (m_autoSize)
        m_width = picture.width();
    changed();
}

void TsuiTitleBarSection::setStretch(bool on)
{
    m_stretch = on || m_align == TsuiTitleBarAlign::suiClient;
    changed();
}

void TsuiTitleBarSection::Assign(const TsuiTitleBarSection &other)
{
    setWidth(other.m_width);
    setAlign(other.m_align);
    setPicture(other.m_picture);
    setStretch(other.m_stretch);
    setAutoSize(other.m_autoSize);
}

void TsuiTitleBarSection::changed()
{
    m_collection->Update();
}
