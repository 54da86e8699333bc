#include "main/flat_combo_box.h"

FlatComboBox::FlatComboBox(const QString &name, QWidget *parent) : QComboBox(parent)
{
    setObjectName(name);
}

void FlatComboBox::setArrowColor(const QColor &c)
{
    m_arrow = c;
    restyle();
}

void FlatComboBox::setBorderColor(const QColor &c)
{
    m_border = c;
    restyle();
}

void FlatComboBox::setButtonColor(const QColor &c)
{
    m_button = c;
    restyle();
}

void FlatComboBox::setColor(const QColor &c)
{
    m_face = c;
    restyle();
}

void FlatComboBox::restyle()
{
    // An invalid colour leaves that part to the desktop's style.
    QString sheet = QStringLiteral("QComboBox {");
    if (m_face.isValid())
        sheet += QStringLiteral(" background: %1;").arg(m_face.name());
    if (m_border.isValid())
        sheet += QStringLiteral(" border: 1px solid %1;").arg(m_border.name());
    if (m_arrow.isValid())
        sheet += QStringLiteral(" color: %1;").arg(m_arrow.name());
    sheet += QStringLiteral(" }");
    if (m_button.isValid())
        sheet += QStringLiteral(" QComboBox::drop-down { background: %1; }").arg(m_button.name());
    setStyleSheet(sheet);
}
