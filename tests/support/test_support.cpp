#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ravenmoor::test {

QString binDir() { return QStringLiteral(RAVENMOOR_BIN_DIR); }
QString sourceDir() { return QStringLiteral(RAVENMOOR_SOURCE_DIR); }

QCoreApplication &coreApp()
{
    static int argc = 1;
    static char name[] = "ravenmoor_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}

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

bool residentMemoryIsMeasurable()
{
#ifdef RAVENMOOR_SANITIZE
    std::printf("Sanitized build: resident memory is not judged (the sanitizer's shadow memory and quarantine "
                "make it meaningless).\n");
    return false;
#else
    return true;
#endif
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

int processesInGroup(qint64 group)
{
    int count = 0;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // pid (comm) state ppid pgrp ...: comm may hold blanks, so count from its ")".
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[2].toLongLong() == group && fields[0] != "Z")
            ++count;
    }
    return count;
}

QJsonObject probeFile(const QString &path, const QStringList &inputOptions)
{
    QString out;
    if (runProgram(QStringLiteral("ffprobe"),
                   QStringList{"-v", "error", "-print_format", "json", "-show_format", "-show_streams"} +
                       inputOptions + QStringList{QStringLiteral("file:") + path},
                   &out) != 0)
        return {};
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

QJsonObject streamOf(const QJsonObject &probe, const QString &type)
{
    for (const QJsonValue &s : probe.value(QLatin1String("streams")).toArray()) {
        if (s.toObject().value(QLatin1String("codec_type")).toString() == type)
            return s.toObject();
    }
    return {};
}

double durationOf(const QString &path)
{
    return probeFile(path).value(QLatin1String("format")).toObject().value(QLatin1String("duration")).toString().toDouble();
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

QStringList dvdVideoOptions(const QString &format)
{
    const bool pal = format == u"pal";
    return {"-c:v", "mpeg2video", "-s", pal ? "720x576" : "720x480", "-r", pal ? "25" : "30000/1001", "-g", "12",
            "-bf", "2", "-flags", "+cgop", "-sc_threshold", "1000000000", "-pix_fmt", "yuv420p", "-aspect", "4:3", "-b:v", "4000k", "-minrate", "4000k",
            "-maxrate", "4000k", "-bufsize", "1835k"};
}

QStringList dvdMuxOptions() { return {"-f", "dvd", "-muxrate", "10080000", "-packetsize", "2048"}; }

bool authorDvd(const QString &dir, const QString &format, const QString &titleSets)
{
    QTemporaryDir work;
    const QString xml = work.filePath(QStringLiteral("dvd.xml"));
    writeBytes(xml, (QStringLiteral("<dvdauthor dest=\"%1\" jumppad=\"no\"><vmgm/>%2</dvdauthor>\n")
                         .arg(dir.toHtmlEscaped(), titleSets))
                        .toUtf8());
    return runProgram(QStringLiteral("env"), {QStringLiteral("VIDEO_FORMAT=") + format.toUpper(),
                                              QStringLiteral("dvdauthor"), QStringLiteral("-x"), xml}) == 0;
}

SilentServer::SilentServer()
{
    // Listening is enough: the kernel completes the handshake, nobody reads.
    m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
        ::listen(m_socket, 16) != 0 || ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
}

SilentServer::~SilentServer()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

QString SilentServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

} // namespace ravenmoor::test
