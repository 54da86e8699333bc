#pragma once

// The main menu of a skinned form: its top-level items show as buttons of
// the form frame's menu bar, and their drop-down lists are drawn like the
// popup menu's, with the menu's own check mark.

#include "skin_controls/controls/menu_appearance.h"

#include <QKeyCombination>
#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class TsuiMenuStyle;

class TsuiMainMenu : public QObject, public TsuiMenuAppearance {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE setFileTheme)
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE setOwnerDraw)
    Q_PROPERTY(int MenuItemHeight READ MenuItemHeight WRITE setMenuItemHeight)
    Q_PROPERTY(int SeparatorHeight READ SeparatorHeight WRITE setSeparatorHeight)
    Q_PROPERTY(int BarWidth READ BarWidth WRITE setBarWidth)
    Q_PROPERTY(bool FlatMenu READ FlatMenu WRITE setFlatMenu)
    Q_PROPERTY(bool UseSystemFont READ UseSystemFont WRITE setUseSystemFont)

public:
    // The dynamic property of an item that names its picture in Images.
    static constexpr const char *kImageIndex = "ImageIndex";

    // On a form that holds a skinned frame, the frame takes this menu.
    explicit TsuiMainMenu(QObject *owner = nullptr);
    TsuiMainMenu(const QString &name, QObject *owner);
    ~TsuiMainMenu() override;

    // A top-level item and its drop-down list, at the end.
    QMenu *addMenu(const QString &name, const QString &caption);
    // The top-level items in menu order.
    QList<QAction *> items() const;

    // Hooks the drawing of every item, nested ones too, then has the host
    // frame build its menu bar again.
    void Loaded();
    // After a change of the items: the host frame takes their captions and
    // enabled states.
    void MenuChanged();
    // Triggers the enabled item with that shortcut; false when none has it.
    bool TakeShortcut(QKeyCombination key);

    // The user's pictures, which items pick by their ImageIndex; nullptr
    // while the menu's own check-mark picture is in place.
    const QList<QImage> *Images() const { return m_images; }
    void setImages(const QList<QImage> *images) { m_images = images; }
    // Always true.
    bool OwnerDraw() const { return true; }
    void setOwnerDraw(bool) {}

    // The frame whose menu bar shows this menu; set by the frame only.
    QObject *hostFrame() const { return m_host; }
    void setHostFrame(QObject *frame) { m_host = frame; }

    QImage itemImage(const QWidget *menu, const QStyleOptionMenuItem &option) const override;

signals:
    // The bar must be built again (the items were loaded).
    void rebuilt();
    // Captions or enabled states of the items changed.
    void itemsChanged();
    // The font or the look changed: the bar repaints in it.
    void appearanceChanged();

protected:
    void AppearanceChanged() override;
    QObject *appearanceContext() override { return this; }

private:
    TsuiMenuStyle *m_style;
    std::vector<std::unique_ptr<QMenu>> m_menus;
    const QList<QImage> *m_images = nullptr;
    QPointer<QObject> m_host;
};
