// profile.dat: the disc probe the Blu-ray import runs on a disc's drive.
// "profile.dat -s FOLDER" prints the volume name of the disc that holds the
// folder and exits; it reads nothing else from the disc and writes nothing.

#include "platform/encoders/profile_dat/volume_name.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr const char *kUsage = "usage: profile.dat -s FOLDER\n";

void Say(const QByteArray &text) { std::fprintf(stderr, "profile.dat: %s\n", text.constData()); }

QString MountTable()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || QByteArray(argv[1]) != "-s") {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (!QFileInfo(folder).isDir()) {
        Say(QByteArray(argv[2]) + ": no such folder");
        return 1;
    }
    std::printf("Volume: %s\n", VolumeName(folder, MountTable()).toUtf8().constData());
    return 0;
}
