#pragma once

// A picture button of the main window: three pictures (normal, pointer over
// it, disabled), placed by the layout file. A plain stand-in until the skinned
// controls take its place; the window only uses what is declared here.

#include <QAbstractButton>
#include <QImage>

class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(const QString &name, QWidget *parent = nullptr);

    void setPictures(QImage normal, QImage mouseOn, QImage disabled);

protected:
    void paintEvent(QPaintEvent *event) override;
    QSize sizeHint() const override { return size(); }

private:
    QImage m_normal, m_mouseOn, m_disabled;
};

// A picture from a file; throws std::runtime_error naming the path when it cannot be read.
QImage LoadPicture(const QString &path);
