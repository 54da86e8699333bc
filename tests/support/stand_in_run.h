#pragma once

// A stand-in encoder's command line run the way the program runs it: through
// the console process runner, in the program folder, to its end.

#include "engine/console_process.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace ravenmoor::test {

// One finished run of a command line: what it printed and how it ended.
struct Finished {
    QStringList reports; // every line the runner reported, in order
    QStringList screen;  // the console as it looks at the end (a line without a line feed is overwritten)
    QList<quint32> ends;
    qint64 group = 0;
    QString text() const { return reports.join(u'\n'); }
};

// Runs the event loop until done() holds or the time is up; returns done().
bool WaitFor(const std::function<bool()> &done, int timeoutMs = 60000);

// Runs commandLine to its end; `during` is called after every reported line.
Finished RunLine(const QString &commandLine, const std::function<void(TJvCreateProcess &, Finished &)> &during = {});

// Starts commandLine in the background of a shell, kills that shell outright
// (kill -9) once the stand-in has its tool running, and tells whether the
// stand-in and everything it started are gone within timeoutMs.
bool EndsWithItsKilledParent(const QString &commandLine, int timeoutMs);

// What ParseEncoderSeconds reads from every line that has a value.
QList<int32_t> StatusSeconds(const QStringList &lines);

} // namespace ravenmoor::test
