#pragma once

// An error box for tests: records every text, shows nothing.

#include "platform/errors/error_guard.h"

#include <QStringList>

class RecordingErrorBox : public ErrorBox {
public:
    QStringList shown;

    void showError(const QString &text) override { shown.append(text); }
};
