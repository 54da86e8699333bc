#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace ravenmoor::test {

// The folder the build puts the program and its data files in.
QString binDir();
QString sourceDir();

// Runs a program to its end and returns its exit code (-1 when it could not start).
int runProgram(const QString &program, const QStringList &args, QString *output = nullptr,
               int timeoutMs = 120000);

// Runs the event loop of the existing application until done() holds or the
// time is up; returns done().
bool waitUntil(const std::function<bool()> &done, int timeoutMs);

// How many running processes have `text` in their command line (a probe or an
// encoder carries its file's path there).
int processesNaming(const QString &text);

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

} // namespace ravenmoor::test
