#include "main/dialogs/update_window.h"

#include "platform/skin/skin.h"

#include <QProgressBar>
#include <QPushButton>

Tfm_show::Tfm_show(const QString &waitSkinPath, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), Skin1(new TSkin(this)),
      pb_update(new QProgressBar(this)), suiButton1(new QPushButton(QStringLiteral("Download Background"), this))
{
    setObjectName(QStringLiteral("Tfm_show"));
    pb_update->setObjectName(QStringLiteral("pb_update"));
    pb_update->setRange(0, 100);
    pb_update->setValue(0);
    pb_update->move(31, pb_update->y());
    suiButton1->setObjectName(QStringLiteral("suiButton1"));
    Skin1->LoadSkinFile(waitSkinPath);
    Skin1->ApplySkinToWindow(this);
    Skin1->ApplySkinSection(this, QStringLiteral("show"));
}
