#include "platform/dialogs/message_error_box.h"

#include <QGuiApplication>
#include <QMessageBox>

void MessageErrorBox::showError(const QString &text)
{
    QMessageBox::critical(m_parent, QGuiApplication::applicationDisplayName(), text);
}
