#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace ravenmoor::test {

QString binDir() { return QStringLiteral(RAVENMOOR_BIN_DIR); }
QString sourceDir() { return QStringLiteral(RAVENMOOR_SOURCE_DIR); }

int runProgram(const QString &program, const QStringList &args, QString *output, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted())
        return -1;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return done();
}

int processesNaming(const QString &text)
{
    const QByteArray wanted = text.toUtf8();
    int count = 0;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (pid.toInt() > 0 && cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(wanted))
            ++count;
    }
    return count;
}

bool makeClip(const QString &path, double seconds, const QStringList &extraArgs,
              const QString &videoSource, const QString &audioSource)
{
    QStringList args{"-nostdin", "-y", "-loglevel", "error"};
    if (!videoSource.isEmpty())
        args << "-f" << "lavfi" << "-i" << videoSource;
    if (!audioSource.isEmpty())
        args << "-f" << "lavfi" << "-i" << audioSource;
    args << "-t" << QString::number(seconds, 'f', 2) << extraArgs << path;
    return runProgram(QStringLiteral("ffmpeg"), args) == 0;
}

bool makeDvdFixture(const QString &dir, int chapterSeconds)
{
    return runProgram(QStringLiteral("bash"),
                      {sourceDir() + QStringLiteral("/tools/make_dvd_fixture.sh"), dir, QString::number(chapterSeconds)}) == 0;
}

} // namespace ravenmoor::test
