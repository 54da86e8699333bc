#pragma once

// The application's error box: a modal message with the error icon and OK.

#include "platform/errors/error_guard.h"

#include <QPointer>
#include <QWidget>

class MessageErrorBox : public ErrorBox {
public:
    // parent: the window the box is centred on; may be null or set later.
    explicit MessageErrorBox(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget *parent) { m_parent = parent; }
    void showError(const QString &text) override;

private:
    QPointer<QWidget> m_parent;
};
