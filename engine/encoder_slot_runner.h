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

signals:
    void lineRead(const QString &line, bool startsOnNewLine);
    // Once, after the last line.
    void ended(quint32 exitCode);
};

using EncoderRunnerFactory = std::function<std::unique_ptr<EncoderSlotRunner>()>;
