#include "main/dialogs/update_window.h"

#include "platform/skin/skin.h"
#include "skin_controls/controls/button.h"
#include "skin_controls/controls/progress_bar.h"

Tfm_show::Tfm_show(const QString &waitSkinPath, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), Skin1(new TSkin(this)),
      pb_update(new TsuiProgressBar(QStringLiteral("pb_update"), this)), suiButton1(new TsuiButton(this))
{
    setObjectName(QStringLiteral("Tfm_show"));
    // Below the skin's texts, the bar on the left and the button beside it.
    pb_update->setGeometry(31, 100, 201, 12);
    pb_update->setColor(0xE8E8E8);
    pb_update->setBorderColor(clBlack);
    pb_update->setCaptionColor(clBlack);
    pb_update->setMin(0);
    pb_update->setMax(100);
    pb_update->setPosition(0);
    pb_update->setSmartShowCaption(false);
    suiButton1->setObjectName(QStringLiteral("suiButton1"));
    suiButton1->setUIStyle(TsuiUIStyle::Protein);
    suiButton1->setCaption(QStringLiteral("Download Background"));
    suiButton1->setGeometry(240, 93, 130, 26);
    Skin1->LoadSkinFile(waitSkinPath);
    Skin1->ApplySkinToWindow(this);
    Skin1->ApplySkinSection(this, QStringLiteral("show"));
}
