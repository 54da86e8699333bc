#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

class QCoreApplication;

namespace ravenmoor::test {

// The folder the build puts the program and its data files in.
QString binDir();
QString sourceDir();

// The one application of a test program that needs no widgets, made on first use.
QCoreApplication &coreApp();

// Writes bytes into a new file; a failure fails the test.
void writeBytes(const QString &path, const QByteArray &bytes);

// Runs a program to its end and returns its exit code (-1 when it could not start).
int runProgram(const QString &program, const QStringList &args, QString *output = nullptr,
               int timeoutMs = 120000);

// Runs the event loop of the existing application until done() holds or the
// time is up; returns done().
bool waitUntil(const std::function<bool()> &done, int timeoutMs);

// False in the build with AddressSanitizer, whose shadow memory and quarantine
// make resident-memory figures meaningless; it then says so on the test's output.
bool residentMemoryIsMeasurable();

// How many running processes have `text` in their command line (a probe or an
// encoder carries its file's path there).
int processesNaming(const QString &text);

// How many live (not zombie) processes belong to that process group.
int processesInGroup(qint64 group);

// What ffprobe reads of a file as JSON (empty when it reads nothing);
// inputOptions go before the file.
QJsonObject probeFile(const QString &path, const QStringList &inputOptions = {});
// The first stream of that codec type ("video", "audio") in probeFile's answer.
QJsonObject streamOf(const QJsonObject &probe, const QString &type);
// The file's duration in seconds as probeFile reads it; 0 when it reads none.
double durationOf(const QString &path);

// Makes a real media file with ffmpeg's lavfi sources; extraArgs go before the output.
// Returns false when ffmpeg failed.
bool makeClip(const QString &path, double seconds, const QStringList &extraArgs = {},
              const QString &videoSource = QStringLiteral("testsrc=size=320x240:rate=25"),
              const QString &audioSource = QStringLiteral("sine=frequency=440:sample_rate=44100"));

// Makes a real DVD under dir (dir/VIDEO_TS) with tools/make_dvd_fixture.sh:
// title set 1 a title of four chapters of chapterSeconds each, audio 0x80
// (440 Hz) and 0x81 (1760 Hz), subtitle 0x20 from 2 s to 4 s; title set 2 an
// 8-s title. Returns false when the script failed.
bool makeDvdFixture(const QString &dir, int chapterSeconds = 6);

// The ffmpeg options of DVD video (MPEG-2 at a constant 4 Mb/s, GOPs of 12
// frames, closed as at chapter marks) and of the DVD program stream, for the
// title files of authorDvd. format: "pal" (720x576, 25 frames a second) or
// "ntsc" (720x480, 29.97).
QStringList dvdVideoOptions(const QString &format);
QStringList dvdMuxOptions();
// Authors dir/VIDEO_TS with dvdauthor from the <titleset> elements given
// (their <vob> files made with the options above). Returns false when
// dvdauthor failed.
bool authorDvd(const QString &dir, const QString &format, const QString &titleSets);

// A port on 127.0.0.1 whose server takes the connection and never answers.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer &) = delete;
    SilentServer &operator=(const SilentServer &) = delete;
    int port() const { return m_port; }
    QString url(const QString &path) const;

private:
    int m_socket = -1;
    int m_port = 0;
};

} // namespace ravenmoor::test
