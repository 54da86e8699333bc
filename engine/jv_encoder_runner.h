#pragma once

// An encoder run on the console process runner: hidden, at idle priority for
// the slots (normal when the runner is told so), its lines and its end passed
// on, Stop ending its whole group.

#include "engine/console_process.h"
#include "engine/encoder_slot_runner.h"

class JvEncoderRunner : public EncoderSlotRunner {
    Q_OBJECT
public:
    explicit JvEncoderRunner(QObject *parent = nullptr);

    void start(const QString &commandLine, const QString &workingFolder) override;
    void terminate() override;

private:
    TJvCreateProcess m_process;
};
