#include "platform/drives/optical_drive.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const char *const kMountinfo =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "30 22 0:25 / /proc rw,nosuid shared:12 - proc proc rw\n"
    "41 22 11:0 / /media/user/MY\\040MOVIE ro,nosuid shared:30 - udf /dev/sr0 ro,iocharset=utf8\n"
    "42 22 8:17 / /media/user/USB rw shared:31 - vfat /dev/sdb1 rw\n"
    "43 42 7:0 / /media/user/USB/image ro shared:32 - iso9660 /dev/loop0 ro\n"
    "44 22 11:1 / /mnt/dvd ro shared:33 - ext4 /dev/sr1 ro\n"
    "garbage line\n"
    "45 22 0:40 / /mnt/cd rw - fuse.cdemu cdemu rw\n";

struct MountCase {
    const char *path;
    const char *mountPoint;
    bool optical;
};

class MountOfPathTest : public ::testing::TestWithParam<MountCase> {};

TEST_P(MountOfPathTest, FindsTheInnermostMountAndItsKind)
{
    const MountCase c = GetParam();
    const MountEntry mount = MountOfPath(QString::fromLatin1(kMountinfo), QString::fromUtf8(c.path));
    EXPECT_EQ(mount.mountPoint, QString::fromUtf8(c.mountPoint));
    EXPECT_EQ(IsOpticalMount(mount), c.optical);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MountOfPathTest,
    ::testing::Values(MountCase{"/home/user/rips/VIDEO_TS", "/", false},
                      MountCase{"/media/user/MY MOVIE", "/media/user/MY MOVIE", true},
                      MountCase{"/media/user/MY MOVIE/VIDEO_TS", "/media/user/MY MOVIE", true},
                      // A sibling whose name starts like the mount point is not inside it.
                      MountCase{"/media/user/MY MOVIE2", "/", false},
                      MountCase{"/media/user/USB/clips", "/media/user/USB", false},
                      MountCase{"/media/user/USB/image/VIDEO_TS", "/media/user/USB/image", true},
                      MountCase{"/mnt/dvd", "/mnt/dvd", true},
                      MountCase{"/mnt/cd/VIDEO_TS", "/mnt/cd", false}));

TEST(OpticalDrive, TheTestsOwnFolderIsNoDisc)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(IsOnOpticalDrive(dir.path()));
    EXPECT_FALSE(IsOnOpticalDrive(dir.filePath(QStringLiteral("missing/VIDEO_TS"))));
}

TEST(OpticalDrive, TheWaitKeepsTheEventLoopRunningAndEnds)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    QTemporaryDir dir;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(1);
    QElapsedTimer clock;
    clock.start();
    WaitForDriveAnswer(dir.path());
    WaitForDriveAnswer(dir.filePath(QStringLiteral("no such folder")));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_GT(ticks, 0) << "events were handled while the drive was asked";
}

} // namespace
