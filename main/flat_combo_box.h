#pragma once

// The stream choice lists of the main window with the four colours the
// layout file gives them. A plain combo box until the skinned one takes its place.

#include <QColor>
#include <QComboBox>

class FlatComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit FlatComboBox(const QString &name, QWidget *parent = nullptr);

    void setArrowColor(const QColor &c);
    void setBorderColor(const QColor &c);
    void setButtonColor(const QColor &c);
    void setColor(const QColor &c);

private:
    void restyle();

    QColor m_arrow, m_border, m_button, m_face;
};
