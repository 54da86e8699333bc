#pragma once

// The parts of a title bar the user may change: its window buttons, each
// with three pictures cut from the style's strip of 18, and the picture
// sections the caption band is drawn from.

#include "skin_controls/theme/ui_style.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <memory>
#include <vector>

class TsuiTitleBar;

enum class TsuiTitleBarBtnType : uint8_t { suiMax, suiMin, suiClose, suiHelp, suiControlBox, suiCustom };
enum class TsuiTitleBarAlign : uint8_t { suiLeft, suiRight, suiClient };

// The first of a kind's three frames (normal, mouse on, mouse down) in the
// style's strip of 18; 0 for a custom button, which keeps its own pictures.
int TitleBarButtonFirstFrame(TsuiTitleBarBtnType type, bool restore);

class TsuiTitleBarButtons;
class TsuiTitleBarSections;

class TsuiTitleBarButton {
public:
    explicit TsuiTitleBarButton(TsuiTitleBarButtons *collection);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // Loads the pictures of the style.
    void setUIStyle(TsuiUIStyle style);
    TsuiTitleBarBtnType ButtonType() const { return m_type; }
    // A second control box is refused with a message.
    void setButtonType(TsuiTitleBarBtnType type);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    int Top() const { return m_top; }
    void setTop(int top);
    bool Visible() const { return m_visible; }
    void setVisible(bool on);
    // A control box with a menu pops it up instead of the system menu.
    QMenu *ControlBoxMenu() const { return m_controlBoxMenu; }
    void setControlBoxMenu(QMenu *menu) { m_controlBoxMenu = menu; }
    const QImage &PicNormal() const { return m_normal; }
    void setPicNormal(const QImage &picture);
    const QImage &PicMouseOn() const { return m_mouseOn; }
    void setPicMouseOn(const QImage &picture);
    const QImage &PicMouseDown() const { return m_mouseDown; }
    void setPicMouseDown(const QImage &picture);

    void Assign(const TsuiTitleBarButton &other);
    // The style's pictures for the button's kind; a maximise button shows
    // the restore pictures while its form is maximised.
    void loadPictures();

private:
    void changed();

    TsuiTitleBarButtons *m_collection;
    TsuiUIStyle m_uiStyle = TsuiUIStyle::DeepBlue;
    TsuiTitleBarBtnType m_type = TsuiTitleBarBtnType::suiCustom;
    bool m_transparent = false;
    int m_top = 2;
    bool m_visible = true;
    QPointer<QMenu> m_controlBoxMenu;
    QImage m_normal, m_mouseOn, m_mouseDown;
};

class TsuiTitleBarSection {
public:
    explicit TsuiTitleBarSection(TsuiTitleBarSections *collection);

    bool AutoSize() const { return m_autoSize; }
    // With a picture, the width becomes the picture's.
    void setAutoSize(bool on);
    int Width() const { return m_width; }
    void setWidth(int width);
    TsuiTitleBarAlign Align() const { return m_align; }
    // Only one section may fill the middle; a second is refused with a message.
    void setAlign(TsuiTitleBarAlign align);
    const QImage &Picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // The middle section is always stretched.
    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);

    void Assign(const TsuiTitleBarSection &other);

private:
    void changed();

    TsuiTitleBarSections *m_collection;
    bool m_autoSize = false;
    int m_width = 10;
    TsuiTitleBarAlign m_align = TsuiTitleBarAlign::suiLeft;
    QImage m_picture;
    bool m_stretch = false;
};

// A list of items owned by the title bar; every change repaints it.
template <typename Item, typename Self>
class TsuiTitleBarCollection {
public:
    explicit TsuiTitleBarCollection(TsuiTitleBar *bar) : m_bar(bar) {}

    Item *Add()
    {
        m_items.push_back(std::make_unique<Item>(static_cast<Self *>(this)));
        Update();
        return m_items.back().get();
    }
    Item *Items(int index) const { return m_items.at(size_t(index)).get(); }
    int Count() const { return int(m_items.size()); }
    void Clear()
    {
        m_items.clear();
        Update();
    }
    // Copies the other's items, through their writers.
    void Assign(const Self &other)
    {
        m_items.clear();
        for (int i = 0; i < other.Count(); ++i)
            Add()->Assign(*other.Items(i));
        Update();
    }
    int indexOf(const Item *item) const
    {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].get() == item)
                return int(i);
        return -1;
    }
    TsuiTitleBar *bar() const { return m_bar; }
    void Update();

private:
    TsuiTitleBar *m_bar;
    std::vector<std::unique_ptr<Item>> m_items;
};

class TsuiTitleBarButtons : public TsuiTitleBarCollection<TsuiTitleBarButton, TsuiTitleBarButtons> {
public:
    using TsuiTitleBarCollection::TsuiTitleBarCollection;
};

class TsuiTitleBarSections : public TsuiTitleBarCollection<TsuiTitleBarSection, TsuiTitleBarSections> {
public:
    using TsuiTitleBarCollection::TsuiTitleBarCollection;
};
