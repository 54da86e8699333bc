#include "main/dialogs/hint_window.h"

#include "main/skin/skin_ini.h"
#include "platform/skin/skin.h"

#include <QCheckBox>

Tfm_add::Tfm_add(QString waitSkinPath, SkinIni &skinIni, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), m_waitSkinPath(std::move(waitSkinPath)),
      m_skinIni(skinIni), Skin1(new TSkin(this)),
      cb_playhint(new QCheckBox(QStringLiteral("Not display the message any more"), this))
{
    setObjectName(QStringLiteral("Tfm_add"));
    cb_playhint->setObjectName(QStringLiteral("cb_playhint"));
    cb_playhint->move(16, 16);
    connect(cb_playhint, &QCheckBox::clicked, this, &Tfm_add::cb_playhintClick);
}

Tfm_add::~Tfm_add() = default;

void Tfm_add::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void Tfm_add::FormShow()
{
    cb_playhint->show();
    Skin1->LoadSkinFile(m_waitSkinPath);
    Skin1->ApplySkinToWindow(this);
    Skin1->ApplySkinSection(this, m_busy ? QStringLiteral("show") : QStringLiteral("showplay"));
    if (ISkinObject *still = Skin1->GetWindowObject(this)->FindChildObject(QStringLiteral("showstatic"))) {
        cb_playhint->hide();
        if (ISkinFrame *frame = still->FrameFacet()) {
            frame->SetVisible(true);
            frame->Redraw();
        }
    }
    // The skin gives the window its size; place the box at the bottom and centre on the owner.
    cb_playhint->adjustSize();
    cb_playhint->move(16, height() - cb_playhint->height() - 12);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
}

void Tfm_add::cb_playhintClick()
{
    m_skinIni.WriteBool(QStringLiteral("play"), QStringLiteral("hint"), !cb_playhint->isChecked());
}
