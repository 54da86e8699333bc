#include "main/dialogs/about_window.h"

#include "platform/skin/skin.h"

Tfm_about::Tfm_about(TSkin &mainSkin, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_skin(mainSkin)
{
    setObjectName(QStringLiteral("Tfm_about"));
    setWindowTitle(QStringLiteral("About"));
}

void Tfm_about::showEvent(QShowEvent *event)
{
    m_skin.ApplySkinSection(this, QStringLiteral("about"));
    QDialog::showEvent(event);
}
