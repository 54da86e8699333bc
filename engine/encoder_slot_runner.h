#pragma once

// One encoder process as a conversion slot drives it: start it hidden at idle
// priority, hear its lines and its end, stop it with all its children.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class EncoderSlotRunner : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Throws when the process cannot be started.
    virtual void start(const QString &commandLine, const QString &workingFolder) = 0;
    // Ends the process and its children; ended() still follows.
    virtual void terminate() = 0;

    // Slot jobs run at idle priority; a runner told otherwise before start() runs at normal priority.
    void setIdlePriority(bool idle) { m_idlePriority = idle; }
    bool idlePriority() const { return m_idlePriority; }

signals:
    void lineRead(const QString &line, bool startsOnNewLine);
    // Once, after the last line.
    void ended(quint32 exitCode);

private:
    bool m_idlePriority = true;
};

using EncoderRunnerFactory = std::function<std::unique_ptr<EncoderSlotRunner>()>;
