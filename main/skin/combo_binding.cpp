#include "main/skin/combo_binding.h"

#include "engine/settings_model.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

void Show(QComboBox *box, const ComboModel &model)
{
    const QSignalBlocker block(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown != model.Items()) {
        box->clear();
        box->addItems(model.Items());
    }
    box->setCurrentIndex(model.ItemIndex());
    if (box->isEditable() && box->currentText() != model.Text())
        box->setEditText(model.Text());
    box->setEnabled(model.Enabled());
}

} // namespace

void BindCombo(QComboBox *box, ComboModel &model)
{
    Show(box, model);
    QObject::connect(&model, &ComboModel::changed, box, [box, &model] { Show(box, model); });
    QObject::connect(box, &QComboBox::activated, &model, [&model](int index) { model.SetItemIndex(index); });
    if (box->isEditable())
        QObject::connect(box->lineEdit(), &QLineEdit::textEdited, &model,
                         [&model](const QString &text) { model.SetText(text); });
}
