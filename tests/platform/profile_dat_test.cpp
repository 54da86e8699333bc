// profile.dat, the disc probe of the Blu-ray import: the volume name of the
// disc that holds a folder, run as the import runs it.

#include "platform/encoders/profile_dat/volume_name.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ravenmoor::test;

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

TEST(ProfileDat, ReportsTheVolumeNameOfAFolderAndExits)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("My Film")));
    QString out;
    EXPECT_EQ(runProgram(binDir() + "/profile.dat", {"-s", dir.filePath("My Film")}, &out, 10000), 0);
    EXPECT_EQ(out.trimmed(), "Volume: My Film");

    EXPECT_EQ(runProgram(binDir() + "/profile.dat", {"-s", dir.filePath("none")}, &out, 10000), 1);
    EXPECT_TRUE(out.contains("no such folder")) << out.toStdString();
    EXPECT_EQ(runProgram(binDir() + "/profile.dat", {}, &out, 10000), 2);
    EXPECT_EQ(runProgram(binDir() + "/profile.dat", {"-x", dir.path()}, &out, 10000), 2);
}

TEST(ProfileDat, TheHandshakeFileLiesBesideThePrograms)
{
    EXPECT_TRUE(QFile::exists(binDir() + "/ides"));
}

TEST(VolumeName, UdevEscapesAreUndone)
{
    const std::pair<const char *, const char *> cases[] = {
        {"MY\\x20DISC", "MY DISC"}, {"PLAIN", "PLAIN"}, {"A\\x2fB", "A/B"},
        {"K\\xc3\\xa4se", "Käse"},   {"END\\x2", "END\\x2"}, {"\\xzz", "\\xzz"},
    };
    for (const auto &[escaped, label] : cases)
        EXPECT_EQ(UnescapeUdevLabel(QString::fromUtf8(escaped)), QString::fromUtf8(label)) << escaped;
}

// A disc mount as the kernel lists it, with a by-label folder as udev keeps it.
class MountedDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(dir.filePath("media/disc/BDMV")));
        ASSERT_TRUE(QDir().mkpath(dir.filePath("by-label")));
        for (const char *device : {"sr0", "sda1"}) {
            QFile f(dir.filePath(device));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QFile::link("../sda1", dir.filePath("by-label/home")));
        ASSERT_TRUE(QFile::link("../sr0", dir.filePath("by-label/MY\\x20FILM")));
    }

    QString mountinfo(const QString &fileSystem, const QString &device) const
    {
        return "22 1 8:1 / / rw - ext4 " + dir.filePath("sda1") + " rw\n" + "40 22 11:0 / " +
               dir.filePath("media/disc") + " ro - " + fileSystem + " " + dir.filePath(device) + " ro\n";
    }

    QTemporaryDir dir;
};

TEST_F(MountedDisc, TheLabelOfTheDiscElseTheFolderName)
{
    const QString byLabel = dir.filePath("by-label");
    const QString folder = dir.filePath("media/disc/BDMV");
    EXPECT_EQ(LabelOfDevice(byLabel, dir.filePath("sr0")), "MY FILM");
    EXPECT_EQ(LabelOfDevice(byLabel, dir.filePath("sr1")), "");

    EXPECT_EQ(VolumeName(folder, mountinfo("udf", "sr0"), byLabel), "MY FILM");
    // A disc without a label, and a folder on a hard disk: the folder's name.
    ASSERT_TRUE(QFile::remove(dir.filePath("by-label/MY\\x20FILM")));
    EXPECT_EQ(VolumeName(folder, mountinfo("udf", "sr0"), byLabel), "BDMV");
    EXPECT_EQ(VolumeName(folder, mountinfo("ext4", "sda1"), byLabel), "BDMV");
    EXPECT_EQ(VolumeName("/", QString(), byLabel), "/");
}

} // namespace
