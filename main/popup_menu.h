#pragma once

// The main window's popup menus with the colours of the layout file. The
// colours are stored at once and drawn the next time the menu opens. A plain
// menu until the skinned one takes its place.

#include "main/skin_layout.h"

#include <QMenu>

class SkinPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit SkinPopupMenu(const QString &name, QWidget *parent = nullptr);

    void setColors(const PopupColors &colors) { m_colors = colors; }
    const PopupColors &colors() const { return m_colors; }
    // Adds an item with its component name and designed caption.
    QAction *addItem(const QString &name, const QString &caption);

protected:
    void showEvent(QShowEvent *event) override;

private:
    PopupColors m_colors;
};
