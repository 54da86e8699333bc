#include "platform/errors/error_guard.h"

#include <QtGlobal>
#include <exception>

QString UnknownErrorText() { return QStringLiteral("An unexpected error occurred."); }

bool RunGuarded(ErrorBox &box, const std::function<void()> &handler) noexcept
{
    QString text;
    try {
        handler();
        return true;
    } catch (const std::exception &e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = UnknownErrorText();
    }
    if (text.isEmpty())
        text = UnknownErrorText();
    // The box itself must not let an error out either.
    try {
        box.showError(text);
    } catch (...) {
        qWarning("%s", qUtf8Printable(text));
    }
    return false;
}
