#include "engine/jv_encoder_runner.h"

JvEncoderRunner::JvEncoderRunner(QObject *parent) : EncoderSlotRunner(parent)
{
    m_process.OnRead = [this](TJvCreateProcess *, const QString &line, bool startsOnNewLine) {
        emit lineRead(line, startsOnNewLine);
    };
    m_process.OnTerminate = [this](TJvCreateProcess *, quint32 exitCode) { emit ended(exitCode); };
}

void JvEncoderRunner::start(const QString &commandLine, const QString &workingFolder)
{
    m_process.CommandLine = commandLine;
    m_process.CurrentDirectory = workingFolder;
    m_process.Priority = idlePriority() ? ppIdle : ppNormal;
    m_process.Run();
}

void JvEncoderRunner::terminate()
{
    m_process.Terminate();
}
