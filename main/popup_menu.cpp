#include "main/popup_menu.h"

#include <QPalette>

SkinPopupMenu::SkinPopupMenu(const QString &name, QWidget *parent) : QMenu(parent)
{
    setObjectName(name);
}

QAction *SkinPopupMenu::addItem(const QString &name, const QString &caption)
{
    QAction *action = addAction(caption);
    action->setObjectName(name);
    return action;
}

void SkinPopupMenu::showEvent(QShowEvent *event)
{
    const QPalette p = palette();
    const auto c = [&](TColor color) {
        const QColor q = ColorToQColor(color, p);
        return q.isValid() ? q.name() : QStringLiteral("transparent");
    };
    setStyleSheet(QStringLiteral("QMenu { background: %1; color: %2; border: 1px solid %3; }"
                                 " QMenu::item:selected { background: %4; color: %5; border: 1px solid %6; }"
                                 " QMenu::separator { height: 1px; background: %7; }"
                                 " QMenu::item { border-left: 3px solid %8; padding: 3px 18px; }")
                      .arg(c(m_colors.Color), c(m_colors.FontColor), c(m_colors.BorderColor), c(m_colors.SelectedColor),
                           c(m_colors.SelectedFontColor), c(m_colors.SelectedBorderColor), c(m_colors.SeparatorColor),
                           c(m_colors.BarColor)));
    QMenu::showEvent(event);
}
